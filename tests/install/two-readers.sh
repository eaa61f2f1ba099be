#!/usr/bin/env bash
# Checks an installed program as two readers of one machine would use it:
#
#   tests/install/two-readers.sh PREFIX WORK
#
# Under a virtual display, reader A and reader B (two home folders) start
# PREFIX/bin/cinnabarquillpad from folders of no importance; A unticks the tip
# window's check box and closes it, B pages to the next tip and closes it
# ticked. Each reader's own settings must hold that reader's choice, A's second
# start must keep them, every window must carry the program icon, and no
# installed file may change. WORK receives the home folders and screenshots.
set -euo pipefail

prefix=$(cd "$1" && pwd)
work=$2
launcher="$prefix/bin/cinnabarquillpad"

# The tip window's controls in its layout, which its icon at (10, 11) locates.
TIP_TITLE='每日一贴'
MAIN_TITLE='Cinnabarquillpad V2014 build 09.01'
TIP_ICON="$(cd "$(dirname "$0")/../.." && pwd)/resources/app/tipicon.jpg"
TIP_ICON_AT='10 11'
TIP_CHECKBOX='22 232'
TIP_NEXT='282 28'
TIP_EXIT='269 236'

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
check_eq() {  # what, expected, actual
  if [ "$2" = "$3" ]; then echo "ok: $1 = $3"; else fail "$1: expected '$2', got '$3'"; fi
}

if [ -z "${CQ_ON_DISPLAY:-}" ]; then
  # Everything below runs on a display of its own. -noreset: by default the
  # server resets when its last client leaves, and a reader started again
  # during that reset (it takes long on a busy machine) is refused.
  rm -rf "$work" && mkdir -p "$work"
  exec env CQ_ON_DISPLAY=1 xvfb-run -a -s "-screen 0 1280x900x24 -noreset" "$0" "$@"
fi

# ---- helpers ----------------------------------------------------------------

. "$(dirname "$0")/../../scripts/display.sh"

# One line per installed file and link: checksum or link target, then the name.
inventory() {
  (cd "$prefix" && { find bin/cinnabarquillpad lib/cinnabarquillpad share/cinnabarquillpad \
      share/applications/org.example.cinnabarquillpad.desktop share/metainfo/org.example.cinnabarquillpad.metainfo.xml \
      \( -type f -o -type l \) -print0
    find share/icons/hicolor -name 'cinnabarquillpad.*' -print0; } | sort -z | while IFS= read -r -d '' f; do
    if [ -L "$f" ]; then echo "link:$(readlink "$f")  $f"; else echo "$(sha256sum < "$f" | cut -c1-64)  $f"; fi
  done)
}

# A key of an INI file, section and key matched without regard to case.
ini_value() {  # file section key
  awk -v s="$2" -v k="$3" '
    BEGIN { s = tolower(s); k = tolower(k) }
    /^\[/ { sec = tolower($0); gsub(/^\[|\][ \t\r]*$/, "", sec); next }
    sec == s { line = $0; sub(/\r$/, "", line); i = index(line, "=")
               if (i && tolower(substr(line, 1, i - 1)) == k) { print substr(line, i + 1); exit } }' "$1"
}

# The icon sizes a window offers the window manager.
icon_sizes() {  # window
  xprop -len 100000000 -id "$1" _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)' | grep -o '[0-9]* x' | tr -d ' x' |
    sort -n | tr '\n' ' ' | sed 's/ $//'
}

# Starts the installed program for a reader, through the launcher, in folder `from`.
start_reader() {  # home from log
  mkdir -p "$1" "$2"
  (cd "$2" && exec env -u XDG_DATA_HOME HOME="$1" "$launcher" > "$3" 2>&1) &
  program=$!
}

stop_reader() {
  kill "$program" 2>/dev/null || true
  wait "$program" 2>/dev/null || true
}

shot() { import -window root "$work/$1.png" 2>/dev/null || true; }

# ---- the run ----------------------------------------------------------------

before=$(inventory)
home_a="$work/home-a"
home_b="$work/home-b"
own_a="$home_a/.local/share/cinnabarquillpad"
own_b="$home_b/.local/share/cinnabarquillpad"

echo "== reader A: first start, unticks the check box"
start_reader "$home_a" "$work/elsewhere" "$work/reader-a.log"
if main=$(wait_window "$MAIN_TITLE") && tip=$(wait_window "$TIP_TITLE"); then
  sleep 1
  shot a-1-start
  check_eq "main window icon sizes" "16 22 24 32 48 64 128 256" "$(icon_sizes "$main")"
  check_eq "tip window icon sizes" "16 22 24 32 48 64 128 256" "$(icon_sizes "$tip")"
  if at=$(layout_origin "$tip" "$TIP_ICON" "$TIP_ICON_AT"); then
    click_at "$at" "$TIP_CHECKBOX"
    shot a-2-unticked
    click_at "$at" "$TIP_EXIT"
    wait_gone "$TIP_TITLE" || fail "reader A: the tip window did not close"
    shot a-3-closed
  else
    fail "reader A: the tip window does not show its icon"
  fi
else
  fail "reader A: the main window and the tip window did not open"; shot a-1-start; cat "$work/reader-a.log" >&2
fi
stop_reader

echo "== reader B: first start, pages once and closes with the box ticked"
start_reader "$home_b" / "$work/reader-b.log"
if tip=$(wait_window "$TIP_TITLE"); then
  sleep 1
  shot b-1-start
  if at=$(layout_origin "$tip" "$TIP_ICON" "$TIP_ICON_AT"); then
    click_at "$at" "$TIP_NEXT"
    shot b-2-next
    click_at "$at" "$TIP_EXIT"
    wait_gone "$TIP_TITLE" || fail "reader B: the tip window did not close"
  else
    fail "reader B: the tip window does not show its icon"
  fi
else
  fail "reader B: the tip window did not open"; shot b-1-start; cat "$work/reader-b.log" >&2
fi
stop_reader

for reader in A B; do
  own=$own_a; [ $reader = B ] && own=$own_b
  [ -f "$own/setup.ini" ] && [ ! -L "$own/setup.ini" ] || fail "reader $reader: no settings file of their own"
  check_eq "reader $reader's folder mode" 700 "$(stat -c %a "$own")"
  for name in cinnabarquillpad dat skins; do
    [ -L "$own/$name" ] && [ -e "$own/$name" ] || fail "reader $reader: $name does not reach the installed one"
  done
done
check_eq "reader A's [tip] tip" 0 "$(ini_value "$own_a/setup.ini" tip tip)"
check_eq "reader A's [tip] count" 1 "$(ini_value "$own_a/setup.ini" tip count)"
check_eq "reader B's [tip] tip" 1 "$(ini_value "$own_b/setup.ini" tip tip)"
check_eq "reader B's [tip] count" 2 "$(ini_value "$own_b/setup.ini" tip count)"
check_eq "the shipped [tip] tip" 1 "$(ini_value "$prefix/lib/cinnabarquillpad/setup.ini" tip tip)"

echo "== reader A: second start keeps A's settings, so the tip window stays closed"
settings_a=$(sha256sum < "$own_a/setup.ini")
start_reader "$home_a" "$home_a" "$work/reader-a2.log"
if wait_window "$MAIN_TITLE" > /dev/null; then
  if wait_window "$TIP_TITLE" 4 > /dev/null; then fail "reader A: the unticked tip window opened at start-up"; fi
  shot a-4-second-start
else
  fail "reader A: the second start showed no main window"; cat "$work/reader-a2.log" >&2
fi
stop_reader
check_eq "reader A's settings after the second start" "$settings_a" "$(sha256sum < "$own_a/setup.ini")"

after=$(inventory)
if [ "$before" = "$after" ]; then
  echo "ok: the $(echo "$before" | wc -l) installed files and links are unchanged"
else
  fail "installed files changed:"; diff <(echo "$before") <(echo "$after") >&2 || true
fi

if [ $failures -ne 0 ]; then echo "$failures check(s) failed; screenshots in $work" >&2; exit 1; fi
echo "all checks passed"
