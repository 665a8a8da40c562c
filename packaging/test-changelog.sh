#!/usr/bin/env bash
# The package's changelog and the AppStream metainfo tell the same releases: the same versions in
# the same order (newest first), each on the same day.
#   packaging/test-changelog.sh <changelog> <metainfo>
set -euo pipefail
changelog=$(dpkg-parsechangelog -l "$1" --all --format rfc822 |
    while IFS= read -r line; do
        case $line in
        Version:*) version=${line#Version: } ;;
        Date:*) echo "$version $(date -u -d "${line#Date: }" +%F)" ;;
        esac
    done)
metainfo=$(grep -o '<release version="[^"]*" date="[^"]*"' "$2" |
    sed 's/<release version="\([^"]*\)" date="\([^"]*\)"/\1 \2/')
if [ "$changelog" != "$metainfo" ]; then
    echo "FAIL: the changelog's releases differ from the metainfo's" >&2
    diff <(echo "$changelog") <(echo "$metainfo") >&2 || true
    exit 1
fi
echo "changelog and metainfo agree: $(echo "$changelog" | tr '\n' ';')"
