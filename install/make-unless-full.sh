#!/bin/sh
# make-unless-full.sh DAT_DIR OUT COMMAND...
# Runs COMMAND to build the shipped database OUT, unless `make library` has put
# the full library into DAT_DIR (its mark: DAT_DIR/full-library). A rebuild of
# the tools then keeps the reader's full library instead of writing the shipped
# selection over it.
dat=$1
out=$2
shift 2
if [ -f "$dat/full-library" ] && [ -f "$out" ]; then
  echo "Keeping the full library's $(basename "$out") (delete $dat/full-library, db3.dat and db4.dat to get the shipped selection back)"
  touch "$out"
  exit 0
fi
exec "$@"
