#!/usr/bin/env bash
# Draws the main window's and the tip window's pictures with ImageMagick:
# the header banner, the five header glyphs, the four speech glyphs and the tip icon.
# Glyph backgrounds are one flat colour: the bottom-left pixel is the transparent colour.
# No edge pixel may blend the drawing with that colour, or the outline shows it
# once the transparent pixels are left out.
set -euo pipefail
cd "$(dirname "$0")"
SERIF=$(fc-match -f '%{file}' 'Noto Serif CJK SC:style=Bold')
KAI=$(fc-match -f '%{file}' 'AR PL UKai CN')
BG='#FF00FF'
# The header picture's colour where the header glyphs lie: their smoothed
# outlines blend into it instead of into the transparent colour.
HEADER='#F2F0E7'

# Header banner, 182x237: sky over layered ink mountains, without letters or
# marks, since the panel stretches it over the whole header.
convert -size 182x237 gradient:'#FBF4E4'-'#DCE8EF' \
  \( -size 182x237 xc:none -fill '#C9D6DC' -draw "path 'M0,120 Q25,95 50,112 T100,100 T150,108 T182,96 L182,237 L0,237 Z'" -blur 0x3 \) -composite \
  \( -size 182x237 xc:none -fill '#9FB2BA' -draw "path 'M0,160 Q30,125 60,148 T120,132 T182,146 L182,237 L0,237 Z'" -blur 0x2 \) -composite \
  \( -size 182x237 xc:none -fill '#6F8690' -draw "path 'M0,200 Q40,165 80,190 T150,176 T182,186 L182,237 L0,237 Z'" -blur 0x1 \) -composite \
  -quality 92 banner.jpg

glyph() {  # name, drawing
  # Drawn smoothed on a transparent canvas; partly covered pixels are then
  # blended with the header's colour, and only the pixels the drawing leaves
  # untouched take the transparent colour.
  convert -size 40x40 xc:none "$@" -write mpr:drawn +delete \
    -size 40x40 xc:"$BG" \
    \( mpr:drawn -background "$HEADER" -alpha remove -alpha off \) \
    \( mpr:drawn -alpha extract -threshold 0 \) \
    -composite -type TrueColor BMP3:"$name.bmp"
}
name=china   glyph -fill '#B0281E' -draw "roundrectangle 8,4 32,36 3,3" -fill '#F6EEDC' -draw "rectangle 12,8 28,32" \
  -font "$KAI" -pointsize 14 -fill '#3A2A20' -annotate +13+26 '诗'
name=foreign glyph -fill '#2E6DA4' -draw "circle 20,20 20,3" -stroke '#D9E6EE' -strokewidth 2 -fill none \
  -draw "ellipse 20,20 8,17 0,360" -draw "line 3,20 37,20" -draw "line 6,12 34,12" -draw "line 6,28 34,28"
name=setup   glyph -fill none -stroke '#6B5B4B' -strokewidth 8 -draw "circle 20,20 20,9" -stroke none \
  -fill '#6B5B4B' -draw "rectangle 17,1 23,8" -draw "rectangle 17,32 23,39" -draw "rectangle 1,17 8,23" -draw "rectangle 32,17 39,23" \
  -fill '#C8A04A' -draw "circle 20,20 20,16"
name=tip     glyph -fill '#E8C547' -draw "circle 20,16 20,4" -fill '#8A8A8A' -draw "rectangle 15,27 25,34" \
  -fill '#5A5A5A' -draw "rectangle 16,35 24,37" -stroke '#B08A20' -draw "line 20,10 20,22"
name=upgrade glyph -fill '#3C8D4F' -draw "polygon 20,3 36,21 27,21 27,37 13,37 13,21 4,21"

speech() {  # name, drawing: 16x16, 16 colours, drawn unsmoothed: every pixel is the drawing's or the key's
  convert -size 16x16 xc:"$BG" +antialias "$@" -colors 16 -type Palette BMP3:"$name.bmp"
}
name=speak  speech -fill '#B0281E' -draw "polygon 4,2 13,8 4,14"
name=pause  speech -fill '#B0281E' -draw "rectangle 4,3 6,13" -draw "rectangle 10,3 12,13"
name=resume speech -fill '#B0281E' -draw "rectangle 2,3 3,13" -draw "polygon 6,2 14,8 6,14"
name=stop   speech -fill '#B0281E' -draw "rectangle 4,4 12,12"

# Tip window icon, 27x36: a scroll with a cinnabar seal.
convert -size 27x36 xc:'#FFFFFF' -fill '#E9DCC0' -draw "rectangle 4,3 22,32" -fill '#7A5230' \
  -draw "rectangle 2,1 24,4" -draw "rectangle 2,31 24,34" -fill '#B0281E' -draw "rectangle 14,22 20,28" \
  -stroke '#3A2A20' -draw "line 8,9 18,9" -draw "line 8,13 18,13" -draw "line 8,17 14,17" -quality 92 tipicon.jpg
