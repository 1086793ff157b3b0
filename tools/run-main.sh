#!/usr/bin/env bash
# Builds everything, then starts a program of the suite under Wine when a display is
# available (the first argument names it), or else runs the command-line analyser on the
# sample data set.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${SUITE_BUILD_DIR:-$top/build}
bash "$top/tools/build-all.sh"

program=${1:-korvan95}
if [ -n "${DISPLAY:-}" ] && [ -f "$build/win-x86_64/bin/$program.exe" ]; then
  export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
  export WINEDEBUG=${WINEDEBUG:--all}
  source "$top/tools/wine-env.sh"
  exec wine "$build/win-x86_64/bin/$program.exe"
fi

echo "== korvan-cli on samples/five-values.txt (no display: the analyser runs instead) =="
exec "$build/native/bin/korvan-cli" --text "$top/samples/five-values.txt"
