#!/usr/bin/env bash
# The console killed with SIGKILL at random moments and started again, on a virtual X display:
# after each kill the data files are checked, and after each start the board it restored and the
# first squawk it gave (see soak/killrun.cpp). Not part of the test run, which has a short version.
#   scripts/killrun.sh [kills [seed]]      (default 300 kills, a random seed; both are printed)
# KILLRUN_BUILD names the build folder (default build/asan, with the sanitizers).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${KILLRUN_BUILD:-build/asan}
kills=${1:-300}
seed=${2:-}
scripts/install-deps.sh
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DTARVOS_SANITIZE=ON >/dev/null
cmake --build "$build" -j"${KILLRUN_BUILD_JOBS:-$(nproc)}" --target tarvos_killrun
. scripts/xvfb.sh
start_xvfb
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"
args=(--kills "$kills")
[ -n "$seed" ] && args+=(--seed "$seed")
"$build/soak/tarvos_killrun" "${args[@]}"
