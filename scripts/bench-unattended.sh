#!/usr/bin/env bash
# Measures an unattended installation against a plain copy of the same
# seven files to the same places, each as one Wine process, under the rig:
#     scripts/bench-unattended.sh [runs]      (after scripts/build.sh)
# The installation medium is copied out of the floppy image first.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
runs=${1:-5}
medium=build/cross/unattended-medium
tests/e2e/setup/flow/unattended_medium.sh scripts/make-media.sh build/cross/package "$medium" >/dev/null
. scripts/rig.sh build/cross
win_medium=$(winepath -w "$medium")
system='C:\windows\system32' program='C:\windows\Zelvanis'
copies="mkdir $program & copy /y $win_medium\\ZELVANIS.VxD $system & copy /y $win_medium\\Pemrosko.inf C:\\windows\\Inf"
for name in Durmasel.exe Pemrosko.CPL; do copies+=" & copy /y $win_medium\\$name $system"; done
for name in Fennock.exe Brokasta.exe Setup.exe; do copies+=" & copy /y $win_medium\\$name $program"; done
now() { date +%s%N; }
wine cmd /c exit >/dev/null 2>&1  # the session's helper processes start once, untimed
setup_ns=0 copy_ns=0
for _ in $(seq "$runs"); do
    t=$(now); (cd "$medium" && wine Setup.exe /S /PORT=1 >/dev/null 2>&1); setup_ns=$((setup_ns + $(now) - t))
    (cd "$medium" && wine Setup.exe /S /U >/dev/null 2>&1)
    t=$(now); wine cmd /c "$copies" >/dev/null 2>&1; copy_ns=$((copy_ns + $(now) - t))
    wine cmd /c "rmdir /s /q $program & del $system\\ZELVANIS.VxD $system\\Durmasel.exe $system\\Pemrosko.CPL C:\\windows\\Inf\\Pemrosko.inf" >/dev/null 2>&1
done
rig_stop
echo "unattended install: $((setup_ns / runs / 1000000)) ms per run; plain copy: $((copy_ns / runs / 1000000)) ms per run ($runs runs)"
awk -v s="$setup_ns" -v c="$copy_ns" 'BEGIN { printf "ratio %.2f (goal at most 2)\n", s / c }'
