#!/bin/sh
# KAVO_manual.pdf as a user gets it: about as many pages as its chapters and pictures fill, each
# chapter in the table of contents and in the body, and the Japanese font embedded, so the text
# is real text and not empty boxes.
#   check_manual.sh PDF MIN_PAGES MAX_PAGES
set -eu
pdf=$1
status=0

pages=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
if [ "$pages" -lt "$2" ] || [ "$pages" -gt "$3" ]; then
    echo "manual: $pages pages, expected $2 to $3"
    status=1
fi

text=$(pdftotext -enc UTF-8 "$pdf" -)
for heading in "KAVO について" "最初の起動" "項目の追加と変更" \
    "4 つの動作と ID → PW → pw-End の流れ" "ロックとパスモード" "画面と動作の設定" \
    "タスクトレー" "ヘルプとバージョン" "終了" "データの場所とバックアップ" "制限"; do
    # A line of the contents starts with the heading and its leader dots; in the body the
    # heading stands on a line of its own.
    if ! printf '%s\n' "$text" | awk -v h="$heading" '
            { sub(/^\f/, "") }
            index($0, h) == 1 && substr($0, length(h) + 1) ~ /^ *\.\.\./ { toc = 1 }
            $0 == h { body = 1 }
            END { exit !(toc && body) }'; then
        echo "manual: chapter \"$heading\" not both in the contents and in the text"
        status=1
    fi
done

if ! pdffonts "$pdf" | grep -q 'IPA'; then
    echo "manual: no Japanese font embedded"
    status=1
fi
[ "$status" -eq 0 ] && echo "manual: $pages pages, all chapters, Japanese font embedded"
exit "$status"
