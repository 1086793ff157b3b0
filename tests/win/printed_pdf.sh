#!/usr/bin/env bash
# Prints the test page through the graph output to the default printer (the cups-pdf queue
# made by tools/print-queue.sh), then checks the PDF the queue wrote: one page on which the
# picture covers exactly the computed place and size. The page has a black band in its
# top-left corner and a red square in its bottom-right corner on white, so the drawn area of
# the rendered sheet is the picture. (Wine's PostScript driver draws a DIB as runs of filled
# rectangles, not as an embedded image, so the sheet is rendered and measured.)
# Usage: printed_pdf.sh <output_win_test.exe> <x> <y> <width> <height> <printer pixels per inch>
set -euo pipefail
exe=$1 want_x=$2 want_y=$3 want_w=$4 want_h=$5 dpi=$6

out=$(sed -n 's/^Out[[:space:]]\+//p' /etc/cups/cups-pdf.conf 2>/dev/null | head -1)
out=${out:-'${HOME}/PDF'}
out=${out//'${HOME}'/$HOME}
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printed() { find "$out" -maxdepth 1 -name 'Korvan*.pdf' | sort; }
printed >"$work/before"

OUTPUT_TEST_PRINT=1 wine "$exe" --gtest_filter=*PrintToTheDefaultPrinter*

# The queue's new document, once it is complete.
pdf=""
for _ in $(seq 120); do
  pdf=$(printed | comm -13 "$work/before" - | head -1)
  if [ -n "$pdf" ] && pdfinfo "$pdf" >/dev/null 2>&1; then break; fi
  pdf=""
  sleep 0.5
done
[ -n "$pdf" ] || { echo "no PDF named Korvan*.pdf appeared in $out" >&2; exit 1; }
echo "printed: $pdf"
mv "$pdf" "$work/printed.pdf"

pages=$(pdfinfo "$work/printed.pdf" | sed -n 's/^Pages:[[:space:]]*//p')
[ "$pages" = 1 ] || { echo "expected one page, found $pages" >&2; exit 1; }
pdftoppm -r "$dpi" -gray "$work/printed.pdf" "$work/sheet"
box=$(convert "$work"/sheet*.pgm -fuzz 2% -format '%@' info:)
echo "drawn area: $box (expected ${want_w}x${want_h}+${want_x}+${want_y})"
read -r got_w got_h got_x got_y <<<"$(echo "$box" | tr 'x+' '  ')"
status=0
for pair in "$got_x:$want_x" "$got_y:$want_y" "$got_w:$want_w" "$got_h:$want_h"; do
  got=${pair%%:*} want=${pair##*:}
  diff=$(( got - want )); diff=${diff#-}
  [ "$diff" -le 1 ] || status=1   # one pixel for the rasteriser's rounding
done
[ "$status" = 0 ] || echo "the picture is not where the printed size puts it" >&2
exit $status
