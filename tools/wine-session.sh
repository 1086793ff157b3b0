#!/usr/bin/env bash
# Runs a command with a virtual X display and a ready Wine prefix, and shuts Wine down after.
# WINEPREFIX must be set.
set -euo pipefail
: "${WINEPREFIX:?WINEPREFIX must be set}"
export WINEDEBUG=${WINEDEBUG:--all}
source "$(dirname "$0")/wine-env.sh"

display=""
xvfb_pid=""
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" >/dev/null 2>&1 || true
}
trap cleanup EXIT

for n in $(seq 91 140); do
  if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "no free X display number" >&2; exit 1; }
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
for _ in $(seq 50); do
  [ -e "/tmp/.X11-unix/X${display#:}" ] && break
  sleep 0.1
done

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w || true
fi

# Drive R: is a network drive (a folder of the prefix), where the programs refuse to save. The
# value goes to the 64-bit view of the registry, which Wine's drives are read from: where the
# 32-bit loader is installed, `wine reg` is the 32-bit one and writes to the 32-bit view.
mkdir -p "$WINEPREFIX/network-drive"
ln -sfn "$WINEPREFIX/network-drive" "$WINEPREFIX/dosdevices/r:"
wine reg add 'HKLM\Software\Wine\Drives' /v r: /d network /f /reg:64 >/dev/null 2>&1 || true
# No window manager runs in the display, and Wine waits 2 s for one whenever it hides a window
# it leaves to the window manager: every box that closes, every program that ends. Windows that
# Wine manages itself go at once. The pictures of the manuals (SUITE_SCREENSHOTS=1, see
# tools/update-screenshots.sh) keep the usual look.
managed=N
[ "${SUITE_SCREENSHOTS:-}" = 1 ] && managed=Y
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d $managed /f >/dev/null 2>&1 || true
wineserver -w || true

# One Wine server, with Wine's own background services, for the whole session: each program
# start then takes a moment, not seconds. The services are started here, away from the
# command's output, or a test runner would wait for them to close it.
wineserver -p
wineboot </dev/null >/dev/null 2>&1 || true
"$@"
