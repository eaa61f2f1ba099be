#!/usr/bin/env bash
# Installs the Debian package that `make package` built with apt-get, checks the
# installed program as two readers and with the validators, then removes the
# package and checks that nothing of it is left. Needs root; refuses to run
# when the package is installed already, so a reader's installation is never
# removed by a test.
#
#   tests/install/package-test.sh [BUILD]      (default BUILD: build)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-build}" && pwd)

if [ "$(id -u)" -ne 0 ]; then
  echo "package-test needs root (apt-get install and remove)." >&2
  exit 1
fi
if dpkg-query -W -f='${Status}' cinnabarquillpad 2>/dev/null | grep -q "install ok installed"; then
  echo "cinnabarquillpad is installed on this machine already: not touching it." >&2
  exit 1
fi
# The package `make package` wrote last (an older version may lie beside it).
deb=$(ls -t "$build"/cinnabarquillpad_*.deb 2>/dev/null | head -n1)
[ -n "$deb" ] || { echo "no package in $build: run make package first" >&2; exit 1; }
echo "Package: $(basename "$deb"), $(du -k "$deb" | cut -f1) KiB"
dpkg-deb -f "$deb" Depends

export DEBIAN_FRONTEND=noninteractive
cleanup() { apt-get purge -y -qq cinnabarquillpad >/dev/null 2>&1 || true; }
trap cleanup EXIT

apt-get install -y -qq "$deb"
status=0
desktop-file-validate /usr/share/applications/org.example.cinnabarquillpad.desktop || status=1
appstreamcli validate --no-net /usr/share/metainfo/org.example.cinnabarquillpad.metainfo.xml || status=1
"$here/two-readers.sh" /usr "$build/tests/package-readers" || status=1

# Removed, the package leaves none of its files behind (the readers' own folders are theirs).
files=$(dpkg-query -L cinnabarquillpad | grep -v -x -E '/(usr(/(bin|lib|share(/(applications|metainfo|icons(/hicolor(/[^/]+(/apps)?)?)?))?))?)?|/\.')
apt-get purge -y -qq cinnabarquillpad
trap - EXIT
left=0
while IFS= read -r f; do
  if [ -e "$f" ] || [ -L "$f" ]; then echo "left after removal: $f" >&2; left=1; fi
done <<< "$files"
[ $left -eq 0 ] && echo "ok: removed cleanly ($(echo "$files" | wc -l) paths gone)" || status=1
exit $status
