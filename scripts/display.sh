# Shell helpers for driving the program on an X display with xdotool; sourced
# by scripts/screenshots.sh and tests/install/two-readers.sh.

# Waits until a visible window with exactly this title exists and prints its id.
wait_window() {  # title [seconds]
  local deadline=$((SECONDS + ${2:-30})) id
  while [ $SECONDS -lt $deadline ]; do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1 || true)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.3
  done
  return 1
}

# Waits until no visible window has this title.
wait_gone() {  # title [seconds]
  local deadline=$((SECONDS + ${2:-20}))
  while [ $SECONDS -lt $deadline ]; do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
    sleep 0.3
  done
  return 1
}

# Where the layout of a window's client area starts on the screen. A skin's
# frame moves the client area inside the window by margins of its own, so the
# place is found by a picture the window shows at a known point of its layout.
# Prints "x y"; fails when the picture is not there.
layout_origin() {  # window picture "x y"
  local X Y WIDTH HEIGHT SCREEN WINDOW px py area found count at fx fy
  eval "$(xdotool getwindowgeometry --shell "$1")"
  read -r px py <<< "$3"
  area=$(mktemp --suffix=.png)
  import -window root -crop "$((WIDTH < 240 ? WIDTH : 240))x$((HEIGHT < 240 ? HEIGHT : 240))+$X+$Y" +repage "$area"
  found=$(compare -metric AE -fuzz 8% -subimage-search "$area" "$2" null: 2>&1 || true)
  rm -f "$area"
  read -r count _ at <<< "$found"
  IFS=, read -r fx fy <<< "$at"
  # A few pixels may differ where the picture's edge meets what lies behind it.
  [[ "$count" =~ ^[0-9]+$ ]] && [ "$count" -le 8 ] || return 1
  echo "$((X + fx - px)) $((Y + fy - py))"
}

# Clicks at a point of a window's layout, then lets the program answer.
click_at() {  # "origin x y" "x y"
  local ox oy dx dy
  read -r ox oy <<< "$1"
  read -r dx dy <<< "$2"
  xdotool mousemove $((ox + dx)) $((oy + dy)) click 1
  sleep 0.7
}
