# Wine test rig. Source it with the build folder:
#     . scripts/rig.sh build/cross
# It makes (once) a private 32-bit Wine prefix in that folder set to
# Windows 98, starts Xvfb when no DISPLAY is given, and keeps one wineserver
# running for the prefix until rig_stop.
# The screen is chosen with RIG_SCREEN (WIDTHxHEIGHTxDEPTH, default
# 1024x768x24) and RIG_DPI (default 96); RIG_ACTIVE_SCREEN and
# RIG_ACTIVE_DPI tell the tests what the rig is running with.

rig_build_dir=$(cd "${1:?build folder}" && pwd)
export WINEPREFIX="$rig_build_dir/wineprefix"
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko install prompts in a test prefix, and no menu entries
# on the host for the shell links that tests make.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
rig_screen=${RIG_SCREEN:-1024x768x24}
rig_dpi=${RIG_DPI:-96}

rig_free_display() {
    local n
    for n in $(seq 90 140); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { echo "$n"; return; }
    done
    return 1
}

rig_start_display() {
    if [ -n "${DISPLAY:-}" ]; then
        # Someone else's display: its screen is whatever it is.
        export RIG_ACTIVE_SCREEN="display $DISPLAY" RIG_ACTIVE_DPI=$rig_dpi
        return 0
    fi
    local n
    n=$(rig_free_display) || { echo "rig: no free X display" >&2; return 1; }
    Xvfb ":$n" -screen 0 "$rig_screen" -nolisten tcp >/dev/null 2>&1 &
    RIG_XVFB_PID=$!
    export DISPLAY=":$n" RIG_ACTIVE_SCREEN=$rig_screen RIG_ACTIVE_DPI=$rig_dpi
    local i
    for i in $(seq 1 50); do
        [ -e "/tmp/.X11-unix/X$n" ] && return 0
        sleep 0.1
    done
    echo "rig: Xvfb did not start on :$n" >&2
    return 1
}

rig_make_prefix() {
    [ -f "$WINEPREFIX/.orvantix-ready-2" ] && return 0
    rm -rf "$WINEPREFIX"
    timeout 300 wineboot -i >/dev/null 2>&1
    timeout 60 wine reg add 'HKCU\Software\Wine' /v Version /d win98 /f >/dev/null 2>&1
    # No crash dialogs: a crashing program must end, not wait for a person.
    timeout 60 wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    # Xvfb runs no window manager: a managed window would wait two seconds
    # for one at every hide, so windows are left unmanaged.
    timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    timeout 60 wineserver -w
    touch "$WINEPREFIX/.orvantix-ready-2"
}

# Wine reads the dpi from the user's desktop settings as each program
# starts; the prefix keeps no value of its own at the default 96.
rig_set_dpi() {
    [ "$rig_dpi" = 96 ] && return 0
    timeout 60 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
        /d "$rig_dpi" /f >/dev/null 2>&1
}

rig_stop() {
    if [ "$rig_dpi" != 96 ]; then
        timeout 60 wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1
    fi
    wineserver -k >/dev/null 2>&1
    if [ -n "${RIG_XVFB_PID:-}" ]; then
        kill "$RIG_XVFB_PID" 2>/dev/null
        unset RIG_XVFB_PID
        unset DISPLAY
    fi
}

rig_start_display && rig_make_prefix && wineserver -p >/dev/null 2>&1 && rig_set_dpi
