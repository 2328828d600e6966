#!/usr/bin/env bash
# Installs the build into a scratch prefix, moves the prefix elsewhere, and meets the desktop
# through it alone: the programs start from the moved tree, the menu entry and the metainfo
# validate, the guide type and its default program come from our files only, and xdg-open of a
# guide file hands it to the running instance, which takes its album in.
set -euo pipefail
build=$1
tool=$2
. "$(dirname "$0")/catalog_test_lib.sh"

cmake --install "$build" --prefix "$dir/first" >"$dir/install.log" || fail "install failed"
mv "$dir/first" "$dir/moved"
prefix=$dir/moved
share=$prefix/share

for file in bin/paperkit bin/paperkit-catalog lib/paperkit/libutils.so share/paperkit/default.wma \
    share/applications/paperkit.desktop share/mime/packages/paperkit.xml \
    share/metainfo/example.paperkit.PaperKit.metainfo.xml share/man/man1/paperkit.1.gz \
    share/man/man1/paperkit-catalog.1.gz share/icons/hicolor/scalable/apps/paperkit.svg \
    share/icons/hicolor/48x48/apps/paperkit.png; do
    [ -f "$prefix/$file" ] || fail "$file is not installed"
done
# The programs run from the moved tree, finding the wallpaper library beside themselves.
libraries=$(ldd "$prefix/bin/paperkit")
grep -q "=> $prefix/bin/../lib/paperkit/libutils.so" <<<"$libraries" ||
    fail "the installed program does not find its wallpaper library: $libraries"
version=$("$prefix/bin/paperkit" --version)
[[ $version == "PaperKit "[0-9]* ]] || fail "--version printed '$version'"
"$prefix/bin/paperkit-catalog" --help >/dev/null || fail "paperkit-catalog --help failed"
grep -q -- 'exit\\-when\\-idle' <(zcat "$share/man/man1/paperkit.1.gz") ||
    fail "the manual page lacks the --help text"

desktop-file-validate "$share/applications/paperkit.desktop" || fail "the menu entry is invalid"
grep -qx 'Exec=paperkit %f' "$share/applications/paperkit.desktop" || fail "unexpected Exec line"
appstreamcli validate --no-net "$share/metainfo/example.paperkit.PaperKit.metainfo.xml" \
    >"$dir/appstream.log" 2>&1 || fail "metainfo: $(cat "$dir/appstream.log")"

# What the package's triggers do on a real system.
update-mime-database "$share/mime"
update-desktop-database "$share/applications"

# The desktop as the freedesktop tools see it: our installed files and nothing else.
export XDG_DATA_DIRS=$share XDG_DATA_HOME=$dir/home XDG_CONFIG_HOME=$dir/config
export XDG_CONFIG_DIRS=$dir/config-dirs XDG_RUNTIME_DIR=$dir/runtime
export PATH=$prefix/bin:$PATH
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID BROWSER
mkdir -p "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

catalog=$dir/catalog
"$tool" demo "$catalog" --picture-size 64x40 --sizes 1024x768 >/dev/null
"$tool" guide "$catalog" 1010 -o "$dir" >/dev/null
guide=$dir/1010.pkd
type=$(xdg-mime query filetype "$guide")
[ "$type" = application/x-paperkit-guide ] || fail "a .pkd file is '$type'"
default=$(xdg-mime query default application/x-paperkit-guide)
[ "$default" = paperkit.desktop ] || fail "the default program of a guide file is '$default'"

serve_catalog "$catalog"
export PAPERKIT_WALLPAPER_COMMAND='true %f'
paperkit --headless --server "$url" >"$dir/instance.log" 2>&1 &
instance=$!
stop_instance() {
    kill "$instance" 2>/dev/null && wait "$instance" 2>/dev/null
    cleanup
}
trap stop_instance EXIT
# A step is refused until the instance listens.
for _ in $(seq 100); do
    paperkit --next 2>/dev/null && break
    kill -0 "$instance" 2>/dev/null || fail "the instance ended: $(cat "$dir/instance.log")"
    sleep 0.1
done

# xdg-open needs a display to use the desktop's file types; the second start never opens it.
DISPLAY=:97 timeout 60 xdg-open "$guide" >"$dir/open.log" 2>&1 ||
    fail "xdg-open failed: $(cat "$dir/open.log")"
pictures=$dir/home/PaperKit/Download/download/wallpaper/1010
expected=$(ls "$catalog"/pictures/1010/1024x768/*.jpg | wc -l)
for _ in $(seq 600); do
    [ "$(ls "$pictures" 2>/dev/null | wc -l)" -ge "$expected" ] && break
    sleep 0.1
done
[ "$(ls "$pictures" 2>/dev/null | wc -l)" -ge "$expected" ] ||
    fail "the running instance did not take the guide in: $(cat "$dir/instance.log")"
echo "install: ok ($expected pictures of the opened guide's album)"
