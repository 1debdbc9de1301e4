#!/usr/bin/env bash
# Measures Setup's "Find by touch..." against a controller on a pseudo-
# terminal: the time from its first touched packet to the port's selection
# in the port dialog, at 9600 baud (the first baud tried) and at 1200 (the
# last), under the rig:
#     scripts/bench-portfind.sh [runs]      (after scripts/build.sh)
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
runs=${1:-3}
. scripts/rig.sh build/cross
export ORVANTIX_PACKAGE=$top/build/cross/package ORVANTIX_SIMULATOR=$top/build/cross/simulator/zelvanis.vxd
for _ in $(seq "$runs"); do
    tests/e2e/setup/portfind/serial_rig.sh scripts/wine-run.sh build/cross/tests/e2e/setup/portfind/portfind_test.exe \
        --gtest_also_run_disabled_tests --gtest_filter='*Benchmark' | grep -E '^(9600|1200):'
done
rig_stop
