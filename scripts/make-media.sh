#!/usr/bin/env bash
# Writes an installation folder onto a 1.44 MB FAT12 floppy image (mtools)
# and an ISO 9660 image with Joliet names (xorriso), and on request fills the
# folder first.
#     scripts/make-media.sh [--package DIR] [--driver DIR] FOLDER IMG ISO
# --package DIR  empties FOLDER and puts the built programs from DIR into it
#                (build/cross/package), with DRIVER.TXT unless --driver is given
# --driver DIR   puts the driver maker's ZELVANIS.VxD and Pemrosko.inf from DIR
#                into FOLDER (and takes DRIVER.TXT out)
# The simulated driver is refused wherever it turns up: it never goes onto a
# medium. Exit status 0 when both images are written, 1 on a refusal or a
# failure, 2 on bad arguments.
set -euo pipefail

# The text the simulator build carries (tools/simulator/simulator.cpp).
simulator_mark="Orvantix touchscreen simulator: tests and demos only, never on a medium"
programs=(Setup.exe Pemrosko.CPL Durmasel.exe Fennock.exe Brokasta.exe)

usage() {
    echo "usage: scripts/make-media.sh [--package DIR] [--driver DIR] FOLDER IMG ISO" >&2
    exit 2
}

fail() {
    echo "make-media: $*" >&2
    exit 1
}

# The one file in folder $1 named $2 in any letter case (the driver maker's
# disk may carry either spelling); empty when there is none.
find_named() {
    local found
    found=$(find "$1" -maxdepth 1 -type f -iname "$2")
    [ "$(printf '%s' "$found" | grep -c '')" -le 1 ] || fail "$1 holds more than one $2"
    printf '%s' "$found"
}

# A Windows 9x VxD is a linear executable; the simulator, a Win32 DLL, is a
# PE file even in a build older than its mark.
refuse_simulator() {
    local file=$1 offset
    if grep -qaF "$simulator_mark" "$file"; then
        fail "$file is the simulated driver (tests and demos only); it never goes onto a medium"
    fi
    case "$(basename "$file" | tr '[:upper:]' '[:lower:]')" in *.vxd) ;; *) return 0 ;; esac
    offset=$(od -An -tu4 -j60 -N4 "$file" | tr -d ' ')
    if [ "$(head -c2 "$file")" = MZ ] && [ -n "$offset" ] &&
       [ "$(od -An -c -j"$offset" -N2 "$file" | tr -d ' ')" = PE ]; then
        fail "$file is a Win32 PE file, not a Windows 9x VxD (the simulator is one); refused"
    fi
}

fill_from_package() {
    local built=$1 name source
    rm -rf "$folder"
    mkdir -p "$folder"
    for name in "${programs[@]}"; do
        source="$built/$name"
        # The build names the applet Pemrosko.Cpl; Setup looks for Pemrosko.CPL.
        [ "$name" = Pemrosko.CPL ] && source="$built/Pemrosko.Cpl"
        if [ -f "$source" ]; then
            cp "$source" "$folder/$name"
        else
            echo "make-media: WARNING: $name is not built; the medium is incomplete" >&2
        fi
    done
    printf '%s\r\n' \
        "Orvantix Touchscreen installation folder" \
        "" \
        "The touchscreen driver's own files, ZELVANIS.VxD and Pemrosko.inf, come" \
        "from the driver's maker. Put both beside Setup.exe before running Setup." \
        "Setup copies ZELVANIS.VxD, Pemrosko.CPL and Durmasel.exe into the Windows" \
        "system folder, Fennock.exe, Brokasta.exe and Setup.exe into the Zelvanis" \
        "folder of the Windows folder, makes the Start-menu group and asks for a" \
        "restart, after which the calibration runs. \"Uninstall Touchscreen\" in that" \
        "group (Setup.exe -U) removes everything again." > "$folder/DRIVER.TXT"
}

# Checked before the folder is touched, so a refusal leaves it as it was.
check_driver() {
    local dir=$1
    [ -d "$dir" ] || fail "driver folder $dir does not exist"
    vxd=$(find_named "$dir" ZELVANIS.VxD)
    [ -n "$vxd" ] || fail "$dir holds no ZELVANIS.VxD"
    refuse_simulator "$vxd"
    inf=$(find_named "$dir" Pemrosko.inf)
    [ -n "$inf" ] || fail "$dir holds no Pemrosko.inf"
}

add_driver() {
    rm -f "$folder/DRIVER.TXT"
    cp "$vxd" "$folder/ZELVANIS.VxD"
    cp "$inf" "$folder/Pemrosko.inf"
}

write_images() {
    local file
    for file in "$folder"/*; do
        [ -f "$file" ] || fail "$folder must hold only files (found $(basename "$file"))"
        refuse_simulator "$file"
    done
    mformat -i "$img" -C -f 1440 -v ORVANTIX ::
    mcopy -i "$img" -o -- "$folder"/* ::/
    xorriso -as mkisofs -quiet -J -r -V ORVANTIX -o "$iso" "$folder"
}

package="" driver=""
while [ $# -gt 0 ]; do
    case "$1" in
        --package) [ $# -ge 2 ] || usage; package=$2; shift 2 ;;
        --driver) [ $# -ge 2 ] || usage; driver=$2; shift 2 ;;
        -*) usage ;;
        *) break ;;
    esac
done
[ $# -eq 3 ] || usage
folder=$1 img=$2 iso=$3

# A refusal or failure must not leave an earlier run's images looking current.
rm -f "$img" "$iso"
vxd="" inf=""
[ -z "$driver" ] || check_driver "$driver"
[ -z "$package" ] || fill_from_package "$package"
[ -d "$folder" ] || fail "installation folder $folder does not exist"
[ -z "$driver" ] || add_driver
write_images
echo "make-media: $img and $iso hold $(ls "$folder" | tr '\n' ' ')"
