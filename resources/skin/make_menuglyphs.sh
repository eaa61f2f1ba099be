#!/usr/bin/env bash
# Draws the 16x16 menu glyph strip "SKINMENUGLYPHS" with ImageMagick. White is
# the transparent colour. Cells, left to right: 0 restore, 1 maximise,
# 2 minimise, 3 close (the system menu's items use these indexes).
set -euo pipefail
cd "$(dirname "$0")"
INK='#000000'
convert -size 64x16 xc:white +antialias -fill none -stroke "$INK" -strokewidth 1 \
  -draw "rectangle 5,2 12,8" -draw "line 5,3 12,3" \
  -fill white -draw "rectangle 2,6 9,12" -fill none -draw "line 2,7 9,7" \
  -draw "rectangle 18,2 29,12" -draw "line 18,3 29,3" -draw "line 18,4 29,4" \
  -draw "line 36,11 43,11" -draw "line 36,12 43,12" \
  -strokewidth 2 -draw "line 52,4 59,11" -draw "line 59,4 52,11" \
  -type TrueColor BMP3:SKINMENUGLYPHS.bmp
