#!/usr/bin/env bash
# Checks a rendered user manual: every font is embedded, the faces of its language are among
# them (a missing font draws nothing and raises no error), and the text comes back from the
# PDF: the title, and message texts exactly as the program shows them, in the manual's
# language and in ASCII. Blanks and line breaks are ignored when comparing, because the
# layout wraps lines.
#   check-manual.sh <path>/KORVAN_E.PDF (or KORVAN_J.PDF, KORVAN0E.PDF, KORVAN0J.PDF)
set -euo pipefail
pdf=$1
name=$(basename "$pdf")

case $name in
  KORVAN_E.PDF)
    fonts=(DejaVu-Serif DejaVu-Sans)
    texts=("Korvan User's Manual"
           "File does not have a proper format."
           "Unable to copy the graph to the clipboard."
           "Install the readme file (KORVAN_E.PDF)");;
  KORVAN_J.PDF)
    fonts=(IPAexMincho IPAexGothic)
    texts=("コルヴァン 使用説明書"
           "ファイルは不適切なフォーマットです."
           "グラフをクリップボードにコピーできません."
           "既入力データをセーブしますか？"
           "GetOpenFileName エラー 0x");;
  KORVAN0E.PDF)
    fonts=(DejaVu-Serif DejaVu-Sans)
    texts=("Korvan [II] User's Manual"
           "No proper data on the Clipboard."
           "E-100 <= exponent of the numerical value <= E100"
           "Unable to write to file.");;
  KORVAN0J.PDF)
    fonts=(IPAexMincho IPAexGothic)
    texts=("コルヴァン [II] 使用説明書"
           "クリップボードに適切なデータがありません."
           "入力データの数が３００００以上なので、入力を打ち切ります."
           "1.026642 < sigma < 3.751032");;
  *)
    echo "no expectations for $name" >&2
    exit 2;;
esac

failed=0
fail() { echo "FAIL $name: $*" >&2; failed=1; }

font_list=$(pdffonts "$pdf")
# The table rows after the two heading lines; column "emb" is the fourth from the right.
while read -r row; do
  [ -z "$row" ] && continue
  emb=$(awk '{print $(NF-4)}' <<<"$row")
  [ "$emb" = yes ] || fail "font not embedded: $row"
done < <(tail -n +3 <<<"$font_list")
for font in "${fonts[@]}"; do
  grep -q "+$font " <<<"$font_list" || fail "font $font is not embedded"
done

squeeze() { tr -d ' \t\n\r\f'; }
text=$(pdftotext -enc UTF-8 "$pdf" - | squeeze)
for wanted in "${texts[@]}"; do
  needle=$(printf '%s' "$wanted" | squeeze)
  grep -qF -- "$needle" <<<"$text" || fail "text not found: $wanted"
done

title=$(pdfinfo "$pdf" 2>/dev/null | sed -n 's/^Title: *//p')
[ "$title" = "${texts[0]}" ] || fail "document title is '$title', not '${texts[0]}'"

pages=$(pdfinfo "$pdf" 2>/dev/null | sed -n 's/^Pages: *//p')
[ "${pages:-0}" -ge 8 ] || fail "only ${pages:-0} pages"

[ $failed -eq 0 ] && echo "ok $name: ${pages} pages, fonts ${fonts[*]} embedded"
exit $failed
