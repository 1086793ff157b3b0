#!/usr/bin/env bash
# Builds the Windows Installer package of one architecture from a folder holding the files of a
# release archive (tools/make-dist.sh), with wixl from tools/korvan-suite.wxs:
#   tools/make-msi.sh win32|win64 FOLDER VERSION OUTPUT.msi
# Each architecture is a product of its own, with an upgrade code that never changes. The
# product code is derived from that and the version: every build of one version has the same,
# a new version a new one, which Windows Installer then installs in place of the older. The
# package is reproducible: the files' times, the summary's times (SOURCE_DATE_EPOCH, or the
# time of the last commit) and the package code (derived from the rest of the package) are
# fixed.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
flavour=$1 folder=$(cd "$2" && pwd) version=$3 output=$(realpath -m "$4")
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$top" log -1 --format=%ct 2>/dev/null || echo 315532800)}
case $flavour in
  win32) arch=x86 win64=no upgrade=3F0B6C2E-8D41-4A57-9E13-6C75B2A4D901 ;;
  win64) arch=x64 win64=yes upgrade=9A27E4D0-51C3-4B8F-A6E2-0D84F3C1B752 ;;
  *) echo "usage: $0 win32|win64 FOLDER VERSION OUTPUT.msi" >&2; exit 2 ;;
esac
code() { /usr/bin/python3 -c 'import sys, uuid; print(str(uuid.uuid5(uuid.UUID(sys.argv[1]), sys.argv[2])).upper())' "$upgrade" "$1"; }

# wixl writes the current time into the summary (run at a fixed one) and the files' times into
# the cabinet (set to the epoch), and takes the files from the current folder.
touch -d "@$epoch" "$folder"/*
mkdir -p "$(dirname "$output")"
(cd "$folder" && TZ=UTC NO_FAKE_STAT=1 faketime "$(date -u -d "@$epoch" '+%Y-%m-%d %H:%M:%S')" \
  wixl -a "$arch" -D Win64=$win64 -D Version="$version" -D UpgradeCode="$upgrade" \
    -D ProductCode="$(code "$version")" -D MenuComponent="$(code 'Start menu')" \
    -o "$output.part" "$top/tools/korvan-suite.wxs")
# wixl draws a random package code: name the package by a digest of all else instead.
summary() { # package code
  msibuild "$output.part" -s "$(msiinfo suminfo "$output.part" | sed -n 's/^Subject: //p')" \
    "the Korvan suite developers" "$(msiinfo suminfo "$output.part" | sed -n 's/^Template: //p')" "{$1}"
}
summary 00000000-0000-0000-0000-000000000000
summary "$(code "package $(sha256sum < "$output.part" | cut -c1-64)")"
mv "$output.part" "$output"
