#!/usr/bin/env bash
# Generates every medium the tests and the demo use, into the folder given as $1:
#   dvd/VIDEO_TS   a PAL DVD-Video with a title menu, a root menu, two titles, two audio languages
#                  and a subtitle stream
#   dvd-ntsc/VIDEO_TS  an NTSC DVD-Video: a menu with buttons low in the picture, a 4:3 title and a
#                  16:9 title
#   dvd-angle/VIDEO_TS  a DVD-Video whose first title has two angles
#   cd/disc.cue    a three-track audio CD image (CUE sheet + BIN)
#   files/         small media files of every kind the file chooser offers
#   damaged/       files, discs and images that must be refused or survived
#   output/        colour bars in the pixel formats and colour standards the video outputs draw
# The contents are described in tools/media/MEDIA.md; tests rely on them.
set -euo pipefail
out=${1:?usage: gen-media.sh OUTPUT_DIR}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"
out=$(cd "$out" && pwd)

ff() { ffmpeg -nostdin -hide_banner -loglevel error -y "$@"; }

# ---------------------------------------------------------------- files
make_files() {
  local d=$out/files
  rm -rf "$d"; mkdir -p "$d"
  ff -f lavfi -i "color=c=0xFF0000:s=320x240:r=25:d=6" -f lavfi -i "sine=f=1000:r=44100:d=6" \
     -ac 2 -c:v mpeg4 -q:v 3 -g 25 -c:a libmp3lame -b:a 96k "$d/red.avi"
  ff -f lavfi -i "color=c=0x00FF00:s=320x240:r=25:d=6" -f lavfi -i "sine=f=440:r=44100:d=6" \
     -ac 2 -c:v mpeg1video -q:v 3 -g 25 -c:a mp2 -b:a 128k -f mpeg "$d/green.mpg"
  ff -f lavfi -i "color=c=0x0000FF:s=352x288:r=25:d=5" -f lavfi -i "color=c=0xFFFF00:s=352x288:r=25:d=5" \
     -f lavfi -i "sine=f=660:r=44100:d=10" \
     -filter_complex "[0:v][1:v]concat=n=2:v=1:a=0[v]" -map "[v]" -map 2:a -ac 2 \
     -c:v mpeg2video -q:v 3 -g 25 -c:a mp2 -b:a 128k -f vob "$d/halves.mpeg"
  ff -f lavfi -i "testsrc2=s=720x576:r=25:d=10" -f lavfi -i "sine=f=440:r=48000:d=10" \
     -ac 2 -c:v mpeg2video -b:v 4M -g 15 -c:a mp2 -b:a 192k -f vob "$d/sd.mpg"
  ff -f lavfi -i "testsrc2=s=720x576:r=25:d=10" -c:v mpeg4 -q:v 3 -g 25 -an "$d/sd-mpeg4.avi"
  sox -n -r 44100 -c 2 -b 16 "$d/tone440.wav" synth 3 sine 440 vol 0.5
  ff -f lavfi -i "sine=f=660:r=44100:d=3" -ac 2 -c:a mp2 -b:a 128k "$d/tone660.mp2"
  ff -f lavfi -i "sine=f=880:r=44100:d=3" -ac 2 -c:a libmp3lame -b:a 128k "$d/tone880.mp3"
  make_midi "$d/melody.mid"
}

# A format-0 MIDI file: piano, four notes of half a second each at 120 beats a minute.
make_midi() {
  local track=""
  track+='\x00\xC0\x00'                                  # program change: acoustic grand piano
  for note in 45 49 4C 51; do                            # A4, C#5, E5, A5
    track+="\\x00\\x90\\x$note\\x64"                     # note on, velocity 100
    track+="\\x60\\x80\\x$note\\x40"                     # 96 ticks (half a second) later, note off
  done
  track+='\x00\xFF\x2F\x00'                              # end of track
  local body
  body=$(printf "$track" | wc -c)
  {
    printf 'MThd\x00\x00\x00\x06\x00\x00\x00\x01\x00\x60'  # format 0, one track, 96 ticks a beat
    printf 'MTrk'
    printf "\\x$(printf %02x $((body >> 24 & 255)))\\x$(printf %02x $((body >> 16 & 255)))"
    printf "\\x$(printf %02x $((body >> 8 & 255)))\\x$(printf %02x $((body & 255)))"
    printf "$track"
  } > "$1"
}

# Colour bars for comparing the video outputs: SD MPEG-2 (BT.601, 4:3 from non-square pixels),
# HD H.264 (BT.709), 10-bit 4:2:0 and NV12; one second each at a low frame rate.
make_output() {
  local d=$out/output
  rm -rf "$d"; mkdir -p "$d"
  ff -f lavfi -i "smptebars=s=720x576:r=10:d=1" -c:v mpeg2video -q:v 2 -g 10 -aspect 4:3 -an "$d/bars-sd.mpg"
  ff -f lavfi -i "smptehdbars=s=1280x720:r=10:d=1" -vf "scale=out_color_matrix=bt709:out_range=tv,format=yuv420p" \
     -colorspace bt709 -color_primaries bt709 -color_trc bt709 -c:v libx264 -preset ultrafast -crf 12 -an "$d/bars-hd.mp4"
  ff -f lavfi -i "smptebars=s=640x360:r=10:d=1" -vf "format=yuv420p10le" -c:v ffv1 -an "$d/bars-10bit.mkv"
  ff -f lavfi -i "smptebars=s=320x240:r=5:d=1" -vf "format=nv12" -c:v rawvideo -an "$d/bars-nv12.avi"
}

# ---------------------------------------------------------------- damaged
make_damaged() {
  local d=$out/damaged
  rm -rf "$d"; mkdir -p "$d"
  head -c 16384 "$out/files/green.mpg" > "$d/truncated.mpg"
  : > "$d/empty.mp3"
  printf 'Ceci est un simple fichier texte, pas une video.\n' > "$d/notmedia.avi"
  ff -f lavfi -i "anoisesrc=seed=7:d=1:r=16000" -f u8 "$d/garbage.wav"
  cp "$out/files/tone440.wav" "$d/liar.mp3"
  cp "$out/files/red.avi" "$d/corrupt.avi"
  local size
  size=$(stat -c %s "$d/corrupt.avi")
  ff -f lavfi -i "anoisesrc=seed=3:d=0.5:r=16000" -f u8 "$work/noise.bin"
  dd if="$work/noise.bin" of="$d/corrupt.avi" bs=1 seek=$((size / 2)) conv=notrunc status=none
  # An AVI whose index at the end is noise.
  cp "$out/files/red.avi" "$d/broken-index.avi"
  local index
  index=$(grep -obUa idx1 "$d/broken-index.avi" | tail -n 1 | cut -d: -f1)
  dd if="$work/noise.bin" of="$d/broken-index.avi" bs=1 seek=$((index + 8)) count=512 conv=notrunc status=none
  # Noise under the names of the kinds the chooser offers.
  local kind seed=11
  for kind in mp3 mpg mid avi; do
    ff -f lavfi -i "anoisesrc=seed=$seed:d=1:r=24000" -f u8 "$d/random.$kind"
    seed=$((seed + 1))
  done
  make_bad_midi "$d"
}

# MIDI files whose chunk lengths lie: a header claiming 4 GB less one, a track running past the end
# of the file, and a track of length zero followed by stray bytes.
make_bad_midi() {
  printf 'MThd\xff\xff\xff\xff\x00\x00\x00\x01\x00\x60MTrk\x00\x00\x00\x04\x00\xff\x2f\x00' > "$1/bad-header.mid"
  printf 'MThd\x00\x00\x00\x06\x00\x01\x00\x02\x00\x60MTrk\x7f\xff\xff\xf0\x00\x90\x45\x64' > "$1/bad-track.mid"
  printf 'MThd\x00\x00\x00\x06\x00\x00\x00\x01\x00\x60MTrk\x00\x00\x00\x00\x90\x45\x64\x60' > "$1/empty-track.mid"
}

# CD images whose BIN is missing or shorter than the sheet says.
make_damaged_cds() {
  local d=$out/damaged
  sed 's/"disc.bin"/"missing.bin"/' "$out/cd/disc.cue" > "$d/cd-nobin.cue"
  head -c $((2352 * 75)) "$out/cd/disc.bin" > "$d/cd-short.bin"
  sed 's/"disc.bin"/"cd-short.bin"/' "$out/cd/disc.cue" > "$d/cd-short.cue"
}

# ---------------------------------------------------------------- audio CD
make_cd() {
  local d=$out/cd
  rm -rf "$d"; mkdir -p "$d"
  : > "$d/disc.bin"
  local f
  for f in 440 660 880; do
    sox -n -t raw -r 44100 -c 2 -b 16 -e signed-integer -L "$work/t$f.raw" synth 5 sine $f vol 0.5
    cat "$work/t$f.raw" >> "$d/disc.bin"
  done
  cat > "$d/disc.cue" <<CUE
FILE "disc.bin" BINARY
  TRACK 01 AUDIO
    INDEX 01 00:00:00
  TRACK 02 AUDIO
    INDEX 01 00:05:00
  TRACK 03 AUDIO
    INDEX 01 00:10:00
CUE
}

# A mixed-mode CD image: a data track first (two seconds of empty Mode 1 sectors), then the three
# tones of disc.bin as audio tracks 2, 3 and 4.
make_cd_mixed() {
  local d=$out/cd
  head -c $((2352 * 150)) /dev/zero > "$d/mixed.bin"
  cat "$d/disc.bin" >> "$d/mixed.bin"
  cat > "$d/mixed.cue" <<CUE
FILE "mixed.bin" BINARY
  TRACK 01 MODE1/2352
    INDEX 01 00:00:00
  TRACK 02 AUDIO
    INDEX 01 00:02:00
  TRACK 03 AUDIO
    INDEX 01 00:07:00
  TRACK 04 AUDIO
    INDEX 01 00:12:00
CUE
}

# ---------------------------------------------------------------- DVD
# The picture standard of the disc being made; the NTSC disc overrides them.
dvd_size=720x576 dvd_rate=25 dvd_target=pal-dvd dvd_aspect=4/3

# A 720x576 (or NTSC 720x480) PNG, transparent but for the given boxes, for spumux (at most four colours, no
# antialiasing). Arguments: output, colour, then x0 y0 x1 y1 for each box.
boxes_png() {
  local outpng=$1 colour=$2 inside=0
  shift 2
  while (($#)); do
    inside+="+between(X,$1,$(($3 - 1)))*between(Y,$2,$(($4 - 1)))"
    shift 4
  done
  local r g b
  case $colour in
    yellow) r=255 g=255 b=0 ;;
    red) r=255 g=0 b=0 ;;
    white) r=255 g=255 b=255 ;;
  esac
  ff -f lavfi -i "color=c=black:s=$dvd_size,format=rgba" -frames:v 1 \
     -vf "geq=r=$r:g=$g:b=$b:a='255*gt($inside,0)'" "$outpng"
}

# A still menu: a background colour with framed boxes where the buttons are.
menu_mpg() {
  local outmpg=$1 colour=$2
  shift 2
  local chain="format=yuv420p"
  while (($#)); do
    chain+=",drawbox=x=$1:y=$2:w=$(($3 - $1)):h=$(($4 - $2)):color=white:t=4"
    shift 4
  done
  ff -f lavfi -i "color=c=$colour:s=$dvd_size:r=$dvd_rate:d=1" -f lavfi -i "anullsrc=r=48000:cl=stereo" \
     -vf "$chain,setdar=4/3" -t 1 -target $dvd_target -b:v 2M -c:a ac3 -b:a 128k "$outmpg"
}

spumux_menu() {
  local in=$1 outmpg=$2 xml=$3
  spumux -m dvd "$xml" < "$in" > "$outmpg" 2>"$work/spumux.log" || { cat "$work/spumux.log" >&2; exit 1; }
}

# A still menu $work/NAME.mpg with buttons over framed boxes (x0 y0 x1 y1 each, numbered from 1,
# left and right leading to the neighbours); highlight yellow, select red.
button_menu() {
  local name=$1 colour=$2 format=PAL buttons="" n=0
  shift 2
  [[ $dvd_target == ntsc-dvd ]] && format=NTSC
  menu_mpg "$work/$name-plain.mpg" "$colour" "$@"
  boxes_png "$work/$name-hl.png" yellow "$@"
  boxes_png "$work/$name-sel.png" red "$@"
  local count=$(($# / 4))
  while (($#)); do
    n=$((n + 1))
    buttons+="    <button name=\"$n\" x0=\"$1\" y0=\"$2\" x1=\"$3\" y1=\"$4\""
    ((n > 1)) && buttons+=" left=\"$((n - 1))\""
    ((n < count)) && buttons+=" right=\"$((n + 1))\""
    buttons+="/>"$'\n'
    shift 4
  done
  cat > "$work/$name.xml" <<XML
<subpictures format="$format"><stream>
  <spu start="00:00:00.00" force="yes" highlight="$work/$name-hl.png" select="$work/$name-sel.png">
$buttons  </spu>
</stream></subpictures>
XML
  spumux_menu "$work/$name-plain.mpg" "$work/$name.mpg" "$work/$name.xml"
}

# A title: solid colours in turn, each lasting the given seconds; two audio streams 440 Hz (fr)
# and 880 Hz (en). The picture standard and shape are the disc's ($dvd_size, $dvd_aspect...).
title_mpg() {
  local outmpg=$1
  shift
  local inputs=() filter="" n=0 total=0 keys=""
  while (($#)); do
    inputs+=(-f lavfi -i "color=c=$1:s=$dvd_size:r=$dvd_rate:d=$2")
    filter+="[$n:v]"
    keys+="${keys:+,}$total"
    total=$((total + $2)); n=$((n + 1))
    shift 2
  done
  inputs+=(-f lavfi -i "sine=f=440:r=48000:d=$total" -f lavfi -i "sine=f=880:r=48000:d=$total")
  filter+="concat=n=$n:v=1:a=0,setdar=$dvd_aspect[v];[$n:a]aformat=channel_layouts=stereo[a1];"
  filter+="[$((n + 1)):a]aformat=channel_layouts=stereo[a2]"
  ff "${inputs[@]}" -filter_complex "$filter" -map "[v]" -map "[a1]" -map "[a2]" -aspect "${dvd_aspect/\//:}" \
     -target $dvd_target -b:v 2M -g 15 -force_key_frames "$keys" -c:a ac3 -b:a 128k "$outmpg"
}

make_dvd() {
  local d=$out/dvd
  rm -rf "$d"
  # Title menu: two buttons. Root menu of the title set: one button.
  button_menu menu 0x102060 120 240 320 320 400 240 600 320
  button_menu root 0x206010 260 400 460 460
  # Title 1: three chapters of four seconds, red, green, blue, with a subtitle box.
  title_mpg "$work/title1-plain.mpg" 0xFF0000 4 0x00FF00 4 0x0000FF 4
  boxes_png "$work/sub.png" white 200 480 520 520
  cat > "$work/sub.xml" <<XML
<subpictures format="PAL"><stream>
  <spu start="00:00:00.50" end="00:00:11.50" image="$work/sub.png"/>
</stream></subpictures>
XML
  spumux -s 0 "$work/sub.xml" < "$work/title1-plain.mpg" > "$work/title1.mpg" 2>"$work/spumux.log" \
    || { cat "$work/spumux.log" >&2; exit 1; }
  # Title 2: three seconds of magenta.
  title_mpg "$work/title2.mpg" 0xFF00FF 3
  cat > "$work/dvd.xml" <<XML
<dvdauthor dest="$d">
  <vmgm>
    <fpc>jump vmgm menu 1;</fpc>
    <menus>
      <video format="pal" aspect="4:3"/>
      <pgc entry="title">
        <vob file="$work/menu.mpg" pause="inf"/>
        <button name="1">jump title 1;</button>
        <button name="2">jump title 2;</button>
      </pgc>
    </menus>
  </vmgm>
  <titleset>
    <menus>
      <video format="pal" aspect="4:3"/>
      <pgc entry="root">
        <vob file="$work/root.mpg" pause="inf"/>
        <button name="1">jump title 1;</button>
      </pgc>
    </menus>
    <titles>
      <video format="pal" aspect="4:3"/>
      <audio format="ac3" lang="fr"/>
      <audio format="ac3" lang="en"/>
      <subpicture lang="fr"/>
      <pgc>
        <vob file="$work/title1.mpg" chapters="00:00:00.00,00:00:04.00,00:00:08.00"/>
        <post>call vmgm menu 1;</post>
      </pgc>
      <pgc>
        <vob file="$work/title2.mpg"/>
        <post>call vmgm menu 1;</post>
      </pgc>
    </titles>
  </titleset>
</dvdauthor>
XML
  VIDEO_FORMAT=PAL dvdauthor -x "$work/dvd.xml" > "$work/dvdauthor.log" 2>&1 \
    || { cat "$work/dvdauthor.log" >&2; exit 1; }
  rm -rf "$d/AUDIO_TS"
  make_damaged_dvds
}

make_ntsc_dvd() {
  local d=$out/dvd-ntsc
  local dvd_size=720x480 dvd_rate=30000/1001 dvd_target=ntsc-dvd
  rm -rf "$d"
  # Title menu: two buttons in the lower part of the picture.
  button_menu ntsc-menu 0x602010 120 380 320 440 400 380 600 440
  title_mpg "$work/ntsc-title1.mpg" 0x00FFFF 2 0xFFFF00 2
  dvd_aspect=16/9 title_mpg "$work/ntsc-title2.mpg" 0x00FF00 2
  cat > "$work/ntsc.xml" <<XML
<dvdauthor dest="$d">
  <vmgm>
    <fpc>jump vmgm menu 1;</fpc>
    <menus>
      <video format="ntsc" aspect="4:3"/>
      <pgc entry="title">
        <vob file="$work/ntsc-menu.mpg" pause="inf"/>
        <button name="1">jump title 1;</button>
        <button name="2">jump title 2;</button>
      </pgc>
    </menus>
  </vmgm>
  <titleset>
    <titles>
      <video format="ntsc" aspect="4:3"/>
      <audio format="ac3" lang="fr"/>
      <audio format="ac3" lang="en"/>
      <pgc>
        <vob file="$work/ntsc-title1.mpg" chapters="00:00:00.00,00:00:02.00"/>
        <post>call vmgm menu 1;</post>
      </pgc>
    </titles>
  </titleset>
  <titleset>
    <titles>
      <video format="ntsc" aspect="16:9" widescreen="nopanscan"/>
      <audio format="ac3" lang="fr"/>
      <audio format="ac3" lang="en"/>
      <pgc>
        <vob file="$work/ntsc-title2.mpg" pause="2"/>
        <post>call vmgm menu 1;</post>
      </pgc>
    </titles>
  </titleset>
</dvdauthor>
XML
  VIDEO_FORMAT=NTSC dvdauthor -x "$work/ntsc.xml" > "$work/dvdauthor-ntsc.log" 2>&1 \
    || { cat "$work/dvdauthor-ntsc.log" >&2; exit 1; }
  rm -rf "$d/AUDIO_TS"
}

# A disc whose first title has two angles, which the authoring tool cannot make: each chapter is
# authored as two cells of the same length, one for each angle, which dvd-angles.sh then marks as
# an angle block.
make_angle_dvd() {
  local d=$out/dvd-angle
  rm -rf "$d"
  title_mpg "$work/angle1a.mpg" 0xFF8000 2
  title_mpg "$work/angle2a.mpg" 0x0080FF 2
  cp "$work/angle1a.mpg" "$work/angle1b.mpg"
  cp "$work/angle2a.mpg" "$work/angle2b.mpg"
  title_mpg "$work/angle-title2.mpg" 0xFFFFFF 2
  cat > "$work/angle.xml" <<XML
<dvdauthor dest="$d">
  <vmgm>
    <fpc>jump title 1;</fpc>
  </vmgm>
  <titleset>
    <titles>
      <video format="pal" aspect="4:3"/>
      <audio format="ac3" lang="fr"/>
      <audio format="ac3" lang="en"/>
      <pgc>
        <vob file="$work/angle1a.mpg"><cell chapter="1"/></vob>
        <vob file="$work/angle2a.mpg"><cell chapter="0" program="0"/></vob>
        <vob file="$work/angle1b.mpg"><cell chapter="1"/></vob>
        <vob file="$work/angle2b.mpg"><cell chapter="0" program="0"/></vob>
        <post>jump title 2;</post>
      </pgc>
      <pgc>
        <vob file="$work/angle-title2.mpg"/>
        <post>jump title 1;</post>
      </pgc>
    </titles>
  </titleset>
</dvdauthor>
XML
  VIDEO_FORMAT=PAL dvdauthor -x "$work/angle.xml" > "$work/dvdauthor-angle.log" 2>&1 \
    || { cat "$work/dvdauthor-angle.log" >&2; exit 1; }
  rm -rf "$d/AUDIO_TS"
  # Title 1 (title set 1, chain 1): cells 1-2 and 3-4 are two angle blocks of two angles.
  bash "$(dirname "${BASH_SOURCE[0]}")/dvd-angles.sh" "$d/VIDEO_TS" 1 2 1 1 1 3
}

# Copies of the disc with damage a worn or badly copied disc shows.
make_damaged_dvds() {
  local d=$out/damaged vob
  rm -rf "$d/dvd-truncated" "$d/dvd-zeroed" "$d/dvd-nobackup"
  cp -r "$out/dvd" "$d/dvd-truncated"
  vob="$d/dvd-truncated/VIDEO_TS/VTS_01_1.VOB"
  truncate -s $(( $(stat -c %s "$vob") / 2 / 2048 * 2048 )) "$vob"
  cp -r "$out/dvd" "$d/dvd-zeroed"
  vob="$d/dvd-zeroed/VIDEO_TS/VTS_01_1.VOB"
  dd if=/dev/zero of="$vob" bs=2048 seek=$(( $(stat -c %s "$vob") / 2048 / 3 )) count=64 conv=notrunc status=none
  cp -r "$out/dvd" "$d/dvd-nobackup"
  rm -f "$d/dvd-nobackup/VIDEO_TS/"*.BUP
  # The backups alone, their information files lost.
  rm -rf "$d/dvd-noifo"
  cp -r "$out/dvd" "$d/dvd-noifo"
  rm -f "$d/dvd-noifo/VIDEO_TS/"*.IFO
  # An image of the disc cut off at half its length.
  genisoimage -quiet -dvd-video -V VISTREL -o "$work/dvd.iso" "$out/dvd"
  head -c $(( $(stat -c %s "$work/dvd.iso") / 2 / 2048 * 2048 )) "$work/dvd.iso" > "$d/dvd-short.iso"
}

make_files
make_output
make_damaged
make_cd
make_cd_mixed
make_damaged_cds
make_dvd
make_ntsc_dvd
make_angle_dvd
echo "media generated in $out"
