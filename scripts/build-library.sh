#!/usr/bin/env bash
# Builds the full library: every poem, ci and qu of the poetry collections of
# the public poetry package (with the foreign works), as the program's
# dat/db3.dat and dat/db4.dat in BUILD/bin/, and checks the result with the
# shipped-data checks. The tips and setup.ini stay.
#
#   scripts/build-library.sh [BUILD]      (default BUILD: build)
#
# The package is taken from CQ_POETRY_PACKAGE when set (the unpacked folder that
# holds dist/), else from the cache folder: CQ_CACHE_DIR when set, else
# $XDG_CACHE_HOME/cinnabarquillpad, else ~/.cache/cinnabarquillpad. It is
# fetched there with npm the first time; npm is installed through
# scripts/install-deps.sh when missing (as root).
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
case "$build" in /*) ;; *) build="$here/$build" ;; esac

cache=${CQ_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/cinnabarquillpad}
package=${CQ_POETRY_PACKAGE:-$cache/package}
version=2.0.1

steps=5
step=0
started=$(date +%s)
say() {
  step=$((step + 1))
  echo "[$step/$steps] $* ($(($(date +%s) - started)) s so far)"
}

say "Poetry package"
if [ -d "$package/dist" ]; then
  echo "      using $package"
elif [ -n "${CQ_POETRY_PACKAGE:-}" ]; then
  echo "CQ_POETRY_PACKAGE names $CQ_POETRY_PACKAGE, which holds no dist folder." >&2
  exit 1
else
  if ! command -v npm >/dev/null; then
    echo "      npm is missing: installing it through scripts/install-deps.sh library"
    if ! "$here/scripts/install-deps.sh" library; then
      echo "npm could not be installed: run 'sudo $here/scripts/install-deps.sh library'," \
           "or set CQ_POETRY_PACKAGE to an unpacked chinese-poetry $version package." >&2
      exit 1
    fi
  fi
  echo "      fetching chinese-poetry $version (an 85 MB download, 350 MB unpacked) into $cache"
  mkdir -p "$cache"
  rm -rf "$cache/package.partial"
  mkdir "$cache/package.partial"
  (cd "$cache" && npm pack "chinese-poetry@$version" && \
     tar xzf "chinese-poetry-$version.tgz" -C package.partial --strip-components=1 && \
     rm -f "chinese-poetry-$version.tgz")
  # Only a wholly unpacked package takes the final name.
  mv "$cache/package.partial" "$cache/package"
  package=$cache/package
fi

say "Building the converter, the database builder and the checks"
cmake --build "$build" --target cq-corpus cq-mkdb cq_install_data data_shipped_tests

say "Converting the whole package (files read so far)"
work="$build/library"
rm -rf "$work"
mkdir -p "$work"
"$build/bin/cq-corpus" --package "$package" --sources "$here/install/src" --out "$work" --full \
  --report "$work/collections.tsv"
# The era lists the program shows come from the shipped settings file; the full
# library must not need others.
if ! cmp -s "$work/setup.ini" "$here/install/setup.ini"; then
  echo "The full library's eras differ from those of install/setup.ini:" >&2
  diff <(iconv -f GB18030 -t UTF-8 "$here/install/setup.ini") <(iconv -f GB18030 -t UTF-8 "$work/setup.ini") >&2 || true
  exit 1
fi

dat="$build/bin/dat"
mkdir -p "$dat"
say "Writing $dat/db3.dat and db4.dat"
"$build/tools/cq-mkdb" --database poetry --out "$dat/db3.dat.new" \
  --table author="$work/data/author.tsv" --table poetry="$work/data/poetry.tsv" \
  --index "author_agename=author(agename)" --index "author_authorname=author(authorname)" \
  --index "poetry_authorname=poetry(authorname)"
"$build/tools/cq-mkdb" --database format --out "$dat/db4.dat.new" --table format="$work/data/format.tsv"
mv "$dat/db3.dat.new" "$dat/db3.dat"
mv "$dat/db4.dat.new" "$dat/db4.dat"
# What became of each collection's records, for the checks below.
cp "$work/collections.tsv" "$dat/full-library.tsv"
# The mark keeps later builds from writing the shipped selection over these files.
echo "written by make library on $(date -u +%Y-%m-%d)" > "$dat/full-library"
built=$(date +%s)

say "Checking the result with the shipped-data checks"
CQ_BIN_DIR="$build/bin" CQ_SOURCE_DIR="$here" QT_QPA_PLATFORM=offscreen \
  "$build/tests/data_shipped_tests" --gtest_brief=1 --gtest_filter='ShippedData.*:ShippedWindow.*:ProgramData.FullLibrary*'

poems=$(($(wc -l < "$work/data/poetry.tsv") - 1))
authors=$(($(wc -l < "$work/data/author.tsv") - 1))
echo "Full library: $poems poems, $authors authors; db3.dat $(du -h "$dat/db3.dat" | cut -f1)," \
     "db4.dat $(du -h "$dat/db4.dat" | cut -f1); built in $((built - started)) s, checked in $(($(date +%s) - built)) s."
echo "To go back to the shipped selection: rm $dat/full-library $dat/full-library.tsv $dat/db3.dat $dat/db4.dat && make run"
