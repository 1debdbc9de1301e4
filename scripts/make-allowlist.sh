#!/usr/bin/env bash
# Rebuilds tools/pecheck/allowlist/ from the gathered Windows 95 export lists:
# every listed name, less those exported by Windows 9x only as failing stubs
# and those probably added after Windows 95.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
src=${1:-$here/../shared/win9x-api}
out=$here/tools/pecheck/allowlist
mkdir -p "$out"
tmp=$(mktemp)
trap 'rm -f "$tmp"' EXIT
for dll in kernel32 user32 gdi32 advapi32 shell32 comctl32 ole32; do
    { awk -F'\t' -v d="$dll" 'NR > 1 && $1 == d { print $2 }' "$src/suspected-post-win95.tsv"
      [ "$dll" = advapi32 ] && cat "$src/advapi32-9x-broken.txt"
      true; } | LC_ALL=C sort -u > "$tmp"
    LC_ALL=C comm -23 "$src/$dll.txt" "$tmp" > "$out/$dll.txt"
    echo "$dll: $(wc -l < "$out/$dll.txt") names"
done
