#!/usr/bin/env bash
# Runs one libFuzzer target of build/fuzz for a bounded time from a folder of real EDIDs, in a
# work folder of its own (the seed folder is never written to). Exits non-zero on any finding and
# prints the input that caused it.
#
#   fuzz/run.sh <fuzz_parser|fuzz_hextext|fuzz_textfiles> <seconds> [build dir] [extra libFuzzer options...]
#
# Environment: EDID_CORPUS_DIR (default ../shared/edid-corpus beside the repository when it
# is there, else the test EDIDs of tests/data/edid),
# FUZZ_WORK_DIR (default: a new temporary folder; kept when given, so that runs continue).
set -euo pipefail

target=${1:?usage: fuzz/run.sh <target> <seconds> [build dir] [libFuzzer options...]}
seconds=${2:?usage: fuzz/run.sh <target> <seconds> [build dir] [libFuzzer options...]}
shift 2
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build/fuzz}
[[ $# -gt 0 ]] && shift
corpus_dir=${EDID_CORPUS_DIR:-$root/../shared/edid-corpus}
[[ -d $corpus_dir || -n ${EDID_CORPUS_DIR:-} ]] || corpus_dir=$root/tests/data/edid
binary=$build/fuzz/$target

[[ -x $binary ]] || { echo "fuzz/run.sh: $binary not built (cmake --preset fuzz)" >&2; exit 2; }
[[ -d $corpus_dir ]] || { echo "fuzz/run.sh: no corpus folder $corpus_dir" >&2; exit 2; }

if [[ -n ${FUZZ_WORK_DIR:-} ]]; then
    work=$FUZZ_WORK_DIR
    mkdir -p "$work"
else
    work=$(mktemp -d "${TMPDIR:-/tmp}/libedid-$target.XXXXXX")
    trap 'rm -rf "$work"' EXIT
fi
mkdir -p "$work/corpus"

# Seeds: the raw EDIDs, or for the hex-text reader the same EDIDs written as hex text in the
# shapes it accepts (plain pairs, 0x-prefixed with commas, an xrandr --verbose EDID block), or
# for the text-file reader the resource files and a settings file.
seed() {
    local file name
    if [[ $target == fuzz_textfiles ]]; then
        cp "$root"/resources/*.txt "$work/corpus/"
        printf '# settings\n[fuzz]\nKey = value\n\n[libEDID]\nDumpEDID.value = on\n' \
            >"$work/corpus/settings.ini"
        return
    fi
    for file in "$corpus_dir"/*.bin; do
        name=$(basename "$file" .bin)
        if [[ $target == fuzz_hextext ]]; then
            od -An -v -tx1 "$file" >"$work/corpus/$name.hex"
            od -An -v -tx1 "$file" | sed 's/ \([0-9a-f][0-9a-f]\)/0x\1, /g' >"$work/corpus/$name.0x"
            { printf '\tEDID: \n'; od -An -v -tx1 -w16 "$file" | tr -d ' ' | sed 's/^/\t\t/'; } \
                >"$work/corpus/$name.xrandr"
        else
            cp "$file" "$work/corpus/"
        fi
    done
}
[[ -n $(ls -A "$work/corpus") ]] || seed

options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
    -artifact_prefix="$work/")
[[ $target == fuzz_parser ]] && options+=(-dict="$root/fuzz/edid.dict")

echo "== $target: ${seconds}s from $(ls "$work/corpus" | wc -l) inputs in $work/corpus"
status=0
"$binary" "${options[@]}" "$@" "$work/corpus" >"$work/$target.log" 2>&1 || status=$?
grep -E '^(#[0-9]+ +DONE|Done [0-9]+ runs|stat::number_of_executed_units|stat::peak_rss_mb)' \
    "$work/$target.log" || true

findings=$(find "$work" -maxdepth 1 -type f \( -name 'crash-*' -o -name 'leak-*' \
    -o -name 'timeout-*' -o -name 'oom-*' -o -name 'slow-unit-*' \) -print)
if [[ $status -ne 0 || -n $findings ]]; then
    echo "== $target FAILED (exit $status)" >&2
    tail -n 60 "$work/$target.log" >&2
    for finding in $findings; do
        echo "-- $finding" >&2
        od -An -v -tx1 "$finding" | head -n 64 >&2
        cp "$finding" "${FUZZ_FINDINGS_DIR:-$root/build}/" 2>/dev/null || true
    done
    exit 1
fi
echo "== $target: no finding"
