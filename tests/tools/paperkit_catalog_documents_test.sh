#!/usr/bin/env bash
# Runs "dump" and "list" of the catalog tool on small documents and checks their exact output.
set -euo pipefail
tool=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
pack() { printf '%s' "$2" >"$dir/src.xml" && "$tool" pack "$dir/src.xml" "$dir/$1"; }
expect_line() { grep -qxF -- "$2" "$1" || { cat "$1" >&2; fail "missing line: $2"; }; }

file='<Root><Ad Interval="7"><A Text="a&quot;b\c" URL="u"/></Ad><Subject>
<S Id="1" Category="2" Desc="风景&#9;" SizeList="1024x768,1280x1024"><I No="3" Total5="d5"/></S>
<S Id="2"/><S Id="3" Category="1"/></Subject></Root>'
pack file.xmz "$file"
[ "$("$tool" dump "$dir/file.xmz")" = "$file" ] || fail "dump does not print the document"

"$tool" list "$dir/file.xmz" --screen 1280x1024 >"$dir/out"
[ "$(wc -l <"$dir/out")" -eq 3 ] || fail "file.xmz: an album without Category must end the list"
expect_line "$dir/out" '{"Record":"WallAds","Text":"a\"b\\c","URL":"u"}'
grep -qF '"Id":1,"Desc":"风景\t",' "$dir/out" || fail "album text not escaped"
grep -qF '"Size":5,' "$dir/out" || fail "size not chosen for the screen"
grep -qF '"Images":[{"No":3,' "$dir/out" || fail "pictures missing"
grep -qF '"Totals":["","","","","","d5",' "$dir/out" || fail "totals missing"
expect_line "$dir/out" '{"Result":true,"WallAds.Interval":7}'
"$tool" list "$dir/file.xmz" --screen 1024x768 | grep -qF '"Size":0,' || fail "--screen ignored"

# The setup document is read onto the catalog beside it.
pack category.xmz '<Root><Category><C Id="2" Desc="d"/></Category></Root>'
pack setupfile.xmz '<Root><Category><C Id="2" N="Y"/></Category><Subject><T Id="1" N="Y"
Size="-1"/></Subject><WallPaper><P Type="1" Id="1"/></WallPaper><WallParas Interval="1"/></Root>'
"$tool" list "$dir/setupfile.xmz" >"$dir/out"
expect_line "$dir/out" '{"Record":"Categorys","Id":2,"Desc":"d","Remark":"","Preset":true}'
grep -qF '"Download":true,"Size":-1,"Downloaded":false,"InWallList":true' "$dir/out" ||
    fail "setup choices not applied"
expect_line "$dir/out" '{"Record":"WallPapers","Type":"1","Id":"1","Name":"风景\t","HasSub":""}'
grep -qF '"Interval":3,' "$dir/out" || fail "interval rule not applied"
expect_line "$dir/out" '{"Result":true}'

# Bytes that are not UTF-8 still give valid JSON.
printf '<Root><Category><C Id="1" Desc="\xb7\xe7"/></Category></Root>' >"$dir/src.xml"
"$tool" pack "$dir/src.xml" "$dir/category.xmz"
expect_line <("$tool" list "$dir/category.xmz") \
    '{"Record":"Categorys","Id":1,"Desc":"\ufffd\ufffd","Remark":"","Preset":false}'

pack lastver.xmz '<Root><File><F Id="664626"/></File></Root>'
status=0
"$tool" list "$dir/lastver.xmz" >"$dir/out" || status=$?
[ $status -eq 1 ] || fail "a failed reader exited with $status"
expect_line "$dir/out" '{"Result":false,"LastVer":""}'

cp "$dir/file.xmz" "$dir/guide.PKD"
"$tool" list "$dir/guide.PKD" | grep -qF '{"Record":"DSubjects","Id":1,' || fail "guide not read"
"$tool" list "$dir/guide.PKD" --kind category | grep -qxF '{"Result":true}' || fail "--kind ignored"

for args in "$dir/other.xmz" "$dir/file.xmz --kind nonsense" "$dir/file.xmz --screen 800"; do
    status=0
    # shellcheck disable=SC2086
    "$tool" list $args >/dev/null 2>"$dir/err" || status=$?
    [ $status -eq 1 ] && [ -s "$dir/err" ] || fail "list $args exited with $status"
done
status=0
"$tool" dump "$dir/missing.xmz" 2>/dev/null || status=$?
[ $status -eq 1 ] || fail "dump of a missing container exited with $status"
echo "paperkit-catalog dump/list: ok"
