#!/usr/bin/env bash
# Set-up, build, run and test Vistrel on a Debian 12 machine.
#   tools/build.sh run [MEDIUM]   install what is missing, build, make the demo disc, start the player
#   tools/build.sh test           install what is missing, build, run the whole test suite
# Packages are installed with apt-get only when missing (through sudo when not root).
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libqt6dbus6 qt6-translations-l10n
  libavformat-dev libavcodec-dev libavutil-dev libswscale-dev libswresample-dev
  libdvdnav-dev libdvdread-dev libcdio-dev libcdio-paranoia-dev
  libsdl2-dev libfluidsynth-dev libgsf-1-dev libjpeg-dev libicu-dev libxcb1-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  timgm6mb-soundfont fonts-dejavu-core
  ffmpeg sox dvdauthor
  xvfb xauth dbus x11-utils
)

install_missing() {
  local missing=() p
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  ((${#missing[@]})) || return 0
  local sudo=()
  [ "$(id -u)" = 0 ] || sudo=(sudo)
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# $1: ON to treat warnings as errors (the test suite), "keep" to keep what the build folder has.
build() {
  local options=()
  if [ "$1" = keep ]; then
    [ -f build/CMakeCache.txt ] || options=(-DVISTREL_WERROR=OFF)
  else
    options=(-DVISTREL_WERROR="$1")
  fi
  cmake -S . -B build -G Ninja "${options[@]}" >/dev/null
  cmake --build build -j2
}

case "${1:-}" in
  run)
    install_missing
    build keep
    shift
    medium=("$@")
    ((${#medium[@]})) || medium=(build/media/dvd)
    exec build/bin/vistrel "${medium[@]}"
    ;;
  test)
    install_missing
    build ON
    # A private X display and D-Bus session, and no sound device: the suite needs nothing of the
    # machine it runs on. Playback tests wait on real time; one that a busy machine starved is run
    # once more before it counts as failed.
    export SDL_AUDIODRIVER=dummy
    exec dbus-run-session -- xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
      ctest --test-dir build --output-on-failure -j2 --timeout 600 --repeat until-pass:2
    ;;
  *)
    echo "usage: tools/build.sh run [MEDIUM] | test" >&2
    exit 2
    ;;
esac
