#!/bin/bash
# Vistrel against mpv, VLC and ffplay on the same generated media, under one Xvfb, one player after
# another in one run. Prints per player and medium: CPU-seconds per second of playback over a fixed
# window, program start to first picture on screen (the screen is polled), peak resident memory of
# the player process, and seek to the new picture on screen; then Vistrel's ratio to the best peer
# on each line (below 1.00: Vistrel does better). Figures only: nothing is asserted, CI never runs it.
#
#   bench/compare-players.sh [BUILD_DIR]      (default: build)
#   WINDOW=20 WARM=3 bench/compare-players.sh  seconds measured / seconds let run before measuring
#   PLAYERS="vistrel mpv" bench/compare-players.sh  some of the players only
#   ONLY=DVD bench/compare-players.sh        the lines whose label matches a pattern only
#
# Peers are installed from Debian when missing (root or sudo needed). VLC refuses to run as root,
# so as root it runs as the user "vistrel-bench", made when missing. Every player gets a window of
# about 640 x 480 and the CPU path of the X server (no GPU under Xvfb): mpv --vo=x11, VLC's xcb
# output, ffplay's SDL renderer in software.
set -euo pipefail
# Vistrel's seek goes through its remote control on the session bus.
[ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || exec dbus-run-session -- "$0" "$@"

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
window=${WINDOW:-20}
warm=${WARM:-3}
media=$build/bench-media
work=$(mktemp -d /tmp/vistrel-compare.XXXXXX)
chmod 1777 "$work"  # VLC's control socket, made as another user
vlc_user=vistrel-bench
declare -a started=()

cleanup() {
  if [ -n "${made_config:-}" ]; then rm -f "$made_config"; fi
  for pid in "${started[@]}"; do kill -9 "$pid" 2>/dev/null || true; done
  if [ -n "${xvfb_pid:-}" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

# --- peers and tools ------------------------------------------------------------------------------
missing=()
command -v mpv >/dev/null || missing+=(mpv)
command -v vlc >/dev/null || missing+=(vlc vlc-plugin-base vlc-plugin-video-output)
command -v ffplay >/dev/null || missing+=(ffmpeg)
command -v xdotool >/dev/null || missing+=(xdotool)
command -v Xvfb >/dev/null || missing+=(xvfb)
command -v dbus-run-session >/dev/null || missing+=(dbus)
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing ${missing[*]}" >&2
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}" >&2
fi
if [ "$(id -u)" = 0 ] && ! id "$vlc_user" >/dev/null 2>&1; then
  useradd --system --create-home "$vlc_user"
fi
cc -O2 -o "$work/screen-watch" "$here/screen-watch.c" -lXext -lX11

# --- media: a test pattern with a box of one colour in its middle, another colour from 20 s on -----
colour_a=20C040   # the box until 20 s: first picture
colour_b=C02080   # the box from 20 s: the picture after a seek
length=$((30 + warm + window + 5))
mkdir -p "$media"
make_file() {  # name size encoder-options...
  local name=${1/./-${length}s.} size=$2
  shift 2
  [ -s "$media/$name" ] && return
  ffmpeg -hide_banner -loglevel error -y \
    -f lavfi -i "testsrc2=s=$size:r=25:d=$length" -f lavfi -i "sine=f=440:r=48000:d=$length" \
    -vf "drawbox=x=iw/4:y=ih/4:w=iw/2:h=ih/2:t=fill:color=0x$colour_a:enable='lt(t,20)',drawbox=x=iw/4:y=ih/4:w=iw/2:h=ih/2:t=fill:color=0x$colour_b:enable='gte(t,20)'" \
    -ac 2 "$@" "$media/$name.part" && mv "$media/$name.part" "$media/$name"
}
wanted() { [[ "$1" =~ ${ONLY:-.} ]]; }
wanted "SD MPEG-2" && make_file sd-mpeg2.mpg 720x576 -c:v mpeg2video -b:v 6M -maxrate 8M -bufsize 1835k -g 15 -aspect 4:3 \
  -c:a mp2 -b:a 192k -f vob
wanted "SD H.264" && make_file sd-h264.mp4 720x576 -c:v libx264 -preset fast -b:v 2M -g 50 -aspect 4:3 -c:a aac -f mp4
wanted "720p H.264" && make_file hd720-h264.mp4 1280x720 -c:v libx264 -preset fast -b:v 4M -g 50 -c:a aac -f mp4
wanted "1080p H.264" && make_file hd1080-h264.mp4 1920x1080 -c:v libx264 -preset fast -b:v 8M -g 50 -c:a aac -f mp4
dvd=$build/media/dvd
dvd_colour=102060  # the title menu's background
chmod -R a+rX "$media" "$dvd" 2>/dev/null || true

# Without settings the program opens on its first-start questions: for the run it gets settings
# naming the generated DVD as its default drive, removed at the end.
if [ ! -e "$build/bin/config.dat" ]; then
  printf '%s\r\n' "$dvd" >"$build/bin/config.dat.part" && mv "$build/bin/config.dat.part" "$build/bin/config.dat"
  made_config=$build/bin/config.dat
fi

# --- one X server for every player --------------------------------------------------------------
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp -ac -br >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
for _ in $(seq 50); do "$work/screen-watch" 000000 0 0 >/dev/null 2>&1 && break; sleep 0.1; done
export SDL_AUDIODRIVER=dummy

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null || echo 0; }
peak_kib() { awk '/VmHWM/ {print $2}' "/proc/$1/status" 2>/dev/null || echo 0; }

# The command line of a player for a medium ("dvd" for the generated DVD); empty when it cannot.
player_command() {
  local player=$1 medium=$2
  case $player in
  vistrel)
    [ "$medium" = dvd ] && medium=$dvd
    echo "$build/bin/vistrel $medium" ;;
  mpv)
    [ "$medium" = dvd ] && medium="dvd:// --dvd-device=$dvd"
    echo "mpv --no-config --vo=x11 --ao=null --geometry=640x480 --keep-open=yes --input-ipc-server=$work/mpv.sock $medium" ;;
  vlc)
    [ "$medium" = dvd ] && medium="dvd://$dvd"
    local prefix=""
    [ "$(id -u)" = 0 ] && prefix="setpriv --reuid=$vlc_user --regid=$vlc_user --init-groups env HOME=/tmp"
    echo "$prefix vlc -I dummy --extraintf oldrc --rc-unix=$work/vlc.sock --rc-fake-tty --vout=xcb_x11 --aout=dummy --no-video-title-show --width=640 --height=480 --no-qt-privacy-ask $medium" ;;
  ffplay)
    [ "$medium" = dvd ] && return
    echo "ffplay -loglevel quiet -x 640 -y 480 $medium" ;;
  esac
}

# Jumps playback forward to 30 s (into the second colour).
seek_player() {
  local player=$1 pid=$2
  case $player in
  vistrel)
    dbus-send --session --type=method_call --dest=org.mpris.MediaPlayer2.vistrel /org/mpris/MediaPlayer2 \
      org.mpris.MediaPlayer2.Player.SetPosition objpath:/org/mpris/MediaPlayer2/TrackList/NoTrack int64:30000000 ;;
  mpv)
    python3 -c "import socket,sys; s=socket.socket(socket.AF_UNIX); s.connect(sys.argv[1]); s.send(b'{\"command\":[\"seek\",30,\"absolute\"]}\n')" "$work/mpv.sock" ;;
  vlc)
    python3 -c "import socket,sys; s=socket.socket(socket.AF_UNIX); s.connect(sys.argv[1]); s.send(b'seek 30\n')" "$work/vlc.sock" ;;
  ffplay)
    # A right click seeks to that fraction of the file: half of it is past 20 s.
    local win
    win=$(xdotool search --pid "$pid" 2>/dev/null | tail -1)
    [ -n "$win" ] || return 1
    eval "$(xdotool getwindowgeometry --shell "$win")"
    xdotool mousemove --window "$win" $((WIDTH / 2)) $((HEIGHT / 2)) click 3 ;;
  esac
}

declare -A result
measure() {
  local player=$1 label=$2 medium=$3 colour=$4
  local cmd
  cmd=$(player_command "$player" "$medium") || true
  [ -n "$cmd" ] || return 0
  # The menu's dark blue fills most of the picture; asking for a third of a 640 x 480 picture
  # keeps a start-up window of a similar blue (Vistrel's splash) from counting as the menu.
  local enough=1500
  [ "$medium" = dvd ] && enough=6000
  # shellcheck disable=SC2086  # the command line is split on purpose
  read -r pid first < <("$work/screen-watch" "$colour" "$enough" 15000 -- $cmd)
  started+=("$pid")
  if [ "$first" = -1 ]; then
    result[$player,$label]="no picture seen"
    kill -9 "$pid" 2>/dev/null || true
    return 0
  fi
  # setpriv and env exec in place, so the pid is the player's own. Shortly after the first
  # picture (first colour), a jump to 30 s must bring the second colour on screen.
  local seek="-" watch
  if [ "$medium" != dvd ]; then
    sleep 0.5
    "$work/screen-watch" "$colour_b" 1500 10000 >"$work/seek" &
    watch=$!
    sleep 0.05
    seek_player "$player" "$pid" >/dev/null 2>&1 || true
    wait "$watch" || true
    seek=$(cat "$work/seek")
    [ "$seek" = -1 ] && seek="-"
  fi
  sleep "$warm"
  local t0 t1 cpu
  t0=$(cpu_ticks "$pid")
  sleep "$window"
  t1=$(cpu_ticks "$pid")
  cpu=$(echo "scale=4; ($t1 - $t0) / $(getconf CLK_TCK) / $window" | bc)
  local peak
  peak=$(peak_kib "$pid")
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  result[$player,$label]=$(printf "%6.3f %7s %7.1f %7s" "$cpu" "$first" "$(echo "$peak / 1024" | bc -l)" "$seek")
  sleep 1
}

read -r -a players <<<"${PLAYERS:-vistrel mpv vlc ffplay}"
labels=("SD MPEG-2" "SD H.264" "720p H.264" "1080p H.264" "DVD menu")
files=("$media/sd-mpeg2-${length}s.mpg" "$media/sd-h264-${length}s.mp4" "$media/hd720-h264-${length}s.mp4"
  "$media/hd1080-h264-${length}s.mp4" dvd)
colours=("$colour_a" "$colour_a" "$colour_a" "$colour_a" "$dvd_colour")

# ONLY: a pattern of the lines to measure (e.g. ONLY=DVD), by default every line.
for i in "${!labels[@]}"; do
  wanted "${labels[$i]}" || unset "labels[$i]"
done

run_all() {
  for i in "${!labels[@]}"; do
    for player in "${players[@]}"; do
      measure "$player" "${labels[$i]}" "${files[$i]}" "${colours[$i]}"
    done
  done
}
run_all

echo "Players side by side under Xvfb, CPU output path, window about 640 x 480; ${window} s measured after ${warm} s"
echo "columns: CPU-s per playback s | start to first picture on screen (ms) | peak resident MiB | seek to new picture (ms)"
for i in "${!labels[@]}"; do
  label=${labels[$i]}
  echo "$label"
  for player in "${players[@]}"; do
    printf "  %-8s %s\n" "$player" "${result[$player,$label]:-not played}"
  done
  # Vistrel's ratio to the best peer, column by column (lower is better in each).
  own=${result[vistrel,$label]:-}
  [ -n "$own" ] || continue
  ratios=""
  for column in 1 2 3 4; do
    mine=$(echo "$own" | awk -v c=$column '{print $c}')
    best=""
    for player in mpv vlc ffplay; do
      value=$(echo "${result[$player,$label]:-}" | awk -v c=$column '{print $c}')
      [[ "$value" =~ ^[0-9.]+$ ]] || continue
      if [ -z "$best" ] || [ "$(echo "$value < $best" | bc -l)" = 1 ]; then best=$value; fi
    done
    if [[ "$mine" =~ ^[0-9.]+$ ]] && [ -n "$best" ] && [ "$(echo "$best > 0" | bc -l)" = 1 ]; then
      ratios+=$(printf " %6.2f" "$(echo "$mine / $best" | bc -l)")
    else
      ratios+="      -"
    fi
  done
  echo "  ratio to best peer:${ratios}"
done
