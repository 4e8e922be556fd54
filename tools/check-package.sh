#!/usr/bin/env bash
# Installs the Debian package into a clean Debian 12 root made with debootstrap, with apt and only
# the package's required dependencies, then runs the installed programs there: proof that the
# package's dependencies are complete. Not part of the test suite: it fetches a few hundred
# megabytes of Debian packages.
#   tools/check-package.sh [PACKAGE.deb]     default: the newest build-package/vistrel_*.deb
# Needs root. DEBIAN_MIRROR names a mirror (default: debootstrap's own). The root is made under a
# temporary folder and removed at the end.
set -euo pipefail
cd "$(dirname "$0")/.."

deb=${1:-$(ls -t build-package/vistrel_*.deb 2>/dev/null | head -n 1)}
[ -f "$deb" ] || { echo "no package: run tools/build.sh package first, or name one" >&2; exit 2; }
[ "$(id -u)" = 0 ] || { echo "debootstrap and chroot need root" >&2; exit 2; }
command -v debootstrap >/dev/null || {
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap
}

work=$(mktemp -d /tmp/vistrel-check.XXXXXX)
root=$work/root
cleanup() {
  mountpoint -q "$root/proc" && umount "$root/proc"
  rm -rf "$work"
}
trap cleanup EXIT

echo "== debootstrap bookworm into $root"
debootstrap --variant=minbase bookworm "$root" ${DEBIAN_MIRROR:+"$DEBIAN_MIRROR"} >"$work/debootstrap.log" 2>&1 || {
  tail -n 20 "$work/debootstrap.log" >&2
  exit 1
}
mount -t proc proc "$root/proc"
cp "$deb" "$root/tmp/"
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }

echo "== apt install ./$(basename "$deb")"
in_root apt-get update -qq
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
  "/tmp/$(basename "$deb")" >"$work/install.log" 2>&1 || {
  tail -n 30 "$work/install.log" >&2
  exit 1
}

echo "== the installed programs"
in_root vistrel --version
in_root vistrel-graphs --help >/dev/null
missing=$(in_root sh -c 'ldd /usr/bin/vistrel /usr/bin/vistrel-graphs | grep "not found" || true')
[ -z "$missing" ] || { echo "libraries not found: $missing" >&2; exit 1; }
# Loaded at run time, so not in ldd's list: Qt's X11 platform plugin and what it links.
plugin=$(in_root sh -c 'ls /usr/lib/*/qt6/plugins/platforms/libqxcb.so 2>/dev/null' || true)
[ -n "$plugin" ] || { echo "Qt's X11 platform plugin is not installed" >&2; exit 1; }
missing=$(in_root sh -c "ldd $plugin | grep 'not found' || true")
[ -z "$missing" ] || { echo "the X11 platform plugin lacks: $missing" >&2; exit 1; }
for file in /usr/share/vistrel/splash.jpg /usr/share/applications/vistrel.desktop \
  /usr/share/icons/hicolor/scalable/apps/vistrel.svg /usr/share/man/man1/vistrel.1.gz; do
  [ -f "$root$file" ] || { echo "missing after install: $file" >&2; exit 1; }
done
echo "package installs and runs in a clean Debian 12 root"
