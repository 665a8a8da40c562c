#!/usr/bin/env bash
# Start-up benchmark (not a test): time until the console window is shown and peak memory of
# the release build, beside a bare Qt Widgets window built the same way, as ratios of medians.
#   scripts/bench-startup.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}
scripts/install-deps.sh
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DTARVOS_BUILD_TESTS=OFF \
    -DTARVOS_BUILD_BENCHMARKS=ON >/dev/null
cmake --build build/bench -j"$(nproc)" --target tarvos bare_window startup_probe >/dev/null
. scripts/xvfb.sh
start_xvfb
data=$(mktemp -d)
# Every download stays on this machine and is refused: the start is measured, not a network.
printf 'metar-network=http://127.0.0.1:9/{code}.TXT\nmetar-noaa=http://127.0.0.1:9/m?ids={code}\nairports=http://127.0.0.1:9/\n' \
    >"$data/network.txt"
probe=build/bench/bench/startup_probe
median() { sort -n | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }
t_console=(); m_console=(); t_bare=(); m_bare=()
for i in $(seq 1 "$runs"); do
    read -r t m < <("$probe" "Tarvos V7.4" build/bench/bin/tarvos --data-dir "$data")
    t_console+=("$t"); m_console+=("$m")
    read -r t m < <("$probe" "Bare window" build/bench/bench/bare_window)
    t_bare+=("$t"); m_bare+=("$m")
done
tc=$(printf '%s\n' "${t_console[@]}" | median); mc=$(printf '%s\n' "${m_console[@]}" | median)
tb=$(printf '%s\n' "${t_bare[@]}" | median); mb=$(printf '%s\n' "${m_bare[@]}" | median)
echo "runs: $runs (medians)"
echo "console:     shown after ${tc} ms, peak memory ${mc} KiB"
echo "bare window: shown after ${tb} ms, peak memory ${mb} KiB"
awk -v a="$tc" -v b="$tb" -v c="$mc" -v d="$mb" \
    'BEGIN {printf "ratio console/bare: time %.2f, memory %.2f\n", a/b, c/d}'
