#!/usr/bin/env bash
# Makes the release archives from a Release build (tools/build-all.sh, run first):
#   dist/korvan-suite-<version>-win32.zip   the 32-bit programs, the release users install
#   dist/korvan-suite-<version>-win64.zip   the same for 64-bit Windows
#   dist/korvan-suite-<version>-win32.msi   Windows Installer packages of the same files
#   dist/korvan-suite-<version>-win64.msi   (tools/make-msi.sh)
#   dist/SHA256SUMS                         the checksums of these four files
# Each archive holds the four programs under the names they look for themselves by, their
# manuals and readmes, README.txt, LICENSE.txt, NOTICE.txt and SHA256SUMS, at the top of the
# archive. The archives are reproducible: sorted entries, one fixed time stamp
# (SOURCE_DATE_EPOCH, or the time of the last commit) on every entry and in the programs' PE
# headers, fixed permissions; so are the packages.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${SUITE_BUILD_DIR:-$top/build}
bash "$top/tools/build-all.sh"

version=$(tr -d ' \r\n' < "$top/VERSION")
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$top" log -1 --format=%ct 2>/dev/null || echo 315532800)}
out=$top/dist
mkdir -p "$out"

# strip writes the current time into the PE header: set the archives' time stamp instead and
# compute the header's checksum again (16-bit sums with carry, plus the file length).
pe_stamp() { # file
  /usr/bin/python3 - "$1" "$epoch" <<'PY'
import struct, sys
path, epoch = sys.argv[1], int(sys.argv[2])
data = bytearray(open(path, "rb").read())
pe = struct.unpack_from("<I", data, 0x3C)[0]
if data[pe:pe + 4] != b"PE\0\0":
    sys.exit(path + ": not a PE file")
struct.pack_into("<I", data, pe + 8, epoch & 0xFFFFFFFF)
checksum_at = pe + 24 + 64
struct.pack_into("<I", data, checksum_at, 0)
total = 0
for (word,) in struct.iter_unpack("<H", bytes(data) + b"\0" * (len(data) % 2)):
    total += word
    total = (total & 0xFFFF) + (total >> 16)
struct.pack_into("<I", data, checksum_at, (total + len(data)) & 0xFFFFFFFF)
open(path, "wb").write(data)
PY
}

# Text files for Windows users: CRLF line ends.
crlf() { sed -e 's/\r$//' -e 's/$/\r/' "$1"; }

package() { # flavour build-dir toolchain-prefix
  local flavour=$1 bin=$build/$2/bin prefix=$3
  local stage=$build/dist/$flavour
  rm -rf "$stage"
  mkdir -p "$stage"
  for program in korvan95 korvan00 zorpa95 quibe95; do
    local name
    name=$(echo "$program" | tr '[:lower:]' '[:upper:]').EXE
    "$prefix-strip" --strip-all -o "$stage/$name" "$bin/$program.exe"
    pe_stamp "$stage/$name"
  done
  for file in KORVAN_E.PDF KORVAN_J.PDF KORVAN0E.PDF KORVAN0J.PDF ZORPA95.TXT QUIBE95.TXT; do
    cp "$bin/$file" "$stage/$file"
  done
  crlf "$top/docs/release/README.txt" | sed "s/@VERSION@/$version/g" > "$stage/README.txt"
  crlf "$top/LICENSE" > "$stage/LICENSE.txt"
  crlf "$top/NOTICE" > "$stage/NOTICE.txt"
  (cd "$stage" && LC_ALL=C ls | grep -v '^SHA256SUMS$' | xargs sha256sum > SHA256SUMS)
  local zip=$out/korvan-suite-$version-$flavour.zip
  /usr/bin/python3 - "$stage" "$zip" "$epoch" <<'PY'
import os, sys, time, zipfile
stage, target, epoch = sys.argv[1], sys.argv[2], int(sys.argv[3])
stamp = time.gmtime(max(epoch, 315532800))[:6]  # the zip format starts in 1980
temporary = target + ".part"
with zipfile.ZipFile(temporary, "w") as archive:
    for name in sorted(os.listdir(stage)):
        entry = zipfile.ZipInfo(name, date_time=stamp)
        entry.compress_type = zipfile.ZIP_DEFLATED
        entry.create_system = 0
        entry.external_attr = 0x20  # an ordinary archived file
        with open(os.path.join(stage, name), "rb") as f:
            archive.writestr(entry, f.read(), compresslevel=9)
os.replace(temporary, target)
PY
  echo "$zip"
}

package win32 win-i686 i686-w64-mingw32
package win64 win-x86_64 x86_64-w64-mingw32

for flavour in win32 win64; do
  SOURCE_DATE_EPOCH=$epoch bash "$top/tools/make-msi.sh" $flavour "$build/dist/$flavour" "$version" \
    "$out/korvan-suite-$version-$flavour.msi"
  echo "$out/korvan-suite-$version-$flavour.msi"
done
(cd "$out" && sha256sum korvan-suite-"$version"-win{32,64}.{zip,msi} > SHA256SUMS)
