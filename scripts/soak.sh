#!/usr/bin/env bash
# One scripted evening at the console (not part of the test run): the real console on a virtual
# X display against the recorded network, 30 fast minutes of AutoAtis, 500 strips typed, cleared
# and deleted through its widgets, one server answer in five slow or failing. Prints memory at
# the start and end, the log.txt and squawk.txt checks and every message box shown.
#   scripts/soak.sh [strips]
# SOAK_BUILD names another build folder to use (default build/soak, a release build).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${SOAK_BUILD:-build/soak}
scripts/install-deps.sh
if [ -z "${SOAK_BUILD:-}" ]; then
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTARVOS_BUILD_TESTS=OFF \
        -DTARVOS_BUILD_SOAK=ON >/dev/null
else
    cmake -S . -B "$build" -DTARVOS_BUILD_SOAK=ON >/dev/null
fi
cmake --build "$build" -j"${SOAK_BUILD_JOBS:-$(nproc)}" --target tarvos_soak
. scripts/xvfb.sh
start_xvfb
# In a sanitizer build, freed memory is handed back at once, so that the memory figures are
# those of the program rather than of the sanitizer's quarantine.
export ASAN_OPTIONS="${ASAN_OPTIONS:-quarantine_size_mb=0:detect_leaks=1}"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$(pwd)/tests/lsan.supp:print_suppressions=0}"
QT_QPA_PLATFORM=xcb "$build/soak/tarvos_soak" "$@"
