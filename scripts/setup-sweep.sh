#!/usr/bin/env bash
# The whole fault sweep of Setup: every change point of every swept run
# (the unattended installation and removal, and the installation and
# removal through the dialogs) failed with each error once and always, and
# cut there; CTest sweeps the dialogs' runs at a stride only.
#     scripts/setup-sweep.sh [gtest filter]      (after scripts/build.sh)
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
tests/e2e/setup/flow/unattended_medium.sh scripts/make-media.sh build/cross/package \
    build/cross/unattended-medium >/dev/null || exit 2
. scripts/rig.sh build/cross
export ORVANTIX_PACKAGE="$top/build/cross/package" ORVANTIX_SWEEP_STRIDE=${ORVANTIX_SWEEP_STRIDE:-1}
start=$(date +%s)
scripts/wine-run.sh build/cross/tests/e2e/setup/flow/setupsweep_test.exe \
    --gtest_filter="SetupSweep.${1:-*}"
status=$?
rig_stop
echo "setup-sweep: exit $status after $(( $(date +%s) - start )) s"
exit $status
