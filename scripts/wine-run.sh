#!/usr/bin/env bash
# Runs one Win32 GoogleTest program under the Wine rig:
#     scripts/wine-run.sh <program.exe> [gtest options]
# The rig must be up (`. scripts/rig.sh build/cross`): it provides
# WINEPREFIX, DISPLAY and the running wineserver.
set -u
exe=${1:?test program}
shift
if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ]; then
    echo "wine-run: the Wine rig is not up (. scripts/rig.sh build/cross)" >&2
    exit 2
fi
export WINEDEBUG=${WINEDEBUG:--all}
# The output goes through a file: helper processes Wine starts on first use
# (explorer, services) outlive the test and would keep a pipe to CTest open.
out=$(mktemp "${TMPDIR:-/tmp}/wine-run.XXXXXX")
trap 'rm -f "$out"' EXIT
wine "$exe" --gtest_color=no "$@" >"$out" 2>&1
status=$?
cat "$out"
exit $status
