# Sourced before Wine starts, with WINEPREFIX set.
#
# Wine reads Linux file names in the locale's encoding: without a UTF-8 locale a name outside
# ASCII ("Łukasz", "日本語") reaches the programs damaged. C.UTF-8 is always there; a UTF-8 locale
# already chosen (the Japanese tests') is kept.
case ${LC_ALL:-} in
  *.UTF-8 | *.utf8) ;;
  *) export LC_ALL=C.UTF-8 ;;
esac

# A prefix made before wine32 was installed starts nothing afterwards, not even 64-bit programs
# ("could not load kernel32.dll"): it is made anew. The prefix notes whether wine32 was there.
wine32_now=no
dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed' && wine32_now=yes
if [ -f "$WINEPREFIX/system.reg" ] && [ "$wine32_now" = yes ] \
  && [ "$(cat "$WINEPREFIX/.wine32" 2>/dev/null)" != yes ]; then
  echo "the Wine prefix $WINEPREFIX was made without wine32: made anew"
  rm -rf "$WINEPREFIX"
fi
if [ ! -d "$WINEPREFIX" ]; then
  mkdir -p "$WINEPREFIX"
  echo "$wine32_now" > "$WINEPREFIX/.wine32"
fi
