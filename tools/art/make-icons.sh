#!/usr/bin/env bash
# Draws the program's hicolor icons data/desktop/icons/vistrel-N.png (N = 16 ... 256 pixels) from
# the scalable icon data/desktop/vistrel.svg. Run by hand when the icon changes (needs rsvg-convert,
# Debian package librsvg2-bin); the pictures are committed.
set -euo pipefail
cd "$(dirname "$0")/../.."
mkdir -p data/desktop/icons
for size in 16 22 24 32 48 64 128 256; do
  rsvg-convert --width "$size" --height "$size" --output "data/desktop/icons/vistrel-$size.png" \
    data/desktop/vistrel.svg
done
