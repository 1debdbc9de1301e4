# Wine test rig. Source it with the build folder:
#     . scripts/rig.sh build/cross        (--fresh: a new copy of the prefix)
# It gives that folder a private Wine prefix set to Windows 98 (copied from
# a cache made once per machine, Wine version and build), starts Xvfb when
# no DISPLAY is given, and keeps one wineserver running for the prefix
# until rig_stop, which also runs when the shell exits: a rig that fails
# half way leaves nothing running.
# The screen is chosen with RIG_SCREEN (WIDTHxHEIGHTxDEPTH, default
# 1024x768x24) and RIG_DPI (default 96); RIG_ACTIVE_SCREEN and
# RIG_ACTIVE_DPI tell the tests what the rig is running with.
#
# Which Wine: where the kernel runs 32-bit programs, 32-bit Wine for the
# shipped 32-bit build (build/cross); elsewhere 64-bit Wine, in a 64-bit
# prefix that still reports Windows 98, for the test-only 64-bit build
# (build/x64). The probe runs 32-bit Wine's loader; RIG_BUILD=x86 or x64
# chooses without it, and RIG_PROBE_32=FILE has it run FILE instead (a
# stand-in that fails with "Exec format error" takes the 64-bit path on a
# machine that runs 32-bit programs).
#     . scripts/rig.sh --choose
# only chooses: it sets RIG_BUILD, RIG_BUILD_DIR and RIG_BUILD_WHY.

rig_top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
rig_loader32=/usr/lib/wine/wine
rig_loader64=/usr/lib/wine/wine64

# True when a 32-bit program runs here; else rig_probe_said says why not.
rig_probe_32bit() {
    local probe=${RIG_PROBE_32:-$rig_loader32} said
    if [ ! -e "$probe" ]; then
        rig_probe_said="$probe is not installed"
        return 1
    fi
    said=$("$probe" --version 2>&1) && return 0
    rig_probe_said=$(printf '%s\n' "$said" | tail -1 | sed 's/^.*line [0-9]*: //')
    return 1
}

rig_choose() {
    case "${RIG_BUILD:-}" in
        x86|x64) RIG_BUILD_WHY="RIG_BUILD=$RIG_BUILD asks for it" ;;
        "") if rig_probe_32bit; then
                RIG_BUILD=x86 RIG_BUILD_WHY="32-bit programs run here"
            else
                RIG_BUILD=x64
                RIG_BUILD_WHY="32-bit programs do not run here ($rig_probe_said)"
            fi ;;
        *) echo "rig: RIG_BUILD is x86 or x64, not '$RIG_BUILD'" >&2
           return 1 ;;
    esac
    if [ "$RIG_BUILD" = x86 ]; then RIG_BUILD_DIR=build/cross; else RIG_BUILD_DIR=build/x64; fi
    # Nested rigs (scripts/wine-run.sh) take the same Wine without asking again.
    export RIG_BUILD
}

# The Wine that runs the chosen build, by the names the scripts call.
rig_use_wine() {
    if [ "$RIG_BUILD" = x86 ]; then
        export WINEARCH=win32
        return 0
    fi
    export WINEARCH=win64 WINELOADER=$rig_loader64 WINESERVER=/usr/lib/wine/wineserver64
    case ":$PATH:" in
        *":$rig_top/scripts/wine64:"*) ;;
        *) export PATH="$rig_top/scripts/wine64:$PATH" ;;
    esac
}

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

# One step of making a prefix; when it fails, what it printed is shown.
# Its output goes through a file: the helper processes Wine starts outlive
# the step and would keep a pipe open.
rig_step() {
    local out status=0
    out=$(mktemp "${TMPDIR:-/tmp}/rig-step.XXXXXX")
    timeout 300 "$@" >"$out" 2>&1 || status=$?
    if [ $status -ne 0 ]; then
        echo "rig: making the Wine prefix failed: '$*' ended with $status and printed:" >&2
        sed 's/^/rig:     /' "$out" | tail -20 >&2
    fi
    rm -f "$out"
    return $status
}

# What a new prefix gets. Its text is part of the cache key, so a change
# here makes the cached prefixes anew.
rig_prefix_recipe() {
    rig_step wineboot -i &&
    rig_step wine reg add 'HKCU\Software\Wine' /v Version /d win98 /f &&
    # No crash dialogs: a crashing program must end, not wait for a person.
    rig_step wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f &&
    # Xvfb runs no window manager: a managed window would wait two seconds
    # for one at every hide, so windows are left unmanaged.
    rig_step wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f &&
    rig_step wineserver -w
}

rig_cache_key() {
    local version
    version=$(wine --version 2>/dev/null | tr -c 'A-Za-z0-9.\n-' _) || return 1
    [ -n "$version" ] || return 1
    echo "$(uname -m)-$version-$WINEARCH-$(declare -f rig_prefix_recipe | md5sum | cut -c1-8)"
}

# The cached prefix for this machine, Wine and build, made when missing or
# broken. It is made aside and moved in whole, so a run that stops half
# way, or another run making the same, never leaves a half-made one.
rig_cached_prefix() {
    local root=${XDG_CACHE_HOME:-${HOME:-/tmp}/.cache}/orvantix/wineprefix key entry made
    key=$(rig_cache_key) || { echo "rig: this Wine does not start: $(wine --version 2>&1 | tail -1)" >&2; return 1; }
    entry=$root/$key
    if [ -f "$entry/ready" ] && [ -f "$entry/prefix/system.reg" ]; then
        rig_cache_entry=$entry
        return 0
    fi
    rm -rf "$entry"
    mkdir -p "$root"
    made=$(mktemp -d "$root/.making.XXXXXX")
    if ! WINEPREFIX="$made/prefix" rig_prefix_recipe; then
        WINEPREFIX="$made/prefix" wineserver -k >/dev/null 2>&1
        rm -rf "$made"
        return 1
    fi
    touch "$made/ready"
    mv -T "$made" "$entry" 2>/dev/null || rm -rf "$made"
    rig_cache_entry=$entry
}

# The build folder's prefix: kept while it is a copy of the current cache
# entry, unless a fresh copy is asked for. The cached one is only read.
rig_make_prefix() {
    rig_cached_prefix || return 1
    local mark="$WINEPREFIX/.orvantix-ready"
    if [ "$rig_fresh" = 0 ] && [ "$(cat "$mark" 2>/dev/null)" = "$rig_cache_entry" ]; then
        return 0
    fi
    rm -rf "$WINEPREFIX"
    cp -a "$rig_cache_entry/prefix" "$WINEPREFIX" || return 1
    echo "$rig_cache_entry" > "$mark"
}

# Wine reads the dpi from the user's desktop settings as each program
# starts; the prefix keeps no value of its own at the default 96.
rig_set_dpi() {
    [ "$rig_dpi" = 96 ] && return 0
    timeout 60 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
        /d "$rig_dpi" /f >/dev/null 2>&1
}

rig_stop() {
    if [ "${rig_prefix_up:-0}" = 1 ]; then
        if [ "$rig_dpi" != 96 ]; then
            timeout 60 wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1
        fi
        # A server that has ended already is no fault: under `set -e` (the
        # test script's exit trap) its refusal would skip the display's end
        # and fail a run whose tests all passed.
        wineserver -k >/dev/null 2>&1 || true
        rig_prefix_up=0
    fi
    if [ -n "${RIG_XVFB_PID:-}" ]; then
        kill "$RIG_XVFB_PID" 2>/dev/null
        wait "$RIG_XVFB_PID" 2>/dev/null
        unset RIG_XVFB_PID
        unset DISPLAY
    fi
}

rig_up() {
    rig_choose || return 1
    rig_use_wine
    # Set before anything starts, so a failure half way stops what did.
    trap rig_stop EXIT
    case $- in *i*) ;; *) trap 'exit 129' HUP; trap 'exit 130' INT; trap 'exit 143' TERM ;; esac
    rig_start_display || return 1
    rig_make_prefix || return 1
    rig_prefix_up=1
    wineserver -p >/dev/null 2>&1 && rig_set_dpi
}

if [ "${1:-}" = --choose ]; then
    rig_choose
else
    rig_build_dir=$(cd "${1:?build folder}" && pwd)
    rig_fresh=0
    [ "${2:-}" = --fresh ] && rig_fresh=1
    export WINEPREFIX="$rig_build_dir/wineprefix"
    export WINEDEBUG=${WINEDEBUG:--all}
    # No Mono or Gecko install prompts in a test prefix, and no menu entries
    # on the host for the shell links that tests make.
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    rig_screen=${RIG_SCREEN:-1024x768x24}
    rig_dpi=${RIG_DPI:-96}
    rig_up
fi
