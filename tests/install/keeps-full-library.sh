#!/bin/sh
# A rebuild of the shipped databases leaves a full library alone while its mark
# is there, and builds them again once the mark and the files are gone.
set -eu
script=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "$*" >&2; exit 1; }

printf 'full' > "$dir/db3.dat"
echo mark > "$dir/full-library"
"$script" "$dir" "$dir/db3.dat" sh -c 'printf shipped > "$1"' sh "$dir/db3.dat" > /dev/null
[ "$(cat "$dir/db3.dat")" = full ] || fail "the full library was written over"

# A mark without the file (the file deleted by hand): the shipped one is built.
rm "$dir/db3.dat"
"$script" "$dir" "$dir/db3.dat" sh -c 'printf shipped > "$1"' sh "$dir/db3.dat"
[ "$(cat "$dir/db3.dat")" = shipped ] || fail "no database was built where the file was missing"

# No mark: the shipped selection is built over whatever was there.
rm "$dir/full-library"
printf 'old' > "$dir/db3.dat"
"$script" "$dir" "$dir/db3.dat" sh -c 'printf shipped > "$1"' sh "$dir/db3.dat"
[ "$(cat "$dir/db3.dat")" = shipped ] || fail "the shipped database was not built without the mark"

# The command's failure is the build's failure.
if "$script" "$dir" "$dir/db3.dat" false; then fail "a failing build was reported as done"; fi
echo ok
