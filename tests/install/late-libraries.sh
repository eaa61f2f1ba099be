#!/usr/bin/env bash
# The speech engine, the PulseAudio client and OpenCC are opened when a reader
# first uses them: linked to the program, each start would load them and the
# twenty libraries they pull in before the first window is painted.
#
#   tests/install/late-libraries.sh PROGRAM
set -euo pipefail
needed=$(readelf -d "$1" | awk '/\(NEEDED\)/ {print $5}')
if ! grep -q 'libQt6Core' <<<"$needed"; then
  echo "could not read the libraries $1 links" >&2
  exit 1
fi
if linked=$(grep -E 'espeak|pulse|opencc' <<<"$needed"); then
  echo "linked to the program although opened when first used: $linked" >&2
  exit 1
fi
echo "ok: $(wc -l <<<"$needed") libraries linked, none of them opened late"
