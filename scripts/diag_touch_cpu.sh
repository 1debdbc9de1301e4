#!/usr/bin/env bash
# Measures what the applet's Diagnostics page costs: the sheet is opened by
# the stand-in Control Panel on the simulated driver and shows the page,
# first idle ("Show touches" off), then watching for touches. For 5 s of
# each, the processor time of the applet's process (cplhost.exe) and the
# prefix's wineserver is read from /proc, and the driver's request log is
# counted. Prints the share of one core and the requests per phase. A
# measurement, not a test: nothing fails.
# Usage: scripts/diag_touch_cpu.sh [build folder, default build/cross]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$top/build/cross}" && pwd)
. "$top/scripts/rig.sh" "$build"
trap rig_stop EXIT
sysdir="$WINEPREFIX/drive_c/windows/system32"
log="$sysdir/zelvsim.log"
export ORVANTIX_PACKAGE="$build/package" ORVANTIX_SIMULATOR="$build/simulator/zelvanis.vxd"
# 10 s idle, then 10 s showing touches: each phase has 5 s measured in its middle.
wine "$build/tests/e2e/cpl/pages/diag_bench.exe" 10 10 >/dev/null 2>&1 &
launcher=$!

. "$top/scripts/prefix_ticks.sh"

requests() { [ -f "$log" ] && wc -l <"$log" || echo 0; }

# Waits (at most 60 s) until the request log names $1.
wait_for() {
    for _ in $(seq 1 60); do
        grep -qs "$1" "$log" && return 0
        sleep 1
    done
    echo "diag_touch_cpu: the page never sent $1" >&2
    exit 1
}

# measure <phase>: 5 s of processor time and requests.
measure() {
    local before after sent
    before=$(ticks "$program" "$server")
    sent=$(requests)
    sleep 5
    after=$(ticks "$program" "$server")
    sent=$(($(requests) - sent))
    awk -v t=$((after - before)) -v hz="$(getconf CLK_TCK)" -v phase="$1" -v sent="$sent" \
        'BEGIN { printf "%-16s %.1f %% of one core (applet and wineserver, 5 s), %d requests\n", phase ":", 100 * t / hz / 5, sent }'
}

wait_for IOCTL_TOUCH_GET_BEEP  # the page has read the driver's settings
sleep 2
program=$(prefix_pids 'cplhost.exe' | head -1)
server=$(prefix_pids 'wineserver' | head -1)
if [ -z "$program" ] || [ -z "$server" ]; then
    echo "diag_touch_cpu: cplhost.exe or wineserver not found" >&2
    exit 1
fi
measure "idle"
wait_for IOCTL_TOUCH_START_RAW_CAPTURE
sleep 2
measure "showing touches"
wait "$launcher" || true
