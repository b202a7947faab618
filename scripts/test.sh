#!/usr/bin/env bash
# Runs every test on a fresh Debian 12 machine: installs what is missing,
# checks that every C++ file is formatted, then builds and tests twice (plain
# with warnings as errors, and under AddressSanitizer +
# UndefinedBehaviorSanitizer), and replays the fuzzing corpora.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
velmor_install_packages "${VELMOR_BUILD_PACKAGES[@]}" "${VELMOR_TEST_PACKAGES[@]}"

./scripts/check-format.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
export CTEST_OUTPUT_ON_FAILURE=1

run_suite() {
    local dir=$1; shift
    echo "== $dir"
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMOR_WERROR=ON "$@" >/dev/null
    cmake --build "$dir" -j"$jobs"
    ctest --test-dir "$dir" -j"$jobs" --timeout 600
}

run_suite build
run_suite build-asan -DVELMOR_SANITIZE=ON -DVELMOR_BENCH=OFF
if [ -d fuzz ]; then
    run_suite build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DVELMOR_FUZZ=ON -DVELMOR_UI=OFF -DVELMOR_BENCH=OFF
fi
echo "velmor: all test suites passed"
