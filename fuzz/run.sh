#!/usr/bin/env bash
# Runs one libFuzzer target of build/fuzz for a bounded time from its seeds (fuzz/seeds.sh), in
# a work folder of its own. Exits non-zero on any finding and prints the input that caused it.
#
#   fuzz/run.sh <target> <seconds> [build dir] [extra libFuzzer options...]
#
# Targets: the fuzz_* executables of the build's fuzz folder (fuzz_parser, fuzz_extensions,
# fuzz_hextext, fuzz_textfiles). Environment: FUZZ_SEED_CORPUS (see fuzz/seeds.sh),
# FUZZ_WORK_DIR (default: a new temporary folder; kept when given, so that runs continue).
set -euo pipefail

target=${1:?usage: fuzz/run.sh <target> <seconds> [build dir] [libFuzzer options...]}
seconds=${2:?usage: fuzz/run.sh <target> <seconds> [build dir] [libFuzzer options...]}
shift 2
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build/fuzz}
[[ $# -gt 0 ]] && shift
binary=$build/fuzz/$target
source "$root/fuzz/seeds.sh"

[[ -x $binary ]] || { echo "fuzz/run.sh: $binary not built (cmake --preset fuzz)" >&2; exit 2; }

if [[ -n ${FUZZ_WORK_DIR:-} ]]; then
    work=$FUZZ_WORK_DIR
    mkdir -p "$work"
else
    work=$(mktemp -d "${TMPDIR:-/tmp}/libedid-$target.XXXXXX")
    trap 'rm -rf "$work"' EXIT
fi
mkdir -p "$work/corpus"
[[ -n $(ls -A "$work/corpus") ]] || seed_corpus "$target" "$work/corpus"

options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
    -artifact_prefix="$work/")
takes_edids "$target" && options+=(-dict="$root/fuzz/edid.dict")

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
