#!/usr/bin/env bash
# Builds the Debian package from a build folder into <output folder>/ (emptied first), for the
# packaging tests that look at it.
#   packaging/build-deb.sh <build folder> <output folder>
set -euo pipefail
build=$(cd "$1" && pwd)
out=$2
rm -rf "$out"
mkdir -p "$out"
cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 ||
    { cat "$out/cpack.log"; echo "FAIL: cpack" >&2; exit 1; }
rm -rf "$out/_CPack_Packages"
ls "$out"/tarvos_*.deb
