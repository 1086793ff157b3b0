#!/usr/bin/env bash
# Makes the PDF printer that the printing tests print to: starts the CUPS scheduler when it
# is not running and adds the cups-pdf queue "PDF" as the default destination. Safe to run
# again. Needs root (cupsd and lpadmin); without it, or without CUPS, it says so and leaves
# the printing tests to find no printer.
set -euo pipefail

if ! command -v cupsd >/dev/null 2>&1 || ! command -v lpadmin >/dev/null 2>&1; then
  echo "print-queue: CUPS is not installed; printing tests will find no printer" >&2
  exit 0
fi
if [ "$(id -u)" -ne 0 ]; then
  echo "print-queue: not root; the scheduler and the PDF queue are left as they are" >&2
  exit 0
fi

running() { lpstat -r 2>/dev/null | grep -q "is running"; }
if ! running; then
  cupsd
  for _ in $(seq 50); do
    running && break
    sleep 0.1
  done
fi

if ! lpstat -p PDF >/dev/null 2>&1; then
  lpadmin -p PDF -v cups-pdf:/ -E -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd
fi
if [ "$(lpstat -d 2>/dev/null | sed -n 's/^system default destination: //p')" != "PDF" ]; then
  lpadmin -d PDF
fi
