# Processor time of a Wine prefix's processes, read from /proc, for the
# measurement scripts. Source it after scripts/rig.sh (it needs WINEPREFIX).

# Unix processes of this prefix whose command line matches $1.
prefix_pids() {
    local dir
    for dir in /proc/[0-9]*; do
        { tr '\0' '\n' <"$dir/environ" | grep -qx "WINEPREFIX=$WINEPREFIX"; } 2>/dev/null ||
            continue
        { tr '\0' ' ' <"$dir/cmdline" | grep -q -- "$1"; } 2>/dev/null && echo "${dir#/proc/}"
    done
}

# User plus system clock ticks of the given processes.
ticks() {
    local pid sum=0
    for pid in "$@"; do
        sum=$((sum + $(awk '{print $14 + $15}' "/proc/$pid/stat")))
    done
    echo "$sum"
}
