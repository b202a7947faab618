#!/bin/sh
# Builds the Debian package, installs it on this machine, starts the game
# from it and removes it again; a player's records stay where they were.
set -eu
build=$1
[ "$(id -u)" -eq 0 ] || { echo "skipped: installing a package needs root"; exit 77; }
command -v dpkg >/dev/null && command -v apt-get >/dev/null || { echo "skipped: no dpkg/apt-get"; exit 77; }
command -v dpkg-shlibdeps >/dev/null || { echo "skipped: dpkg-dev is not installed"; exit 77; }
if dpkg-query -W -f='${Status}' velmor 2>/dev/null | grep -q 'install ok installed'; then
    echo "skipped: a velmor package is already installed on this machine"; exit 77
fi
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$tmp" && cpack --config "$build/CPackConfig.cmake" >/dev/null)
deb=$(ls "$tmp"/velmor_*.deb)
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >/dev/null
trap 'DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq velmor >/dev/null 2>&1 || true; rm -rf "$tmp"' EXIT

mkdir -p "$tmp/runtime" && chmod 700 "$tmp/runtime"
status=0
env -u DISPLAY -u WAYLAND_DISPLAY HOME="$tmp/home" XDG_RUNTIME_DIR="$tmp/runtime" \
    QT_QPA_PLATFORM=offscreen timeout 3 /usr/games/velmor >/dev/null 2>&1 || status=$?
[ "$status" -eq 124 ] || fail "the installed game ended by itself with status $status"
[ -r /usr/share/games/velmor/marked/1.bmp ] || fail "the package has no marked balls"
[ -r /usr/share/games/velmor/res1/pole@2x.bmp ] && [ -r /usr/share/games/velmor/marked/6@2x.bmp ] ||
    fail "the package has no 2x pictures"
records=$tmp/home/.local/share/velmor/res1/stat.txt
[ -f "$records" ] || fail "no records file made"
printf 'kept' > "$records"
/usr/games/velmor --version | grep -q '1\.0\.0\.1' || fail "--version of the installed game"

DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq velmor >/dev/null
trap 'rm -rf "$tmp"' EXIT
[ ! -e /usr/games/velmor ] || fail "removal left /usr/games/velmor"
[ "$(cat "$records")" = kept ] || fail "removal touched the player's records"
echo "debian package: ok"
