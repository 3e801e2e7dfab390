#!/usr/bin/env bash
# Installs what building and testing Cointrel needs on Debian 12, and nothing when it is all there.
set -euo pipefail

packages=(
    cmake g++ make pkg-config clang libclang-rt-14-dev llvm
    googletest libgtest-dev libbenchmark-dev
    libfreetype-dev fonts-dejavu-extra
    g++-mingw-w64-x86-64-posix mingw-w64-tools
    wine wine64 fonts-wine
    xvfb x11-utils imagemagick nsis zip unzip
)

missing=()
for p in "${packages[@]}"; do
    if [ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" != "install ok installed" ]; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Run as root, or install: ${missing[*]}" >&2; exit 1; }
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
