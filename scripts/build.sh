#!/usr/bin/env bash
# Builds the native unit tests (build/host) and the cross-compiled package
# with its Wine tests (build/cross). The package lands in build/cross/package.
#     scripts/build.sh x64
# builds instead the test-only 64-bit build (build/x64): the same programs,
# the simulated driver, the harness and the Wine tests, for machines whose
# kernel runs no 32-bit programs (see scripts/rig.sh). Never shipped.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
jobs=${JOBS:-2}

if [ "${1:-}" = x64 ]; then
    cmake -S . -B build/x64 -G Ninja -DCMAKE_TOOLCHAIN_FILE="$top/cmake/x86_64-mingw.cmake" \
        >/dev/null
    ninja -C build/x64 -j "$jobs"
    exit 0
fi

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
