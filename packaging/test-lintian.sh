#!/usr/bin/env bash
# Debian's package checker on the built package: any error or warning fails. Informational tags
# are printed and allowed.
#   packaging/test-lintian.sh <folder with the .deb>
set -euo pipefail
deb=$(ls "$1"/tarvos_*.deb)
status=0
lintian --display-info --fail-on error,warning "$deb" || status=$?
[ "$status" -eq 0 ] || { echo "FAIL: lintian found errors or warnings" >&2; exit 1; }
echo "lintian: no errors, no warnings on $(basename "$deb")"
