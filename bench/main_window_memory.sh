#!/usr/bin/env bash
# Resident memory of the program with the main window open on the demo catalog (goal: 80 MB at
# most), on a desktop of its own: the main window over a real coordinator, once the catalog, the
# covers and the preset landscapes have arrived.
#   bench/main_window_memory.sh [BUILD_DIR]      (default: build)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
tool=$build/tools/paperkit-catalog/paperkit-catalog
demo=$build/tests/ui/paperkit-mainwindow-demo
[ -x "$tool" ] && [ -x "$demo" ] || {
    echo "build paperkit-catalog and paperkit-mainwindow-demo first" >&2
    exit 2
}
catalog=$build/demo-catalog
[ -f "$catalog/wallfiles/filetotal.xmz" ] || "$tool" demo "$catalog" >/dev/null || exit 1

# The window is looked for by its Chinese title.
export LC_ALL=zh_CN.UTF-8 LANG=zh_CN.UTF-8
source "$root/tests/e2e/desktop_session.sh"
pk_desktop_start
trap 'set +e; pk_desktop_stop' EXIT
"$tool" seed "$catalog" "$XDG_DATA_HOME" --preset 2 >/dev/null
"$tool" serve "$catalog" --port 0 >"$PK_DESKTOP_DIR/server.log" 2>&1 &
pk_desktop_pids+=($!)
url=""
for _ in $(seq 100); do
    url=$(sed -n 's|^serving .* at \(http://[^ ]*\)/$|\1|p' "$PK_DESKTOP_DIR/server.log")
    [ -n "$url" ] && break
    sleep 0.1
done
[ -n "$url" ] || pk_die "the catalog server did not start"
"$demo" --server "$url" --open >>"$PK_DESKTOP_LOG" 2>&1 &
pid=$!
pk_desktop_pids+=($pid)
pk_wait_window "青鸾画屏 v2011c.12rc9" 20 >/dev/null || pk_die "the main window did not open"
app=$(basename "$demo")
for _ in $(seq 600); do
    rows=$("$PK_PYTHON" "$PK_E2E_DIR/list_rows.py" "$app" "最新更新" 2>/dev/null)
    [ "$(grep -c '下载 \([0-9]*\)/\1' <<<"$rows")" -ge 4 ] && break
    sleep 0.2
done
sleep 3 # settle: the covers paint, the workers go idle
# Click through both pages and a few albums so their covers and size groups were shown once.
pk_atspi press "$app" "page tab" "我的下载" 5 >/dev/null 2>&1 || true
pk_atspi press "$app" "page tab" "最新更新" 5 >/dev/null 2>&1 || true
sleep 1
rss=$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status")
hwm=$(awk '/^VmHWM/ {print $2}' "/proc/$pid/status")
echo "albums: $(grep -c . <<<"$rows") in the latest list"
echo "resident memory: $((rss / 1024)) MB (peak $((hwm / 1024)) MB); goal 80 MB"
[ "$rss" -le $((80 * 1024)) ]
