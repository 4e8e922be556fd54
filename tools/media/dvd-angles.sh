#!/usr/bin/env bash
# Turns consecutive cells of an authored DVD title into an angle block, which the authoring tool
# cannot make itself. Patches the information file and its backup copy alike:
#   dvd-angles.sh VIDEO_TS TITLE ANGLES VTS PGC FIRST_CELL [FIRST_CELL...]
# marks, in program chain PGC of title set VTS, each run of ANGLES cells from every FIRST_CELL on as
# one angle block (angle 1 first), subtracts the other angles' cells from the chain's playing time
# and gives the disc's title TITLE that many angles. Cells and titles are numbered from 1.
# The navigation pack of each unit of an angle cell then points, for every other angle, at the next
# unit of that angle's cell (a non-seamless angle change), so that a player changes angle at the
# unit after next rather than at the next block. The title's first VOB must hold the whole title.
# Only plain shell tools: the build machine may have nothing else.
set -euo pipefail
dir=${1:?usage: dvd-angles.sh VIDEO_TS TITLE ANGLES VTS PGC FIRST_CELL...}
title=$2 angles=$3 vts=$4 pgc=$5
shift 5
(($# > 0 && angles >= 2 && angles <= 9)) || { echo "dvd-angles.sh: bad arguments" >&2; exit 1; }

# Big-endian unsigned number of $3 bytes at byte $2 of file $1.
get() {
  local v=0 b
  for b in $(od -An -tu1 -j "$2" -N "$3" "$1"); do v=$((v * 256 + b)); done
  echo "$v"
}
# Writes the byte values $3... at byte $2 of file $1, in place.
put() {
  local file=$1 at=$2 bytes=""
  shift 2
  local b
  for b in "$@"; do bytes+=$(printf '\\x%02x' "$b"); done
  printf "$bytes" | dd of="$file" bs=1 seek="$at" conv=notrunc status=none
}
# A playing time (four BCD bytes: hours, minutes, seconds, frames with the rate in the top two bits)
# in frames, and back.
bcd() { echo $(( ($1 >> 4) * 10 + ($1 & 15) )); }
tobcd() { echo $(( ($1 / 10) << 4 | ($1 % 10) )); }
frames_of() {
  local f=$1 at=$2 rate=25
  local t=($(od -An -tu1 -j "$at" -N 4 "$f"))
  (( (t[3] >> 6) == 3 )) && rate=30
  echo $(( (($(bcd ${t[0]}) * 60 + $(bcd ${t[1]})) * 60 + $(bcd ${t[2]})) * rate + $(bcd $((t[3] & 63))) ))
}
put_time() {
  local f=$1 at=$2 frames=$3 flags
  flags=$(( $(get "$f" $((at + 3)) 1) & 0xC0 ))
  local rate=25
  (( flags == 0xC0 )) && rate=30
  local ff=$((frames % rate)) s=$((frames / rate))
  put "$f" "$at" "$(tobcd $((s / 3600)))" "$(tobcd $((s / 60 % 60)))" "$(tobcd $((s % 60)))" \
      $(( flags | $(tobcd "$ff") ))
}

patch_vmg() {
  local f=$1
  local srpt=$(( $(get "$f" 0xC4 4) * 2048 ))
  (( title >= 1 && title <= $(get "$f" "$srpt" 2) )) || { echo "dvd-angles.sh: no title $title" >&2; exit 1; }
  # Title entries of 12 bytes after an 8-byte header; the angle count is the second byte.
  put "$f" $((srpt + 8 + (title - 1) * 12 + 1)) "$angles"
}

patch_vts() {
  local f=$1 first
  shift
  local pgcit=$(( $(get "$f" 0xCC 4) * 2048 ))
  (( pgc >= 1 && pgc <= $(get "$f" "$pgcit" 2) )) || { echo "dvd-angles.sh: no chain $pgc" >&2; exit 1; }
  local p=$(( pgcit + $(get "$f" $((pgcit + 8 + (pgc - 1) * 8 + 4)) 4) ))
  local cells=$(get "$f" $((p + 3)) 1) cellpb=$(( p + $(get "$f" $((p + 0xE8)) 2) ))
  local total=$(frames_of "$f" $((p + 4)))
  for first in "$@"; do
    (( first >= 1 && first + angles - 1 <= cells )) || { echo "dvd-angles.sh: no cells $first+$angles" >&2; exit 1; }
    local a entry mode
    for ((a = 0; a < angles; a++)); do
      entry=$((cellpb + (first - 1 + a) * 24))
      mode=2                                       # block mode: 1 first, 2 inside, 3 last cell
      ((a == 0)) && mode=1
      ((a == angles - 1)) && mode=3
      # Block mode in bits 7-6, block type 1 (angle block) in bits 5-4, interleaved (bit 2); the
      # other flags kept.
      put "$f" "$entry" $(( mode << 6 | 1 << 4 | 4 | ($(get "$f" "$entry" 1) & 15) ))
      ((a > 0)) && total=$(( total - $(frames_of "$f" $((entry + 4))) ))
    done
  done
  put_time "$f" $((p + 4)) "$total"
}

# In each navigation pack of an angle cell, the non-seamless angle destinations: for angle b, the
# distance in sectors (bit 31 set when backwards) from this unit to the next unit of angle b's cell.
patch_vob() {
  local f=$1 vob=$2 first
  shift 2
  local pgcit=$(( $(get "$f" 0xCC 4) * 2048 ))
  local p=$(( pgcit + $(get "$f" $((pgcit + 8 + (pgc - 1) * 8 + 4)) 4) ))
  local cellpb=$(( p + $(get "$f" $((p + 0xE8)) 2) ))
  # Every unit's first sector, from the title set's unit address map.
  local admap=$(( $(get "$f" 0xE4 4) * 2048 ))
  local units=($(od -An -tu4 --endian=big -j $((admap + 4)) -N $(( $(get "$f" "$admap" 4) - 3 )) "$f"))
  for first in "$@"; do
    local a b u cell=() start end
    for ((a = 0; a < angles; a++)); do        # the units of each angle's cell, space-separated
      start=$(get "$f" $((cellpb + (first - 1 + a) * 24 + 8)) 4)
      end=$(get "$f" $((cellpb + (first - 1 + a) * 24 + 20)) 4)
      cell[a]=""
      for u in "${units[@]}"; do ((u >= start && u <= end)) && cell[a]+="$u "; done
    done
    for ((a = 0; a < angles; a++)); do
      local mine=(${cell[a]}) i
      for ((i = 0; i < ${#mine[@]}; i++)); do
        local dsta=()
        for ((b = 0; b < angles; b++)); do
          local theirs=(${cell[b]}) d=0
          if ((b != a && i + 1 < ${#theirs[@]})); then
            d=$(( theirs[i + 1] - mine[i] ))
            ((d < 0)) && d=$(( (-d) | 0x80000000 ))
          fi
          dsta+=($((d >> 24 & 255)) $((d >> 16 & 255)) $((d >> 8 & 255)) $((d & 255)))
        done
        # The PCI packet's data begin at byte 0x2D of the pack; its angle table at 0x3C in them.
        put "$vob" $((mine[i] * 2048 + 0x2D + 0x3C)) "${dsta[@]}"
        # The DSI packet's data begin at 0x407; at 0x20 in them the unit's interleaving: each
        # unit is an interleaved unit of its own (bit 14) and that unit's last (bit 12), which
        # is where players look at the angle table; the interleaved unit ends where the unit ends.
        local ea=($(od -An -tu1 -j $((mine[i] * 2048 + 0x407 + 8)) -N 4 "$vob"))
        put "$vob" $((mine[i] * 2048 + 0x407 + 0x20)) 0x50 0x00 "${ea[@]}"
      done
    done
  done
}

vtsname=$(printf 'VTS_%02d' "$vts")
patch_vob "$dir/${vtsname}_0.IFO" "$dir/${vtsname}_1.VOB" "$@"
for ext in IFO BUP; do
  patch_vmg "$dir/VIDEO_TS.$ext"
  patch_vts "$dir/${vtsname}_0.$ext" "$@"
done
