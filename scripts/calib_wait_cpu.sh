#!/usr/bin/env bash
# Measures what waiting for a touch costs: Durmasel shows its first target
# against the simulated driver, and the processor time that Durmasel.exe
# and the prefix's wineserver use over 5 s of waiting is read from /proc.
# Prints the share of one core. A measurement, not a test: nothing fails.
# Usage: scripts/calib_wait_cpu.sh [build folder, default build/cross]
# DURMASEL=<path> measures another build of the program.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$top/build/cross}" && pwd)
. "$top/scripts/rig.sh" "$build"
sysdir="$WINEPREFIX/drive_c/windows/system32"
cp "$build/simulator/zelvanis.vxd" "$sysdir/zelvanis.vxd"
rm -f "$sysdir/zelvsim.ini" "$sysdir/zelvsim.log"
wine "${DURMASEL:-$build/package/Durmasel.exe}" >/dev/null 2>&1 &
launcher=$!

. "$top/scripts/prefix_ticks.sh"

for _ in $(seq 1 60); do
    grep -qs START_RAW_CAPTURE "$sysdir/zelvsim.log" && break
    sleep 1
done
sleep 2
program=$(prefix_pids 'Durmasel.exe' | head -1)
server=$(prefix_pids 'wineserver' | head -1)
if [ -z "$program" ] || [ -z "$server" ]; then
    echo "calib_wait_cpu: Durmasel.exe or wineserver not found" >&2
    rig_stop
    exit 1
fi
before=$(ticks "$program" "$server")
sleep 5
after=$(ticks "$program" "$server")
hz=$(getconf CLK_TCK)
awk -v t=$((after - before)) -v hz="$hz" \
    'BEGIN { printf "waiting for a touch: %.1f %% of one core (program and wineserver, 5 s)\n", 100 * t / hz / 5 }'
echo "pids $program (Durmasel.exe) and $server (wineserver): $((after - before)) ticks of 1/$hz s"
kill "$program" "$launcher" 2>/dev/null || true
rm -f "$sysdir/zelvanis.vxd"
rig_stop
