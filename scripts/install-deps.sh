#!/usr/bin/env bash
# Installs the Debian packages the project needs, and nothing when they are all present.
#   install-deps.sh           what the Linux build, tests and tools need
#   install-deps.sh windows   that, plus the mingw-w64 cross compilers, Wine and Xvfb
set -euo pipefail

packages=(
    cmake make g++ pkg-config
    juce-modules-source juce-tools
    libpng-dev libjpeg-dev libflac-dev libvorbis-dev libogg-dev zlib1g-dev
    libfreetype-dev libfontconfig1-dev libx11-dev libxext-dev libxrandr-dev libxinerama-dev libxcursor-dev
    libxtst-dev
    libasound2-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    libxsimd-dev
    lilv-utils serdi liblilv-dev
    fonts-dejavu-core fonts-liberation
    xvfb xauth
)

if [ "${1:-}" = "windows" ]; then
    packages+=(
        g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
        mingw-w64-x86-64-dev libz-mingw-w64-dev
        wine wine64
        dpkg-dev
    )
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
