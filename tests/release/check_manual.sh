#!/bin/sh
# KAVO_manual.pdf as a user gets it: about as many pages as its chapters and pictures fill, a
# contents page under its heading, each chapter and the sections a newcomer looks for in the
# contents and in the body, every picture the text names there (the build leaves a missing one
# out quietly), and the Japanese font embedded, so the text is real text and not empty boxes.
#   check_manual.sh PDF MIN_PAGES MAX_PAGES MARKDOWN
set -eu
pdf=$1
source=$4
status=0

pages=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
if [ "$pages" -lt "$2" ] || [ "$pages" -gt "$3" ]; then
    echo "manual: $pages pages, expected $2 to $3"
    status=1
fi

text=$(pdftotext -enc UTF-8 "$pdf" -)
if ! printf '%s\n' "$text" | sed 's/^\f//' | grep -qx '目次'; then
    echo "manual: no heading 目次 over the contents"
    status=1
fi
# The chapter 検索と CSV ファイル stays even before its sections are written, so they have a place.
for heading in "KAVO について" "最初の起動" "データを置くフォルダー" "初めて起動したとき" \
    "ログインしてみる" "どの動作の種類を選ぶか" "ログオンしたときに起動する" "更新" \
    "アンインストール" "項目の追加と変更" "4 つの動作と ID → PW → pw-End の流れ" \
    "ロックとパスモード" "画面と動作の設定" "タスクトレー" "ヘルプとバージョン" \
    "検索と CSV ファイル" "終了" "データの場所とバックアップ" "制限"; do
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

pictures=$(grep -o '](\.\./[^)]*\.png)' "$source" | sed 's/^](//; s/)$//')
named=0
for picture in $pictures; do
    named=$((named + 1))
    [ -f "$(dirname "$source")/$picture" ] || {
        echo "manual: names the picture $picture, which is not there"
        status=1
    }
done
embedded=$(pdfimages -list "$pdf" | awk 'NR > 2 && $3 == "image"' | wc -l)
if [ "$embedded" -ne "$named" ]; then
    echo "manual: $embedded pictures in the PDF, the text names $named"
    status=1
fi

if ! pdffonts "$pdf" | grep -q 'IPA'; then
    echo "manual: no Japanese font embedded"
    status=1
fi
[ "$status" -eq 0 ] && echo "manual: $pages pages, all chapters, $named pictures, Japanese font embedded"
exit "$status"
