#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) in <build>/fuzz and runs each for the given number of seconds
# (default 20), as many at once as there are processors, starting from the seeds in
# fuzz/seeds/<target>/ and the corpus the earlier runs left in <build>/fuzz/corpus/<target>/.
# A finding stops the script with the failing input saved in <build>/fuzz/findings/<target>/.
#   FUZZ_RUNS=N      run each target for N executions instead of a time
#   FUZZ_TARGETS=".." only these targets (names without fuzz_)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${SUITE_BUILD_DIR:-$top/build}/fuzz
seconds=${1:-20}
jobs=${JOBS:-$(nproc)}
targets=${FUZZ_TARGETS:-"data_file sheet_text results_file cf_input cli_options grid_keys"}

mkdir -p "$build"
cmake -S "$top/fuzz" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=None \
  >"$build.configure.log" 2>&1 || { cat "$build.configure.log"; exit 1; }
cmake --build "$build" -j "$jobs" --target $(printf 'fuzz_%s ' $targets) >"$build/build.log" 2>&1 \
  || { cat "$build/build.log"; exit 1; }

# Longest input per target: the cf box holds at most 61 characters, argument lists and
# data texts are explored at a few kilobytes, grid event sequences at one (its 'B' and 'D'
# events reach a full grid in a few bytes).
max_len() {
  case $1 in
    cf_input) echo 64 ;;
    grid_keys) echo 1024 ;;
    *) echo 4096 ;;
  esac
}

# One target on each processor at a time; the results are reported in the order of the list.
run_target() {
  local target=$1 corpus=$build/corpus/$1 findings=$build/findings/$1 limit
  mkdir -p "$corpus" "$findings"
  if [ -n "${FUZZ_RUNS:-}" ]; then limit=-runs="$FUZZ_RUNS"; else limit=-max_total_time="$seconds"; fi
  "$build/bin/fuzz_$target" "$limit" -max_len="$(max_len "$target")" -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$findings/" \
    "$corpus" "$top/fuzz/seeds/$target" >"$build/$target.log" 2>&1
}

report() { # target, status
  local log=$build/$1.log
  if [ "$2" = 0 ]; then
    # The last status line and the execution count.
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    cov=$(grep -E '^#[0-9]+' "$log" | tail -1 | sed -n 's/.*cov: \([0-9]*\).*ft: \([0-9]*\).*corp: \([0-9]*\).*/cov \1, features \2, corpus \3/p')
    printf '%-13s %10s runs, %s\n' "$1" "$runs" "$cov"
  else
    echo "fuzz_$1 found a fault (log: $log):"
    grep -E 'ERROR|invariant broken|runtime error|Test unit written' "$log" | head -20
    return 1
  fi
}

set -- $targets
failed=0
while [ $# -gt 0 ]; do
  batch=() pids=()
  while [ $# -gt 0 ] && [ ${#batch[@]} -lt "$jobs" ]; do
    run_target "$1" & pids+=($!) batch+=("$1"); shift
  done
  for i in "${!batch[@]}"; do
    status=0; wait "${pids[$i]}" || status=$?
    report "${batch[$i]}" "$status" || failed=1
  done
  [ "$failed" = 0 ] || exit 1
done
