#!/usr/bin/env bash
# Builds the FFmpeg libraries the player links, from the source of Debian 12's own FFmpeg (the one
# its libavcodec59 package is made from, Debian's patches applied), configured for playing:
# every decoder, demuxer, parser and bitstream filter FFmpeg has of its own, AV1 through dav1d,
# VA-API; no encoders, muxers, filters, devices or network. Debian's build links some forty codec
# and graphics libraries (encoders, SVG, teletext, JPEG XL...) that a player never calls but that
# every process loading libavcodec maps and relocates: about 7 MiB of memory on a DVD, and time at
# start-up. The libraries are named with a "-vistrel" suffix, so they are never mistaken for the
# system's, and find each other in their own folder.
#   tools/ffmpeg/make-ffmpeg.sh PREFIX
#   tools/ffmpeg/make-ffmpeg.sh --cmake-option PREFIX
#       the same, then prints the CMake option that points a build folder at it; should the build
#       fail (its source gone from Debian's archives, say), a warning and the option for the
#       system's FFmpeg, which plays the same media with more memory.
# Does nothing when PREFIX holds a build made by this very script. The source is fetched from
# Debian's archives (DEBIAN_MIRROR, DEBIAN_SECURITY_MIRROR; default deb.debian.org) into
# ${XDG_CACHE_HOME:-~/.cache}/vistrel/ffmpeg, once, and checked against the checksums below.
set -euo pipefail
if [ "${1:-}" = --cmake-option ] && [ $# = 2 ]; then
  if "$0" "$2" >&2; then
    echo "-DVISTREL_FFMPEG_PREFIX=$(cd "$2" && pwd)"
  else
    echo "warning: the player's own FFmpeg could not be built; the system's is used" >&2
    echo "-DVISTREL_FFMPEG_PREFIX="
  fi
  exit 0
fi
[ $# = 1 ] || { echo "usage: $0 [--cmake-option] PREFIX" >&2; exit 2; }
mkdir -p "$1"
prefix=$(cd "$1" && pwd)

stamp=$(sha256sum "$0" | cut -d' ' -f1)
[ "$(cat "$prefix/.made-by" 2>/dev/null)" = "$stamp" ] && exit 0

version=5.1.9
debian=0+deb12u1
files=(
  "ffmpeg_$version-$debian.dsc 055f82fca9a92f1d47216be2c2488d09373c7ca154806fbc36b0127c191d5104"
  "ffmpeg_$version.orig.tar.xz d9b593bb2ba93d4b50f74177e0cdcd41747e708596367deed0c30348a71dd176"
  "ffmpeg_$version.orig.tar.xz.asc 443e6cdfe1560aab22f90ec40a967866ee04d5bbea32bc32625bd6e514d589f4"
  "ffmpeg_$version-$debian.debian.tar.xz 71b20472ecd2764bc98e3229d34c0f7c8dcfe4a6cbacc23fd5604c23bac04632"
)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/vistrel/ffmpeg
mirror=${DEBIAN_MIRROR:-http://deb.debian.org/debian}
security=${DEBIAN_SECURITY_MIRROR:-http://deb.debian.org/debian-security}
mkdir -p "$cache"
for entry in "${files[@]}"; do
  read -r name sum <<< "$entry"
  if ! echo "$sum  $cache/$name" | sha256sum -c --status 2>/dev/null; then
    echo "Fetching $name"
    # Debian keeps a stable release's current source in its main archive or, after a security
    # update, in the security archive.
    curl -fsSL --retry 3 -o "$cache/$name.part" "$mirror/pool/main/f/ffmpeg/${name//+/%2b}" ||
      curl -fsSL --retry 3 -o "$cache/$name.part" "$security/pool/updates/main/f/ffmpeg/${name//+/%2b}" ||
      { echo "$name: not found in Debian's archives" >&2; rm -f "$cache/$name.part"; exit 1; }
    echo "$sum  $cache/$name.part" | sha256sum -c --status ||
      { echo "$name: checksum mismatch" >&2; rm -f "$cache/$name.part"; exit 1; }
    mv "$cache/$name.part" "$cache/$name"
  fi
done

# Built inside the checkout (beside PREFIX) so that the compiler cache, whose paths are taken
# relative to the checkout, serves every clone.
work=$prefix.src
rm -rf "$work" "$prefix"/{lib,include,share}
dpkg-source --no-check --no-copy -x "$cache/ffmpeg_$version-$debian.dsc" "$work" >/dev/null
cc=gcc
command -v ccache >/dev/null && cc="ccache gcc"
cd "$work"
# The prefix is written into config.h, which every file includes: one fixed name keeps the compiler
# cache's entries good for every checkout.
fixed=/opt/vistrel-ffmpeg
./configure --prefix="$fixed" --build-suffix=-vistrel --cc="$cc" \
  --enable-shared --disable-static --enable-pic --disable-debug --disable-doc --disable-programs \
  --disable-encoders --disable-muxers --disable-devices --disable-avdevice --disable-avfilter \
  --disable-postproc --disable-network --disable-autodetect \
  --enable-zlib --enable-bzlib --enable-lzma --enable-iconv --enable-vaapi --enable-libdav1d \
  >"$work.configure.log" 2>&1 || { tail -n 30 "$work.configure.log" >&2; exit 1; }
# configure would cut "$ORIGIN" short. The link line is expanded twice by make (the library rules
# are made with eval), so "$$$$" becomes "$", which the shell leaves alone behind its backslash.
make -j"${JOBS:-2}" 'LDSOFLAGS=-Wl,-rpath,\$$$$ORIGIN' >"$work.make.log" 2>&1 ||
  { tail -n 30 "$work.make.log" >&2; exit 1; }
make install DESTDIR="$work/staged" >/dev/null
cp -a "$work/staged$fixed"/. "$prefix"/
sed -i "s|$fixed|$prefix|g" "$prefix"/lib/pkgconfig/*.pc
cd "$prefix"
rm -rf "$work" "$work".*.log
# Each library must find its siblings here, wherever the folder is installed.
for lib in lib/lib*-vistrel.so.*.*; do
  readelf -d "$lib" | grep -q 'R.*PATH.*\[\$ORIGIN\]' || { echo "$lib: no \$ORIGIN run path" >&2; exit 1; }
done
echo "$stamp" > "$prefix/.made-by"
