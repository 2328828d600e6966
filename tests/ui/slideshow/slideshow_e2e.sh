#!/usr/bin/env bash
# The slideshow on a real desktop: open it on an album, step through it with the keys, the mouse
# and its menu, and close it with Escape. Each picture is one colour, so the screen tells which
# one shows.
set -euo pipefail
: "${PAPERKIT_SLIDESHOW_TRY:?}" "${PAPERKIT_E2E_DIR:?}"
# shellcheck source=../../e2e/desktop_session.sh
source "$PAPERKIT_E2E_DIR/desktop_session.sh"
pk_desktop_start --size 1280x1024

album=$PK_DESKTOP_DIR/album
mkdir -p "$album"
colours=(red lime blue yellow)
for i in 0 1 2 3; do
    convert -size 640x480 "xc:${colours[$i]}" "$album/picture$i.jpg"
done
# a broken picture at the end: black for its time
head -c 300 "$album/picture0.jpg" >"$album/picture4.jpg"

centre() { # the colour at the middle of the screen, as RRGGBB
    pk_screenshot "$PK_DESKTOP_DIR/shot.png"
    convert "$PK_DESKTOP_DIR/shot.png" -crop 1x1+640+512 -depth 8 -format '%[hex:p{0,0}]' info:
}
near() { # RRGGBB RRGGBB: each channel within 24, for JPEG's rounding
    local i a b
    for i in 0 2 4; do
        a=$((16#${1:$i:2})) b=$((16#${2:$i:2}))
        (((a > b ? a - b : b - a) <= 24)) || return 1
    done
}
expect_colour() { # WANT WHAT
    local got tries=25
    while ((tries-- > 0)); do
        got=$(centre)
        near "${got:0:6}" "$1" && return 0
        sleep 0.2
    done
    pk_die "$2: the screen shows $got, not $1"
}

out=$PK_DESKTOP_DIR/slideshow.out
# with the default music from the windowed program's folder, when it is built
QT_MEDIA_BACKEND=ffmpeg "$PAPERKIT_SLIDESHOW_TRY" "$album" --interval 600 --music \
    --program-folder "${PAPERKIT_PROGRAM_FOLDER:-$(dirname "$PAPERKIT_SLIDESHOW_TRY")}" \
    >"$out" 2>>"$PK_DESKTOP_LOG" &
show=$!

win=$(pk_wait_window PaperKit) || pk_die "the slideshow window did not appear"
read -r x y w h <<<"$(pk_window_geometry "$win")"
[ "$x $y $w $h" = "0 0 1280 1024" ] || pk_die "the slideshow covers $x $y $w $h"
expect_colour FF0000 "first picture"
pk_atspi wait slideshow_try dialog 幻灯片放映 10 || pk_die "the slideshow has no accessible name"
pk_atspi wait slideshow_try "*" 图片 10 || pk_die "the picture has no accessible name"

# the mouse: a click on the picture is the next one
xdotool mousemove 640 512 click 1
expect_colour 00FF00 "after a click"

# the keys: the menu key opens the menu, the arrows go down its items (past disabled ones), Return
# chooses. Qt does not show a popup menu's items on the accessibility bus, so they are reached
# by the keys a person would use.
menu() { # STEPS-DOWN
    xdotool key Menu
    sleep 0.5
    local i
    for ((i = 0; i < $1; i++)); do xdotool key Down; done
    xdotool key Return
}
menu 3 # 第一张, 前一张, 后一张
expect_colour 0000FF "after 后一张"
menu 4 # ..., 最后一张
expect_colour 000000 "the broken last picture shows black"
menu 1 # 第一张
expect_colour FF0000 "back at the first"
menu 2 # 第一张, then 后一张: 前一张 is disabled on the first picture
expect_colour 00FF00 "after 后一张 from the first"

xdotool key Escape
for _ in $(seq 50); do kill -0 $show 2>/dev/null || break; sleep 0.1; done
if kill -0 $show 2>/dev/null; then
    kill $show
    pk_die "Escape did not close the slideshow"
fi
wait $show
grep -qx closed "$out" || pk_die "the launcher did not come back from the slideshow"
echo "slideshow e2e: ok"
