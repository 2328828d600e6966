#!/usr/bin/env bash
# The local folder dialog end to end: from the real program's main window the rotation list is
# opened, "增加本地壁纸目录" pressed, a prepared folder of pictures clicked in the folder tree and
# both dialogs confirmed; the panel's next button then lands on a picture of that folder.
set -euo pipefail
source "$PAPERKIT_E2E_DIR/desktop_session.sh"
program=${PAPERKIT_PAPERKIT:?}
app=PaperKit
list=当前壁纸更换列表
chooser=增加本地壁纸目录

pk_desktop_start
trap 'set +e; pk_desktop_stop' EXIT
control() { "$PK_PYTHON" "$PK_E2E_DIR/dialog_control.py" "$app" "$@"; }

# A home of the program's own, holding one folder of pictures: the folder tree opens on it.
export HOME=$PK_DESKTOP_DIR/home
folder=$HOME/wallpapers
mkdir -p "$folder"
for colour in red green blue; do
    convert -size 64x48 "xc:$colour" "$folder/$colour.jpg"
done

log=$PK_DESKTOP_DIR/wallpapers.log
printf '#!/bin/sh\necho "$1" >> "%s"\n' "$log" >"$PK_DESKTOP_DIR/set-wallpaper"
chmod +x "$PK_DESKTOP_DIR/set-wallpaper"
applied() { [ -f "$log" ] && wc -l <"$log" || echo 0; }

PAPERKIT_WALLPAPER_COMMAND="$PK_DESKTOP_DIR/set-wallpaper %f" "$program" \
    --server http://127.0.0.1:9 >>"$PK_DESKTOP_LOG" 2>&1 &
pk_desktop_pids+=($!)
pk_atspi press "$app" "push button" "主界面" 20 || pk_die "no panel button"
pk_wait_window "青鸾画屏 v2011c.12rc9" 15 >/dev/null || pk_die "the main window did not open"
pk_atspi press "$app" "push button" "当前壁纸" 10 || pk_die "no rotation list button"
pk_wait_window "$list" 10 >/dev/null || pk_die "the rotation list did not open"
control "$list" "push button" "$chooser" press
pk_wait_window "$chooser" 10 >/dev/null || pk_die "the folder dialog did not open"

# The tree opens on the home folder, selected and unfolded; its one folder is the next row down
# once the tree has read it. A person goes there with the arrow key; when the row is not there yet
# the key lands elsewhere, and the person goes back up and tries again.
name() { control "$chooser" "text|entry" 目录名称 text; }
control "$chooser" "*" "目录" focus || pk_die "the folder tree took no focus"
for _ in $(seq 20); do
    xdotool key Down
    pk_wait_for 2 sh -c "[ \"\$('$PK_PYTHON' '$PK_E2E_DIR/dialog_control.py' '$app' '$chooser' 'text|entry' 目录名称 text)\" = '$folder' ]" &&
        break
    [ "$(name)" = "$HOME" ] || xdotool key Up
done
[ "$(name)" = "$folder" ] || pk_die "the folder's name did not follow the selection: $(name)"
control "$chooser" "push button" "确定" press
pk_wait_for 10 sh -c "! xdotool search --onlyvisible --name '^$chooser\$'" ||
    pk_die "the folder dialog did not close"
control "$list" "list item" "[本地壁纸]$folder" name >/dev/null ||
    pk_die "the folder is not in the rotation list"
control "$list" "push button" "确定" press
pk_wait_for 10 sh -c "! xdotool search --onlyvisible --name '^$list\$'" ||
    pk_die "the rotation list did not close"

# Nothing else is in the rotation: once the coordinator has rebuilt it (a moment after OK), the
# next button lands in the folder. A press before that applies nothing; it is pressed again.
for _ in $(seq 20); do
    n=$(applied)
    pk_atspi press "$app" "push button" "下一张壁纸" 10 || pk_die "no next button"
    pk_wait_for 3 sh -c "[ \$(wc -l < '$log' 2>/dev/null || echo 0) -gt $n ]" || continue
    last=$(tail -n 1 "$log")
    echo "applied: $last"
    case $last in
    "$folder"/*.jpg) ;;
    *) pk_die "applied a picture from outside the folder: $last" ;;
    esac
    [ -f "$last" ] || pk_die "applied a file that is not there: $last"
    exit 0
done
pk_die "no picture of the folder was applied: $(cat "$log" 2>/dev/null | tr '\n' ' ')"
