#!/usr/bin/env bash
# The main window end to end: it opens from the panel, the user ticks an album's "下载" in the
# progress column, the album's pictures download from a served catalog and the row's progress
# reaches full as they arrive.
set -euo pipefail
source "$PAPERKIT_E2E_DIR/desktop_session.sh"
program=${PAPERKIT_PAPERKIT:?}
tool=${PAPERKIT_PAPERKIT_CATALOG:?}
app=PaperKit # the application name the program gives itself on the accessibility bus

pk_desktop_start
# The session's own bus daemon is no child of this shell: waiting for it fails, which must not
# turn a passing test into a failing one under set -e.
trap 'set +e; pk_desktop_stop' EXIT
catalog=$PK_DESKTOP_DIR/catalog
"$tool" demo "$catalog" --sizes 1024x768 --picture-size 320x240 --jobs 1 >/dev/null
"$tool" serve "$catalog" --port 0 >"$PK_DESKTOP_DIR/server.log" 2>&1 &
pk_desktop_pids+=($!)
url=""
for _ in $(seq 100); do
    url=$(sed -n 's|^serving .* at \(http://[^ ]*\)/$|\1|p' "$PK_DESKTOP_DIR/server.log")
    [ -n "$url" ] && break
    sleep 0.1
done
[ -n "$url" ] || pk_die "the catalog server did not start"

PAPERKIT_WALLPAPER_COMMAND=true "$program" --server "$url" >>"$PK_DESKTOP_LOG" 2>&1 &
program_pid=$!
pk_desktop_pids+=($program_pid)
pk_atspi press "$app" "push button" "主界面" 20 || pk_die "no panel button"
id=$(pk_wait_window "青鸾画屏 v2011c.12rc9" 15) || pk_die "the main window did not open"
# While it is open the program has a taskbar button: a normal window, not skipped by taskbars.
xprop -id "$id" _NET_WM_WINDOW_TYPE | grep -q _NET_WM_WINDOW_TYPE_NORMAL ||
    pk_die "the main window is no normal window"
if xprop -id "$id" _NET_WM_STATE | grep -q _NET_WM_STATE_SKIP_TASKBAR; then
    pk_die "the main window keeps out of the taskbar"
fi
# Minimize and close only: the window manager offers no maximize nor resize.
actions=$(xprop -id "$id" _NET_WM_ALLOWED_ACTIONS)
case $actions in
    *_NET_WM_ACTION_MINIMIZE*_NET_WM_ACTION_CLOSE* | *_NET_WM_ACTION_CLOSE*_NET_WM_ACTION_MINIMIZE*) ;;
    *) pk_die "the main window cannot be minimized and closed: $actions" ;;
esac
case $actions in
    *MAXIMIZE* | *RESIZE*) pk_die "the main window offers more than minimize and close: $actions" ;;
esac

rows() { "$PK_PYTHON" "$PK_E2E_DIR/list_rows.py" "$app" "最新更新"; }
# The catalog arrives from the server after the window opened: wait for the albums.
first=""
for _ in $(seq 300); do
    first=$(rows 2>/dev/null | head -n 1 || true)
    [ -n "$first" ] && break
    sleep 0.1
done
[ -n "$first" ] || pk_die "the latest list stayed empty"
echo "first row: $first"
case $first in
*"不下载 0/"*) ;;
*) pk_die "the first album is not waiting to be downloaded: $first" ;;
esac
read -r x y _ h _ <<<"$first"
caption=$(cut -f2 <<<"$first")

# Column 2 begins 355 pixels into the row; "下载" is drawn 10 pixels further in.
xdotool mousemove $((x + 370)) $((y + h / 2)) click 1

state=""
for _ in $(seq 600); do
    state=$(rows 2>/dev/null | awk -F'\t' -v c="$caption" '$2 == c {print $3}' || true)
    if [[ $state =~ ^下载\ ([0-9]+)/([0-9]+) ]] && [ "${BASH_REMATCH[1]}" = "${BASH_REMATCH[2]}" ] &&
        [ "${BASH_REMATCH[2]}" -gt 0 ]; then
        echo "complete: $caption: $state"
        # Closing it takes the window away; the panel stays.
        pk_atspi press "$app" "push button" "关闭" 10 || pk_die "no close button"
        pk_wait_for 10 sh -c '! xdotool search --onlyvisible --name "^青鸾画屏 v2011c.12rc9\$"' ||
            pk_die "the main window did not close"
        pk_atspi wait "$app" "push button" "主界面" 5 || pk_die "the panel went with it"
        # ...and with it the program's taskbar button: what still shows keeps out of taskbars.
        for win in $(xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null); do
            xprop -id "$win" _NET_WM_STATE | grep -q _NET_WM_STATE_SKIP_TASKBAR ||
                pk_die "window $win ($(xprop -id "$win" WM_NAME)) stays in the taskbar"
        done
        exit 0
    fi
    sleep 0.1
done
pk_die "the album did not complete: $caption: $state"
