#!/usr/bin/env bash
# Builds the three configurations from one tree: native (engine, analyser, unit tests,
# benchmarks, host tools), 64-bit Windows (its unit tests, the programs and the test driver) and
# 32-bit Windows (the release build and its unit tests, run where the machine runs 32-bit
# programs).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/tools/setup-machine.sh"

jobs=${JOBS:-$(nproc)}
build=${SUITE_BUILD_DIR:-$top/build}

configure() { # dir, extra args...
  local dir=$1; shift
  cmake -S "$top" -B "$dir" -DCMAKE_BUILD_TYPE=Release "$@" >"$dir.configure.log" 2>&1 \
    || { cat "$dir.configure.log"; return 1; }
}

mkdir -p "$build"
configure "$build/native"
cmake --build "$build/native" -j "$jobs"

for target in x86_64 i686; do
  configure "$build/win-$target" \
    -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-$target.cmake" \
    -DSUITE_HOST_TOOLS_DIR="$build/native/bin"
  cmake --build "$build/win-$target" -j "$jobs"
done
