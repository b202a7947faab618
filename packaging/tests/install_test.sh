#!/bin/sh
# Installs into a temporary prefix and starts the launcher as a new player
# would: the per-user folder is made, the records file survives later starts
# and a reinstall, own pictures stay until removed (and get no installed 2x
# twin beside them), --balls switches between the installed ball sets and is
# kept, and --version/--help work without a display.
set -eu
. "$(dirname "$0")/installed.sh"
launcher=$tmp/prefix/games/velmor
[ -x "$launcher" ] || fail "no launcher installed"

# Starts the game offscreen for a moment, with the launcher's arguments; it
# is still running when stopped.
start_game() {
    status=0
    env -u DISPLAY -u WAYLAND_DISPLAY HOME="$tmp/home" XDG_RUNTIME_DIR="$tmp/runtime" \
        QT_QPA_PLATFORM=offscreen timeout 3 "$launcher" "$@" >/dev/null 2>&1 || status=$?
    [ "$status" -eq 124 ] || fail "the game ended by itself with status $status"
}

mkdir -p "$tmp/runtime" && chmod 700 "$tmp/runtime"
start_game
folder=$tmp/home/.local/share/velmor
[ -f "$folder/res1/stat.txt" ] || fail "no records file in $folder/res1"
[ -s "$folder/res1/stat.txt" ] && fail "a new records file is not empty"
for picture in pole 1 2 3 4 5 6 1-d 2-d 3-d 4-d 5-d 6-d pole@2x 1@2x 6-d@2x; do
    [ -r "$folder/res1/$picture.bmp" ] || fail "$picture.bmp is not reachable in $folder/res1"
done

record='125  Anna     9  5  3  3  2007'
printf '%s' "$record" > "$folder/res1/stat.txt"
start_game
[ "$(cat "$folder/res1/stat.txt")" = "$record" ] || fail "a second start changed the records"
cmake --install "$build" --prefix "$tmp/prefix" >/dev/null
start_game
[ "$(cat "$folder/res1/stat.txt")" = "$record" ] || fail "a reinstall changed the records"

# An own picture in place of a link is used until it is removed.
cp "$folder/res1/3.bmp" "$tmp/own.bmp" && printf 'own' >> "$tmp/own.bmp"
rm "$folder/res1/3.bmp" && cp "$tmp/own.bmp" "$folder/res1/3.bmp"
start_game
[ ! -L "$folder/res1/3.bmp" ] && cmp -s "$tmp/own.bmp" "$folder/res1/3.bmp" || fail "an own picture was replaced"
[ ! -e "$folder/res1/3@2x.bmp" ] || fail "an own picture kept the installed 2x twin beside it"
"$tmp/prefix/games/velmor-bmp" check "$folder/res1" >/dev/null || fail "the player's folder is not usable"

# What the player's pictures are, each once: "own" for a file of the
# player's, the folder name $1 for a link to the installed picture there, and
# any other link as it stands.
linked_sets() {
    for picture in pole 1 2 3 4 5 6 1-d 2-d 3-d 4-d 5-d 6-d 1@2x 4-d@2x; do
        if [ ! -L "$folder/res1/$picture.bmp" ]; then
            echo own
        elif [ "$folder/res1/$picture.bmp" -ef "$tmp/prefix/share/games/velmor/$1/$picture.bmp" ]; then
            echo "$1"
        else
            readlink "$folder/res1/$picture.bmp"
        fi
    done | sort -u | tr '\n' ' '
}
[ "$(linked_sets res1)" = "own res1 " ] || fail "the plain balls are not linked: $(linked_sets res1)"
# --balls marked links the marked set, keeps the choice for later starts and
# leaves the own picture and the records alone; --balls=plain goes back.
start_game --balls marked
[ "$(linked_sets marked)" = "marked own " ] || fail "--balls marked linked: $(linked_sets marked)"
start_game
[ "$(linked_sets marked)" = "marked own " ] || fail "the marked balls were not kept: $(linked_sets marked)"
cmp -s "$tmp/own.bmp" "$folder/res1/3.bmp" || fail "switching the ball set replaced an own picture"
[ "$(cat "$folder/res1/stat.txt")" = "$record" ] || fail "switching the ball set changed the records"
"$tmp/prefix/games/velmor-bmp" check "$folder/res1" >/dev/null || fail "the marked folder with an own ball is not usable"
start_game --balls=plain
[ "$(linked_sets res1)" = "own res1 " ] || fail "--balls=plain linked: $(linked_sets res1)"
status=0
message=$(env -u DISPLAY HOME="$tmp/home" QT_QPA_PLATFORM=offscreen "$launcher" --balls striped 2>&1) || status=$?
[ "$status" -eq 2 ] && echo "$message" | grep -q '^velmor: --balls takes plain or marked$' ||
    fail "--balls striped gave status $status: $message"
[ "$(cat "$folder/balls")" = plain ] || fail "a wrong --balls changed the kept choice"

rm "$folder/res1/3.bmp"
start_game
[ -L "$folder/res1/3.bmp" ] && [ -L "$folder/res1/3@2x.bmp" ] ||
    fail "removing an own picture did not bring back the installed one and its twin"

# XDG_DATA_HOME moves the folder.
status=0
env -u DISPLAY -u WAYLAND_DISPLAY HOME="$tmp/home" XDG_DATA_HOME="$tmp/data" \
    XDG_RUNTIME_DIR="$tmp/runtime" QT_QPA_PLATFORM=offscreen timeout 3 "$launcher" >/dev/null 2>&1 || status=$?
[ -f "$tmp/data/velmor/res1/stat.txt" ] || fail "XDG_DATA_HOME was not used"

version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$launcher" --version)
echo "$version" | grep -q '1\.0\.0\.1' || fail "--version printed: $version"
help=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$launcher" --help)
echo "$help" | grep -qi 'usage' && echo "$help" | grep -q -- '--balls SET' || fail "--help printed: $help"

status=0
message=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME="$tmp/home" "$launcher" 2>&1) || status=$?
[ "$status" -eq 1 ] || fail "without a display the launcher exited with $status"
[ "$message" = "velmor needs a graphical display; none was found (DISPLAY/WAYLAND_DISPLAY are unset)" ] ||
    fail "without a display it said: $message"
echo "install and launcher: ok"
