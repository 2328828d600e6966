#!/usr/bin/env bash
# The navigator panel on a real X desktop (Xvfb, openbox, trayer), driven from outside as a person
# would: found by its title at its place, pressed through the accessibility bus, stepped by the
# global hotkeys and the tray icon, and ended by SIGTERM and by its menu's "退出".
#   navigator_panel_test.sh PAPERKIT_CATALOG_TOOL PAPERKIT_PROGRAM
set -uo pipefail
tool=$1
program=$2
. "$(dirname "$0")/desktop_session.sh"

fail() {
    echo "FAIL: $*" >&2
    [ -n "${PK_DESKTOP_DIR:-}" ] && tail -n 20 "$PK_DESKTOP_DIR/run.log" >&2 2>/dev/null
    exit 1
}
for needed in xdotool xprop trayer openbox; do
    command -v $needed >/dev/null || fail "$needed is missing (scripts/deps installs it)"
done

pk_desktop_start --tray --size 1024x768
dir=$PK_DESKTOP_DIR

# A small catalog whose landscapes category is preset; one run without windows fetches its
# pictures, so that every step below has pictures to show.
"$tool" demo "$dir/catalog" --picture-size 64x40 --sizes 1024x768 >/dev/null || fail "demo"
"$tool" seed "$dir/catalog" "$XDG_DATA_HOME" --preset 2 >/dev/null || fail "seed"
"$tool" serve "$dir/catalog" --port 0 >"$dir/server.log" 2>&1 &
pk_desktop_pids+=($!)
pk_wait_for 10 grep -q '^serving' "$dir/server.log" || fail "the catalog server did not start"
url=$(sed -n 's|^serving .* at \(http://[^ ]*\)/$|\1|p' "$dir/server.log")
timeout 120 "$program" --headless --exit-when-idle --server "$url" >"$dir/fetch.log" 2>&1 ||
    fail "fetching the catalog: $(tail -n 5 "$dir/fetch.log")"

log=$dir/wallpapers.log
printf '#!/bin/sh\necho "$1" >> "%s"\n' "$log" >"$dir/set-wallpaper"
chmod +x "$dir/set-wallpaper"
export PAPERKIT_WALLPAPER_COMMAND="$dir/set-wallpaper %f"
applied() { [ -f "$log" ] && wc -l <"$log" || echo 0; }
# Waits until the log holds at least N wallpapers.
expect_applied() {
    pk_wait_for 10 sh -c "[ \$(wc -l < '$log' 2>/dev/null || echo 0) -ge $1 ]" ||
        fail "$2: $(applied) wallpapers applied, expected $1"
}

start_program() {
    "$program" --server "$url" >"$dir/run.log" 2>&1 &
    running=$!
    panel=$(pk_wait_window FmNavigator 20) || fail "no panel window titled FmNavigator"
}

# --- The panel: title, class, place, size, below and off the taskbar.
start_program
read -r x y w h < <(pk_window_geometry "$panel")
[ "$x $y $w $h" = "$((1024 - 314)) $((768 - 112)) 304 52" ] ||
    fail "panel at $x $y size $w x $h"
xprop -id "$panel" WM_CLASS | grep -q '"TFmNavigator"' || fail "WM_CLASS: $(xprop -id "$panel" WM_CLASS)"
state=$(xprop -id "$panel" _NET_WM_STATE)
for s in _NET_WM_STATE_BELOW _NET_WM_STATE_SKIP_TASKBAR _NET_WM_STATE_SKIP_PAGER; do
    grep -q "$s" <<<"$state" || fail "panel lacks $s: $state"
done
xprop -id "$panel" _NET_WM_DESKTOP | grep -q 4294967295 || fail "panel not on every workspace"
backdrop=$(pk_wait_window FmBk 5) || fail "no backdrop"
[ "$(pk_window_geometry "$backdrop")" = "$x $y $w $h" ] || fail "the backdrop is not under the panel"

# The main-window button opens the main window, stacked above the panel; a second press only
# brings it back.
pk_atspi press PaperKit "push button" "主界面" 15 || fail "no main-window button"
main=$(pk_wait_window "青鸾画屏 v2011c.12rc9" 10) || fail "the main window did not open"
read -r mx my mw mh < <(pk_window_geometry "$main")
[ "$mw x $mh" = "766 x 584" ] || fail "main window size $mw x $mh"
pk_atspi press PaperKit "push button" "主界面" 5 || fail "second press"
sleep 0.5
[ "$(xdotool search --onlyvisible --name '^青鸾画屏 v2011c.12rc9$' | wc -l)" = 1 ] ||
    fail "a second main window was opened"
stacking=$(xprop -root _NET_CLIENT_LIST_STACKING | tr -d ',' | cut -d'#' -f2)
below=0
for id in $stacking; do
    [ $((id)) = $((panel)) ] && below=1
    [ $((id)) = $((main)) ] && break
done
[ $below = 1 ] || fail "the panel is not below the main window: $stacking"
wmctrl -ic "$main"

# The stored wallpaper comes back once the catalog is loaded.
expect_applied 1 "restore"

# --- Its next button, pressed through AT-SPI.
n=$(applied)
pk_atspi press PaperKit "push button" "下一张壁纸" 15 || fail "no next button on the accessibility bus"
expect_applied $((n + 1)) "next button"
pk_atspi text PaperKit "push button" "主界面" 5 >/dev/null || fail "the main-window button has no name"

# --- Ctrl+Alt+N, then again with NumLock on; Ctrl+Alt+P.
n=$(applied)
xdotool key ctrl+alt+n
expect_applied $((n + 1)) "Ctrl+Alt+N"
xdotool key Num_Lock
xdotool key ctrl+alt+n
expect_applied $((n + 2)) "Ctrl+Alt+N with NumLock"
xdotool key Num_Lock
xdotool key ctrl+alt+p
expect_applied $((n + 3)) "Ctrl+Alt+P"
[ "$(sed -n "$((n + 3))p" "$log")" = "$(sed -n "$((n + 1))p" "$log")" ] ||
    fail "Ctrl+Alt+P did not go back to the picture before"

# --- Ctrl+Alt+C clears the wallpaper.
xdotool key ctrl+alt+c
pk_wait_for 10 grep -q "^Wallpaper cleared" "$dir/run.log" || fail "Ctrl+Alt+C did not clear"

# --- The tray icon: a left click steps.
# The tray icon: a 22x22 window in the tray at the bottom of the screen.
find_icon() {
    local candidate cx cy cw ch
    for _ in $(seq 50); do
        for candidate in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
            read -r cx cy cw ch < <(pk_window_geometry "$candidate")
            if [ "$cw" = 22 ] && [ "$ch" = 22 ] && [ "$cy" -gt 700 ]; then
                echo "$((cx + 11)) $((cy + 11))"
                return 0
            fi
        done
        sleep 0.1
    done
    return 1
}
read -r ix iy < <(find_icon) || fail "no tray icon"
n=$(applied)
xdotool mousemove "$ix" "$iy" click 1
expect_applied $((n + 1)) "tray left click"

# --- A drag on the background moves the panel and its backdrop together.
xdotool mousemove $((x + 60)) $((y + 40)) mousedown 1 mousemove $((x + 30)) $((y + 20)) \
    mousemove $((x - 40)) $((y - 10)) mouseup 1
pk_wait_for 5 sh -c "[ \"\$(xwininfo -id $panel | awk '/Absolute upper-left X/ {print \$4}')\" = $((x - 100)) ]" ||
    fail "the drag did not move the panel: $(pk_window_geometry "$panel")"
[ "$(pk_window_geometry "$backdrop")" = "$(pk_window_geometry "$panel")" ] ||
    fail "the backdrop did not follow the panel"

# --- SIGTERM ends in order: the rotation position and the panel's place are written.
kill -TERM "$running"
pk_wait_for 15 sh -c "! kill -0 $running" || fail "SIGTERM did not end the program"
wait "$running" || fail "the program ended with status $? after SIGTERM"
ini=$XDG_DATA_HOME/PaperKit/Receive/fileindex.ini
grep -q "^X=610" "$ini" && grep -q "^Y=606" "$ini" || fail "X/Y not written: $(cat "$ini")"
grep -q "^FileIndex=" "$ini" || fail "no rotation position written"
xdotool search --name '^FmNavigator$' >/dev/null 2>&1 && fail "the panel outlived the program"

# --- 退出 from the tray's menu ends the same way; a stored place is used as it is.
sed -i 's/^X=.*/X=100/; s/^Y=.*/Y=120/' "$ini"
start_program
read -r x y w h < <(pk_window_geometry "$panel")
[ "$x $y" = "100 120" ] || fail "the stored place was not used: $x $y"
# The tray's menu, by the right button; 退出 is its last item. Qt's popup menus are not on the
# accessibility bus, so the keyboard chooses it.
read -r ix iy < <(find_icon) || fail "no tray icon after the second start"
for _ in 1 2 3; do
    xdotool mousemove "$ix" "$iy" click 3
    sleep 1
    xdotool key Up Return
    pk_wait_for 10 sh -c "! kill -0 $running" && break
    xdotool key Escape
done
kill -0 "$running" 2>/dev/null && fail "退出 did not end the program"
wait "$running" || fail "the program ended with status $? after 退出"
grep -q "^X=100" "$ini" && grep -q "^Y=120" "$ini" || fail "X/Y after 退出: $(cat "$ini")"
echo "navigator panel: ok"
