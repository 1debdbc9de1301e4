#!/usr/bin/env bash
# Runs every test: installs what is missing, builds, brings up the Wine rig
# (private Windows 98 prefix, Xvfb, one wineserver) and runs CTest, which
# covers the native unit tests, the build checks and the Wine end-to-end
# tests.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

scripts/deps.sh
scripts/build.sh

. scripts/rig.sh build/cross
trap rig_stop EXIT
status=0
ctest --test-dir build/cross --output-on-failure --timeout 300 "$@" || status=$?
python3 tools/pecheck/size_report.py build/cross/package || true
exit $status
