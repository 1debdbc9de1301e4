#!/usr/bin/env bash
# The floppy and CD images made from the built package hold exactly the
# installation folder, with and without the driver maker's files, and the
# simulated driver never gets onto them.   media_test.sh MAKE_MEDIA PACKAGE SIMULATOR
set -uo pipefail
make_media=$1 package=$2 simulator=$3 w=$(mktemp -d) failures=0
trap 'rm -rf "$w"' EXIT
programs="Setup.exe Pemrosko.CPL Durmasel.exe Fennock.exe Brokasta.exe"
bad() { echo "FAIL [$case]: $*"; failures=$((failures + 1)); }
names() { tr -d "'" | sed 's|^::/||' | sort; }

# The maker's VxD stand-in is a linear executable (MZ, then LE at the offset it names).
mkdir -p "$w/maker" "$w/sim" "$w/sim-lower" "$w/sim-unmarked" "$w/folder-sim"
{ printf 'MZ'; head -c 58 /dev/zero; printf '\200\0\0\0'; head -c 64 /dev/zero; printf 'LE'
  yes vxd | head -c 3000; } > "$w/maker/ZELVANIS.VxD"
for d in maker sim sim-lower sim-unmarked; do printf '; %s\r\n' $d > "$w/$d/Pemrosko.inf"; done
cp "$simulator" "$w/sim/ZELVANIS.VxD"
cp "$simulator" "$w/sim-lower/zelvanis.vxd"
# A simulator built before it carried its mark.
LC_ALL=C sed 's/tests and demos only/XXXXXXXXXXXXXXXXXXXX/' "$simulator" > "$w/sim-unmarked/ZELVANIS.VxD"
cp "$package"/*.exe "$simulator" "$w/folder-sim/"

# case | make-media arguments before FOLDER | files of the images, or "refused:" and why
cases=("plain|--package $package|$programs DRIVER.TXT"
       "maker|--package $package --driver $w/maker|$programs ZELVANIS.VxD Pemrosko.inf"
       "simulator|--package $package --driver $w/sim|refused:the simulated driver"
       "simulator-lowercase|--package $package --driver $w/sim-lower|refused:the simulated driver"
       "simulator-unmarked|--package $package --driver $w/sim-unmarked|refused:a Win32 PE file"
       "simulator-in-folder||refused:the simulated driver")
for row in "${cases[@]}"; do
    IFS='|' read -r case args expected <<< "$row"
    c="$w/$case" && mkdir -p "$c/img" "$c/iso"
    folder=$c/medium && [ "$case" = simulator-in-folder ] && folder=$w/folder-sim
    touch "$c/medium.img" "$c/medium.iso"  # an earlier run's images must not outlive a refusal
    # shellcheck disable=SC2086 # the arguments are words of the table
    "$make_media" $args "$folder" "$c/medium.img" "$c/medium.iso" > "$c/log" 2>&1
    status=$?
    if [ "${expected#refused:}" != "$expected" ]; then
        [ $status = 1 ] && grep -q "${expected#refused:}" "$c/log" || bad "exit $status: $(cat "$c/log")"
        [ ! -e "$c/medium.img" ] && [ ! -e "$c/medium.iso" ] || bad "an image was left behind"
        continue
    fi
    [ $status = 0 ] || { bad "exit $status: $(cat "$c/log")"; continue; }
    want=$(echo "$expected" | tr ' ' '\n' | sort)
    [ "$(stat -c %s "$c/medium.img")/$(od -An -c -j54 -N5 "$c/medium.img" | tr -d ' ')" = 1474560/FAT12 ] ||
        bad "the floppy is not a 1.44 MB FAT12 image"
    [ "$(mdir -i "$c/medium.img" -b ::/ | names)" = "$want" ] || bad "floppy names differ"
    [ "$(xorriso -read_fs norock -indev "$c/medium.iso" -ls / 2>/dev/null | names)" = "$want" ] ||
        bad "Joliet names differ"
    mcopy -i "$c/medium.img" -n '::/*' "$c/img/"
    xorriso -osirrox on -read_fs norock -indev "$c/medium.iso" -extract / "$c/iso" 2>/dev/null
    diff -r "$folder" "$c/img" && diff -r "$folder" "$c/iso" || bad "image contents differ"
    cmp "$package/Pemrosko.Cpl" "$folder/Pemrosko.CPL" || bad "Pemrosko.CPL is not the built one"
    [ "$case" != maker ] || cmp "$w/maker/ZELVANIS.VxD" "$folder/ZELVANIS.VxD" || bad "not the maker's VxD"
done
[ $failures = 0 ] && echo "media images: ${#cases[@]} cases passed"
exit $((failures > 0))
