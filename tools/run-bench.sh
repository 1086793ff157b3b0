#!/usr/bin/env bash
# Builds the native configuration and runs the benchmarks.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${SUITE_BUILD_DIR:-$top/build}
bash "$top/tools/setup-machine.sh"
cmake -S "$top" -B "$build/native" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build/native" -j "$(nproc)" --target suite_bench
exec "$build/native/bin/suite_bench" "$@"
