#!/usr/bin/env bash
# Builds Tarvos with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test.
# Widget tests run on Qt's offscreen platform; the tests that need a real X server run on a
# virtual display that this script starts.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=Debug -DTARVOS_SANITIZE=ON >/dev/null
cmake --build build/asan -j"$(nproc)"

. scripts/xvfb.sh
start_xvfb
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export LSAN_OPTIONS="suppressions=$(pwd)/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir build/asan --output-on-failure -j"$(nproc)" "$@"
