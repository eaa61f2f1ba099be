#!/usr/bin/env bash
# The full-library script fetches the poetry package into the user's cache
# folder ($CQ_CACHE_DIR, else $XDG_CACHE_HOME/cinnabarquillpad, else
# ~/.cache/cinnabarquillpad) and nowhere else. npm is replaced by a stub that
# records the folder it runs in and fails, so nothing is fetched.
#
#   LibraryScriptTest.sh SOURCE_DIR
set -uo pipefail
src=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/stub" "$tmp/home"
cat > "$tmp/stub/npm" <<STUB
#!/bin/sh
pwd >> "$tmp/npm-ran-in"
exit 1
STUB
chmod +x "$tmp/stub/npm"

failures=0
check() {  # name, expected folder, then environment assignments
  local name=$1 expected=$2
  shift 2
  rm -f "$tmp/npm-ran-in"
  env -u CQ_CACHE_DIR -u XDG_CACHE_HOME -u CQ_POETRY_PACKAGE HOME="$tmp/home" PATH="$tmp/stub:$PATH" "$@" \
    bash "$src/scripts/build-library.sh" "$tmp/no-build" > "$tmp/out" 2>&1
  local status=$?
  local ran
  ran=$(cat "$tmp/npm-ran-in" 2>/dev/null)
  if [ "$status" -eq 0 ] || [ "$ran" != "$expected" ]; then
    echo "FAIL $name: exit $status, npm ran in '${ran}', expected '$expected'"
    cat "$tmp/out"
    failures=$((failures + 1))
  else
    echo "ok   $name"
  fi
}

check "home cache" "$tmp/home/.cache/cinnabarquillpad"
check "XDG cache" "$tmp/xdg/cinnabarquillpad" XDG_CACHE_HOME="$tmp/xdg"
check "named cache" "$tmp/named" CQ_CACHE_DIR="$tmp/named" XDG_CACHE_HOME="$tmp/xdg"
# A named package that is not there is an error, and nothing is fetched.
check "named package" "" CQ_POETRY_PACKAGE="$tmp/nothing"
grep -q "holds no dist folder" "$tmp/out" || { echo "FAIL named package: no message"; failures=$((failures + 1)); }
# A failed fetch leaves no folder that looks like an unpacked package.
[ ! -e "$tmp/home/.cache/cinnabarquillpad/package" ] || { echo "FAIL a failed fetch left a package folder"; failures=$((failures + 1)); }

echo "$((6 - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
