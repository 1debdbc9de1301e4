#!/usr/bin/env bash
# Installs what building and testing need on a Debian machine, only when
# something is missing: the mingw-w64 cross compilers (i686 for the package,
# x86_64 for the test-only 64-bit build), 32-bit and 64-bit Wine, Xvfb,
# CMake/Ninja, GoogleTest for the native unit tests, and mtools and xorriso
# for the floppy and CD images of the installation folder. Whether 32-bit
# Wine can run here is not the package list's question: scripts/rig.sh asks
# the kernel.
set -euo pipefail

packages=(cmake ninja-build g++ python3 libgtest-dev
          g++-mingw-w64-i686 binutils-mingw-w64-i686 mingw-w64-i686-dev
          g++-mingw-w64-x86-64-win32 binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
          wine wine32:i386 wine64 xvfb xauth mtools xorriso)

missing=()
for p in "${packages[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
[ -d /usr/src/googletest ] || missing+=(googletest)
[ ${#missing[@]} -eq 0 ] && exit 0

echo "deps: installing ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
