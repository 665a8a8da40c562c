#!/usr/bin/env bash
# Builds the release programs and the Debian package from them; its dependencies are computed by
# dpkg-shlibdeps. Install it with `sudo apt install ./build/package/tarvos_7.4_amd64.deb`.
#   scripts/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DTARVOS_BUILD_TESTS=OFF >/dev/null
cmake --build build/release -j"$(nproc)" --target tarvos tarvos-netsim
cpack --config build/release/CPackConfig.cmake -B build/package >/dev/null
rm -rf build/package/_CPack_Packages
deb=$(ls build/package/tarvos_*.deb)
echo "Package: $(pwd)/$deb"
dpkg-deb -f "$deb" Package Version Depends
