#!/bin/sh
# The desktop entry ($1) and the AppStream file ($2) pass their validators.
set -eu
command -v desktop-file-validate >/dev/null || { echo "skipped: desktop-file-validate is not installed"; exit 77; }
command -v appstreamcli >/dev/null || { echo "skipped: appstreamcli is not installed"; exit 77; }
desktop-file-validate "$1"
appstreamcli validate --no-net "$2"
