#!/usr/bin/env bash
# The settings dialog end to end: opened from the real program's main window, the change interval
# and the slideshow's display time set and "确定" pressed; the coordinator then stores the new
# values in setupfile.xmz. A second round sets a two-second change: the panel's timer follows and
# the wallpaper changes by itself.
set -euo pipefail
source "$PAPERKIT_E2E_DIR/desktop_session.sh"
program=${PAPERKIT_PAPERKIT:?}
tool=${PAPERKIT_PAPERKIT_CATALOG:?}
app=PaperKit
dialog=青鸾画屏设置

pk_desktop_start
trap 'set +e; pk_desktop_stop' EXIT
control() { "$PK_PYTHON" "$PK_E2E_DIR/dialog_control.py" "$app" "$@"; }

# A small catalog with one category preset and its pictures fetched beforehand, so that the
# rotation has pictures for the timer to change between.
catalog=$PK_DESKTOP_DIR/catalog
"$tool" demo "$catalog" --picture-size 64x40 --sizes 1024x768 --jobs 1 >/dev/null
"$tool" seed "$catalog" "$XDG_DATA_HOME" --preset 2 >/dev/null
"$tool" serve "$catalog" --port 0 >"$PK_DESKTOP_DIR/server.log" 2>&1 &
pk_desktop_pids+=($!)
pk_wait_for 10 grep -q '^serving' "$PK_DESKTOP_DIR/server.log" || pk_die "the catalog server did not start"
url=$(sed -n 's|^serving .* at \(http://[^ ]*\)/$|\1|p' "$PK_DESKTOP_DIR/server.log")
timeout 120 "$program" --headless --exit-when-idle --server "$url" >>"$PK_DESKTOP_LOG" 2>&1 ||
    pk_die "fetching the catalog failed"

log=$PK_DESKTOP_DIR/wallpapers.log
printf '#!/bin/sh\necho "$1" >> "%s"\n' "$log" >"$PK_DESKTOP_DIR/set-wallpaper"
chmod +x "$PK_DESKTOP_DIR/set-wallpaper"
applied() { [ -f "$log" ] && wc -l <"$log" || echo 0; }

PAPERKIT_WALLPAPER_COMMAND="$PK_DESKTOP_DIR/set-wallpaper %f" "$program" --server "$url" \
    >>"$PK_DESKTOP_LOG" 2>&1 &
pk_desktop_pids+=($!)
pk_atspi press "$app" "push button" "主界面" 20 || pk_die "no panel button"
pk_wait_window "青鸾画屏 v2011c.12rc9" 15 >/dev/null || pk_die "the main window did not open"

setup=$XDG_DATA_HOME/PaperKit/Receive/setupfile.xmz
out=$PK_DESKTOP_DIR/unpacked
# Waits until setupfile.xmz holds every attribute given ('Hour="3"' ...).
expect_stored() {
    local wanted
    for _ in $(seq 100); do
        rm -rf "$out"
        if [ -f "$setup" ] && "$tool" unpack "$setup" "$out" >/dev/null 2>&1; then
            local all=1
            for wanted in "$@"; do
                grep -rqsF "$wanted" "$out" || all=0
            done
            [ $all = 1 ] && return 0
        fi
        sleep 0.1
    done
    grep -rhos 'Change="[^"]*"\|Hour="[^"]*"\|Minute="[^"]*"\|Second="[^"]*"\|Interval="[^"]*"' \
        "$out" >&2 || true
    pk_die "setupfile.xmz did not take $*"
}

# Opens the dialog, turns the change on and sets HOURS MINUTES SECONDS and the display time.
set_interval() {
    pk_atspi press "$app" "push button" "设置" 10 || pk_die "no settings button"
    pk_wait_window "$dialog" 10 >/dev/null || pk_die "the settings dialog did not open"
    case " $(control "$dialog" "check box" "自动更换壁纸" states) " in
    *" checked "*) ;;
    *) control "$dialog" "check box" "自动更换壁纸" press ;;
    esac
    control "$dialog" "spin button" "小时" value "$1"
    control "$dialog" "spin button" "分" value "$2"
    control "$dialog" "spin button" "秒" value "$3"
    control "$dialog" "spin button" "每张图片显示时间（秒）" value "$4"
    control "$dialog" "push button" "确定" press
    pk_wait_for 10 sh -c "! xdotool search --onlyvisible --name '^$dialog\$'" ||
        pk_die "the settings dialog did not close"
}

set_interval 3 25 7 4
expect_stored 'Change="Y"' 'Hour="3"' 'Minute="25"' 'Second="7"' 'Interval="4"'
echo "setupfile.xmz holds the new interval"

# Every part of the interval changed again, down to two seconds: the wallpaper now changes on
# its own, nothing pressed, twice within a few seconds.
set_interval 0 0 2 9
expect_stored 'Change="Y"' 'Hour="0"' 'Minute="0"' 'Second="2"' 'Interval="9"'
n=$(applied)
pk_wait_for 12 sh -c "[ \$(wc -l < '$log' 2>/dev/null || echo 0) -ge $((n + 2)) ]" ||
    pk_die "the timer did not follow: $(applied) wallpapers applied, $n before"
echo "the wallpaper changed by itself: $(tail -n 2 "$log" | tr '\n' ' ')"
