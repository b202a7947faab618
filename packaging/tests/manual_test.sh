#!/bin/sh
# Installs into a temporary prefix: man finds both manual pages there, they
# are compressed as Debian keeps them (gzip -9n), and they render without a
# warning from man, groff or mandoc.
set -eu
for tool in man groff mandoc; do
    command -v $tool >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
. "$(dirname "$0")/installed.sh"
for page in velmor.6 velmor-bmp.1; do
    file=$(MANPATH="$tmp/prefix/share/man" man -w "${page%.*}") || fail "man does not find ${page%.*}"
    [ "$file" = "$tmp/prefix/share/man/man${page##*.}/$page.gz" ] || fail "$page found at $file"
    # Flags, time stamp and the best-compression mark: no name, no time.
    [ "$(od -An -tu1 -j3 -N6 "$file" | tr -s ' ')" = " 0 0 0 0 0 2" ] || fail "$page.gz is not gzip -9n"
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$file" 2>&1 >"$tmp/text") || fail "man -l $page"
    [ -z "$warnings" ] || fail "man -l $page warns: $warnings"
    grep -q '^EXIT STATUS' "$tmp/text" || fail "$page renders without its EXIT STATUS"
    warnings=$(gzip -dc "$file" | groff -man -ww -z 2>&1)
    [ -z "$warnings" ] || fail "groff -ww $page: $warnings"
    gzip -dc "$file" | mandoc -T lint -W style >"$tmp/lint" 2>&1 || fail "mandoc -T lint $page: $(cat "$tmp/lint")"
    [ ! -s "$tmp/lint" ] || fail "mandoc -T lint $page: $(cat "$tmp/lint")"
done
echo "manual pages: ok"
