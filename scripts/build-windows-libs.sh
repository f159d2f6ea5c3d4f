#!/usr/bin/env bash
# Builds the image codecs that Debian's JUCE expects from the system (libpng, libjpeg) as
# static 64-bit Windows libraries, from Debian's own source packages. Debian ships zlib for
# mingw but not these two. The result is cached: a second run does nothing.
#   build-windows-libs.sh WORK_DIR TOOLCHAIN_FILE
# leaves headers and libraries in WORK_DIR/prefix.
set -euo pipefail

work_dir=$(realpath -m "$1")
toolchain=$(realpath "$2")
prefix="$work_dir/prefix"
stamp="$prefix/.built"
jobs=$(nproc)

if [ -f "$stamp" ]; then
    exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi

# apt-get source needs deb-src entries; mirror the machine's own deb entries.
ensure_source_entries() {
    if [ -n "$(apt-cache showsrc libpng1.6 2>/dev/null)" ]; then
        return
    fi
    local list=/etc/apt/sources.list.d/vorl-deb-src.sources
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources | "${sudo_cmd[@]}" tee "$list" >/dev/null
    elif [ -f /etc/apt/sources.list ]; then
        grep -E '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' | "${sudo_cmd[@]}" tee /etc/apt/sources.list.d/vorl-deb-src.list >/dev/null
    fi
    "${sudo_cmd[@]}" apt-get update -qq
}

# Unpacks the newest source version the archive actually serves into WORK_DIR/src/PACKAGE.
fetch_source() {
    local package=$1
    local target="$work_dir/src/$package"
    if [ -d "$target" ]; then
        return
    fi
    local download="$work_dir/download/$package"
    mkdir -p "$download"
    local versions
    versions=$(apt-cache showsrc "$package" | awk '/^Version:/ { print $2 }' | sort -u -V -r)
    for version in $versions; do
        rm -f "$download"/*
        if (cd "$download" && apt-get source --download-only -qq "$package=$version" >/dev/null 2>&1); then
            # Unpacked beside the target and moved into place, so an interrupted run never
            # leaves a half-unpacked tree that a later run would take as complete.
            mkdir -p "$work_dir/src"
            rm -rf "$target.partial"
            dpkg-source --no-check -x "$download"/*.dsc "$target.partial" >/dev/null
            mv "$target.partial" "$target"
            echo "Using $package $version"
            return
        fi
        echo "$package $version is not served; trying the next version"
    done
    echo "No source version of $package could be downloaded" >&2
    exit 1
}

build_with_cmake() {
    local package=$1
    shift
    cmake -S "$work_dir/src/$package" -B "$work_dir/build/$package" \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_POSITION_INDEPENDENT_CODE=OFF "$@" >/dev/null
    cmake --build "$work_dir/build/$package" -j "$jobs" >/dev/null
    cmake --install "$work_dir/build/$package" >/dev/null
}

ensure_source_entries
fetch_source libpng1.6
fetch_source libjpeg-turbo

build_with_cmake libpng1.6 -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF
build_with_cmake libjpeg-turbo -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF
# JUCE compiles its JPEG code with JPEG_INTERNALS, which needs this private header too.
cp "$work_dir/src/libjpeg-turbo/jpegint.h" "$prefix/include/"

touch "$stamp"
echo "Windows image codecs ready in $prefix"
