#!/usr/bin/env bash
# Runs the publishing commands as scripts/demo does: a small demo catalog, check (passing, then
# failing on an altered picture), guide, seed, and serve on a free port.
set -euo pipefail
tool=$1
. "$(dirname "$0")/catalog_test_lib.sh"

"$tool" demo "$dir/catalog" --picture-size 64x40 --sizes 1024x768 >"$dir/demo.log"
grep -q 'published 3 categories, 11 albums' "$dir/demo.log" || fail "demo: $(cat "$dir/demo.log")"

"$tool" check "$dir/catalog" >"$dir/check.log" || fail "check of a fresh catalog: $(cat "$dir/check.log")"
grep -q 'no problems found' "$dir/check.log" || fail "check printed $(cat "$dir/check.log")"

# scripts/demo presets category 2 and hands over album 1010: they must stay what it says.
"$tool" guide "$dir/catalog" 1010 -o "$dir/guides" >/dev/null
"$tool" unpack "$dir/guides/1010.pkd" "$dir/guide" >/dev/null
grep -q 'Desc="行星 Planets"' "$dir"/guide/* || fail "album 1010 is not the planets album"
"$tool" unpack "$dir/catalog/wallfiles/category.xmz" "$dir/categories" >/dev/null
grep -q '<C Id="2" Desc="风景 Landscapes"' "$dir"/categories/* || fail "category 2 is not landscapes"
"$tool" seed "$dir/catalog" "$dir/home" --preset 2 >/dev/null
[ -f "$dir/home/PaperKit/Receive/setupfile.xmz" ] || fail "seed wrote no setup document"
status=0
"$tool" seed "$dir/catalog" "$dir/home" --preset 2 2>/dev/null || status=$?
[ $status -eq 1 ] || fail "seeding over a setup document exited with $status"

picture=$(find "$dir/catalog/pictures" -path '*1024x768*' -name '*.jpg' | sort | sed -n 1p)
printf 'altered' >>"$picture"
status=0
"$tool" check "$dir/catalog" >"$dir/check.log" 2>&1 || status=$?
[ $status -eq 1 ] || fail "check of an altered catalog exited with $status"
grep -q "${picture#"$dir/catalog/"}: MD5" "$dir/check.log" || fail "check did not name the file: $(cat "$dir/check.log")"

serve_catalog "$dir/catalog"
length=$(curl -sfI "$url/wallfiles/filetotal.xmz" | tr -d '\r' | sed -n 's/^Content-Length: //Ip')
[ "$length" = "$(stat -c %s "$dir/catalog/wallfiles/filetotal.xmz")" ] || fail "HEAD gave length '$length'"
code=$(curl -s -o /dev/null -w '%{http_code}' --path-as-is "$url/../publish-state.xml")
[ "$code" = 403 ] || fail "a path leaving the catalog gave $code"
kill -TERM "$server"
wait "$server" || fail "serve did not stop cleanly on SIGTERM"
server=""
grep -q 'HEAD /wallfiles/filetotal.xmz 200' "$dir/serve.log" || fail "no request line logged"
echo "publishing commands: ok"
