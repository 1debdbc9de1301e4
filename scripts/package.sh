#!/usr/bin/env bash
# Builds the installation folder build/medium and runs the package end to
# end under Wine in a fresh Windows 98 prefix (build/demo) with the
# simulated touchscreen: Setup installs, a calibration is confirmed, the
# Control Panel sheet opens and saves, Fennock switches once. Prints the
# parameter store and the driver requests; screenshots go to
# build/demo/screens.
#     scripts/package.sh [--interactive [--swap] [--flip-x] [--flip-y]]
# --interactive (with DISPLAY set) then leaves you on a Wine desktop where
# mouse clicks are raw touches of a virtual panel, its axes swapped or
# reversed as chosen, until you close that desktop.
# RIG_SCREEN (WIDTHxHEIGHTxDEPTH, default 1024x768x24) and RIG_DPI choose
# the screen the demo runs on, e.g. RIG_SCREEN=640x480x16 for a small kiosk.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

interactive=0
panel=()
for arg in "$@"; do
    case "$arg" in
        --interactive) interactive=1 ;;
        --swap|--flip-x|--flip-y) panel+=("$arg") ;;
        *) echo "usage: scripts/package.sh [--interactive [--swap] [--flip-x] [--flip-y]]" >&2
           exit 2 ;;
    esac
done
if [ $interactive -eq 1 ] && [ -z "${DISPLAY:-}" ]; then
    echo "package: --interactive needs a display (DISPLAY is not set)" >&2
    exit 2
fi

scripts/deps.sh
if ! scripts/build.sh; then
    # A broken test program must not hide the package: build what ships and the demo.
    echo "package: the full build failed; building the package and the demo only" >&2
    ninja -C build/cross -j "${JOBS:-2}" setup pemrosko durmasel fennock brokasta orvantix_demo
fi

built=build/cross/package
medium=build/medium
rm -rf "$medium"
mkdir -p "$medium"
# Setup looks for the applet as "Pemrosko.CPL".
for name in Setup.exe Pemrosko.CPL Durmasel.exe Fennock.exe Brokasta.exe; do
    source="$built/$name"
    [ "$name" = Pemrosko.CPL ] && source="$built/Pemrosko.Cpl"
    if [ -f "$source" ]; then
        cp "$source" "$medium/$name"
    else
        echo "package: WARNING: $name is not built; the medium is incomplete" >&2
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
    "group (Setup.exe -U) removes everything again." > "$medium/DRIVER.TXT"
echo "package: installation folder $medium:"
ls -l "$medium"

# The demo medium: the same files, the simulator standing in for the driver.
demo=build/demo
rm -rf "$demo/medium" "$demo/screens" "$demo/wineprefix"
mkdir -p "$demo/medium" "$demo/screens"
cp "$medium"/* "$demo/medium/"
cp build/cross/simulator/zelvanis.vxd "$demo/medium/ZELVANIS.VxD"
printf '%s\r\n' "; stand-in for the driver maker's INF (demo only)" > "$demo/medium/Pemrosko.inf"

echo "package: fresh Windows 98 prefix in $demo/wineprefix"
. scripts/rig.sh "$demo"
trap rig_stop EXIT
demo_args=()
[ $interactive -eq 1 ] && demo_args=(--panel "${panel[@]}")
export ORVANTIX_MEDIUM="$top/$demo/medium" ORVANTIX_SCREENS="$top/$demo/screens"
export ORVANTIX_SIMULATOR="$top/$demo/medium/ZELVANIS.VxD" ORVANTIX_PACKAGE="$top/$built"
# Output through a file: helper processes Wine starts outlive the demo and
# would keep a pipe open.
log="$demo/demo.log"
status=0
# A Wine desktop window gives the programs their frames and captions.
desktop=$(echo "${RIG_SCREEN:-1024x768x24}" | cut -dx -f1,2)
timeout 240 wine explorer /desktop=Orvantix,$desktop build/cross/tests/demo/orvantix_demo.exe \
    "${demo_args[@]}" >"$log" 2>&1 || status=$?
tr -d '\r' < "$log"
# The desktop does not pass the demo's exit code on: its last line tells.
grep -q "^Every step worked" "$log" || status=1
python3 tests/demo/bmp2png.py "$demo/screens"
echo "package: screenshots in $demo/screens: $(ls "$demo/screens" | tr '\n' ' ')"

if [ $interactive -eq 1 ]; then
    cat <<'TEXT'
package: the Wine desktop "Orvantix" shows the installed applet's sheet. The
simulated touchscreen is in panel mode: a mouse click is a raw touch of a
virtual panel. Press "Calibrate" on the Calibration page and click the
targets; the Start menu's "Orvantix Touchscreen" group has the programs.
Close the sheet (and the desktop window) to end.
TEXT
    wine explorer /desktop=Orvantix,$desktop build/cross/tests/demo/orvantix_demo.exe --sheet \
        >/dev/null 2>&1 || true
fi
exit $status
