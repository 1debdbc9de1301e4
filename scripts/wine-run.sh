#!/usr/bin/env bash
# Runs one Win32 GoogleTest program under the Wine rig:
#     scripts/wine-run.sh <program.exe> [gtest options]
# The rig must be up (`. scripts/rig.sh build/cross`): it provides
# WINEPREFIX, DISPLAY and the running wineserver. A test that asks for
# another screen than the rig's (RIG_SCREEN, RIG_DPI) runs in a Wine session
# of its own on a display of that kind, with the same prefix; the rig's
# session is brought back afterwards.
set -u
exe=${1:?test program}
shift
if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ]; then
    echo "wine-run: the Wine rig is not up (. scripts/rig.sh build/cross)" >&2
    exit 2
fi
export WINEDEBUG=${WINEDEBUG:--all}

run_test() {
    # The output goes through a file: helper processes Wine starts on first
    # use (explorer, services) outlive the test and would keep a pipe to
    # CTest open.
    local out status
    out=$(mktemp "${TMPDIR:-/tmp}/wine-run.XXXXXX")
    wine "$exe" --gtest_color=no "$@" >"$out" 2>&1
    status=$?
    cat "$out"
    rm -f "$out"
    return $status
}

asked="${RIG_SCREEN:-${RIG_ACTIVE_SCREEN:-}}/${RIG_DPI:-${RIG_ACTIVE_DPI:-}}"
if [ "$asked" = "${RIG_ACTIVE_SCREEN:-}/${RIG_ACTIVE_DPI:-}" ]; then
    run_test "$@"
    exit $?
fi

# One wineserver per prefix: the rig's steps aside for the test's session.
rig_display=$DISPLAY
wineserver -k >/dev/null 2>&1
wineserver -w
status=0
(
    unset DISPLAY RIG_XVFB_PID
    . "$(dirname "$0")/rig.sh" "$(dirname "$WINEPREFIX")" || exit 2
    run_test "$@"
    status=$?
    rig_stop
    exit $status
) || status=$?
DISPLAY=$rig_display wineserver -p >/dev/null 2>&1
exit $status
