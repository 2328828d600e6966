# Shared by the shell tests of the publishing tool: a scratch folder removed on exit, a served
# catalog stopped on exit, and fail. Source it after setting `tool` to paperkit-catalog.
dir=$(mktemp -d)
server=""
cleanup() {
    [ -n "$server" ] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null
    rm -rf "$dir"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Serves the catalog folder on a free loopback port, logging to $dir/serve.log; sets `server` to
# the server's process and `url` to its root address.
serve_catalog() {
    "$tool" serve "$1" --port 0 >"$dir/serve.log" 2>&1 &
    server=$!
    url=""
    for _ in $(seq 100); do
        url=$(sed -n 's|^serving .* at \(http://127.0.0.1:[0-9]*\)/$|\1|p' "$dir/serve.log")
        [ -n "$url" ] && break
        sleep 0.1
    done
    [ -n "$url" ] || fail "serve printed no URL: $(cat "$dir/serve.log")"
}
