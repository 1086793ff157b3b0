#!/usr/bin/env bash
# The 32-bit build, the release most users install, where the machine runs 32-bit programs
# (tools/run-tests.sh asks tools/win32-probe.sh first). Under Wine:
#  1. the unit tests of the 32-bit build;
#  2. the same bytes from both builds: the analyser's results page texts, results file, error
#     text and exit status for the golden data sets and a few thousand generated values, in
#     several conditions and both languages (unit tests that compare with a tolerance prove
#     nothing bit for bit);
#  3. the program tests that start the programs (the table over the four programs, the close
#     table, and one real flow per program), against the unpacked 32-bit release archive.
# WINEPREFIX must be set.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${SUITE_BUILD_DIR:-$top/build}
: "${WINEPREFIX:?WINEPREFIX must be set}"
if [ "${1:-}" != --in-session ]; then
  exec bash "$top/tools/wine-session.sh" bash "$0" --in-session
fi
version=$(tr -d ' \r\n' < "$top/VERSION")
work=$build/win32-check
rm -rf "$work"
mkdir -p "$work/data"

echo "-- unit tests of the 32-bit build"
ctest --test-dir "$build/win-i686" --output-on-failure

echo "-- the analyser of both builds, byte for byte"
# Generated data: a korvan95 data file of 999 values and a spreadsheet range of 3000 cells, of
# every magnitude, sign and form the readers take (a fixed linear congruential sequence).
awk 'BEGIN { x = 12345; for (i = 0; i < 999; i++) { x = (x * 1103515245 + 12345) % 2147483648;
  printf "%.10g\r\n", (x / 2147483648 - 0.3) * 10 ^ (x % 13 - 6) } }' > "$work/data/generated.txt"
awk 'BEGIN { x = 777; for (i = 1; i <= 3000; i++) { x = (x * 1103515245 + 12345) % 2147483648;
  v = x % 4 == 0 ? sprintf("%d/%d", x % 1000 - 400, x % 97 + 1) : sprintf("%.9e", (x / 2147483648 - 0.5) * 10 ^ (x % 9));
  printf "%s%s", v, i % 3 ? "\t" : "\r\n" } }' > "$work/data/generated-sheet.txt"
compared=0
for data in "--text $top/samples/five-values.txt" "$top/samples/five-values-sheet.txt" \
            "--text $top/tests/data/large-values.txt" "--text $work/data/generated.txt" \
            "$work/data/generated-sheet.txt"; do
  for options in "" "-p 99.5 -k standard --basis sample" "--japanese -p 50 -k 20"; do
    for flavour in x86_64 i686; do
      rm -f "$work/$flavour.xls"
      # shellcheck disable=SC2086  # the options and the data are word lists
      status=0
      wine "$build/win-$flavour/bin/korvan-cli.exe" $options --export "$work/$flavour.xls" $data \
        > "$work/$flavour.out" 2> "$work/$flavour.err" || status=$?
      echo "exit status $status" >> "$work/$flavour.err"
      touch "$work/$flavour.xls"
    done
    for file in out err xls; do
      cmp "$work/x86_64.$file" "$work/i686.$file" \
        || { echo "the 32-bit build differs: $file of $options $data" >&2; exit 1; }
    done
    compared=$((compared + 1))
  done
done
echo "$compared analyses alike in both builds"

echo "-- program tests against the unpacked 32-bit release"
/usr/bin/python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' \
  "$top/dist/korvan-suite-$version-win32.zip" "$work/release"
KORVAN_PROGRAMS="Z:${work//\//\\}\\release" wine "$build/win-x86_64/bin/program_tests.exe" \
  --gtest_filter='EveryProgram.*:CloseWhileABoxIsOpen.*:Korvan95.DataRead*:Korvan00.TheClipboardText*:Korvan00.TheDrawnPage*:Zorpa.StartsEmpty*:Quibe.ShowsTheCoefficient*'
