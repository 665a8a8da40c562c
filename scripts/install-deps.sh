#!/usr/bin/env bash
# Installs what building, running and testing Tarvos needs on Debian 12, when it is missing.
# Further package names on the command line are installed too (the fuzz script's clang).
set -euo pipefail

packages=(
    cmake g++ make pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev qt6-httpserver-dev qcoro-qt6-dev
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    libx11-dev libxtst-dev
    xvfb xauth x11-utils xdotool imagemagick fonts-dejavu-core
    dpkg-dev file desktop-file-utils appstream lintian
    # a window manager for the test that the F-key macros give the keyboard back
    openbox
    "$@"
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Please install as root: ${missing[*]}" >&2; exit 1; }
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
