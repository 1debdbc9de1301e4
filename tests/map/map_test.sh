#!/usr/bin/env bash
# The build's map: in each program folder and common/, every source that
# needs no windows.h is named in the folder's portable.cmake and compiled
# nowhere else in the folder, every source that needs it is not named
# there, and no test build compiles a program folder's source itself (it
# links the folder's library). Only the host compiler runs; a missing
# header (windows.h here) is listed as it is.     map_test.sh TOP
set -uo pipefail
top=$1 w=$(mktemp -d) failures=0
trap 'rm -rf "$w"' EXIT
folders="common calib rightclick cpl setup drawtest"

# Whether SOURCE reaches windows.h through its includes.   needs_windows SOURCE FOLDER TREE
needs_windows() {
    g++ -std=c++17 -M -MG -I"$2" -I"$3/common" "$1" | grep -qE '(^|[[:space:]])windows\.h([[:space:]]|$)'
}
# The sources a CMake file names, one a line.
named_in() { grep -o '[A-Za-z0-9_/]*\.cpp' "$1" | sort -u; }

# Prints one line per fault of the folders of tree $1.
check_folders() {
    local root=$1 dir src
    for dir in $folders; do
        [ -d "$root/$dir" ] || continue
        named_in "$root/$dir/portable.cmake" > "$w/listed"
        named_in "$root/$dir/CMakeLists.txt" > "$w/built"
        while read -r src; do
            if needs_windows "$root/$dir/$src" "$root/$dir" "$root"; then
                grep -qx "$src" "$w/listed" && echo "$dir/$src needs windows.h but is portable"
            else
                grep -qx "$src" "$w/listed" || echo "$dir/$src needs no windows.h but is not portable"
                grep -qx "$src" "$w/built" && echo "$dir/$src is portable but the program compiles it"
            fi
        done < <(cd "$root/$dir" && find . -name '*.cpp' | sed 's|^\./||' | sort)
        while read -r src; do
            [ -f "$root/$dir/$src" ] || echo "$dir/portable.cmake names $src, which is not there"
        done < "$w/listed"
    done
}

bad() { echo "FAIL [$case]: $*"; failures=$((failures + 1)); }

case="this tree"
while read -r fault; do bad "$fault"; done < <(check_folders "$top")
while read -r hit; do bad "a test build compiles a program's source: $hit"; done < <(
    grep -rnE '(SOURCE_DIR\}|\.\.)/(common|calib|rightclick|cpl|setup|drawtest)/[A-Za-z0-9_/]*\.cpp' \
        "$top/tests" --include='*.cmake' --include=CMakeLists.txt | grep -v set_source_files_properties)

# The check itself, on a copy of drawtest/ with one fault each:
# case | sed script for FILE | FILE | words of the fault it must report
cases=("portable left out|/ check.cpp/d|portable.cmake|check.cpp needs no windows.h but is not portable"
       "compiled twice|s/ main.cpp / main.cpp check.cpp /|CMakeLists.txt|check.cpp is portable but the program compiles it"
       "Win32 listed|s/ check.cpp/ check.cpp main.cpp/|portable.cmake|main.cpp needs windows.h but is portable"
       "listed, not there|s/ check.cpp/ check.cpp gone.cpp/|portable.cmake|names gone.cpp, which is not there")
for row in "${cases[@]}"; do
    IFS='|' read -r case script file fault <<< "$row"
    rm -rf "$w/tree" && mkdir -p "$w/tree" && cp -r "$top/common" "$top/drawtest" "$w/tree/"
    sed -i "$script" "$w/tree/drawtest/$file"
    check_folders "$w/tree" > "$w/said"
    grep -qF "$fault" "$w/said" || bad "not reported; said: $(tr '\n' ';' < "$w/said")"
done

[ "$failures" -eq 0 ] && echo "map: every folder's portable sources in its portable.cmake"
exit $((failures > 0))
