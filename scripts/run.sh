#!/usr/bin/env bash
# Starts the program in its own directory (the databases are opened relative to
# the current directory), under a virtual display when there is no display.
set -euo pipefail
bindir=$(cd "$1" && pwd)
shift || true
cd "$bindir"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display set: running under xvfb-run (screen 1280x900)."
  exec xvfb-run -a -s "-screen 0 1280x900x24" ./cinnabarquillpad "$@"
fi
exec ./cinnabarquillpad "$@"
