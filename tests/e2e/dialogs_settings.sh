#!/usr/bin/env bash
# The settings dialog end to end: opened from the real program's main window, the change interval
# set and "确定" pressed; the coordinator then stores the new values in setupfile.xmz.
set -euo pipefail
source "$PAPERKIT_E2E_DIR/desktop_session.sh"
program=${PAPERKIT_PAPERKIT:?}
tool=${PAPERKIT_PAPERKIT_CATALOG:?}
app=PaperKit

pk_desktop_start
trap 'set +e; pk_desktop_stop' EXIT
control() { "$PK_PYTHON" "$PK_E2E_DIR/dialog_control.py" "$app" "$@"; }

PAPERKIT_WALLPAPER_COMMAND=true "$program" --server http://127.0.0.1:9 >>"$PK_DESKTOP_LOG" 2>&1 &
pk_desktop_pids+=($!)
pk_atspi press "$app" "push button" "主界面" 20 || pk_die "no panel button"
pk_wait_window "青鸾画屏 v2011c.12rc9" 15 >/dev/null || pk_die "the main window did not open"
pk_atspi press "$app" "push button" "设置" 10 || pk_die "no settings button"
pk_wait_window "青鸾画屏设置" 10 >/dev/null || pk_die "the settings dialog did not open"

control 青鸾画屏设置 "check box" "自动更换壁纸" press
control 青鸾画屏设置 "spin button" "小时" value 3
control 青鸾画屏设置 "spin button" "分" value 0
control 青鸾画屏设置 "spin button" "秒" value 7
control 青鸾画屏设置 "push button" "确定" press
pk_wait_for 10 sh -c '! xdotool search --onlyvisible --name "^青鸾画屏设置\$"' ||
    pk_die "the settings dialog did not close"

setup=$XDG_DATA_HOME/PaperKit/Receive/setupfile.xmz
out=$PK_DESKTOP_DIR/unpacked
for _ in $(seq 100); do
    rm -rf "$out"
    if [ -f "$setup" ] && "$tool" unpack "$setup" "$out" >/dev/null 2>&1 &&
        grep -rqs 'Hour="3"' "$out" && grep -rqs 'Second="7"' "$out"; then
        echo "setupfile.xmz holds the new interval"
        exit 0
    fi
    sleep 0.1
done
grep -rhos 'Hour="[^"]*"\|Minute="[^"]*"\|Second="[^"]*"' "$out" >&2 || true
pk_die "setupfile.xmz did not take the new interval"
