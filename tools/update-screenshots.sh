#!/usr/bin/env bash
# Takes the screenshots of the manuals and the README again: runs the program tests that take
# them (English, then Japanese) with SUITE_SCREENSHOTS=1, which makes the driver wait for each
# window to repaint and save it as a BMP file, and converts those into docs/screenshots/.
# Run after a build (tools/build-all.sh).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${SUITE_BUILD_DIR:-$top/build}
bin=$build/win-x86_64/bin
export WINEPREFIX=$build/wineprefix
export WINEDEBUG=-all
export SUITE_SCREENSHOTS=1
shots=(korvan95-grid korvan95-conditions korvan95-results korvan00-conditions korvan00-results)
filter='Korvan95.KeysAndClicksTypeIntoTheGrid:Korvan95.TheConditionsAndPrintZoomDialogs'
filter+=':Korvan95.ResultsPageSavedAsBitmapCopiedAndPrinted'
filter+=':Korvan00.TheDrawnPageIsSavedCopiedPrintedAndDroppedByNewConditions'
filter+=':Korvan00.ConditionsDialogModesAndRefusedConfidence'
# The calculators with a worked result, for the README.
shots+=(zorpa95-results quibe95-results)
filter+=':Zorpa.StartsEmptyShowsTheWorkedValuesAndClearsThemOnAChange:Quibe.ShowsTheCoefficientAndClearsOnEveryChoice'
rm -f "$bin"/*.bmp
# Two of them print their page.
bash "$top/tools/print-queue.sh"
# The tests that take the pictures; a failing one is shown (its pictures may be wrong).
log=$build/screenshots.log
shoot() {
  "$@" >"$log" 2>&1 || { grep -B2 -A8 'Failure\|FAILED' "$log" >&2; exit 1; }
}
shoot bash "$top/tools/wine-session.sh" wine "$bin/program_tests.exe" --gtest_filter="$filter"
shoot env LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 bash "$top/tools/wine-session.sh" \
  wine "$bin/program_tests.exe" --gtest_filter='Korvan*Japanese*'
mkdir -p "$top/docs/screenshots"
for shot in "${shots[@]}"; do
  [ -f "$bin/$shot.bmp" ] || { echo "no picture $shot.bmp: a test that takes it did not run" >&2; exit 1; }
  for name in "$shot" "$shot-ja"; do
    if [ -f "$bin/$name.bmp" ]; then
      convert "$bin/$name.bmp" -strip "$top/docs/screenshots/$name.png"
      echo "docs/screenshots/$name.png"
    fi
  done
done
