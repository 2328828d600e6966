#!/usr/bin/env bash
# Two figures of the windowed program on a private X desktop (Xvfb and openbox), with a catalog of
# 1,000 albums already fetched:
#   - start to panel shown: from starting paperkit until its panel window is mapped (median of 5);
#   - idle: CPU time over IDLE_SECONDS (default 60) as a share of one core, and resident memory,
#     for the program with its panel and, in the same run, for the program without windows; the
#     two take turns IDLE_ROUNDS times (default 3), since a single minute on a shared machine
#     varies by more than the difference sought, and the medians are compared.
#   bench/desktop_program.sh [BUILD_DIR]        IDLE_SECONDS=N shortens the idle period
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
idle=${IDLE_SECONDS:-60}
rounds=${IDLE_ROUNDS:-3}
tool=$build/tools/paperkit-catalog/paperkit-catalog
program=$(find "$build/src" -maxdepth 3 -type f -name paperkit -perm -u+x | head -n 1)
. "$root/tests/e2e/desktop_session.sh"
pk_desktop_start --size 1280x1024
dir=$PK_DESKTOP_DIR

# 1,000 albums in 10 categories, one small picture each.
convert -size 64x40 gradient:navy-skyblue "$dir/picture.jpg" || pk_die "convert"
for c in $(seq 10); do
    for a in $(seq 100); do
        album=$dir/tree/category$c/album$c-$a
        mkdir -p "$album"
        cp "$dir/picture.jpg" "$album/01.jpg"
    done
done
"$tool" build "$dir/tree" "$dir/catalog" --sizes 1280x1024 >/dev/null || pk_die "build"
"$tool" serve "$dir/catalog" --port 0 >"$dir/server.log" 2>&1 &
pk_desktop_pids+=($!)
pk_wait_for 10 grep -q '^serving' "$dir/server.log" || pk_die "serve"
url=$(sed -n 's|^serving .* at \(http://[^ ]*\)/$|\1|p' "$dir/server.log")
export PAPERKIT_WALLPAPER_COMMAND="true %f" PAPERKIT_SCREEN=1280x1024
timeout 600 "$program" --headless --exit-when-idle --server "$url" >"$dir/fetch.log" 2>&1 ||
    pk_die "fetching the catalog: $(tail -n 3 "$dir/fetch.log")"

now() { date +%s.%N; }
stop() {
    kill -TERM "$1"
    wait "$1" 2>/dev/null
}

times=()
for run in $(seq 5); do
    start=$(now)
    "$program" --server "$url" >"$dir/run.log" 2>&1 &
    pid=$!
    # xdotool's own --sync polls only twice a second; a tight loop sees the window sooner.
    until xdotool search --onlyvisible --name '^FmNavigator$' >/dev/null 2>&1; do
        sleep 0.01
    done
    times+=("$(echo "$(now) - $start" | bc)")
    stop "$pid"
done
median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 3p)
echo "start to panel shown, 1,000 albums: median ${median} s of: ${times[*]}"

# CPU ticks (user + system) of a process and its threads, and its resident memory in kB.
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
rss() { awk '/^VmRSS/ {print $2}' "/proc/$1/status"; }
hz=$(getconf CLK_TCK)
measure() {
    local name=$1
    shift
    "$@" >"$dir/$name.log" 2>&1 &
    local pid=$!
    sleep 10 # start-up, first server check, catalog load
    local before after
    before=$(ticks "$pid")
    sleep "$idle"
    after=$(ticks "$pid")
    local memory
    memory=$(rss "$pid")
    share=$(echo "scale=3; 100 * ($after - $before) / $hz / $idle" | bc)
    echo "$name: $share % of one core over ${idle} s, resident $((memory / 1024)) MB"
    stop "$pid"
}
median() { printf '%s\n' "$@" | sort -n | sed -n "$((($# + 1) / 2))p"; }
panel=()
headless=()
differences=()
for round in $(seq "$rounds"); do
    measure "with the panel" "$program" --server "$url"
    panel+=("$share")
    measure "without windows" "$program" --headless --server "$url"
    headless+=("$share")
    differences+=("$(echo "${panel[-1]} - $share" | bc)")
done
with=$(median "${panel[@]}")
without=$(median "${headless[@]}")
echo "idle, median of $rounds: with the panel $with %, without windows $without %," \
    "difference $(echo "$with - $without" | bc) % of one core;" \
    "median of the rounds' differences $(median "${differences[@]}") %"
