#!/usr/bin/env bash
# The libFuzzer targets: built with clang in their own build folder, run one
# after another in one process each (the machine's cores are shared).
#
#   scripts/fuzz.sh run [TARGET...]       each target for FUZZ_SECONDS (default 60), or
#                                         until FUZZ_RUNS executions when that comes first
#   scripts/fuzz.sh merge [TARGET...]     minimise the kept corpora with what the runs found
#   scripts/fuzz.sh coverage [TARGET...]  line coverage the kept corpora reach
#
# TARGET is a corpus name (gbk, profile, skin-bmp, ...); no TARGET means all
# of them. A run starts from tests/fuzz/corpus/TARGET and
# keeps what it finds in FUZZ_BUILD/corpus/TARGET; an input that breaks a
# check lands in FUZZ_BUILD/findings/TARGET. Inputs kept as "finding-*" (the
# inputs of mended findings) stay in the corpus through every merge.
set -euo pipefail

src=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD:-$src/build-fuzz}
seconds=${FUZZ_SECONDS:-60}
runs=()
[ -n "${FUZZ_RUNS:-}" ] && runs=(-runs="$FUZZ_RUNS")
jobs=${JOBS:-2}
mode=${1:-run}
shift || true

configure() {
  command -v clang++ >/dev/null || { echo "fuzz: clang++ is missing (apt-get install clang llvm libclang-rt-14-dev)" >&2; exit 2; }
  cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DCQ_FUZZ=ON >/dev/null
}

# The longest input a target is given, where longer ones only slow every run:
# an INI of 1 KiB holds every kind of line and section the parser reads.
max_len() {
  case $1 in
    skin-ini) echo 1024 ;;
    *) echo 0 ;;
  esac
}

all_targets() {
  ninja -C "$build" -t targets all | sed -n 's/^cq-fuzz-\([a-z-]*\): .*/\1/p' | grep -v '^cov-' | sort
}

configure
targets=("$@")
[ ${#targets[@]} -eq 0 ] && mapfile -t targets < <(all_targets)

case "$mode" in
  run)
    cmake --build "$build" -j "$jobs" --target "${targets[@]/#/cq-fuzz-}"
    summary=()
    failed=0
    for t in "${targets[@]}"; do
      work=$build/corpus/$t findings=$build/findings/$t
      mkdir -p "$work" "$findings"
      log=$build/fuzz-$t.log
      echo "== $t: $seconds s"
      status=0
      # Without the allocation stacks the sanitizer would keep one of every
      # allocation's call stack for good: a run grows by a gigabyte in half a
      # million inputs until the fuzzer stops it as out of memory, and runs a
      # ninth as fast. An input that breaks a check is run again with them:
      #   build-fuzz/fuzz/cq-fuzz-TARGET build-fuzz/findings/TARGET/FILE
      ASAN_OPTIONS=${ASAN_OPTIONS:-malloc_context_size=0} \
      "$build/fuzz/cq-fuzz-$t" -max_total_time="$seconds" "${runs[@]}" -max_len="$(max_len "$t")" -print_final_stats=1 -artifact_prefix="$findings/" \
        "$work" "$src/tests/fuzz/corpus/$t" >"$log" 2>&1 || status=$?
      executed=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
      speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
      found=$(find "$findings" -type f | wc -l)
      [ "$status" -eq 0 ] || { failed=1; grep -m 3 -E "broken:|ERROR:|runtime error" "$log" || tail -5 "$log"; }
      summary+=("$(printf '%-12s %12s executions %8s/s  %4s in the run corpus  %s finding(s)' \
        "$t" "${executed:-?}" "${speed:-?}" "$(ls "$work" | wc -l)" "$found")")
    done
    printf '%s\n' "${summary[@]}"
    exit $failed
    ;;
  merge)
    cmake --build "$build" -j "$jobs" --target "${targets[@]/#/cq-fuzz-}"
    for t in "${targets[@]}"; do
      kept=$src/tests/fuzz/corpus/$t
      fresh=$(mktemp -d)
      mkdir -p "$kept" "$build/corpus/$t"
      # Edges only, not their counts: a handful of inputs that reach every edge reached so far.
      "$build/fuzz/cq-fuzz-$t" -merge=1 -use_counters=0 "$fresh" "$kept" "$build/corpus/$t" >"$build/merge-$t.log" 2>&1
      find "$kept" -type f ! -name 'finding-*' -delete
      cp "$fresh"/* "$kept"/ 2>/dev/null || true
      rm -rf "$fresh"
      echo "$t: $(ls "$kept" | wc -l) inputs kept"
    done
    ;;
  coverage)
    cov=("${targets[@]}")
    cmake --build "$build" -j "$jobs" --target "${cov[@]/#/cq-fuzz-cov-}"
    profiles=$build/coverage
    rm -rf "$profiles" && mkdir -p "$profiles"
    objects=()
    for t in "${cov[@]}"; do
      LLVM_PROFILE_FILE="$profiles/$t.profraw" "$build/fuzz-cov/cq-fuzz-cov-$t" "$src/tests/fuzz/corpus/$t" >/dev/null
      objects+=(-object "$build/fuzz-cov/cq-fuzz-cov-$t")
    done
    llvm-profdata merge -sparse "$profiles"/*.profraw -o "$profiles/all.profdata"
    # The first -object is the positional binary of llvm-cov.
    llvm-cov report "${objects[@]:1}" -instr-profile="$profiles/all.profdata" \
      "$src/skin" "$src/platform" "$src/data" "$src/app/Queries.cpp" "$src/tools/corpus" | sed "s|$src/||"
    ;;
  *)
    echo "usage: scripts/fuzz.sh run|merge|coverage [TARGET...]" >&2
    exit 2
    ;;
esac
