#!/usr/bin/env bash
# Checks the release archives that tools/make-dist.sh made, as a user gets them: unpacks both
# into a fresh folder, checks the exact list of files and the checksums of SHA256SUMS, then,
# under Wine, the version resource of every program of both archives and, from the unpacked
# 64-bit folder, what every program test checks of the start, About, Help and Exit, with the
# real manuals beside the programs (the Release tests of the test driver,
# tests/win/every_program_test.cpp), from a folder whose name lies outside every code page.
# Last the Windows Installer packages of the same files (tests/check-msi.sh). WINEPREFIX must
# be set.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${SUITE_BUILD_DIR:-$top/build}
: "${WINEPREFIX:?WINEPREFIX must be set}"
version=$(tr -d ' \r\n' < "$top/VERSION")

expected="KORVAN00.EXE
KORVAN0E.PDF
KORVAN0J.PDF
KORVAN95.EXE
KORVAN_E.PDF
KORVAN_J.PDF
LICENSE.txt
NOTICE.txt
QUIBE95.EXE
QUIBE95.TXT
README.txt
SHA256SUMS
ZORPA95.EXE
ZORPA95.TXT"

# Unpacked where a user may keep it: in a folder whose name no code page holds.
unpacked="$build/dist-check/Łukasz 日本語 😀"
rm -rf "$build/dist-check"
mkdir -p "$unpacked"
for flavour in win32 win64; do
  zip=$top/dist/korvan-suite-$version-$flavour.zip
  [ -f "$zip" ] || { echo "missing: $zip" >&2; exit 1; }
  folder=$unpacked/$flavour
  listed=$(/usr/bin/python3 - "$zip" "$folder" <<'PY'
import sys, zipfile
with zipfile.ZipFile(sys.argv[1]) as archive:
    bad = archive.testzip()
    if bad:
        sys.exit("corrupt entry: " + bad)
    archive.extractall(sys.argv[2])
    print("\n".join(sorted(archive.namelist())))
PY
)
  if [ "$listed" != "$expected" ]; then
    echo "$zip holds other files than expected:" >&2
    diff <(echo "$expected") <(echo "$listed") >&2 || true
    exit 1
  fi
  # SHA256SUMS covers every other file, and each checksum holds.
  summed=$(awk '{print $2}' "$folder/SHA256SUMS" | LC_ALL=C sort)
  if [ "$summed" != "$(echo "$expected" | grep -v '^SHA256SUMS$')" ]; then
    echo "$zip: SHA256SUMS does not list exactly the other files" >&2
    exit 1
  fi
  (cd "$folder" && sha256sum --check --quiet SHA256SUMS)
  # The texts for Windows users have CRLF line ends only.
  for text in README.txt LICENSE.txt NOTICE.txt; do
    if grep -q $'[^\r]$' "$folder/$text" || grep -q '^$' "$folder/$text"; then
      echo "$zip: $text has a line without CR LF" >&2
      exit 1
    fi
  done
  echo "$zip: $(echo "$listed" | wc -l) files, checksums good"
done

windows() { echo "Z:${1//\//\\}"; }
export KORVAN_RELEASE_WIN64=$(windows "$unpacked/win64")
export KORVAN_RELEASE_WIN32=$(windows "$unpacked/win32")
log=$unpacked/release-tests.log
bash "$top/tools/wine-session.sh" wine "$build/win-x86_64/bin/program_tests.exe" --gtest_filter='Release.*' \
  | tee "$log"
# Skipped would mean the driver did not see the unpacked folders.
if grep -q 'SKIPPED' "$log"; then
  echo "the Release tests were skipped" >&2
  exit 1
fi

SUITE_UNPACKED=$unpacked bash "$top/tests/check-msi.sh"
