#!/usr/bin/env bash
# Installs the Debian packages the suite needs to build and test, and nothing when all are there;
# and wine32 where the machine runs 32-bit programs (the answer of tools/win32-probe.sh is
# printed).
set -euo pipefail

packages=(
  cmake make g++ pkg-config
  libgtest-dev googletest libbenchmark-dev
  mingw-w64 wine wine64 xvfb xauth imagemagick locales
  weasyprint python3-markdown python3-munkres fonts-ipaexfont fonts-dejavu-core poppler-utils
  cups printer-driver-cups-pdf
  clang libclang-rt-14-dev
  libreoffice-calc-nogui
  wixl msitools faketime
)

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
install() {
  echo "installing: $*"
  "${sudo[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "$@"
}

missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] || install "${missing[@]}"

# Wine for 32-bit programs, only where the machine runs them: on a kernel without 32-bit
# support an installed wine32 makes the wine launcher fail for 64-bit programs too. (Its CUPS
# library lets the 32-bit programs print.)
if bash "$(dirname "$0")/win32-probe.sh" && ! { installed wine32:i386 && installed libcups2:i386; }; then
  dpkg --print-foreign-architectures | grep -qx i386 || "${sudo[@]}" dpkg --add-architecture i386
  install wine32:i386 libcups2:i386
fi
