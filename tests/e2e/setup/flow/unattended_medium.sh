#!/usr/bin/env bash
# The unattended tests install from a folder copied out of the floppy image
# with mtools, as a technician would: this makes the images from the built
# package (with a stand-in for the driver maker's two files) and copies the
# image's files into OUT.     unattended_medium.sh MAKE_MEDIA PACKAGE OUT
set -euo pipefail
make_media=$1 package=$2 out=$3 w=$(mktemp -d)
trap 'rm -rf "$w"' EXIT
# The maker's VxD stand-in is a linear executable (MZ, then LE where it says).
mkdir -p "$w/maker"
{ printf 'MZ'; head -c 58 /dev/zero; printf '\200\0\0\0'; head -c 64 /dev/zero; printf 'LE'
  printf 'vxd\n%.0s' $(seq 750); } > "$w/maker/ZELVANIS.VxD"
printf '; stand-in\r\n' > "$w/maker/Pemrosko.inf"
"$make_media" --package "$package" --driver "$w/maker" "$w/folder" "$w/medium.img" "$w/medium.iso" >/dev/null
rm -rf "$out"
mkdir -p "$out"
mcopy -n -i "$w/medium.img" '::/*' "$out/"
ls "$out"
