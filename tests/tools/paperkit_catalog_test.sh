#!/usr/bin/env bash
# Runs the catalog tool: a pack and unpack round trip, and a damaged container refused with exit 1.
set -euo pipefail
tool=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

printf 'first line\r\nsecond\n' >"$dir/list.xml"
"$tool" pack "$dir/list.xml" "$dir/c/list.xmz"
written=$("$tool" unpack "$dir/c/list.xmz" "$dir/out")
[ "$written" = "$dir/out/list.xml" ] || fail "unpack printed '$written'"
cmp "$dir/list.xml" "$dir/out/list.xml" || fail "the unpacked file differs"

echo "not a container" >"$dir/bad.xmz"
status=0
"$tool" unpack "$dir/bad.xmz" "$dir/bad" >"$dir/stdout" 2>"$dir/stderr" || status=$?
[ $status -eq 1 ] || fail "a damaged container exited with $status"
[ ! -s "$dir/stdout" ] || fail "a damaged container printed a path"
grep -q 'bad.xmz' "$dir/stderr" || fail "no message on stderr"
[ ! -e "$dir/bad" ] || fail "a damaged container wrote something"

status=0
"$tool" pack "$dir/missing.xml" "$dir/m.xmz" 2>/dev/null || status=$?
[ $status -eq 1 ] || fail "packing a missing file exited with $status"
echo "paperkit-catalog: ok"
