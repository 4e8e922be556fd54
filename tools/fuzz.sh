#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (build-fuzz/) and runs each one in turn.
#   tools/fuzz.sh [SECONDS]   run every target SECONDS seconds (default 60), starting from its seeds
#                             in tests/fuzz/corpus/NAME/, the inputs that once made it fail in
#                             tests/fuzz/regressions/NAME/ and the inputs earlier runs kept in
#                             build-fuzz/corpus/NAME/; fails when any target finds a crash, a leak
#                             or a hang (the input is kept in build-fuzz/crashes/)
#   tools/fuzz.sh seeds       make the seed corpora again from the generated media (build/media)
set -euo pipefail
cd "$(dirname "$0")/.."
out=build-fuzz

configure() {
  local launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
  # The same FFmpeg as the program's (tools/build.sh).
  local ffmpeg
  ffmpeg=$(tools/ffmpeg/make-ffmpeg.sh --cmake-option build-ffmpeg)
  CC=clang CXX=clang++ cmake -S . -B "$out" -G Ninja -DVISTREL_FUZZ=ON -DVISTREL_WERROR=ON \
    -DVISTREL_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo "$ffmpeg" "${launcher[@]}" >/dev/null
  cmake --build "$out" -j2 --target fuzzers
}

le32() { local v=$1; printf "\\x$(printf %02x $((v & 255)))\\x$(printf %02x $((v >> 8 & 255)))\\x$(printf %02x $((v >> 16 & 255)))\\x$(printf %02x $((v >> 24 & 255)))"; }

# An elementary stream as EsAssemblerFuzz reads it: codec byte, then 512-byte fragments.
es_seed() {
  local codec=$1 stream=$2 seed=$3 size offset=0
  size=$(stat -c %s "$stream")
  {
    printf "\\x$(printf %02x "$codec")"
    while ((offset < size)); do
      printf '\x20\x01'
      tail -c +$((offset + 1)) "$stream" | head -c 512
      offset=$((offset + 512))
    done
  } > "$seed"
}

seeds() {
  local media=${VISTREL_MEDIA:-build/media} c=tests/fuzz/corpus
  [ -d "$media/dvd" ] || { echo "no generated media in $media (build the test_media target)" >&2; exit 1; }
  work=$(mktemp -d)  # global: the exit trap removes it
  trap 'rm -rf "$work"' EXIT
  rm -rf "$c"
  mkdir -p "$c"/{fuzz_region_string,fuzz_bookmark,fuzz_ps_demux,fuzz_es_assembler,fuzz_disc_toc,fuzz_cue_sheet,fuzz_skin_record,fuzz_config}
  local vob=$media/dvd/VIDEO_TS/VTS_01_1.VOB n
  # Packs of every kind the disc holds: navigation, video, sound and sub-picture.
  for n in 0 1 2 3 20 40 80 160 320 400; do
    dd if="$vob" of="$c/fuzz_ps_demux/pack-$n" bs=2048 skip=$n count=1 status=none
  done
  local ff=(ffmpeg -nostdin -hide_banner -loglevel error -y)
  "${ff[@]}" -i "$vob" -map 0:v:0 -c copy -f mpeg2video -fs 3000 "$work/video.m2v"
  "${ff[@]}" -i "$vob" -map 0:a:0 -c copy -f ac3 -fs 2000 "$work/sound.ac3"
  head -c 2000 "$media/files/tone660.mp2" > "$work/sound.mp2"
  es_seed 0 "$work/video.m2v" "$c/fuzz_es_assembler/mpeg2"
  es_seed 1 "$work/sound.ac3" "$c/fuzz_es_assembler/ac3"
  es_seed 2 "$work/sound.mp2" "$c/fuzz_es_assembler/mp2"
  # The generated CD's table: three audio tracks of 375 sectors; the mixed disc's data track first.
  { printf '\x03'; for t in 0 1 2; do printf "\\x0$((t + 1))"; le32 $((t * 375)); le32 375; printf '\x01'; done
    printf '\x02'; le32 100; le32 30000; le32 $((0x0A)); } > "$c/fuzz_disc_toc/disc"
  { printf '\x02'; printf '\x01'; le32 0; le32 150; printf '\x00'; printf '\x02'; le32 150; le32 375; printf '\x01'
    printf '\x02'; le32 200; le32 999; } > "$c/fuzz_disc_toc/mixed"
  sed 's/"[^"]*"/"disc.bin"/' "$media/cd/disc.cue" > "$c/fuzz_cue_sheet/disc.cue"
  sed 's/"[^"]*"/"disc.bin"/' "$media/cd/mixed.cue" > "$c/fuzz_cue_sheet/mixed.cue"
  # A region of two rectangles, as bytes and as the button's text form.
  { le32 32; le32 1; le32 2; le32 32; le32 0; le32 0; le32 20; le32 20
    le32 0; le32 0; le32 10; le32 10; le32 10; le32 10; le32 20; le32 20; } > "$c/fuzz_region_string/two-rects"
  printf ' !\x80 !\x80 !\x80\x01!\x80 !\x80 !\x80\x02!\x80 !\x80 !\x80' > "$c/fuzz_region_string/text"
  # config.dat as the drive chooser writes it, as older versions wrote it, and in UTF-8.
  printf '/dev/sr0\r\n' > "$c/fuzz_config/device"
  printf 'D:\\vid\xe9os\\film.iso\r\nsecond line\r\n' > "$c/fuzz_config/windows-1252"
  printf '/media/\xe6\x98\xa0\xe7\x94\xbb/disc.cue\r\n' > "$c/fuzz_config/utf-8"
  configure
  VISTREL_FUZZ_SEED="$c/fuzz_bookmark" "$out/fuzz/fuzz_bookmark"
  VISTREL_FUZZ_SEED="$c/fuzz_skin_record" "$out/fuzz/fuzz_skin_record"
  du -sh "$c"
}

run() {
  local seconds=$1 failed=() target name
  configure
  mkdir -p "$out/crashes"
  for target in "$out"/fuzz/*; do
    name=$(basename "$target")
    mkdir -p "$out/corpus/$name"
    local inputs=() dir
    for dir in tests/fuzz/corpus/$name tests/fuzz/regressions/$name; do
      [ -d "$dir" ] && inputs+=("$dir")
    done
    echo "== $name (${seconds}s)"
    if ! ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
        LSAN_OPTIONS="suppressions=$PWD/tools/sanitizers/lsan.supp:print_suppressions=0" \
        "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
          -artifact_prefix="$out/crashes/$name-" "$out/corpus/$name" "${inputs[@]}" \
          >"$out/$name.log" 2>&1; then
      failed+=("$name")
      tail -n 60 "$out/$name.log"
    fi
    # Executions, executions per second and coverage, from libFuzzer's closing figures.
    grep -E '^stat::(number_of_executed_units|average_exec_per_sec|new_units_added|peak_rss_mb)' "$out/$name.log" \
      | tr '\n' ' '; echo
  done
  if ((${#failed[@]})); then
    echo "fuzzing found faults in: ${failed[*]} (inputs in $out/crashes/)" >&2
    exit 1
  fi
}

case "${1:-60}" in
  seeds) seeds ;;
  *[!0-9]*) echo "usage: tools/fuzz.sh [SECONDS] | seeds" >&2; exit 2 ;;
  *) run "${1:-60}" ;;
esac
