#!/bin/sh
# The desktop entry and the AppStream file pass their validators.
set -eu
dir=$1
command -v desktop-file-validate >/dev/null || { echo "skipped: desktop-file-validate is not installed"; exit 77; }
command -v appstreamcli >/dev/null || { echo "skipped: appstreamcli is not installed"; exit 77; }
desktop-file-validate "$dir/org.velmor.Velmor.desktop"
appstreamcli validate --no-net "$dir/org.velmor.Velmor.metainfo.xml"
