#!/usr/bin/env bash
# Renders the pictures of one program into a contact sheet, to look at them while drawing.
#   bash tools/preview-bitmaps.sh <out.png> <picture source>...
# Uses the native bmpgen (build/native/bin/bmpgen) and ImageMagick's montage.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
out=$1; shift
bmpgen=${BMPGEN:-$top/build/native/bin/bmpgen}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$bmpgen" -o "$work" -rc "$work/bitmaps.rc" "$top/tools/fonts/glyphs.pix" "$@"
# Every picture scaled 3 times (the filler elements "Gap" and "Space" cut to 32 pixels),
# labelled with its resource name, twelve to a row: one stem's four looks x three states.
scale=${SCALE:-300%}
files=()
while read -r name; do
  f="$work/$name.bmp"
  case $name in Space*) convert "$f" -crop 32x20+0+0 +repage "$f" ;; esac
  convert "$f" -scale "$scale" "$work/$name.png"
  files+=("$work/$name.png")
done < <(grep ' BITMAP ' "$work/bitmaps.rc" | awk '{print $1}')
for ico in "$work"/*.ico; do
  [ -e "$ico" ] || continue
  name=$(basename "${ico%.ico}")
  convert "${ico}[0]" -background '#ff00ff' -flatten -scale "$scale" "$work/$name-32.png"
  convert "${ico}[1]" -background '#ff00ff' -flatten -scale "$scale" "$work/$name-16.png"
  files+=("$work/$name-32.png" "$work/$name-16.png")
done
montage -font DejaVu-Sans -label '%t' -pointsize 11 -background '#808080' \
  -tile "${TILE:-12x}" -geometry '+6+6' "${files[@]}" "$out"
echo "$out"
