#!/usr/bin/env bash
# Builds everything and runs every test: the native unit tests, the same tests built with
# AddressSanitizer and UndefinedBehaviorSanitizer, a short run of every fuzz target, then the
# Windows tests (unit tests and the program tests of the test driver) under Wine in a virtual
# display, the release archives and packages (tools/make-dist.sh, tests/check-dist.sh), and
# last the 32-bit build where the machine runs 32-bit programs (tests/check-win32.sh).
# FUZZ_SECONDS sets the time of each fuzz target (default 10).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${SUITE_BUILD_DIR:-$top/build}
bash "$top/tools/build-all.sh"

echo "== native tests =="
ctest --test-dir "$build/native" --output-on-failure -j "$(nproc)"

echo "== native tests under AddressSanitizer and UndefinedBehaviorSanitizer =="
sanitize="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
# -O1 with line tables: half the compile time of -O2 -g, and the reports still name the lines.
cmake -S "$top" -B "$build/asan" -DCMAKE_BUILD_TYPE=None -DCMAKE_CXX_FLAGS="$sanitize -O1 -g1" -DSUITE_BENCHMARKS=OFF \
  -DCMAKE_EXE_LINKER_FLAGS="$sanitize" >"$build/asan.configure.log" 2>&1 \
  || { cat "$build/asan.configure.log"; exit 1; }
cmake --build "$build/asan" -j "${JOBS:-$(nproc)}" >"$build/asan.build.log" 2>&1 \
  || { cat "$build/asan.build.log"; exit 1; }
# A sanitizer report exits with 99, not the default 1, which korvan-cli's refusal tests
# expect as the program's own status and would otherwise pass. (The spreadsheet check runs
# no code of ours that the native run did not.)
ASAN_OPTIONS=exitcode=99 UBSAN_OPTIONS=exitcode=99:print_stacktrace=1 \
  ctest --test-dir "$build/asan" --output-on-failure -j "$(nproc)" -LE spreadsheet

echo "== fuzz targets (${FUZZ_SECONDS:-10} s each) =="
bash "$top/tools/run-fuzz.sh" "${FUZZ_SECONDS:-10}"

echo "== Windows tests under Wine =="
# The printing tests print to the cups-pdf queue.
bash "$top/tools/print-queue.sh"
export WINEPREFIX=$build/wineprefix
export WINEDEBUG=-all
bash "$top/tools/wine-session.sh" ctest --test-dir "$build/win-x86_64" --output-on-failure

# The 32-bit release runs where the machine runs 32-bit programs; elsewhere it is compiled and
# linked only.
win32=0
bash "$top/tools/win32-probe.sh" && win32=1

echo "== release archives and packages =="
# The archives and packages made from this build, checked as a user gets them.
bash "$top/tools/make-dist.sh"
SUITE_RUN_WIN32=$win32 bash "$top/tests/check-dist.sh"

echo "== the 32-bit build under Wine =="
if [ "$win32" = 1 ]; then
  bash "$top/tests/check-win32.sh"
else
  echo "not run: this machine does not run 32-bit programs (the 32-bit build was compiled and linked only)"
fi
