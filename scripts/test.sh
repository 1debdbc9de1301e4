#!/usr/bin/env bash
# Runs every test: installs what is missing, builds, brings up the Wine rig
# (private Windows 98 prefix, Xvfb, one wineserver) and runs CTest, which
# covers the native unit tests, the build checks and the Wine end-to-end
# tests. Where the kernel runs no 32-bit programs (scripts/rig.sh asks),
# the native tests and the checks run on the 32-bit build and the Wine
# tests on the test-only 64-bit build under 64-bit Wine; elsewhere the
# 64-bit build is only compiled, beside the tests, so that it keeps
# building. CTest options given are passed on.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

scripts/deps.sh
. scripts/rig.sh --choose
if [ "$RIG_BUILD" = x86 ]; then bits=32; else bits=64; fi
echo "test: the Wine tests run on the $bits-bit build ($RIG_BUILD_DIR): $RIG_BUILD_WHY"
scripts/build.sh
status=0

if [ "$RIG_BUILD" = x86 ]; then
    . scripts/rig.sh build/cross --fresh
    # Quietly and at low priority: the Wine tests have the machine first.
    x64_log=build/x64-build.log
    JOBS=1 nice -n 19 scripts/build.sh x64 >"$x64_log" 2>&1 &
    x64_pid=$!
    trap 'rig_stop; kill $x64_pid 2>/dev/null || true' EXIT
    ctest --test-dir build/cross --output-on-failure --timeout 300 "$@" || status=$?
    if ! wait $x64_pid; then
        echo "test: the 64-bit build (build/x64) failed:" >&2
        tail -30 "$x64_log" >&2
        status=1
    fi
else
    scripts/build.sh x64
    ctest --test-dir build/cross --output-on-failure --timeout 300 -L native "$@" || status=$?
    . scripts/rig.sh build/x64 --fresh
    ctest --test-dir build/x64 --output-on-failure --timeout 300 "$@" || status=$?
fi
python3 tools/pecheck/size_report.py build/cross/package || true
exit $status
