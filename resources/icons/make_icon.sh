#!/usr/bin/env bash
# Draws the program icon: a cinnabar-tipped writing brush over a sheet of paper
# with a red stroke and a seal. One list of shapes gives both the scalable icon
# (cinnabarquillpad.svg) and the PNG sizes a desktop asks for, rendered with
# ImageMagick at four times the largest size and scaled down.
set -euo pipefail
cd "$(dirname "$0")"

# Each shape: fill colour, stroke colour, stroke width, SVG path data on a 256x256 canvas.
SHAPES=(
  # the paper, with a brown edge
  "#F6EEDC|#7A5230|8|M40,16 H216 Q240,16 240,40 V216 Q240,240 216,240 H40 Q16,240 16,216 V40 Q16,16 40,16 Z"
  # a red brush stroke across the lower half
  "none|#B0281E|18|M52,206 Q110,170 206,200"
  # the seal in the upper left corner, with a paper-coloured mark
  "#B0281E|none|0|M38,38 H92 V92 H38 Z"
  "#F6EEDC|none|0|M50,50 H80 V58 H58 V72 H80 V80 H50 Z"
  # the brush: bamboo handle, dark ferrule, ink-black hair with a cinnabar tip
  "#9A6A36|#5A3A1A|4|M197,19 L219,41 L131,129 L109,107 Z"
  "#3A2A20|none|0|M103,101 L137,135 L125,147 L91,113 Z"
  "#2B2220|none|0|M94,116 Q70,136 52,196 Q112,172 122,144 Z"
  "#B0281E|none|0|M52,196 Q60,168 72,152 Q86,160 92,170 Q70,184 52,196 Z"
)
SIZES=(16 22 24 32 48 64 128 256)

# Scalable icon.
{
  echo '<?xml version="1.0" encoding="UTF-8"?>'
  echo '<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">'
  for shape in "${SHAPES[@]}"; do
    IFS='|' read -r fill stroke width path <<< "$shape"
    echo "  <path d=\"$path\" fill=\"$fill\" stroke=\"$stroke\" stroke-width=\"$width\" stroke-linecap=\"round\" stroke-linejoin=\"round\"/>"
  done
  echo '</svg>'
} > cinnabarquillpad.svg

# The same shapes as ImageMagick drawing commands, at four times 256.
draw=()
for shape in "${SHAPES[@]}"; do
  IFS='|' read -r fill stroke width path <<< "$shape"
  draw+=(-draw "affine 4,0,0,4,0,0 fill $fill stroke $stroke stroke-width $width stroke-linecap round stroke-linejoin round path '$path'")
done
convert -size 1024x1024 xc:none "${draw[@]}" -define png:color-type=6 big.png
for size in "${SIZES[@]}"; do
  # Small sizes are sharpened; up to 24 pixels (the small icon a window frame draws
  # on its transparent key colour) every pixel is opaque or clear, so no edge pixel
  # is a mix of the icon and what lies behind it.
  small=(); [ "$size" -le 32 ] && small=(-unsharp 0x0.5+0.8)
  [ "$size" -le 24 ] && small+=(-channel A -threshold 50% +channel)
  convert big.png -filter Lanczos -resize "${size}x${size}" "${small[@]}" -strip -depth 8 -define png:color-type=6 "cinnabarquillpad-$size.png"
done
rm big.png
