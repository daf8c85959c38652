#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the program need.
# Quick when everything is there already: apt runs only for missing packages.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-serialport-dev qt6-translations-l10n qt6-tools-dev libqt6opengl6-dev
    libsqlite3-dev sqlite3
    libgtest-dev libgmock-dev libbenchmark-dev
    libgeographiclib-dev libproj-dev
    fonts-ipafont-gothic fonts-ipafont-mincho
    xdg-utils
    poppler-utils
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "install-deps: run as root or install sudo: ${missing[*]}" >&2; exit 1; }
    sudo="sudo"
fi
echo "install-deps: installing ${missing[*]}"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
