#!/usr/bin/env bash
# What the seeds of the fuzz targets reach of the library: runs every target of a coverage
# build (preset fuzz-coverage) once over its seeds (fuzz/seeds.sh), prints the functions and
# lines reached per folder of libEDID/src, and fails when a folder that holds .cpp files has no
# function reached: code that is shipped but that no fuzz target drives.
#
#   fuzz/coverage.sh [build dir]        (default build/fuzz-coverage)
#
# The folders are those found under libEDID/src when the script runs. Environment:
# FUZZ_SEED_CORPUS (see fuzz/seeds.sh); LLVM_PROFDATA and LLVM_COV (default llvm-profdata and
# llvm-cov, of the version of the clang that built the targets).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build/fuzz-coverage}
profdata=${LLVM_PROFDATA:-llvm-profdata}
cov=${LLVM_COV:-llvm-cov}
sources=$root/libEDID/src
library=$build/libEDID/libEDID.so
source "$root/fuzz/seeds.sh"

[[ -f $library ]] || { echo "fuzz/coverage.sh: $library not built (cmake --preset fuzz-coverage)" >&2; exit 2; }
work=$(mktemp -d "${TMPDIR:-/tmp}/libedid-fuzz-coverage.XXXXXX")
trap 'rm -rf "$work"' EXIT

objects=("$library")
for binary in "$build"/fuzz/fuzz_*; do
    [[ -f $binary && -x $binary ]] || continue
    target=$(basename "$binary")
    mkdir "$work/$target"
    seed_corpus "$target" "$work/$target"
    # %m: one profile per instrumented module (the library, the target), merged across runs.
    if ! LLVM_PROFILE_FILE="$work/profiles/%m.profraw" "$binary" -runs=0 "$work/$target" \
        >"$work/$target.log" 2>&1; then
        echo "== $target FAILED on its seeds" >&2
        tail -n 40 "$work/$target.log" >&2
        exit 1
    fi
    objects+=(-object "$binary")
done
((${#objects[@]} > 1)) || { echo "fuzz/coverage.sh: no fuzz target in $build/fuzz" >&2; exit 2; }

"$profdata" merge -sparse "$work"/profiles/*.profraw -o "$work/seeds.profdata"
# Inline functions of the shared headers are compiled into the library and into the targets;
# llvm-cov warns that their records differ, which does not touch the library's own files.
"$cov" export -format=lcov -summary-only -instr-profile="$work/seeds.profdata" "${objects[@]}" \
    "$sources" 2> >(grep -v 'functions have mismatched data' >&2) >"$work/seeds.lcov"

folders=$(cd "$sources" && find . -name '*.cpp' -printf '%h\n' | sed 's|^\./||' | sort -u)
echo "== coverage of libEDID/src by the seeds of $(((${#objects[@]} - 1) / 2)) fuzz targets"
awk -v folders="$folders" -v prefix="$sources/" '
    BEGIN {
        count = split(folders, folder, "\n")
        printf "%-36s %19s %21s\n", "folder", "functions reached", "lines reached"
    }
    /^SF:/ {
        file = substr($0, 4)
        if (index(file, prefix) == 1) file = substr(file, length(prefix) + 1)
        dir = file
        if (!sub(/\/[^\/]*$/, "", dir)) dir = "."
    }
    /^FNF:/ { functions[dir] += substr($0, 5) }
    /^FNH:/ { reached[dir] += substr($0, 5) }
    /^LF:/ { lines[dir] += substr($0, 4) }
    /^LH:/ { linesHit[dir] += substr($0, 4) }
    function percent(part, whole) { return whole > 0 ? 100 * part / whole : 0 }
    END {
        failed = 0
        for (i = 1; i <= count; i++) {
            d = folder[i]
            name = d == "." ? "libEDID/src" : "libEDID/src/" d
            note = ""
            if (reached[d] == 0) {
                note = "  <- no function reached"
                failed = 1
            }
            printf "%-36s %6d/%-5d %5.1f%% %6d/%-6d %5.1f%%%s\n", name, reached[d], functions[d],
                percent(reached[d], functions[d]), linesHit[d], lines[d],
                percent(linesHit[d], lines[d]), note
        }
        exit failed
    }' "$work/seeds.lcov" || {
    echo "== fuzz coverage FAILED: a folder of libEDID/src that no fuzz target reaches" >&2
    exit 1
}
echo "== fuzz coverage: every folder of libEDID/src reached"
