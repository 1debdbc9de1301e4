#!/usr/bin/env bash
# Runs a Win32 test program with the prefix's serial ports on pseudo-
# terminals that feeder.py plays the devices of:
#     serial_rig.sh WINE_RUN PROGRAM.exe [gtest options]
# COM1..COM4 are mapped to the terminals through HKLM\Software\Wine\Ports
# and COM5..COM16 to nothing, so no COM number the search may open reaches
# the host's own serial devices (Wine gives leftover numbers to /dev/ttyS*).
# Wine reads that key only when its server starts, so the same mapping is
# made at once in the prefix's dosdevices; both are put back afterwards.
# The program finds the feeder's folder in ORVANTIX_FEEDER (a Unix path).
set -u
wine_run=${1:?wine-run.sh}
exe=${2:?test program}
shift 2
here=$(cd "$(dirname "$0")" && pwd)
devices="$WINEPREFIX/dosdevices"
dir=$(mktemp -d "${TMPDIR:-/tmp}/portfind.XXXXXX")
# The prefix's own links, kept beside it until put back: a run killed on
# its timeout leaves them for the next run to restore.
saved="$WINEPREFIX/portfind-saved-links"

python3 "$here/feeder.py" "$dir" 4 &
feeder=$!

restore() {
    kill "$feeder" 2>/dev/null
    wait "$feeder" 2>/dev/null
    for n in $(seq 1 16); do rm -f "$devices/com$n"; done
    while read -r name target; do ln -s "$target" "$devices/$name"; done < "$saved"
    rm -f "$saved"
    { echo REGEDIT4; echo; echo '[HKEY_LOCAL_MACHINE\Software\Wine\Ports]'
      for n in $(seq 1 16); do echo "\"COM$n\"=-"; done; } > "$dir/unmap.reg"
    timeout 60 wine regedit /S "$(winepath -w "$dir/unmap.reg")" >/dev/null 2>&1
    rm -rf "$dir"
}
trap restore EXIT

for i in $(seq 1 100); do [ -s "$dir/ptys" ] && break; sleep 0.05; done
[ -s "$dir/ptys" ] || { echo "serial_rig: the feeder made no terminals" >&2; exit 2; }

if [ ! -f "$saved" ]; then
    for n in $(seq 1 16); do
        [ -L "$devices/com$n" ] && echo "com$n $(readlink "$devices/com$n")"
    done > "$saved.new"
    mv "$saved.new" "$saved"
fi
{ echo REGEDIT4; echo; echo '[HKEY_LOCAL_MACHINE\Software\Wine\Ports]'
  for n in $(seq 1 16); do
      path=$(awk -v p="COM$n" '$1 == p { print $2 }' "$dir/ptys")
      echo "\"COM$n\"=\"$path\""
      rm -f "$devices/com$n"
      [ -n "$path" ] && ln -s "$path" "$devices/com$n"
  done; } > "$dir/map.reg"
timeout 60 wine regedit /S "$(winepath -w "$dir/map.reg")" >/dev/null 2>&1

ORVANTIX_FEEDER=$dir "$wine_run" "$exe" "$@"
