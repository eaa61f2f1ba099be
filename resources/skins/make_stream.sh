#!/bin/sh
# Writes the main window's stored skin: the skin file's length as a 32-bit
# little-endian count, then the file's bytes.
set -e
n=$(stat -c %s "$1")
printf "$(printf '\\%03o\\%03o\\%03o\\%03o' $((n & 255)) $(((n >> 8) & 255)) $(((n >> 16) & 255)) $(((n >> 24) & 255)))" > "$2"
cat "$1" >> "$2"
