#!/bin/bash
# Where the player's resident memory goes. Starts the program (BUILD_DIR/bin/vistrel) on a medium,
# by default the generated DVD, under its own Xvfb with SDL's dummy sound driver, samples
# /proc/PID/smaps every half second for SECONDS and prints the sample with the most resident memory:
# totals per kind of mapping (shared libraries, Qt plugins, heap, thread stacks, other anonymous
# memory, data files such as fonts) and the largest libraries. Figures only; nothing is asserted.
#
#   bench/memory-map.sh [BUILD_DIR] [MEDIUM]     (defaults: build, BUILD_DIR/media/dvd)
#   SECONDS_TO_RUN=8 TOP=40 bench/memory-map.sh
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
medium=${2:-$build/media/dvd}
run=${SECONDS_TO_RUN:-5}
top=${TOP:-25}

if [ -z "${VISTREL_MEMORY_MAP_INNER:-}" ]; then
  export VISTREL_MEMORY_MAP_INNER=1 SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" "$build" "$medium"
fi

work=$(mktemp -d /tmp/vistrel-memory.XXXXXX)
settings=$build/bin/config.dat
made_settings=
# Without settings the program opens on its first-start questions: name the medium's drive.
if [ ! -e "$settings" ]; then
  printf '%s\r\n' "$medium" > "$settings.part" && mv "$settings.part" "$settings" && made_settings=1
fi
"$build/bin/vistrel" "$medium" > /dev/null 2> "$work/stderr" &
pid=$!
cleanup() {
  kill "$pid" 2> /dev/null || true
  wait "$pid" 2> /dev/null || true
  [ -z "$made_settings" ] || rm -f "$settings"
  rm -rf "$work"
}
trap cleanup EXIT

best=0
for _ in $(seq 1 $((run * 2))); do
  sleep 0.5
  cp "/proc/$pid/smaps" "$work/smaps" 2> /dev/null || break
  total=$(awk '/^Rss:/ { t += $2 } END { print t + 0 }' "$work/smaps")
  if [ "$total" -gt "$best" ]; then
    best=$total
    cp "$work/smaps" "$work/peak"
    grep -E '^(VmHWM|Threads):' "/proc/$pid/status" > "$work/status" || true
  fi
done
[ -s "$work/peak" ] || { echo "the program ended early:"; cat "$work/stderr"; exit 1; }

echo "$(basename "$medium"): resident memory at its largest sample, by mapping (kB)"
tr -s '\t ' ' ' < "$work/status" | sed 's/^/  /'
awk -v top="$top" '
  /^[0-9a-f]+-[0-9a-f]+ / { name = (NF >= 6 ? $6 : ""); next }
  /^Size:/ { size = $2; next }
  /^Rss:/ {
    rss = $2
    if (rss == 0) next
    if (name ~ /\/qt6\/plugins\//) kind = "Qt plugins"
    else if (name ~ /\.so/) { kind = "shared libraries"; lib[name] += rss; libs++ }
    else if (name == "[heap]") kind = "heap (main arena)"
    else if (name == "[stack]") kind = "main thread stack"
    else if (name == "" && size == 8192) kind = "thread stacks"
    else if (name == "") kind = "anonymous (thread arenas, large allocations, library bss)"
    else if (name ~ /^\/memfd:|^\/SYSV|^\/dev\/shm/) kind = "shared with the X server"
    else kind = "data files (fonts, locale, translations, caches)"
    sum[kind] += rss; total += rss
  }
  END {
    for (k in sum) printf "  %8d  %s\n", sum[k], k | "sort -rn"
    close("sort -rn")
    printf "  %8d  total\n  largest libraries:\n", total
    for (l in lib) { n = l; sub(/.*\//, "", n); printf "  %8d  %s\n", lib[l], n | "sort -rn | head -" top }
  }' "$work/peak"
