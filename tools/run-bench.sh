#!/usr/bin/env bash
# Builds the native configuration and runs the benchmarks:
#   bash tools/run-bench.sh              the side-by-side table (korvan00's analysis against
#                                        NumPy/SciPy, tools/side_by_side.py)
#   bash tools/run-bench.sh --google ... the Google Benchmark suite, with its options
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${SUITE_BUILD_DIR:-$top/build}
bash "$top/tools/setup-machine.sh"
cmake -S "$top" -B "$build/native" -DCMAKE_BUILD_TYPE=Release >/dev/null
if [ "${1:-}" = "--google" ]; then
  shift
  cmake --build "$build/native" -j "$(nproc)" --target suite_bench
  exec "$build/native/bin/suite_bench" "$@"
fi
cmake --build "$build/native" -j "$(nproc)" --target korvan-side-bench
if ! /usr/bin/python3 -c 'import numpy, scipy' 2>/dev/null; then
  echo "the side-by-side table needs python3-numpy and python3-scipy (Debian packages)" >&2
  exit 1
fi
exec /usr/bin/python3 "$top/tools/side_by_side.py" "$build/native/bin/korvan-side-bench" "$@"
