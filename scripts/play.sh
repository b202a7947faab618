#!/usr/bin/env bash
# Builds the game on a fresh Debian 12 machine (installing what is missing),
# prepares its run folder and starts it there.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "velmor needs a graphical display; none was found (DISPLAY/WAYLAND_DISPLAY are unset)" >&2
    exit 1
fi
source scripts/deps.sh
velmor_install_packages "${VELMOR_BUILD_PACKAGES[@]}"
cmake -S . -B build-play -DCMAKE_BUILD_TYPE=Release -DVELMOR_BENCH=OFF >/dev/null
cmake --build build-play -j"$(nproc)" --target velmor velmor_run_folder
cd build-play/run
exec ../bin/velmor "$@"
