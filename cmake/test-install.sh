#!/usr/bin/env bash
# Installs the built game into a throw-away prefix and checks the result the way
# a player's desktop would meet it. Everything happens under one temp folder.
# Usage: test-install.sh <build folder> <source folder> <built program> <layout> <version>
# where layout is bundle or games (NORPPALA_INSTALL_LAYOUT).
set -u

build=$1
src=$2
program=$3
layout=$4
version=$5
app_id=fi.norppala.Norppala
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

for tool in cmake desktop-file-validate appstreamcli timeout readlink od; do
    if ! command -v "$tool" >/dev/null; then
        echo "FAIL: $tool is missing (tools/install-deps.sh installs it)" >&2
        exit 1
    fi
done
if [ ! -x "$program" ]; then
    echo "FAIL: the program $program has not been built" >&2
    exit 1
fi

tmp=$(mktemp -d "${TMPDIR:-/tmp}/norppala-install.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
# A blank in the prefix catches unquoted paths in the launcher.
root="$tmp/koti kansio"
prefix="$root/prefix"

if ! cmake --install "$build" --prefix "$prefix" >"$tmp/install.log" 2>&1; then
    cat "$tmp/install.log" >&2
    echo "FAIL: cmake --install" >&2
    exit 1
fi

case $layout in
bundle)
    app="$prefix/lib/norppala"
    data="$app/data"
    bindir="$prefix/bin"
    ;;
games)
    app="$prefix/games"
    data="$prefix/share/games/norppala/data"
    bindir="$prefix/games"
    ;;
*)
    echo "FAIL: unknown layout '$layout'" >&2
    exit 1
    ;;
esac
[ -x "$app/norppala" ] || fail "program missing: $app/norppala"
[ -x "$bindir/norppala" ] || fail "launcher missing or not executable: $bindir/norppala"
[ -f "$data/music.mp3" ] || fail "data/music.mp3 missing"
ls "$data"/maps/*.ars >/dev/null 2>&1 || fail "no map descriptions in data/maps"
[ -f "$prefix/share/man/man6/norppala.6" ] || fail "manual page missing: share/man/man6/norppala.6"

# Every file the game ships in data/ must arrive, and nothing else.
want=$(cd "$src/data" && find . -type f ! -name README.md | LC_ALL=C sort)
have=$(cd "$data" 2>/dev/null && find . -type f | LC_ALL=C sort)
if [ "$want" != "$have" ]; then
    fail "installed data folder differs from the source data folder:"
    diff <(echo "$want") <(echo "$have") >&2
fi

# Tests and benchmarks stay in the build folder.
stray=$(find "$prefix" \( -iname '*test*' -o -iname '*bench*' \) -print)
[ -z "$stray" ] || fail "test or benchmark files installed: $stray"
[ "$(ls "$bindir")" = norppala ] || fail "unexpected files in $bindir: $(ls "$bindir" | tr '\n' ' ')"

png_size() {
    # Width and height are the big-endian words at bytes 16..23 of the IHDR chunk.
    local w h
    w=$(od -An -tu1 -j16 -N4 "$1" | awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4 }')
    h=$(od -An -tu1 -j20 -N4 "$1" | awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4 }')
    echo "${w}x${h}"
}
for size in 48 64 128 256; do
    icon="$prefix/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
    if [ ! -f "$icon" ]; then
        fail "icon missing: $icon"
    elif [ "$(png_size "$icon")" != "${size}x${size}" ]; then
        fail "icon $icon is $(png_size "$icon"), not ${size}x${size}"
    fi
done

desktop="$prefix/share/applications/$app_id.desktop"
metainfo="$prefix/share/metainfo/$app_id.metainfo.xml"
if [ -f "$desktop" ]; then
    desktop-file-validate "$desktop" >&2 || fail "desktop-file-validate $desktop"
    exec_cmd=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
    [ -x "$bindir/$exec_cmd" ] || fail "desktop entry runs '$exec_cmd', which is not installed in $bindir"
    icon_name=$(sed -n 's/^Icon=//p' "$desktop")
    [ -f "$prefix/share/icons/hicolor/48x48/apps/$icon_name.png" ] ||
        fail "desktop entry names icon '$icon_name', which is not installed"
    grep -q '^Categories=.*Game;' "$desktop" || fail "desktop entry is not in the Game category"
else
    fail "desktop entry missing: $desktop"
fi
if [ -f "$metainfo" ]; then
    appstreamcli validate --no-net "$metainfo" >&2 || fail "appstreamcli validate $metainfo"
    grep -q "<id>$app_id</id>" "$metainfo" || fail "metainfo id does not match its file name"
    grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
        fail "metainfo does not launch the installed desktop entry"
    release=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo" | head -n 1)
    [ "$release" = "$version" ] || fail "metainfo's newest release is '$release', not $version"
else
    fail "metainfo missing: $metainfo"
fi

# The game has no way to quit from the command line: a run that lasts until the
# timeout stops it counts as started; a crash or an early exit does not. It must
# also find its data, or it reports the missing files on stderr.
mkdir -p "$tmp/home"
run_game() {
    local label=$1 dir=$2 launcher=$3 rc
    (cd "$dir" && env HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/home/.config" \
        XDG_CACHE_HOME="$tmp/home/.cache" XDG_DATA_HOME="$tmp/home/.local/share" \
        QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy \
        timeout 3 "$launcher" </dev/null >"$tmp/$label.out" 2>"$tmp/$label.err")
    rc=$?
    if [ "$rc" -ne 124 ]; then
        cat "$tmp/$label.err" >&2
        fail "$label: the game ended with status $rc instead of running until stopped"
    fi
    if grep '^norppala: ' "$tmp/$label.err" >&2; then
        fail "$label: the game could not use its files"
    fi
}

# The version answers without a display: no window may open for it.
reported=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=no-such-platform \
    timeout 10 "$bindir/norppala" --version 2>"$tmp/version.err")
[ "$reported" = "norppala $version" ] ||
    fail "norppala --version says '$reported' (stderr: $(cat "$tmp/version.err")), not 'norppala $version'"

run_game "in place" "$tmp" "$bindir/norppala"

# Moved to another folder and started through a symbolic link from elsewhere.
mv "$root" "$tmp/moved"
mkdir -p "$tmp/links"
ln -s "$tmp/moved/prefix/${bindir#"$prefix/"}/norppala" "$tmp/links/norppala"
run_game "moved and linked" / "$tmp/links/norppala"

if [ "$failures" -ne 0 ]; then
    echo "$failures install check(s) failed" >&2
    exit 1
fi
echo "install checks passed"
