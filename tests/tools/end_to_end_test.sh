#!/usr/bin/env bash
# The whole way round: publish a small demo catalog, serve it, and run the program without windows
# on it until it is idle, with one category preset and one guide file handed over. Every cover,
# the preset albums and the guide's album must arrive byte for byte as published.
set -euo pipefail
tool=$1
program=$2
. "$(dirname "$0")/catalog_test_lib.sh"

catalog=$dir/catalog
"$tool" demo "$catalog" --picture-size 64x40 --sizes 1024x768 >/dev/null
"$tool" seed "$catalog" "$dir/home" --preset 2 >/dev/null
"$tool" guide "$catalog" 1010 -o "$dir" >/dev/null

serve_catalog "$catalog"

export XDG_DATA_HOME=$dir/home XDG_CONFIG_HOME=$dir/config XDG_RUNTIME_DIR=$dir/runtime
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
export PAPERKIT_WALLPAPER_COMMAND='true %f'
unset DISPLAY WAYLAND_DISPLAY
status=0
timeout 120 "$program" --headless --exit-when-idle --server "$url" "$dir/1010.pkd" \
    >"$dir/run.log" 2>&1 || status=$?
[ $status -eq 0 ] || fail "paperkit exited with $status: $(cat "$dir/run.log")"

data=$dir/home/PaperKit
for name in filetotal.xmz filetotalold.xmz category.xmz file.xmz lastver.xmz setupfile.xmz \
    downloadfile.xmz; do
    [ -f "$data/Receive/$name" ] || fail "Receive/$name is missing"
done

# Same bytes as published: the catalog's pictures/ID/SIZE/NAME is the program's
# FOLDER/ID/NAME (the demo's albums have LocalPath "/ID/").
same() {
    [ -f "$2" ] || fail "${2#"$dir/"} is missing"
    cmp -s "$1" "$2" || fail "${2#"$dir/"} differs from ${1#"$dir/"}"
}
covers=0
for cover in "$catalog"/pictures/*/160/*.jpg; do
    id=$(basename "$(dirname "$(dirname "$cover")")")
    same "$cover" "$data/Download/new/subject/$id/$(basename "$cover")"
    covers=$((covers + 1))
done
[ $covers -eq 11 ] || fail "expected 11 covers, found $covers"

# The guide's album among the downloads, cover and every picture.
same "$(ls "$catalog"/pictures/1010/160/*.jpg)" \
    "$(ls "$data"/Download/download/subject/1010/*.jpg)"
pictures=0
for picture in "$catalog"/pictures/1010/1024x768/*.jpg; do
    same "$picture" "$data/Download/download/wallpaper/1010/$(basename "$picture")"
    pictures=$((pictures + 1))
done
[ $pictures -gt 0 ] || fail "the guide's album has no pictures"

# The preset category's albums downloaded on their own, into the latest-updates folder.
"$tool" unpack "$catalog/wallfiles/file.xmz" "$dir/file" >/dev/null
preset=$(grep -o '<S Id="[0-9]*"[^>]* Category="2"' "$dir"/file/* | sed 's/<S Id="\([0-9]*\)".*/\1/')
[ -n "$preset" ] || fail "the catalog has no album in category 2"
for id in $preset; do
    for picture in "$catalog/pictures/$id/1024x768/"*.jpg; do
        same "$picture" "$data/Download/new/wallpaper/$id/$(basename "$picture")"
    done
done
# A second start restores the wallpaper at the stored place in the rotation: the preset albums.
status=0
timeout 120 "$program" --headless --exit-when-idle --server "$url" >"$dir/again.log" 2>&1 ||
    status=$?
[ $status -eq 0 ] || fail "the second run exited with $status: $(cat "$dir/again.log")"
grep -q "^Wallpaper: $data/Download/new/wallpaper/" "$dir/again.log" ||
    fail "the second run showed no wallpaper: $(cat "$dir/again.log")"

echo "end to end: ok ($covers covers, $pictures guide pictures, preset albums: $(echo $preset))"
