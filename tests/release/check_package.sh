#!/bin/sh
# The release zip that `cmake --build <tree> --target package` makes, named after the version: one
# folder "KAVO", the same in every version so a newer zip unpacks over the old folder, with
# exactly the program, the manual and the read-me (never a data file), each what its name says.
#   check_package.sh ZIP VERSION
set -eu
zip=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
name=$(basename "$zip" .zip)
folder=KAVO
status=0
fail() {
    echo "package: $*"
    status=1
}

[ -f "$zip" ] || { echo "package: no $zip (build the target package first)"; exit 1; }
case "$name" in
    KAVO-"$2"-win64) ;;
    *) fail "named $name, not after version $2" ;;
esac

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
listing=$(cd "$work" && cmake -E tar tf "$zip" | grep -v '/$' | sort | tr '\n' ' ')
expected="$folder/KAVO.exe $folder/KAVO_manual.pdf $folder/README_ja.txt "
[ "$listing" = "$expected" ] || fail "holds \"$listing\", expected \"$expected\""

(cd "$work" && cmake -E tar xf "$zip")
[ "$(head -c 2 "$work/$folder/KAVO.exe")" = "MZ" ] || fail "KAVO.exe is no Windows program"
[ "$(head -c 5 "$work/$folder/KAVO_manual.pdf")" = "%PDF-" ] || fail "KAVO_manual.pdf is no PDF"
readme="$work/$folder/README_ja.txt"
# Notepad reads it on any Windows: the UTF-8 mark, CR LF line ends; it names the version.
mark=$(head -c 3 "$readme" | od -An -tx1 | tr -d ' ')
[ "$mark" = "efbbbf" ] || fail "read-me without UTF-8 mark"
grep -q "$(printf '\r')\$" "$readme" || fail "read-me without CR LF line ends"
grep -q "KAVO $2 " "$readme" || fail "read-me does not name version $2"
# Its first lines say how to update without losing the data, and to keep the data files before
# the folder is deleted.
head=$(head -n 20 "$readme")
for word in 更新 上書き アンインストール バックアップ pw_set1.dat pw_set2.dat pw_set3.dat 許可する; do
    case "$head" in
        *"$word"*) ;;
        *) fail "read-me's first lines do not say $word" ;;
    esac
done

[ "$status" -eq 0 ] && echo "package: $name.zip holds KAVO.exe, KAVO_manual.pdf, README_ja.txt"
exit "$status"
