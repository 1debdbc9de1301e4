#!/usr/bin/env bash
# Builds the installation folder build/medium, its floppy and CD images
# build/medium.img and build/medium.iso, and runs the package end to
# end under Wine in a fresh Windows 98 prefix (build/demo) with the
# simulated touchscreen: Setup installs, a calibration is confirmed, the
# Control Panel sheet opens and saves, Fennock switches once. Prints the
# parameter store and the driver requests; screenshots go to
# build/demo/screens.
#     scripts/package.sh [--driver DIR] [--interactive [--swap] [--flip-x] [--flip-y]]
# --driver DIR puts the driver maker's ZELVANIS.VxD and Pemrosko.inf from DIR
# into the folder and the images (never the simulator: it is refused).
# --interactive (with DISPLAY set) then leaves you on a Wine desktop where
# mouse clicks are raw touches of a virtual panel, its axes swapped or
# reversed as chosen, until you close that desktop.
# RIG_SCREEN (WIDTHxHEIGHTxDEPTH, default 1024x768x24) and RIG_DPI choose
# the screen the demo runs on, e.g. RIG_SCREEN=640x480x16 for a small kiosk.
# Where the kernel runs no 32-bit programs (scripts/rig.sh asks), the demo
# runs the test-only 64-bit build of the same programs under 64-bit Wine;
# the package and its images are the 32-bit build all the same.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
here=$PWD
cd "$top"

usage() {
    echo "usage: scripts/package.sh [--driver DIR] [--interactive [--swap] [--flip-x] [--flip-y]]" >&2
    exit 2
}
interactive=0
panel=()
driver=""
while [ $# -gt 0 ]; do
    case "$1" in
        --interactive) interactive=1 ;;
        --swap|--flip-x|--flip-y) panel+=("$1") ;;
        --driver) [ $# -ge 2 ] || usage
                  case "$2" in /*) driver=$2 ;; *) driver=$here/$2 ;; esac
                  shift ;;
        *) usage ;;
    esac
    shift
done
if [ -n "$driver" ] && [ ! -d "$driver" ]; then
    echo "package: driver folder $driver does not exist" >&2
    exit 2
fi
if [ $interactive -eq 1 ] && [ -z "${DISPLAY:-}" ]; then
    echo "package: --interactive needs a display (DISPLAY is not set)" >&2
    exit 2
fi

scripts/deps.sh
. scripts/rig.sh --choose
demo_build=$RIG_BUILD_DIR
shipped=(setup pemrosko durmasel fennock brokasta)
if ! scripts/build.sh; then
    # A broken test program must not hide the package: build what ships and the demo.
    echo "package: the full build failed; building the package and the demo only" >&2
    ninja -C build/cross -j "${JOBS:-2}" "${shipped[@]}" orvantix_demo
fi
if [ "$RIG_BUILD" = x64 ] && ! scripts/build.sh x64; then
    echo "package: the 64-bit build failed; building its programs and the demo only" >&2
    ninja -C build/x64 -j "${JOBS:-2}" "${shipped[@]}" orvantix_demo
fi

built=build/cross/package
medium=build/medium
media_args=(--package "$built")
[ -n "$driver" ] && media_args+=(--driver "$driver")
scripts/make-media.sh "${media_args[@]}" "$medium" build/medium.img build/medium.iso
echo "package: installation folder $medium:"
ls -l "$medium"

# The demo medium: the same files, the simulator standing in for the driver.
demo=build/demo
rm -rf "$demo/medium" "$demo/screens" "$demo/wineprefix"
mkdir -p "$demo/medium" "$demo/screens"
cp "$medium"/* "$demo/medium/"
demo_package=$built
if [ "$RIG_BUILD" = x64 ]; then
    # The same programs built for 64-bit Windows, under the medium's names.
    demo_package=$demo_build/package
    for name in Setup.exe Durmasel.exe Fennock.exe Brokasta.exe; do
        cp "$demo_package/$name" "$demo/medium/$name"
    done
    cp "$demo_package/Pemrosko.Cpl" "$demo/medium/Pemrosko.CPL"
fi
cp "$demo_build/simulator/zelvanis.vxd" "$demo/medium/ZELVANIS.VxD"
printf '%s\r\n' "; stand-in for the driver maker's INF (demo only)" > "$demo/medium/Pemrosko.inf"
if [ "$RIG_BUILD" = x86 ]; then bits=32; else bits=64; fi
demo_note="the $bits-bit build ($demo_build) under $bits-bit Wine"
echo "package: the demo runs $demo_note: $RIG_BUILD_WHY"
echo "These screens show $demo_note: $RIG_BUILD_WHY." > "$demo/screens/BUILD.txt"

echo "package: fresh Windows 98 prefix in $demo/wineprefix"
. scripts/rig.sh "$demo" --fresh
demo_args=()
[ $interactive -eq 1 ] && demo_args=(--panel "${panel[@]}")
export ORVANTIX_MEDIUM="$top/$demo/medium" ORVANTIX_SCREENS="$top/$demo/screens"
export ORVANTIX_SIMULATOR="$top/$demo/medium/ZELVANIS.VxD" ORVANTIX_PACKAGE="$top/$demo_package"
# Output through a file: helper processes Wine starts outlive the demo and
# would keep a pipe open.
log="$demo/demo.log"
status=0
# A Wine desktop window gives the programs their frames and captions.
desktop=$(echo "${RIG_SCREEN:-1024x768x24}" | cut -dx -f1,2)
timeout 240 wine explorer /desktop=Orvantix,$desktop "$demo_build/tests/demo/orvantix_demo.exe" \
    "${demo_args[@]}" >"$log" 2>&1 || status=$?
tr -d '\r' < "$log"
# The desktop does not pass the demo's exit code on: its last line tells.
grep -q "^Every step worked" "$log" || status=1
python3 tests/demo/bmp2png.py "$demo/screens"
echo "package: screenshots of $demo_note in $demo/screens: $(ls "$demo/screens" | tr '\n' ' ')"

if [ $interactive -eq 1 ]; then
    cat <<'TEXT'
package: the Wine desktop "Orvantix" shows the installed applet's sheet. The
simulated touchscreen is in panel mode: a mouse click is a raw touch of a
virtual panel. Press "Calibrate" on the Calibration page and click the
targets; the Start menu's "Orvantix Touchscreen" group has the programs.
Close the sheet (and the desktop window) to end.
TEXT
    wine explorer /desktop=Orvantix,$desktop "$demo_build/tests/demo/orvantix_demo.exe" --sheet \
        >/dev/null 2>&1 || true
fi
exit $status
