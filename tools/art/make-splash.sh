#!/usr/bin/env bash
# Draws the splash picture data/splash.jpg (560 x 194): a night-blue to plum gradient with a
# shining disc on the left. Run by hand when the art changes; the picture is committed.
set -euo pipefail
cd "$(dirname "$0")/../.."
# Disc centre (96, 97), radius 80; a hole of radius 12; faint grooves every 6 pixels; a light sheen
# across the upper left.
disc='hypot(X-96,Y-97)'
ffmpeg -nostdin -hide_banner -loglevel error -y -f lavfi -i "color=c=black:s=560x194" -frames:v 1 \
  -vf "format=rgb24,geq=\
r='clip(if(between($disc,12,80), 150+60*sin($disc/3)*0.3+80*exp(-pow((X-Y)/40-0.5,2)), 12+X/560*90),0,255)':\
g='clip(if(between($disc,12,80), 160+60*sin($disc/3)*0.3+70*exp(-pow((X-Y)/40-0.5,2)), 20+Y/194*10),0,255)':\
b='clip(if(between($disc,12,80), 190+50*sin($disc/3)*0.3+60*exp(-pow((X-Y)/40-0.5,2)), 60+X/560*40),0,255)'" \
  -q:v 3 data/splash.jpg
