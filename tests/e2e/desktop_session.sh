# A desktop for end-to-end tests: an X server, a window manager, optionally a tray and a
# compositor, and a D-Bus session carrying the accessibility bus, so a test can drive our windows
# the way a person (or a screen reader) does. Source it from bash, then:
#
#   pk_desktop_start [--tray] [--compositor] [--size WxH]
#   ... run the program with DISPLAY and the session bus of this desktop ...
#   pk_desktop_stop            (also run by the EXIT trap this file installs)
#
# pk_desktop_start also gives the test a home of its own (XDG_DATA_HOME, XDG_CONFIG_HOME,
# XDG_RUNTIME_DIR and TMPDIR below $PK_DESKTOP_DIR), removed by pk_desktop_stop.
# Helpers: pk_wait_window TITLE [SECONDS], pk_window_geometry ID, pk_screenshot FILE,
# pk_atspi ARGS... (tests/e2e/atspi.py: find and press controls by role and name).

PK_E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# Debian's interpreter: the accessibility bindings are its packages.
PK_PYTHON=/usr/bin/python3
pk_desktop_pids=()

pk_die() {
    echo "e2e: $*" >&2
    exit 1
}

# Waits until the command succeeds, up to SECONDS (tenths of a second between tries).
pk_wait_for() {
    local seconds=$1
    shift
    local tries=$((seconds * 10))
    while ((tries-- > 0)); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

pk_background() {
    "$@" >>"$PK_DESKTOP_LOG" 2>&1 &
    pk_desktop_pids+=($!)
}

pk_desktop_start() {
    local tray=0 compositor=0 size=1280x1024
    while [ $# -gt 0 ]; do
        case $1 in
        --tray) tray=1 ;;
        --compositor) compositor=1 ;;
        --size) size=$2; shift ;;
        *) pk_die "unknown option $1" ;;
        esac
        shift
    done
    command -v Xvfb >/dev/null || pk_die "Xvfb is missing (scripts/deps installs it)"
    PK_DESKTOP_DIR=$(mktemp -d "${TMPDIR:-/tmp}/pk-desktop-XXXXXX")
    PK_DESKTOP_LOG=$PK_DESKTOP_DIR/desktop.log
    trap pk_desktop_stop EXIT
    # A home of its own: the program's data, settings, instance socket and temporary files.
    local sub
    for sub in data config runtime tmp; do mkdir -p "$PK_DESKTOP_DIR/$sub"; done
    chmod 700 "$PK_DESKTOP_DIR/runtime"
    export XDG_DATA_HOME=$PK_DESKTOP_DIR/data XDG_CONFIG_HOME=$PK_DESKTOP_DIR/config
    export XDG_RUNTIME_DIR=$PK_DESKTOP_DIR/runtime TMPDIR=$PK_DESKTOP_DIR/tmp
    unset PAPERKIT_SERVER PAPERKIT_SCREEN PAPERKIT_DEBUG PAPERKIT_LOG

    # -noreset: without it the server resets when its last client goes, and takes the root
    # window's properties with it. -displayfd: the server picks a free display itself, so tests
    # running side by side never race for one.
    local fd_file=$PK_DESKTOP_DIR/display
    Xvfb -displayfd 3 -screen 0 "${size}x24" -noreset -nolisten tcp 3>"$fd_file" \
        >>"$PK_DESKTOP_LOG" 2>&1 &
    pk_desktop_pids+=($!)
    pk_wait_for 10 test -s "$fd_file" || pk_die "Xvfb did not start"
    export DISPLAY=":$(head -n 1 "$fd_file")"
    pk_wait_for 10 xdpyinfo || pk_die "Xvfb did not answer on $DISPLAY"

    # One session bus for the program and the accessibility bus; nothing of the real session.
    eval "$(dbus-launch --sh-syntax)"
    pk_desktop_pids+=("$DBUS_SESSION_BUS_PID")
    export DBUS_SESSION_BUS_ADDRESS
    pk_background /usr/libexec/at-spi-bus-launcher --launch-immediately
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0
    export QT_QPA_PLATFORM=xcb
    unset WAYLAND_DISPLAY

    pk_background openbox --sm-disable
    pk_wait_for 10 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
        pk_die "openbox did not start"
    if [ $compositor = 1 ] && command -v xcompmgr >/dev/null; then
        pk_background xcompmgr -n
        pk_wait_for 5 sh -c "xprop -root _NET_SUPPORTING_WM_CHECK >/dev/null; xdpyinfo -ext Composite >/dev/null"
    fi
    if [ $tray = 1 ]; then
        pk_background trayer --edge bottom --align right --widthtype request --height 24 \
            --SetDockType true --transparent false
        pk_wait_for 10 sh -c 'xprop -root | grep -q _NET_SYSTEM_TRAY_S0 ||
            xdotool search --class trayer' || pk_die "trayer did not start"
    fi
}

pk_desktop_stop() {
    # Last started, first stopped: the program ends while its X server and buses still answer,
    # as at the end of a session, instead of racing their going away. Whatever does not end on
    # SIGTERM within 20 seconds is killed and named, so a hang shows as what it is.
    local i pid tries
    for ((i = ${#pk_desktop_pids[@]} - 1; i >= 0; i--)); do
        pid=${pk_desktop_pids[i]}
        kill "$pid" 2>/dev/null || continue
        tries=200
        while kill -0 "$pid" 2>/dev/null && ((tries-- > 0)); do
            sleep 0.1
        done
        if kill -0 "$pid" 2>/dev/null; then
            echo "e2e: $(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null) did not end on SIGTERM" >&2
            kill -KILL "$pid" 2>/dev/null || true
        fi
        wait "$pid" 2>/dev/null || true # the bus daemon is not our child
    done
    pk_desktop_pids=()
    if [ -n "${PK_DESKTOP_DIR:-}" ]; then
        rm -rf "$PK_DESKTOP_DIR"
    fi
    PK_DESKTOP_DIR=
    return 0
}

# The id of the first window whose title is TITLE, once it is mapped.
pk_wait_window() {
    local title=$1 seconds=${2:-15} id
    local tries=$((seconds * 10))
    while ((tries-- > 0)); do
        id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n 1)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# "X Y W H" of a window on the root, frame excluded.
pk_window_geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
        /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}

# xwd reads the root window's own pixels and misses what windows with a visual of their own
# (32-bit, translucent) show: they come out black. ImageMagick's import composes the screen.
pk_screenshot() {
    import -window root "$1"
}

pk_atspi() {
    "$PK_PYTHON" "$PK_E2E_DIR/atspi.py" "$@"
}
