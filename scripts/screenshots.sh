#!/usr/bin/env bash
# Renders the README's pictures into docs/screenshots/ on a virtual display:
#   main.png               the main window under the stored skin, a poem of 李白 open
#   skin-1.png ... skin-7.png   the same under each skin of the skins folder (--skin N)
#   tip.png                the daily tip window
#
#   scripts/screenshots.sh [BUILD]      (default BUILD: build)
#
# The program runs from a scratch program directory whose files link to
# BUILD/bin, so BUILD/bin/setup.ini keeps the reader's settings. A program
# built without the --skin option ignores it: then only main.png and tip.png
# are rendered.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
case "$build" in /*) ;; *) build="$here/$build" ;; esac
out="$here/docs/screenshots"

if [ -z "${CQ_ON_DISPLAY:-}" ]; then
  # -noreset: the program started again after the last one closed is not refused during a server reset.
  exec env CQ_ON_DISPLAY=1 xvfb-run -a -s "-screen 0 1280x900x24 -noreset" "$0" "$build"
fi

MAIN_TITLE='Cinnabarquillpad V2014 build 09.01'
TIP_TITLE='每日一贴'
# Where the reader clicks in the main window's layout: the era 唐代, its fourth
# author 李白, the first poem of the poem table. The inside of the 中国作品
# glyph at (49, 49) locates the layout.
ERA='27 313'
AUTHOR='150 313'
POEM='300 197'
GLYPH_AT='49 49'

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
convert "$here/resources/app/china.bmp" -crop 16x24+12+8 +repage "$dir/glyph.png"
for name in cinnabarquillpad dat skins TTS5.MSI; do ln -s "$build/bin/$name" "$dir/$name"; done

# The program's settings with the tip window's two keys set.
settings() {  # tip count
  sed -e "s/^tip=[^\r]*/tip=$1/" -e "s/^count=[^\r]*/count=$2/" "$here/install/setup.ini" > "$dir/setup.ini"
}

. "$here/scripts/display.sh"

# Waits until two screenshots taken a second apart are the same, then keeps the last.
settle_and_shoot() {  # file [crop]
  local previous="$dir/previous.png" current="$dir/current.png" i
  import -window root "$previous"
  for i in $(seq 1 20); do
    sleep 1
    import -window root "$current"
    if [ "$(compare -metric AE "$previous" "$current" null: 2>&1 || true)" = 0 ]; then break; fi
    mv "$current" "$previous"
  done
  # Without the time stamps, a picture that looks the same is the same file.
  convert "$current" ${2:+-crop "$2" +repage} -strip "$1"
  echo "saved $1"
}

start() {  # arguments...
  (cd "$dir" && exec ./cinnabarquillpad "$@" > "$dir/program.log" 2>&1) &
  program=$!
}

stop() {
  kill "$program" 2>/dev/null || true
  wait "$program" 2>/dev/null || true
}

main_window() {  # file arguments...
  local file=$1 main
  shift
  settings 0 0
  start "$@"
  main=$(wait_window "$MAIN_TITLE") || { echo "the main window did not open" >&2; exit 1; }
  sleep 2
  at=$(layout_origin "$main" "$dir/glyph.png" "$GLYPH_AT") || { echo "the main window shows no 中国作品 glyph" >&2; exit 1; }
  click_at "$at" "$ERA"
  click_at "$at" "$AUTHOR"
  click_at "$at" "$POEM"
  xdotool mousemove 1279 899  # no hover look in the picture
  settle_and_shoot "$file"
  stop
}

mkdir -p "$out"
main_window "$out/main.png"
if grep -q -a -- '--skin' "$build/bin/cinnabarquillpad"; then
  for n in 1 2 3 4 5 6 7; do main_window "$out/skin-$n.png" --skin "$n"; done
else
  echo "this program has no --skin option: skin pictures left as they are" >&2
fi

# The tip window on its second tip, cut out with a margin of the main window around it.
settings 1 1
start
tip=$(wait_window "$TIP_TITLE") || { echo "the tip window did not open" >&2; exit 1; }
sleep 2
eval "$(xdotool getwindowgeometry --shell "$tip")"
settle_and_shoot "$out/tip.png" "$((WIDTH + 40))x$((HEIGHT + 40))+$((X - 20))+$((Y - 20))"
stop
