#!/usr/bin/env bash
# The category presets dialog end to end: opened from the real program's main window against a
# served catalog, one category ticked by a click and the space key, and "确定" pressed; the
# coordinator's copy then stores the preset in setupfile.xmz.
set -euo pipefail
source "$PAPERKIT_E2E_DIR/desktop_session.sh"
program=${PAPERKIT_PAPERKIT:?}
tool=${PAPERKIT_PAPERKIT_CATALOG:?}
app=PaperKit
dialog=类别预设

pk_desktop_start
trap 'set +e; pk_desktop_stop' EXIT
control() { "$PK_PYTHON" "$PK_E2E_DIR/dialog_control.py" "$app" "$@"; }

catalog=$PK_DESKTOP_DIR/catalog
"$tool" demo "$catalog" --sizes 1024x768 --picture-size 64x48 --jobs 1 >/dev/null
"$tool" serve "$catalog" --port 0 >"$PK_DESKTOP_DIR/server.log" 2>&1 &
pk_desktop_pids+=($!)
pk_wait_for 10 grep -q '^serving' "$PK_DESKTOP_DIR/server.log" || pk_die "the catalog server did not start"
url=$(sed -n 's|^serving .* at \(http://[^ ]*\)/$|\1|p' "$PK_DESKTOP_DIR/server.log")

PAPERKIT_WALLPAPER_COMMAND=true "$program" --server "$url" >>"$PK_DESKTOP_LOG" 2>&1 &
pk_desktop_pids+=($!)
pk_atspi press "$app" "push button" "主界面" 20 || pk_die "no panel button"
pk_wait_window "青鸾画屏 v2011c.12rc9" 15 >/dev/null || pk_die "the main window did not open"

setup=$XDG_DATA_HOME/PaperKit/Receive/setupfile.xmz
out=$PK_DESKTOP_DIR/unpacked
# The presets stored in setupfile.xmz, one category id a line.
presets() {
    rm -rf "$out"
    [ -f "$setup" ] && "$tool" unpack "$setup" "$out" >/dev/null 2>&1 || return 1
    grep -rhos '<C Id="[0-9]*" N="Y"' "$out" | sed 's/.*Id="\([0-9]*\)".*/\1/' | sort -u
}

# The catalog arrives from the server after the window opened; the dialog lists its categories
# only then. Open it once they are there (the main window's latest list has rows).
pk_wait_for 30 sh -c "'$PK_PYTHON' '$PK_E2E_DIR/list_rows.py' '$app' 最新更新 | grep -q ." ||
    pk_die "the catalog never arrived"
pk_atspi press "$app" "push button" "最新更新下载类别预设" 10 || pk_die "no presets button"
pk_wait_window "$dialog" 10 >/dev/null || pk_die "the presets dialog did not open"
before=$(presets || true)
[ -z "$before" ] || pk_die "categories preset before the test: $before"

# The first category of the check list: a person clicks on its name and presses space.
name=$(control "$dialog" "table cell" "/." name) || pk_die "the check list is empty"
case " $(control "$dialog" "table cell" "$name" states) " in
*" checked "*) pk_die "$name is ticked already" ;;
esac
read -r x y w h < <(control "$dialog" "table cell" "$name" extents)
xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
xdotool key space
pk_wait_for 5 sh -c "'$PK_PYTHON' '$PK_E2E_DIR/dialog_control.py' '$app' '$dialog' 'table cell' '$name' states | grep -qw checked" ||
    pk_die "$name did not take the tick"
echo "ticked: $name"

control "$dialog" "push button" "确定" press
pk_wait_for 10 sh -c "! xdotool search --onlyvisible --name '^$dialog\$'" ||
    pk_die "the presets dialog did not close"

# The category's id, from the catalog's category list the program received.
categories=$PK_DESKTOP_DIR/categories
"$tool" unpack "$XDG_DATA_HOME/PaperKit/Receive/category.xmz" "$categories" >/dev/null ||
    pk_die "no category list received"
id=$(grep -rhos "<[A-Za-z]* [^>]*>" "$categories" | grep -F "\"$name\"" |
    sed -n 's/.*Id="\([0-9]*\)".*/\1/p' | head -n 1)
[ -n "$id" ] || pk_die "no id for $name in category.xmz"

stored=""
for _ in $(seq 100); do
    stored=$(presets || true)
    if [ "$stored" = "$id" ]; then
        echo "setupfile.xmz presets category $id ($name)"
        exit 0
    fi
    sleep 0.1
done
pk_die "setupfile.xmz presets '$stored', expected $id"
