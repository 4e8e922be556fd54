#!/usr/bin/env bash
# Set-up, build, run and test Vistrel on a Debian 12 machine.
#   tools/build.sh run [MEDIUM]   install what is missing, build, make the demo disc, start the player
#   tools/build.sh test           install what is missing, build, run the whole test suite, then
#                                 every fuzz target 20 s (tools/fuzz.sh 20, clang build in build-fuzz/),
#                                 then the sanitizer suites (as `sanitize`)
#   tools/build.sh suite          the whole test suite alone, in build/ as built
#   tools/build.sh sanitize       the whole suite under AddressSanitizer + UndefinedBehaviorSanitizer
#                                 (build-asan/), the threaded suites under ThreadSanitizer (build-tsan/)
#   tools/build.sh package        install what is missing, build the Debian package into build-package/
# Packages are installed with apt-get only when missing (through sudo when not root).
set -euo pipefail
cd "$(dirname "$0")/.."
# Paths inside the checkout are hashed relative to it, so every clone shares the compiler cache.
export CCACHE_BASEDIR="$PWD"

PACKAGES=(
  g++ cmake ninja-build pkg-config ccache clang libclang-rt-14-dev
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libqt6dbus6 qt6-translations-l10n libqt6opengl6-dev
  libgl1-mesa-dri mesa-utils
  libavformat-dev libavcodec-dev libavutil-dev libswscale-dev libswresample-dev
  curl nasm libdav1d-dev libva-dev zlib1g-dev libbz2-dev liblzma-dev
  libdvdnav-dev libdvdread-dev libcdio-dev libcdio-paranoia-dev
  libsdl2-dev libfluidsynth-dev libgsf-1-dev libjpeg-dev libicu-dev libxcb1-dev libfontconfig-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  timgm6mb-soundfont fonts-dejavu-core
  ffmpeg sox dvdauthor genisoimage
  xvfb xauth dbus x11-utils
  desktop-file-utils appstream dpkg-dev file
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
  local prefix
  prefix=$(own_ffmpeg)
  cmake -S . -B build -G Ninja "${options[@]}" "$prefix" $(launcher) >/dev/null
  cmake --build build -j2
}

# The player's own FFmpeg, built once into build-ffmpeg/ and shared by every build folder, as the
# CMake option that points a folder at it (the system's FFmpeg when it cannot be built).
own_ffmpeg() {
  tools/ffmpeg/make-ffmpeg.sh --cmake-option build-ffmpeg
}

# The compiler launcher options when ccache is there: the sanitizer and fuzz builds reuse its cache.
launcher() {
  command -v ccache >/dev/null || return 0
  echo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache
}

# The whole suite in build/ on a private X display and D-Bus session, without a sound device: it
# needs nothing of the machine it runs on. Playback tests wait on real time; one that a busy machine
# starved is run once more before it counts as failed.
suite() {
  SDL_AUDIODRIVER=dummy dbus-run-session -- xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
    ctest --test-dir build --output-on-failure -j2 --timeout 600 --repeat until-pass:2
}

# The suites that run threads of their own: the DVD, media and CD platforms, the shaped button's
# rotation timer and the engine's playing components.
THREADED='^(platform_(dvd|media|cdaudio)_.*|controls_button|engine_(videowindow_playback|dvd_graph_test|media_player_test))$'

# $1: build folder, $2: VISTREL_SANITIZE value, $3: ctest regex (empty: everything). Every report of a
# sanitizer goes to a file in $1/reports; any such file fails the run, whatever the tests said.
# ThreadSanitizer checks the accesses of our own code only (ignore_noninstrumented_modules): Qt,
# FFmpeg, libdbus and Mesa are not built with it, so their futex locks, atomics and reference counts
# are invisible to it and every hand-over through them would read as a race. Our threads hand work
# to the UI thread through our own mutexes and platform::UiWakeUp, which it does see.
sanitized_suite() {
  local dir=$1 kind=$2 tests=$3 supp=$PWD/tools/sanitizers prefix
  prefix=$(own_ffmpeg)
  # Warnings are the plain build's business: instrumented code makes GCC see false array bounds.
  cmake -S . -B "$dir" -G Ninja -DVISTREL_WERROR=OFF -DVISTREL_SANITIZE="$kind" -DVISTREL_BENCH=OFF \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo "$prefix" $(launcher) >/dev/null
  if [ -n "$tests" ]; then
    local targets
    targets=$(ctest --test-dir "$dir" -N -R "$tests" | sed -n 's/^ *Test *#[0-9]*: //p')
    cmake --build "$dir" -j2 --target vistrel test_media $targets
  else
    cmake --build "$dir" -j2
  fi
  rm -rf "$dir/reports"; mkdir -p "$dir/reports"
  local common="log_path=$PWD/$dir/reports/report:print_suppressions=0"
  local status=0
  SDL_AUDIODRIVER=dummy \
  ASAN_OPTIONS="$common:detect_leaks=1" \
  LSAN_OPTIONS="suppressions=$supp/lsan.supp:print_suppressions=0" \
  UBSAN_OPTIONS="$common:print_stacktrace=1:halt_on_error=1:suppressions=$supp/ubsan.supp" \
  TSAN_OPTIONS="$common:halt_on_error=0:second_deadlock_stack=1:ignore_noninstrumented_modules=1:suppressions=$supp/tsan.supp" \
    dbus-run-session -- xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
    ctest --test-dir "$dir" --output-on-failure -j2 --timeout 1200 --repeat until-pass:2 \
          ${tests:+-R "$tests"} || status=$?
  if compgen -G "$dir/reports/report*" >/dev/null; then
    echo "Sanitizer reports in $dir/reports:" >&2
    cat "$dir"/reports/report* >&2
    status=1
  fi
  return "$status"
}

# The whole suite under AddressSanitizer + UndefinedBehaviorSanitizer, the threaded suites under
# ThreadSanitizer; both are run to their end before a failure of either is told.
sanitize() {
  local status=0
  sanitized_suite build-asan address "" || status=1
  sanitized_suite build-tsan thread "$THREADED" || status=1
  return "$status"
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
    suite
    # Then every fuzz target from its seeds, and the sanitizer suites.
    tools/fuzz.sh 20
    sanitize
    ;;
  suite)
    suite
    ;;
  sanitize)
    install_missing
    sanitize
    ;;
  package)
    install_missing
    # A build folder of its own, installed under /usr, without tests or benchmarks; built as Debian
    # builds its packages (-O2 -g), the debugging symbols stripped from the packaged programs.
    # Debian's hardening flags (stack protector, fortified functions, read-only relocations, bind now).
    eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
    flags=(-DCMAKE_C_FLAGS="$CPPFLAGS $CFLAGS" -DCMAKE_CXX_FLAGS="$CPPFLAGS $CXXFLAGS"
           -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS")
    launcher=()
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
    prefix=$(own_ffmpeg)
    cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
      -DVISTREL_TESTS=OFF -DVISTREL_BENCH=OFF "$prefix" "${flags[@]}" "${launcher[@]}" >/dev/null
    cmake --build build-package -j2
    rm -f build-package/vistrel_*.deb
    (cd build-package && cpack -G DEB)
    ls build-package/vistrel_*.deb
    ;;
  *)
    echo "usage: tools/build.sh run [MEDIUM] | test | suite | sanitize | package" >&2
    exit 2
    ;;
esac
