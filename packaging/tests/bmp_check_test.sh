#!/bin/sh
# Installs into a temporary prefix: the installed velmor-bmp accepts the
# installed pictures of both ball sets and says what is wrong with a damaged
# copy.  The sets share their board and colour table, so that own pictures
# made for one work with the other.
set -eu
. "$(dirname "$0")/installed.sh"
bmp=$tmp/prefix/games/velmor-bmp
pictures=$tmp/prefix/share/games/velmor/res1
"$bmp" --version | grep -qx 'velmor-bmp 1\.0\.0\.1' || fail "velmor-bmp --version"
for folder in "$pictures" "$tmp/prefix/share/games/velmor/marked"; do
    "$bmp" check "$folder" >"$tmp/out" || fail "the installed pictures: $(cat "$tmp/out")"
    [ "$(cat "$tmp/out")" = "$folder: usable picture folder" ] || fail "the installed pictures: $(cat "$tmp/out")"
done
cmp -s "$pictures/pole.bmp" "$tmp/prefix/share/games/velmor/marked/pole.bmp" || fail "the ball sets' boards differ"
cmp -s "$pictures/1.bmp" "$tmp/prefix/share/games/velmor/marked/1.bmp" && fail "the ball sets have the same balls"

cp -R "$pictures" "$tmp/damaged"
head -c 2000 "$pictures/3.bmp" >"$tmp/damaged/3.bmp"
status=0
"$bmp" check "$tmp/damaged" >"$tmp/out" || status=$?
[ "$status" -eq 1 ] || fail "a damaged folder gave status $status"
[ "$(cat "$tmp/out")" = "3.bmp: the file ends before all pixel rows (cut short?)
$tmp/damaged: not usable (1 problem)" ] || fail "a damaged folder: $(cat "$tmp/out")"
echo "velmor-bmp check: ok"
