#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz and runs each for a number of inputs
# (default 1,000,000), starting from real inputs: METARs of the test data, the command words,
# the recorded status files, the default tables, a strip log and OurAirports' extracts.
#   scripts/fuzz.sh [runs] [target ...]     (all targets when none is named)
#   scripts/fuzz.sh smoke [target ...]      CI: every target from its seeds alone, a few
#                                           thousand inputs each; a target that does not build
#                                           or finds a crash fails the run
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-fuzz"
runs="${1:-1000000}"
[ $# -eq 0 ] || shift
smoke=false
if [ "$runs" = smoke ]; then
    smoke=true
    runs=4000
fi
all=(metar_fuzzer atis_fuzzer command_fuzzer feed_fuzzer datafile_fuzzer log_fuzzer opendata_fuzzer)
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=("${all[@]}")
jobs="${FUZZ_BUILD_JOBS:-2}"

"$root/scripts/install-deps.sh" clang libclang-rt-14-dev ninja-build
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTARVOS_BUILD_FUZZERS=ON -DTARVOS_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j"$jobs" --target "${targets[@]}"

# Seeds: the first reports of the corpus, one a file, with a leading mode byte (0 = single
# bytes); the ATIS seeds put a report's tail and the Berlin fields between unit separators.
seeds="$build/seeds"
# The seeds are written afresh, so that they always match this script.
rm -rf "$seeds"
mkdir -p "$seeds/metar" "$seeds/atis" "$seeds/command" "$seeds/feed" "$seeds/datafile" "$seeds/log" \
    "$seeds/opendata"
if [ -z "$(ls -A "$seeds/metar")" ]; then
    sed -n 2,301p "$root/tests/data/metars-awc.tsv" | cut -f1 |
        while IFS= read -r report; do
            n=$((${n:-0} + 1))
            printf '\0%s' "$report" >"$seeds/metar/$n"
            printf '\0%s\x1fV\x1f\x1fK\x1fEDDT\x1f26R\x1fTL60\x1f12:20\x1fc' "${report:7}" \
                >"$seeds/atis/$n"
        done
fi
# Feed seeds: a key length byte and a key, then a body: the recorded status file in the record
# layout, the start of the JSON feed's first clients, and a small complete JSON feed.
if [ -z "$(ls -A "$seeds/feed")" ]; then
    printf '\x06DLH123%s' "$(head -c 3000 "$root/netsim/recorded/whazzup.txt")" >"$seeds/feed/1"
    printf '\x04EDDT%s' "$(head -c 3000 "$root/tests/data/ivao-whazzup-v2-2023-01-04.json")" \
        >"$seeds/feed/2"
    json='{"clients":{"atcs":[{"callsign":"EDDT_TWR","userId":1,"atcSession":{"frequency":118.7}}],'
    json+='"pilots":[{"callsign":"ABC123","lastTrack":{"transponder":7},"flightPlan":'
    json+='{"departureId":"EDDT","arrivalId":"EDDM","route":"A:B","remarks":null}}]}}'
    printf '\x05ABC12%s' "$json" \
        >"$seeds/feed/3"
    # VATSIM's v3 feed: the start of a real one, and a small complete one with a station, an
    # observer, a pilot without plan and a prefile; then a body with 0xFF bytes that once broke
    # the name read's bound.
    printf '\x0aEDDM_N_APP%s' "$(head -c 3000 "$root/tests/data/vatsim-v3-2024-02-20.json")" \
        >"$seeds/feed/4"
    json='{"general":{"version":3},"controllers":[{"callsign":"EDBB_S_APP","cid":1,"name":"1",'
    json+='"frequency":"126.420","facility":5,"text_atis":["A:B","C"],"logon_time":"2021-01-03T01:08:33Z"},'
    json+='{"callsign":"X_OBS","frequency":"199.998","facility":0}],"atis":[{"callsign":"EDDB_ATIS",'
    json+='"text_atis":null}],"pilots":[{"callsign":"DLH126","flight_plan":{"departure":"EDDF",'
    json+='"arrival":"EDDB","enroute_time":"0047","route":"A:B"}},{"callsign":"N1","flight_plan":null}],'
    json+='"prefiles":[{"callsign":"EZY52LM","flight_plan":{"arrival":"EGPH"}}]}'
    printf '\x06EZY52L%s' "$json" >"$seeds/feed/5"
    printf 'BUFCQzEyeyJjbGllbnRzIjp7ImF0Y3MiOlt7ImNhbGxzaWduIjoiRUREVF9UV1IiLCJ1c2VySWQiOv////////////////////////////////////////////////////////////////////////////////////////////////////////////////////8xLCJhdGNTZXNzaW9uIjp7ImZyZXF1ZW5jeSI6MTE4Ljd9fV0sInD/Bmlsb3RzIjpbeyJjYWxsc2lnbiI6IkFCQzEyMyIsImxhc3RUcmEiYzprInt0cmFuc3BvbmRlciI6N30sImZsaWdodFBsYW4iOnsiZGVwYXJ0dXJlSWQiOiJFRERUIiwiYXJyaXZhbElkIjoiRURETSIsInJvdXRlIjoiQTpCIiwicmVtYXJrcyI6bnVsbH19XX19' |
        base64 -d >"$seeds/feed/6"
fi

# The command seeds: every word of the callsign field (mode byte 1: UTF-8, row 1).
if [ -z "$(ls -A "$seeds/command")" ]; then
    n=0
    for word in atis alpha 'freq 121.80!' 'rem QNH 1013!' 'atc EDDT_TWR!' 'con EDBB!' clr clear \
        .ab. .. prüf wech imm adv rwde rwbe tsbe rwts tsbr rw:foo.ivao.org '???' suchDLH123. 333 \
        autosid nosid depeddt sid 'ip?' eins zwei; do
        n=$((n + 1))
        printf '\1%s' "$word" >"$seeds/command/$n"
    done
    printf '\0.ab            Taxi via A\r\n.x\n' >"$seeds/command/file"
fi

# Data-file seeds: a selector byte (0 code table, 1 squawk.txt, 2 rwy.txt and ils.txt, 3 a
# frequency list, 4 ICAO.txt, 5 tl.txt), then the file: the default tables in Windows-1252 with CR LF, one
# in UTF-8 with LF, and the aerodrome sample.
if [ -z "$(ls -A "$seeds/datafile")" ]; then
    crlf() { printf '%s\r\n' "$@"; }
    { printf '\0'; crlf 'dlh Lufthansa DLH' 'afr Air France AFR' 'ber Air Berlin BER' 'dlh'; } \
        >"$seeds/datafile/airlines"
    { printf '\0'; crlf 'b1l BRANE1L' 'b5l BKD5L' 'aaa bbb' 'bbb aaa' 'aaa'; } >"$seeds/datafile/cycle"
    { printf '\1'; crlf '5051' '5062' 'EDDT' ' 3'; } >"$seeds/datafile/squawk"
    { printf '\2'; crlf 'EDDT' '250' 'EDDT 26R 26L' 'EDDT 08L 08R' 'EDDB 25L 25R' 'EDDB 07R 07L'; } \
        >"$seeds/datafile/rwy"
    { printf '\2'; crlf 'EGLL' '130 05 10' 'EGLL 27L 27R preferred' 'EGLL 09L 09R' 'EGLL 27R 27L'; } \
        >"$seeds/datafile/preferred"
    { printf '\5'; crlf 'EGLL' 'TL|ED|5000|0|978|TL80' 'TL|EG|6000|979|1012|TL80' 'TL|EGLL|6000|1013|1046|TL70' \
        'TL|E|5000|0|1099|E' '#TL|EG|6000|0|978|TL90' 'TL|K|18000|0|1099|FL180'; } >"$seeds/datafile/tl"
    { printf '\3'; crlf 'EDBB 123.450' 'EDWW 127.100' 'EDDT_TWR 119.650'; } >"$seeds/datafile/freq"
    printf '\3T\xc3\xbcrkisch 118.70\nTempelhof\n' >"$seeds/datafile/utf8"
    { printf '\4'; cat "$root/tests/data/icao_sample.txt"; printf 'EDDF\r\n'; } >"$seeds/datafile/icao"
fi
# Log seeds: an even first byte (the day) and log lines of today and other days; an odd one and
# edits of the ground-info rows.
if [ -z "$(ls -A "$seeds/log")" ]; then
    line='DLH123                EDDF  BKD5L..  5051  Frankfurt...........................  '
    { printf '\0'; printf 'suchDLH123.\r\n'; printf '%s01.01.2026  14:05:09  26L\r\n' "$line" "$line"; } \
        >"$seeds/log/today"
    { printf '\6'; printf 'Condor CFG440\r\nEDDM\r\n\r\n----\r\nLandung\r\n26L\r\n26R\r\n'; } \
        >"$seeds/log/strip"
    printf '\1\0\1\0\2\4\3\4\4\1\5\3\0\0\6\4\0\3\0' >"$seeds/log/ground"
fi

# Open-data seeds: a byte (even runways.csv, odd airports.csv), the airport, then the header and
# the rows of a few airports of the extracts; a body cut short and an HTML page.
if [ -z "$(ls -A "$seeds/opendata")" ]; then
    rwy="$root/tests/data/ourairports-runways-extract.csv"
    apt="$root/tests/data/ourairports-airports-extract.csv"
    for icao in LEMD KLAX KSEA HKLO MMTG 00A; do
        { printf '\0%s' "$icao"; head -n 1 "$rwy"; grep -E ',"('"$icao"'|EDDH|LOWL)",' "$rwy"; } \
            >"$seeds/opendata/rwy-$icao"
    done
    { printf '\1EDDH'; head -n 16 "$apt"; grep -E '"(EDDH|EDBM|EPLL|UUEE|YMIR|AU-MWY|04CA)"' "$apt"; } \
        >"$seeds/opendata/airports"
    { printf '\3UUEE'; head -c 3000 "$root/tests/data/ourairports-airports-icao-code-extract.csv"; } \
        >"$seeds/opendata/icao-code"
    { printf '\0EDDF'; head -c 1500 "$rwy"; } >"$seeds/opendata/cut"
    printf '\1EDDH<!DOCTYPE html>\n<html><body>404</body></html>\n' >"$seeds/opendata/html"
fi

failed=()
for target in "${targets[@]}"; do
    corpus="$build/corpus-$target"
    # The smoke run starts from the seeds alone each time, so that its result does not depend
    # on what earlier runs found.
    if $smoke; then
        corpus="$build/smoke-corpus-$target"
        rm -rf "$corpus"
    fi
    mkdir -p "$corpus"
    echo "== $target: $runs runs"
    start=$(date +%s)
    status=0
    "$build/fuzz/$target" -runs="$runs" -max_len=4096 -print_final_stats=1 \
        -artifact_prefix="$build/crash-$target-" "$corpus" "$seeds/${target%_fuzzer}" >"$build/$target.log" 2>&1 ||
        status=$?
    tail -n 25 "$build/$target.log"
    echo "== $target: $(($(date +%s) - start)) s, exit status $status"
    if [ "$status" -ne 0 ]; then
        $smoke || exit "$status"
        failed+=("$target")
    fi
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "Fuzz targets that failed: ${failed[*]}" >&2
    exit 1
fi
