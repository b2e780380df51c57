#!/usr/bin/env bash
# What the build does to the folder a player plays from.
# 1. The data folder beside the built program also holds the results the player
#    saved there. A scratch project refreshes its data folder with the game's own
#    rule (cmake/DataFolder.cmake); through a change of the data, a rebuild and
#    `make clean` the player's files must stay as they were, while the game's
#    files follow the source.
# 2. `make play` builds the game and its data folder, not the test suite.
# Usage: test-build-folder.sh <source folder> <CMake generator>
set -u

src=$1
generator=$2
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

tmp=$(mktemp -d "${TMPDIR:-/tmp}/norppala-build-folder.XXXXXX")
trap 'rm -rf "$tmp"' EXIT

project="$tmp/project"
build="$tmp/build"
data="$build/data"
mkdir -p "$project/data/maps/vanha" "$project/data/sound"
cat >"$project/CMakeLists.txt" <<CMAKE
cmake_minimum_required(VERSION 3.21)
project(DataFolderCheck NONE)
include("$src/cmake/DataFolder.cmake")
norppala_data_folder(data_folder \${CMAKE_SOURCE_DIR}/data \${CMAKE_BINARY_DIR}/data)
CMAKE
printf 'kuva 1' >"$project/data/mies.gif"
printf 'jarvi' >"$project/data/maps/Vanha.ars"
printf 'kartta' >"$project/data/maps/vanha/1.gif"
printf 'aani' >"$project/data/sound/kala01.wav"

build_it() {
    if ! cmake --build "$build" >"$tmp/build.log" 2>&1; then
        cat "$tmp/build.log" >&2
        fail "the build failed ($1)"
    fi
}
expect_file() { # path, content, when
    if [ ! -f "$1" ] || [ "$(cat "$1")" != "$2" ]; then
        fail "$1 should hold '$2' $3, holds '$(cat "$1" 2>/dev/null)'"
    fi
}
expect_gone() { # path, when
    if [ -e "$1" ] || [ -L "$1" ]; then
        fail "$1 should be gone $2"
    fi
}
# The player's files: saved results, and a map of the player's own.
add_player_files() {
    printf 'hauki = 1234g\r\nN\xe4m\xe4 kalat sai Pekka\r\n' >"$data/Pekka.kal"
    mkdir -p "$data/maps/oma"
    printf 'oma' >"$data/maps/Oma.ars"
    printf 'oma kuva' >"$data/maps/oma/1.gif"
}
expect_player_files() { # when
    expect_file "$data/Pekka.kal" "$(printf 'hauki = 1234g\r\nN\xe4m\xe4 kalat sai Pekka\r')" "$1"
    expect_file "$data/maps/Oma.ars" "oma" "$1"
    expect_file "$data/maps/oma/1.gif" "oma kuva" "$1"
}

if ! cmake -S "$project" -B "$build" -G "$generator" >"$tmp/configure.log" 2>&1; then
    cat "$tmp/configure.log" >&2
    echo "FAIL: the scratch project does not configure" >&2
    exit 1
fi
build_it "first build"
expect_file "$data/mies.gif" "kuva 1" "after the first build"
expect_file "$data/maps/vanha/1.gif" "kartta" "after the first build"
add_player_files

# The data changes as a pull or `make assets` would change it: a picture is
# redrawn, a map is dropped, a sound is added, and a new map of the game's
# takes a name the player already used.
printf 'kuva 2' >"$project/data/mies.gif"
rm -r "$project/data/maps/vanha" "$project/data/maps/Vanha.ars"
printf 'aani 2' >"$project/data/sound/kala02.wav"
printf 'pelin oma' >"$project/data/maps/Oma.ars"
build_it "after a change of the data"
expect_player_files "after a change of the data"
expect_file "$data/mies.gif" "kuva 2" "after the picture changed"
expect_file "$data/sound/kala02.wav" "aani 2" "after the sound was added"
expect_gone "$data/maps/Vanha.ars" "after the map left the source"
expect_gone "$data/maps/vanha" "after the map's folder left the source"

# A rebuild with nothing changed, and a data folder deleted by hand.
build_it "rebuild"
expect_player_files "after a rebuild"
rm "$project/data/maps/Oma.ars"
build_it "after the game's map of the player's name left the source"
expect_player_files "after the game's map of the player's name left the source"
rm -r "$data"
build_it "after the data folder was deleted"
expect_file "$data/mies.gif" "kuva 2" "after the data folder was deleted"
add_player_files

# `make clean`, then a build from scratch.
if ! make -s -C "$src" clean BUILD="$build" >"$tmp/clean.log" 2>&1; then
    cat "$tmp/clean.log" >&2
    fail "make clean failed"
fi
expect_gone "$build/CMakeCache.txt" "after make clean"
expect_player_files "after make clean"
if ! cmake -S "$project" -B "$build" -G "$generator" >"$tmp/configure.log" 2>&1; then
    cat "$tmp/configure.log" >&2
    fail "the scratch project does not configure again after make clean"
fi
build_it "after make clean"
expect_player_files "after make clean and a new build"
expect_file "$data/mies.gif" "kuva 2" "after make clean and a new build"
expect_file "$data/sound/kala01.wav" "aani" "after make clean and a new build"

# 2. What `make play` and `make test` would build, without building it.
fake="$tmp/fake-build"
mkdir -p "$fake"
touch "$fake/CMakeCache.txt"
plan() {
    make -n -C "$src" "$1" BUILD="$fake" JOBS=1 2>/dev/null | grep -E '^cmake --build'
}
play_builds=$(plan play)
if [ -z "$play_builds" ]; then
    fail "make play builds nothing"
fi
while read -r line; do
    case "$line" in
    *"--target norppala") ;;
    *) fail "make play builds more than the game: $line" ;;
    esac
done <<<"$play_builds"
if ! plan test | grep -qvE -- '--target'; then
    fail "make test does not build everything: $(plan test)"
fi

if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "build folder: all checks passed"
