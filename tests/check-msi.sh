#!/usr/bin/env bash
# Checks the Windows Installer packages that tools/make-dist.sh made, against the release
# archives that tests/check-dist.sh unpacked (SUITE_UNPACKED): each package holds exactly the
# files of its archive; then, under Wine in a prefix of its own made afresh (build/msi-prefix),
# quiet installs put those files under Program Files, the shortcuts into the Start menu and an
# entry under installed programs; an older version is replaced, a repeated install and the
# older package change nothing; korvan95 starts from its installed folder and Help finds its
# manual there (the Release test of the test driver); uninstalling removes every file,
# shortcut and registry value of the suite.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${SUITE_BUILD_DIR:-$top/build}
version=$(tr -d ' \r\n' < "$top/VERSION")
work=$build/msi-check
msi() { echo "$top/dist/korvan-suite-$version-$1.msi"; }
zipped() { echo "${SUITE_UNPACKED:?the folder where check-dist.sh unpacked the archives}/$1"; }
windows() { echo "Z:${1//\//\\}"; }
fail() { echo "$*" >&2; exit 1; }
same() { # what, expected, actual
  [ "$2" = "$3" ] || { echo "$1:" >&2; diff <(echo "$2") <(echo "$3") >&2; exit 1; }
}
property() { msiinfo export "$1" Property | tr -d '\r' | sed -n "s/^$2\t//p"; }
# Wine would also make Linux menu entries from the shortcuts, outside the prefix.
export WINEDLLOVERRIDES=winemenubuilder.exe=d WINEPREFIX=$build/msi-prefix

if [ "${1:-}" != --in-session ]; then
  rm -rf "$work" "$WINEPREFIX"
  for flavour in win32 win64; do
    # (msiextract puts the files of the 32-bit package under "Program Files", the others at the top.)
    msiextract -C "$work/$flavour" "$(msi $flavour)" >/dev/null
    [ -z "$(find "$work/$flavour" -type f -not -path '*/Korvan suite/*')" ] \
      && diff -r -x SHA256SUMS "$(zipped $flavour)" "$(find "$work/$flavour" -type d -name 'Korvan suite')" >&2 \
      || fail "$(msi $flavour) holds other files than its archive"
  done
  # An older package that differs: a lower version with another README.txt.
  mkdir -p "$work/older"
  cp "$(zipped win64)"/* "$work/older"
  echo "an older version" >> "$work/older/README.txt"
  bash "$top/tools/make-msi.sh" win64 "$work/older" 0.0.1 "$work/older.msi"
  echo "packages: the files of the archives"
  exec bash "$top/tools/wine-session.sh" bash "$0" --in-session
fi

drive_c=$WINEPREFIX/drive_c
install() { wine msiexec /i "$(windows "$1")" /qn; }
# Our entries under installed programs (both registry views, seen from the 64-bit one: the
# wine launcher runs the 32-bit reg.exe where wine32 is installed): key, name, version,
# publisher, uninstall command.
entries() {
  for view in '' 'Wow6432Node\'; do
    wine reg query "HKLM\\Software\\${view}Microsoft\\Windows\\CurrentVersion\\Uninstall" /s /reg:64 2>/dev/null
  done | tr -d '\r' | awk -F '    ' '
    /^HKEY_/ { key = $0 }
    $2 ~ /^(DisplayName|DisplayVersion|Publisher|UninstallString)$/ { entry[key] = entry[key] "|" $4 }
    END { for (k in entry) if (entry[k] ~ /Korvan suite/) print k entry[k] }' | sort
}
entry() { # flavour, folder of the registry view
  local code
  code=$(property "$(msi $1)" ProductCode)
  echo "HKEY_LOCAL_MACHINE\\Software\\$2Microsoft\\Windows\\CurrentVersion\\Uninstall\\$code|$(
    property "$(msi $1)" ProductName)|$version|the Korvan suite developers|MsiExec.exe /X$code"
}
# Our shortcuts: Start-menu folder, name and the path each starts.
links() {
  find "$drive_c" -path '*/Start Menu/Programs/Korvan suite*' -name '*.lnk' -print0 | /usr/bin/python3 -c '
import os, struct, sys
for link in sys.stdin.read().split("\0")[:-1]:
    data = open(link, "rb").read()
    at, flags = 0x4C, struct.unpack_from("<I", data, 0x14)[0]
    if flags & 1:  # the item id list comes first
        at += 2 + struct.unpack_from("<H", data, at)[0]
    path = at + struct.unpack_from("<I", data, at + 16)[0] if flags & 2 else 0  # the local path
    target = data[path:data.index(b"\0", path)].decode("cp1252") if path else "?"
    print(os.path.basename(os.path.dirname(link)) + "/" + os.path.basename(link), "->", target)' | LC_ALL=C sort
}
# Every installed file with its checksum, the shortcuts and the entries. (Wine writes the
# shortcuts anew on a repeated install, with the programs' last access times in them.)
state() {
  (cd "$drive_c" && find Program\ Files* -path '*Korvan suite*' -type f -print0 | LC_ALL=C sort -z | xargs -0r sha256sum)
  links
  entries
}
x64=$drive_c/Program\ Files/Korvan\ suite
x86=$drive_c/Program\ Files\ \(x86\)/Korvan\ suite

install "$work/older.msi" || fail "the older package did not install"
install "$(msi win64)" || fail "the 64-bit package did not install over the older one"
same "installed programs after the upgrade" "$(entry win64 '')" "$(entries)"
diff -r -x SHA256SUMS "$(zipped win64)" "$x64" >&2 || fail "the 64-bit files differ from the archive's"
install "$(msi win32)" || fail "the 32-bit package did not install"
same "installed programs" "$( (entry win32 'Wow6432Node\'; entry win64 '') | sort)" "$(entries)"
diff -r -x SHA256SUMS "$(zipped win32)" "$x86" >&2 || fail "the 32-bit files differ from the archive's"

# One Start-menu folder per package, with a shortcut to each installed program.
expected=$(for flavour in win32 win64; do
  folder='C:\Program Files\Korvan suite'
  [ $flavour = win32 ] && folder='C:\Program Files (x86)\Korvan suite'
  name=$(property "$(msi $flavour)" ProductName)
  printf '%s\n' "$name/Korvan [II].lnk -> $folder\KORVAN00.EXE" "$name/Korvan.lnk -> $folder\KORVAN95.EXE" \
    "$name/Quibe.lnk -> $folder\QUIBE95.EXE" "$name/Zorpa.lnk -> $folder\ZORPA95.EXE"
done | LC_ALL=C sort)
same "Start menu" "$expected" "$(links)"

# korvan95 from its installed folder (the Release test starts the programs of the folder named
# KORVAN_RELEASE_WIN64). The 32-bit programs start only where the machine runs 32-bit programs:
# SUITE_RUN_WIN32=1.
run=("$x64")
[ "${SUITE_RUN_WIN32:-}" = 1 ] && run+=("$x86")
for folder in "${run[@]}"; do
  log=$work/release-tests.log
  KORVAN_RELEASE_WIN64=$(windows "$folder") KORVAN_RELEASE_WIN32=$(windows "$x86") \
    wine "$build/win-x86_64/bin/program_tests.exe" --gtest_filter='Release.*/korvan95' > "$log" \
    || { cat "$log"; fail "korvan95 from $folder"; }
  grep -q '\[  PASSED  \] 1 test' "$log" || { cat "$log"; fail "the Release test did not run"; }
done

# The same packages again, and the older one after the newer, change nothing.
before=$(state)
install "$(msi win64)" || fail "the 64-bit package did not install again"
install "$(msi win32)" || fail "the 32-bit package did not install again"
install "$work/older.msi" && fail "the older package installed over the newer"
same "after installing again" "$before" "$(state)"

# The entry's own uninstall command, and msiexec /x with the package.
wine $(entry win64 '' | cut -d'|' -f5) /qn || fail "the 64-bit uninstall failed"
wine msiexec /x "$(windows "$(msi win32)")" /qn || fail "the 32-bit uninstall failed"
left=$(cd "$drive_c" && find . -path '*Korvan suite*' -o -path './windows/Installer/*')  # and the cached packages
same "files left after uninstalling" "" "$left"
squash() { # a GUID as Windows Installer keys name it
  /usr/bin/python3 -c 'import sys; g = sys.argv[1].strip("{}").replace("-", "")
print(g[7::-1] + g[11:7:-1] + g[15:11:-1] + "".join(g[i + 1] + g[i] for i in range(16, 32, 2)))' "$1"
}
codes=()
for package in "$(msi win32)" "$(msi win64)" "$work/older.msi"; do
  for code in $(property "$package" ProductCode) $(property "$package" UpgradeCode); do
    codes+=("${code//[\{\}]/}" "$(squash "$code")")
  done
done
for hive in HKLM HKCU; do
  wine reg export $hive "$work/$hive.reg" /y /reg:64 >/dev/null
done
pattern=$(IFS='|'; echo "Korvan suite|${codes[*]}")
left=$(cat "$work"/HK*.reg | iconv -f UTF-16 -t UTF-8 | grep -i -E "$pattern" || true)
same "registry left after uninstalling" "" "$left"
echo "packages: installed, upgraded, started, installed again and removed"
