#!/usr/bin/env bash
# Checks the Debian package that `make deb` built: lintian finds nothing, every
# place names the same version, the package depends on exactly the libraries
# the program uses, and the game starts from the package's tree unpacked into a
# temporary folder. Run by `make test-deb`.
# Usage: test-deb.sh <package .deb> <source folder>
set -u

deb=$1
src=$2
app_id=fi.norppala.Norppala
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

for tool in dpkg-deb dpkg-query dpkg-architecture dpkg-parsechangelog lintian readelf man col zgrep timeout; do
    if ! command -v "$tool" >/dev/null; then
        echo "FAIL: $tool is missing (tools/install-deps.sh installs it)" >&2
        exit 1
    fi
done
if [ ! -f "$deb" ]; then
    echo "FAIL: no package $deb: build it first with make deb" >&2
    exit 1
fi

tmp=$(mktemp -d "${TMPDIR:-/tmp}/norppala-deb.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
# A blank in the path catches unquoted paths on the way to the data folder.
root="$tmp/purettu paketti"
mkdir -p "$root"
dpkg-deb -x "$deb" "$root" || {
    echo "FAIL: dpkg-deb -x $deb" >&2
    exit 1
}
program="$root/usr/games/norppala"
share="$root/usr/share"

# Lintian: no errors and no warnings (overrides, if any, are shown).
if ! lintian --fail-on error,warning --show-overrides "$deb" >"$tmp/lintian.out" 2>&1; then
    grep -v 'running with root privileges' "$tmp/lintian.out" >&2
    fail "lintian reports errors or warnings"
fi

# One version everywhere: CMakeLists.txt sets it; the package (from
# debian/changelog), the program, the metainfo and the manual page repeat it.
version=$(sed -n 's/^project(Norppala VERSION \([^ )]*\).*/\1/p' "$src/CMakeLists.txt")
[ -n "$version" ] || fail "no version in $src/CMakeLists.txt"
changelog=$(dpkg-parsechangelog -l "$src/debian/changelog" -S Version)
[ "$changelog" = "$version" ] || fail "debian/changelog names $changelog, CMakeLists.txt $version"
packaged=$(dpkg-deb -f "$deb" Version)
[ "$packaged" = "$version" ] || fail "the package is version $packaged, not $version"
# Without any display: the answer must come before a window could be opened.
reported=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=no-such-platform \
    timeout 10 "$program" --version 2>"$tmp/version.err")
[ "$reported" = "norppala $version" ] ||
    fail "norppala --version says '$reported' ($(cat "$tmp/version.err")), not 'norppala $version'"
metainfo="$share/metainfo/$app_id.metainfo.xml"
release=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo" 2>/dev/null | head -n 1)
[ "$release" = "$version" ] || fail "metainfo's newest release is '$release', not $version"
manual="$share/man/man6/norppala.6.gz"
zgrep -q "^\.TH NORPPALA 6 .*\"Norppala $version\"" "$manual" 2>/dev/null ||
    fail "the manual page's title line does not name version $version"

# The games layout: the program in /usr/games, its data in /usr/share/games,
# the desktop files where desktops look for them, nothing else outside share.
[ -x "$program" ] || fail "program missing: usr/games/norppala"
outside=$(cd "$root" && find . -mindepth 2 -maxdepth 2 ! -path ./usr/games ! -path ./usr/share)
[ -z "$outside" ] || fail "files outside usr/games and usr/share: $outside"
want=$(cd "$src/data" && find . -type f ! -name README.md | LC_ALL=C sort)
have=$(cd "$share/games/norppala/data" 2>/dev/null && find . -type f | LC_ALL=C sort)
if [ "$want" != "$have" ]; then
    fail "the packaged data folder differs from the source data folder:"
    diff <(echo "$want") <(echo "$have") >&2
fi
for file in "applications/$app_id.desktop" "metainfo/$app_id.metainfo.xml" \
    icons/hicolor/{48x48,64x64,128x128,256x256}/apps/$app_id.png doc/norppala/copyright; do
    [ -f "$share/$file" ] || fail "missing: usr/share/$file"
done

# The manual page: every option --help lists, the keys, and where results go.
MANWIDTH=80 man -l "$manual" 2>"$tmp/man.err" | col -bx >"$tmp/man.txt"
[ -s "$tmp/man.err" ] && fail "man reports: $(cat "$tmp/man.err")"
options=$("$program" --help | grep -o '^ *--[a-z-]*' | tr -d ' ')
[ -n "$options" ] || fail "norppala --help lists no options"
for option in $options; do
    grep -q -E -- "^ +$option( |\$)" "$tmp/man.txt" || fail "the manual page does not describe $option"
done
for text in "~/.local/share/Norppala" "Space" "Enter" "Nosta!"; do
    grep -q -F -- "$text" "$tmp/man.txt" || fail "the manual page does not mention $text"
done

# Dependencies: exactly the packages of the libraries the program links and of
# the sound libraries it opens itself, and the versions chosen by the tooling.
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
sonames=$(readelf -d "$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
opened=$(grep -o 'QLibrary(QStringLiteral("[^"]*"), [0-9]*)' "$src/platform/sdlplayer.cpp" |
    sed 's/QLibrary(QStringLiteral("\(.*\)"), \([0-9]*\))/lib\1.so.\2/')
[ -n "$opened" ] || fail "no libraries opened in platform/sdlplayer.cpp"
expected=$(for soname in $sonames $opened; do
    dpkg-query -S "*/$multiarch/$soname" 2>/dev/null | head -n 1 | sed 's/[:,].*//'
done | LC_ALL=C sort -u)
depends=$(dpkg-deb -f "$deb" Depends)
listed=$(echo "$depends" | tr ',' '\n' | sed 's/^ *//; s/[ (:].*//' | LC_ALL=C sort -u)
if [ "$expected" != "$listed" ]; then
    fail "Depends is not the program's libraries: $depends"
    diff <(echo "$expected") <(echo "$listed") >&2
fi
for sound in libsdl2-2.0-0 libsdl2-mixer-2.0-0; do
    echo "$depends" | grep -q "$sound (>= " || fail "Depends names no minimal version of $sound"
done
# The package build reads the sound functions from debian/sound-libraries.c;
# they must be the ones the game looks up.
looked_up=$(grep -o '^ *X([A-Za-z_]*)' "$src/platform/sdlplayer.cpp" | sed 's/.*X(\(.*\))/\1/' | LC_ALL=C sort)
probed=$(grep -o '(void (\*)(void))[A-Za-z_]*' "$src/debian/sound-libraries.c" | sed 's/.*)//' | LC_ALL=C sort)
if [ -z "$looked_up" ] || [ "$looked_up" != "$probed" ]; then
    fail "debian/sound-libraries.c does not name the functions the game looks up:"
    diff <(echo "$looked_up") <(echo "$probed") >&2
fi

# The unpacked tree runs: the game has no command to quit, so running until the
# timeout stops it counts as started; an early end or a complaint about its
# files does not.
mkdir -p "$tmp/home"
run_game() {
    local label=$1 launcher=$2 rc
    (cd / && env HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/home/.config" \
        XDG_CACHE_HOME="$tmp/home/.cache" XDG_DATA_HOME="$tmp/home/.local/share" \
        QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy NORPPALA_NO_DIALOGS=1 \
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
run_game unpacked "$program"
mkdir -p "$tmp/links"
ln -s "$program" "$tmp/links/norppala"
run_game "through a link" "$tmp/links/norppala"

# It finds that data relative to itself, not in a system-wide install: with the
# unpacked data moved away it stops at once and names the folder it missed.
mv "$share/games/norppala/data" "$tmp/data-away"
(cd / && env QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy NORPPALA_NO_DIALOGS=1 \
    timeout 30 "$program" </dev/null >/dev/null 2>"$tmp/nodata.err")
rc=$?
[ "$rc" -eq 1 ] || fail "without its data the unpacked game ended with status $rc, not 1"
grep -q -F "$root/usr/games/data" "$tmp/nodata.err" ||
    fail "without its data the game did not name the folder beside it: $(cat "$tmp/nodata.err")"

if [ "$failures" -ne 0 ]; then
    echo "$failures package check(s) failed" >&2
    exit 1
fi
echo "package checks passed: $deb"
