#!/usr/bin/env bash
# Builds everything and runs every test: the native unit tests, then the Windows tests
# (unit tests and the program tests of the test driver) under Wine in a virtual display.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${SUITE_BUILD_DIR:-$top/build}
bash "$top/tools/build-all.sh"

echo "== native tests =="
ctest --test-dir "$build/native" --output-on-failure -j "$(nproc)"

echo "== Windows tests under Wine =="
# The printing tests print to the cups-pdf queue.
bash "$top/tools/print-queue.sh"
export WINEPREFIX=$build/wineprefix
export WINEDEBUG=-all
bash "$top/tools/wine-session.sh" ctest --test-dir "$build/win-x86_64" --output-on-failure
