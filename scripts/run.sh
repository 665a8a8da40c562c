#!/usr/bin/env bash
# Builds a release build of Tarvos and launches the console. Without a display it runs the
# console on a virtual X display, saves a screenshot to build/tarvos.png and ends.
#   scripts/run.sh [--vatsim] [--airport CODE] [tarvos options]
# --vatsim: without a display, the offline console of a VATSIM controller (the recorded v3 feed
# and VATSIM's METAR service); with a display Tarvos uses the network.txt of its data folder.
# --airport CODE: without a display, a console whose home airport is CODE (LEMD, Madrid, has a
# recorded report), which the shipped rwy.txt does not know: its runways and the aerodrome list
# come from the recorded network's extract of OurAirports' open data.
set -euo pipefail
cd "$(dirname "$0")/.."
netsim_args=()
airport=""
while [ $# -gt 0 ]; do
    case "$1" in
    --vatsim) netsim_args=(--vatsim) ;;
    --airport)
        airport=${2:?--airport needs an airport code}
        shift
        ;;
    *) break ;;
    esac
    shift
done
scripts/install-deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DTARVOS_BUILD_TESTS=OFF >/dev/null
cmake --build build/release -j"$(nproc)" --target tarvos tarvos-netsim

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    exec build/release/bin/tarvos "$@"
fi

. scripts/xvfb.sh
start_xvfb
data=$(mktemp -d)
# Home airport Schoenefeld (squawk.txt: first squawk, next squawk, airport, letter): Tegel, the
# console's first default, closed in 2020 and the recorded network keeps its last report, which
# the console rightly takes for no current weather.
printf '1000\r\n1000\r\n%s\r\n 1 \r\n' "${airport:-EDDB}" >"$data/squawk.txt"
# A small aerodrome list, so that the picture shows the destination lookup at work; at another
# airport the console makes its own from the open data.
if [ -z "$airport" ]; then
    printf 'EDDF   Frankfurt\r\nEDDT   Berlin | Tegel\r\n' >"$data/ICAO.txt"
fi
# No internet needed: the recorded network answers the console's first METAR download.
netsim_out=$(mktemp)
build/release/bin/tarvos-netsim "${netsim_args[@]}" >"$netsim_out" 2>&1 &
netsim=$!
for _ in $(seq 1 50); do
    grep -q '^metar-noaa=' "$netsim_out" && break
    sleep 0.1
done
sed -n '/^network.txt lines/,$p' "$netsim_out" | tail -n +2 >"$data/network.txt"
build/release/bin/tarvos --data-dir "$data" "$@" &
pid=$!
sleep 3
scripts/screenshot-tour.sh build/tarvos.png || import -window root -crop 760x400+0+0 build/tarvos.png
kill -TERM "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
kill "$netsim" 2>/dev/null || true
echo "No display here: the console ran on a virtual display. Screenshot: $(pwd)/build/tarvos.png"
