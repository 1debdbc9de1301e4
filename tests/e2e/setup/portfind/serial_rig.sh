#!/usr/bin/env bash
# Runs a Win32 test program with the prefix's serial ports on pseudo-
# terminals that feeder.py plays the devices of:
#     serial_rig.sh WINE_RUN PROGRAM.exe [gtest options]
# COM1..COM4 are mapped to the terminals through HKLM\Software\Wine\Ports
# and COM5..COM16 to nothing, so no COM number the search may open reaches
# the host's own serial devices (Wine gives leftover numbers to /dev/ttyS*).
# Wine reads that key only when its server starts (and then remakes the
# dosdevices links from it and from the host's devices), so a session is
# brought up first, the key written, and the same mapping then made at once
# in the prefix's dosdevices; a server that starts again later makes the
# same links from the key. The links are checked again after the run. Both
# are put back afterwards, the key first.
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

com_links() { for link in "$devices"/com*; do [ -L "$link" ] && echo "${link##*/} $(readlink "$link")"; done; }
ports_reg() {  # the Ports values: the terminals, "" for no port, or - to delete
    echo REGEDIT4; echo; echo '[HKEY_LOCAL_MACHINE\Software\Wine\Ports]'
    for n in $(seq 1 16); do
        if [ "$1" = delete ]; then echo "\"COM$n\"=-"
        else echo "\"COM$n\"=\"$(awk -v p="COM$n" '$1 == p { print $2 }' "$dir/ptys")\""; fi
    done
}
import() { ports_reg "$1" > "$dir/$1.reg"; timeout 60 wine regedit /S "$(timeout 60 winepath -w "$dir/$1.reg")" >/dev/null 2>&1; }
map_links() {
    for link in "$devices"/com*; do [ -L "$link" ] && rm -f "$link"; done
    while read -r name path; do ln -s "$path" "$devices/${name,,}"; done < "$dir/ptys"
}

python3 "$here/feeder.py" "$dir" 4 &
feeder=$!

restore() {
    kill "$feeder" 2>/dev/null
    wait "$feeder" 2>/dev/null
    import delete
    sleep 1  # a server started by the import remakes its links meanwhile
    for link in "$devices"/com*; do [ -L "$link" ] && rm -f "$link"; done
    while read -r name target; do ln -s "$target" "$devices/$name"; done < "$saved"
    rm -f "$saved"
    rm -rf "$dir"
}
trap restore EXIT

for i in $(seq 1 100); do [ -s "$dir/ptys" ] && break; sleep 0.05; done
[ -s "$dir/ptys" ] || { echo "serial_rig: the feeder made no terminals" >&2; exit 2; }

timeout 60 wine cmd /c exit >/dev/null 2>&1  # a session, its links made
[ -f "$saved" ] || { com_links > "$saved.new"; mv "$saved.new" "$saved"; }
import map
map_links
sleep 1
[ "$(com_links)" = "$(sort "$dir/ptys" | awk '{ print tolower($1), $2 }')" ] || map_links
# The numbers the search may open; a server that started again meanwhile
# may have given the host's devices numbers above them.
searched() { com_links | awk '{ n = substr($1, 4) + 0 } n >= 1 && n <= 16'; }
mapped=$(searched)

ORVANTIX_FEEDER=$dir "$wine_run" "$exe" "$@"
status=$?
if [ "$(searched)" != "$mapped" ]; then
    echo "serial_rig: the COM links changed during the run; the ports were not the test's" >&2
    status=1
fi
exit $status
