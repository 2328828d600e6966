#!/usr/bin/env bash
# Builds the .deb from the build folder, checks it with lintian (no errors) and that this Debian
# provides every package it depends on, installs it with dpkg into a scratch root and runs the
# installed programs from there: --version, then a headless run on a demo catalog with a guide.
set -euo pipefail
build=$1
. "$(dirname "$0")/catalog_test_lib.sh"

cpack --config "$build/CPackConfig.cmake" -B "$dir/out" >"$dir/cpack.log" 2>&1 ||
    fail "cpack failed: $(cat "$dir/cpack.log")"
deb=$(ls "$dir"/out/paperkit_*.deb)

lintian --no-tag-display-limit "$deb" >"$dir/lintian.log" 2>/dev/null || true
if grep -q '^E:' "$dir/lintian.log"; then
    fail "lintian: $(cat "$dir/lintian.log")"
fi

# Every dependency dpkg-shlibdeps found is a package of this system (one of each alternative).
depends=$(dpkg-deb -f "$deb" Depends)
[ -n "$depends" ] || fail "the package has no Depends"
grep -q libqt6widgets6 <<<"$depends" || fail "the Qt libraries are not among the Depends: $depends"
dpkg-deb -f "$deb" Recommends | grep -q 'fonts-noto-cjk' || fail "no CJK font recommended"
IFS=',' read -ra items <<<"$depends"
for item in "${items[@]}"; do
    found=""
    IFS='|' read -ra choices <<<"$item"
    for choice in "${choices[@]}"; do
        name=$(sed 's/^ *\([^ (]*\).*/\1/' <<<"$choice")
        dpkg-query -W -f='${Status}' "$name" 2>/dev/null | grep -q 'install ok installed' && found=1
    done
    [ -n "$found" ] || fail "no package of '$item' is installed here"
done

# A scratch root with a dpkg database of its own. The libraries come from the host, as the
# Depends above would bring them.
root=$dir/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
dpkg --root="$root" --force-depends --force-script-chrootless -i "$deb" >"$dir/dpkg.log" 2>&1 ||
    fail "dpkg -i failed: $(cat "$dir/dpkg.log")"
dpkg --root="$root" -s paperkit | grep -q '^Status: install ok installed' ||
    fail "dpkg does not list paperkit as installed"
dpkg --root="$root" -L paperkit >"$dir/files"
for file in /usr/bin/paperkit /usr/bin/paperkit-catalog /usr/lib/paperkit/libutils.so \
    /usr/share/paperkit/default.wma /usr/share/applications/paperkit.desktop \
    /usr/share/mime/packages/paperkit.xml /usr/share/man/man1/paperkit.1.gz; do
    grep -qx "$file" "$dir/files" || fail "$file is not in the package"
done

program=$root/usr/bin/paperkit
tool=$root/usr/bin/paperkit-catalog
version=$("$program" --version)
[ "$version" = "PaperKit $(dpkg-deb -f "$deb" Version)" ] || fail "--version printed '$version'"

# The headless demo, run from the scratch root.
catalog=$dir/catalog
"$tool" demo "$catalog" --picture-size 64x40 --sizes 1024x768 >/dev/null
"$tool" guide "$catalog" 1010 -o "$dir" >/dev/null
serve_catalog "$catalog"
export XDG_DATA_HOME=$dir/home XDG_CONFIG_HOME=$dir/config XDG_RUNTIME_DIR=$dir/runtime
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
export PAPERKIT_WALLPAPER_COMMAND='true %f'
status=0
timeout 120 "$program" --headless --exit-when-idle --server "$url" "$dir/1010.pkd" \
    >"$dir/run.log" 2>&1 || status=$?
[ $status -eq 0 ] || fail "the installed paperkit exited with $status: $(cat "$dir/run.log")"
for picture in "$catalog"/pictures/1010/1024x768/*.jpg; do
    cmp -s "$picture" "$dir/home/PaperKit/Download/download/wallpaper/1010/$(basename "$picture")" ||
        fail "the guide's picture $(basename "$picture") did not arrive"
done
echo "package: ok ($(basename "$deb"), $(grep -c . "$dir/files") paths)"
