#!/usr/bin/env bash
# Builds the full library: every Tang and Song poem and ci of the public poetry
# package (with the shipped selection and the foreign works), as the program's
# dat/db3.dat and dat/db4.dat in BUILD/bin/. The tips and setup.ini stay.
#
#   scripts/build-library.sh [BUILD]      (default BUILD: build)
#
# The package is taken from CQ_POETRY_PACKAGE when set, else from the cache
# folder CQ_CACHE_DIR (default /work/cache, or ~/.cache/cinnabarquillpad when
# /work/cache does not exist), where it is fetched with npm the first time.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
case "$build" in /*) ;; *) build="$here/$build" ;; esac

if [ -z "${CQ_CACHE_DIR:-}" ]; then
  if [ -d /work/cache ]; then CQ_CACHE_DIR=/work/cache; else CQ_CACHE_DIR="${XDG_CACHE_HOME:-$HOME/.cache}/cinnabarquillpad"; fi
fi
package=${CQ_POETRY_PACKAGE:-$CQ_CACHE_DIR/package}

if [ ! -d "$package/dist" ]; then
  if ! command -v npm >/dev/null; then
    echo "npm is needed to fetch the poetry package: install it (apt-get install npm) or set CQ_POETRY_PACKAGE." >&2
    exit 1
  fi
  echo "Fetching the poetry package chinese-poetry 2.0.1 into $CQ_CACHE_DIR ..."
  mkdir -p "$CQ_CACHE_DIR"
  (cd "$CQ_CACHE_DIR" && npm pack --silent chinese-poetry@2.0.1 >/dev/null && tar xzf chinese-poetry-2.0.1.tgz)
  package=$CQ_CACHE_DIR/package
fi

echo "Building the converter and the database builder ..."
cmake --build "$build" --target cq-corpus cq-mkdb cq_install_data >/dev/null

start=$(date +%s)
work="$build/library"
mkdir -p "$work"
echo "Converting the whole package (progress: files read) ..."
"$build/bin/cq-corpus" --package "$package" --sources "$here/install/src" --out "$work" --full

dat="$build/bin/dat"
mkdir -p "$dat"
echo "Writing $dat/db3.dat ..."
"$build/tools/cq-mkdb" --database poetry --out "$dat/db3.dat.new" \
  --table author="$work/data/author.tsv" --table poetry="$work/data/poetry.tsv" \
  --index "author_agename=author(agename)" --index "author_authorname=author(authorname)" \
  --index "poetry_authorname=poetry(authorname)"
echo "Writing $dat/db4.dat ..."
"$build/tools/cq-mkdb" --database format --out "$dat/db4.dat.new" --table format="$work/data/format.tsv"
mv "$dat/db3.dat.new" "$dat/db3.dat"
mv "$dat/db4.dat.new" "$dat/db4.dat"
end=$(date +%s)

poems=$(($(wc -l < "$work/data/poetry.tsv") - 1))
authors=$(($(wc -l < "$work/data/author.tsv") - 1))
echo "Full library: $poems poems, $authors authors; db3.dat $(du -h "$dat/db3.dat" | cut -f1)," \
     "db4.dat $(du -h "$dat/db4.dat" | cut -f1); built in $((end - start)) s."
echo "To go back to the shipped selection: rm $dat/db3.dat $dat/db4.dat && make run"
