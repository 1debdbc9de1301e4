#!/usr/bin/env bash
# Builds the native unit tests (build/host) and the cross-compiled package
# with its Wine tests (build/cross). The package lands in build/cross/package.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
jobs=${JOBS:-2}

if [ -f tests/host/CMakeLists.txt ]; then
    cmake -S tests/host -B build/host -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
    ninja -C build/host -j "$jobs"
    host_args=(-DHOST_TEST_DIR="$top/build/host")
else
    host_args=()
fi
cmake -S . -B build/cross -G Ninja -DCMAKE_TOOLCHAIN_FILE="$top/cmake/i686-mingw.cmake" \
    "${host_args[@]}" >/dev/null
ninja -C build/cross -j "$jobs"
