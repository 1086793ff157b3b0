#!/usr/bin/env bash
# Installs the Debian packages the suite needs to build and test, and nothing when all are there.
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

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
echo "installing: ${missing[*]}"
"${sudo[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
