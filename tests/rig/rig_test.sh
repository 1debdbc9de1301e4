#!/usr/bin/env bash
# The Wine rig's choice of build, its report of a prefix that cannot be
# made, what it leaves running then, and its prefix cache, with stand-ins
# for Wine's commands (no Wine runs).   rig_test.sh RIG_SH
set -uo pipefail
rig=$1 w=$(mktemp -d) failures=0
trap 'rm -rf "$w"' EXIT
bad() { echo "FAIL [$case]: $*"; failures=$((failures + 1)); }

# A file the kernel refuses to run, as every i386 program is refused where
# the kernel runs no 32-bit programs.
printf '\177ELF\001\001\001' > "$w/no32" && head -c 57 /dev/zero >> "$w/no32" && chmod +x "$w/no32"

# case | environment | the build chosen | words of the reason
choices=("runs 32-bit|RIG_PROBE_32=/bin/true|x86 build/cross|32-bit programs run here"
         "exec format error|RIG_PROBE_32=$w/no32|x64 build/x64|do not run here ($w/no32: cannot execute binary file: Exec format error)"
         "no 32-bit Wine|RIG_PROBE_32=$w/none|x64 build/x64|($w/none is not installed)"
         "asked for x64|RIG_BUILD=x64 RIG_PROBE_32=/bin/true|x64 build/x64|RIG_BUILD=x64 asks for it")
for row in "${choices[@]}"; do
    IFS='|' read -r case settings build reason <<< "$row"
    # shellcheck disable=SC2086 # the settings are words of the table
    said=$(env -u RIG_BUILD $settings bash -c '. "$0" --choose && echo "$RIG_BUILD $RIG_BUILD_DIR|$RIG_BUILD_WHY"' "$rig")
    [ "${said%%|*}" = "$build" ] || bad "chose '${said%%|*}', not '$build'"
    case "${said#*|}" in *"$reason"*) ;; *) bad "reason '${said#*|}' lacks '$reason'" ;; esac
done
case="unknown build"
RIG_BUILD=x32 bash -c '. "$0" --choose' "$rig" 2>"$w/unknown.err" && bad "RIG_BUILD=x32 accepted"
grep -q "RIG_BUILD is x86 or x64, not 'x32'" "$w/unknown.err" || bad "said: $(cat "$w/unknown.err")"

# Stand-ins for Wine's commands: wineboot makes a prefix (or fails, as it
# does where Wine cannot start) and counts its runs.
mkdir -p "$w/bin" "$w/build"
cat > "$w/bin/wineboot" <<'STANDIN'
#!/bin/sh
echo run >> "$RIG_TEST_DIR/wineboot.runs"
echo "$DISPLAY" > "$RIG_TEST_DIR/wineboot.display"
[ -n "${RIG_TEST_FAIL:-}" ] && { echo "wine: could not load kernel32.dll, status c0000135"; exit 1; }
mkdir -p "$WINEPREFIX" && echo "made" > "$WINEPREFIX/system.reg"
STANDIN
printf '#!/bin/sh\n[ "$1" = --version ] && echo wine-standin\nexit 0\n' > "$w/bin/wine"
printf '#!/bin/sh\nexit 0\n' > "$w/bin/wineserver"
chmod +x "$w/bin"/*
bring_up() {  # bring_up [more environment]: the rig on $w/build, fresh
    env -u DISPLAY RIG_BUILD=x86 RIG_TEST_DIR="$w" XDG_CACHE_HOME="$w/cache" PATH="$w/bin:$PATH" "$@" \
        bash -c '. "$0" "$1" --fresh' "$rig" "$w/build"
}
runs() { grep -c run "$w/wineboot.runs" 2>/dev/null; }

case="wineboot fails"
bring_up RIG_TEST_FAIL=1 >"$w/fail.out" 2>&1 && bad "the rig came up"
grep -q "'wineboot -i' ended with 1 and printed:" "$w/fail.out" || bad "no report: $(cat "$w/fail.out")"
grep -q "could not load kernel32.dll" "$w/fail.out" || bad "wineboot's words not shown"
display=$(cat "$w/wineboot.display" 2>/dev/null)
[ -n "$display" ] || bad "no display was started before the prefix"
pgrep -f "^Xvfb $display " >/dev/null && bad "Xvfb $display still runs"
[ -z "$(ls -A "$w/cache/orvantix/wineprefix" 2>/dev/null)" ] || bad "a half-made cache was left"

case="cache made once"
rm -f "$w/wineboot.runs"
bring_up >"$w/up.out" 2>&1 || bad "the rig failed: $(cat "$w/up.out")"
bring_up >"$w/up.out" 2>&1 || bad "the rig failed again: $(cat "$w/up.out")"
[ "$(runs)" = 1 ] || bad "wineboot ran $(runs) times for two runs"
[ -f "$w/build/wineprefix/system.reg" ] || bad "the run has no prefix"
entry=$(ls -d "$w"/cache/orvantix/wineprefix/*-wine-standin-win32-*)
[ -f "$entry/ready" ] || bad "no ready cache entry"

case="the run's prefix is a copy"
echo changed > "$w/build/wineprefix/system.reg"
bring_up >/dev/null 2>&1
[ "$(cat "$entry/prefix/system.reg")" = made ] || bad "the run wrote into the cache"
[ "$(cat "$w/build/wineprefix/system.reg")" = made ] || bad "--fresh kept the old prefix"

case="broken cache made anew"
rm -f "$entry/ready"
bring_up >/dev/null 2>&1 || bad "the rig failed"
[ "$(runs)" = 2 ] && [ -f "$entry/ready" ] || bad "the broken entry was not made anew"

case="the server ended before the rig"
printf '#!/bin/sh\n[ "$1" = -k ] && exit 1\nexit 0\n' > "$w/bin/wineserver"
said=$(env -u DISPLAY RIG_BUILD=x86 RIG_TEST_DIR="$w" XDG_CACHE_HOME="$w/cache" PATH="$w/bin:$PATH" \
    bash -c 'set -e; . "$0" "$1" --fresh >/dev/null 2>&1; echo "$DISPLAY" > "$RIG_TEST_DIR/display"
             rig_stop; echo stopped' "$rig" "$w/build")
[ "$said" = stopped ] || bad "rig_stop failed under set -e"
display=$(cat "$w/display")
left=$(pgrep -f "^Xvfb $display ")
[ -z "$left" ] || { bad "Xvfb $display still runs"; kill $left; }

[ $failures -eq 0 ] && echo "rig: all cases passed"
exit $((failures > 0))
