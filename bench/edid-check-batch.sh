#!/bin/sh
# CPU time and peak memory of one `edid-check --json` run over COUNT sources (the corpus files
# repeated), per source. Usage: bench/edid-check-batch.sh EDID_CHECK CORPUS_DIR [COUNT]
# EDID_CHECK_OPTIONS adds options to the run (e.g. --base-only).
set -eu
tool=$(realpath "$1")
cd "$2"
count=${3:-15000}
set -- $(ls -- *.bin)
files=$#
[ "$files" -gt 0 ] || { echo "no .bin files in $PWD" >&2; exit 2; }
list=""
while [ "$count" -gt 0 ]; do
    take=$(( count < files ? count : files ))
    list="$list $(printf '%s\n' "$@" | head -n "$take" | tr '\n' ' ')"
    count=$(( count - take ))
done
set -- $list
measure=$(mktemp)
/usr/bin/time -f "%U %S %M" -o "$measure" "$tool" --json ${EDID_CHECK_OPTIONS:-} "$@" > /dev/null || true
read -r user sys rss <<EOF_TIME
$(tail -n 1 "$measure")
EOF_TIME
rm -f "$measure"
echo "$# sources: $(echo "($user + $sys) * 1000000 / $#" | bc) us CPU per source, peak RSS $rss KiB"
