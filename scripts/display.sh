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

# Clicks at a point given relative to a window, then lets the program answer.
click_in() {  # window "x y"
  local X Y WIDTH HEIGHT SCREEN WINDOW dx dy
  eval "$(xdotool getwindowgeometry --shell "$1")"
  read -r dx dy <<< "$2"
  xdotool mousemove $((X + dx)) $((Y + dy)) click 1
  sleep 0.7
}
