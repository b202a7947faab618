#!/bin/sh
# Builds the Debian package and has lintian judge it as a distribution would:
# no errors and no warnings.
set -eu
build=$1
command -v lintian >/dev/null || { echo "skipped: lintian is not installed"; exit 77; }
command -v dpkg-shlibdeps >/dev/null || { echo "skipped: dpkg-dev is not installed"; exit 77; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

(cd "$tmp" && cpack --config "$build/CPackConfig.cmake" >/dev/null)
deb=$(ls "$tmp"/velmor_*.deb)
status=0
lintian --fail-on error,warning "$deb" >"$tmp/report" 2>&1 || status=$?
grep -v 'running with root privileges' "$tmp/report" || true
if [ "$status" -ne 0 ] || grep -q '^[EW]:' "$tmp/report"; then
    echo "FAIL: lintian found errors or warnings (status $status)" >&2; exit 1
fi
echo "lintian: clean"
