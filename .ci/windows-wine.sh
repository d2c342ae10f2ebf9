#!/usr/bin/env bash
# Runs the Windows builds under Wine (cross-built before with the presets "windows-tests" and
# "windows"):
#  1. the test suite (debug build), by ctest, and the host program (tests/windows-host) 20 times
#     (HOST_RUNS) over the release DLL;
#  2. the release edid-check.exe over the test EDIDs, compared with the Linux build (JSON and text, line
#     ends normalised), in English and in German; the German report written to a console shows
#     its umlauts;
#  3. the display backend end to end: Wine's monitor is given an EDID in the registry, then read
#     back with no SOURCE, --list, each finder and --dump; a monitor without an EDID, with
#     100 bytes and with 768 bytes.
# LINUX_EDID_CHECK names the Linux tool (default: the dev preset's); EDID_DIR a folder of EDIDs
# (default tests/data/edid).
set -euo pipefail

cd "$(dirname "$0")/.."
.ci/install-packages windows wine
source .ci/stage-support.sh

root=$PWD
# The release tool; libEDID.dll is found through WINEPATH.
exe=$root/build/windows/tools/edid-check/edid-check.exe
export WINEPATH="$root/build/windows/libEDID"
linux=${LINUX_EDID_CHECK:-$root/build/dev/tools/edid-check/edid-check}
edids=${EDID_DIR:-$root/tests/data/edid}
work=$root/build/wine-work
rm -rf "$work"
mkdir -p "$work"
# edid-check.exe with its arguments, its output with Linux line ends (the library's texts end
# their lines with CR LF on Windows, so JSON strings hold \r\n); the status in $status.
tool() {
    status=0
    wine "$exe" "$@" | tr -d '\r' | sed 's/\\r\\n/\\n/g' || status=$?
}

# The Linux tool, for comparison.
native() {
    "$linux" "$@" || true
}

# JSON lines with the source member set to "-", so that a display and a file compare equal.
anonymous() {
    sed 's/^{"source":"\([^"\\]\|\\.\)*"/{"source":"-"/'
}

trap wine_stop EXIT
wine_start

echo "windows-wine: test suite"
# No test may hang the stage: each has a time limit. A test that fails is run once more: now and
# then a test process under Wine fails within its first milliseconds, before any test code runs
# (seen once in 519 tests, not reproducible); a real fault fails twice.
ctest --test-dir build/windows-tests --output-on-failure --parallel "${JOBS:-2}" \
    --label-exclude corpus --timeout 120 --repeat until-pass:2 ||
    fail "ctest under Wine"

# The host program loads the release DLL, parses from eight threads and unloads the library
# while they run; a fault at thread or process exit shows only in some runs, so it runs 20
# times, each with a time limit and standard input /dev/null (as under ctest).
host=$root/build/windows/tests/windows-host/edid_host.exe
host_runs=${HOST_RUNS:-20}
echo "windows-wine: $host_runs runs of the host program"
mapfile -t host_edids < <(find "$edids" -name '*.bin' | sort)
passed=0
for ((run = 1; run <= host_runs; run++)); do
    status=0
    timeout -k 10 120 wine "$host" "${host_edids[@]}" </dev/null >"$work/host.out" 2>&1 ||
        status=$?
    if ((status == 0)); then
        passed=$((passed + 1))
    else
        fail "host program run $run: status $status ($(tr -d '\r' <"$work/host.out" | tail -3))"
    fi
done
echo "windows-wine: host program: $passed of $host_runs runs passed"

echo "windows-wine: edid-check.exe against the Linux build over $edids"
find "$edids" -name '*.bin' | sort >"$work/list.txt"
for format in --json --all-messages; do
    tool "$format" --properties --from-file "$work/list.txt" >"$work/windows.out" 2>/dev/null
    native "$format" --properties --from-file "$work/list.txt" >"$work/linux.out" 2>/dev/null
    cmp -s "$work/windows.out" "$work/linux.out" || fail "$format output differs from Linux"
done

echo "windows-wine: --lang de to a file and to a console"
# To a file: the UTF-8 bytes of the Linux build.
for format in --json --all-messages; do
    tool --lang de "$format" --properties --from-file "$work/list.txt" >"$work/windows.out" 2>/dev/null
    native --lang de "$format" --properties --from-file "$work/list.txt" >"$work/linux.out" 2>/dev/null
    cmp -s "$work/windows.out" "$work/linux.out" || fail "--lang de $format output differs from Linux"
done
grep -q 'Prüfsumme' "$work/windows.out" || fail "--lang de: no umlauts in the file"
# To a console: `script` gives Wine a terminal, so the tool writes to a Windows console, which
# Wine shows on the terminal in UTF-8. The German words of the report must arrive as they are,
# not read in a legacy code page ("PrÃ¼fsumme", "Pr├╝fsumme") nor byte by byte ("Pr��fsumme").
# (This test EDID has a wrong checksum.)
german_edid=$root/tests/data/edid/IVM-6628-1.3-digital-b36074c7.bin
NO_COLOR=1 script -qec "wine '$exe' --lang de --all-messages '$german_edid'" /dev/null \
    >"$work/console.out" 2>&1 || true
# Without Wine's cursor sequences.
sed 's/\x1b\[[0-9;?]*[A-Za-z]//g' "$work/console.out" >"$work/console.txt"
for word in Prüfsumme Bildschirmgröße Informationen; do
    grep -q "$word" "$work/console.txt" || fail "--lang de on a console: \"$word\" not shown"
done
if grep -q 'Ã\|├\|�' "$work/console.txt"; then
    fail "--lang de on a console: UTF-8 shown in another code page"
fi

# An absolute path written with / is a SOURCE, not a Windows-style option.
first=$(head -1 "$work/list.txt")
tool --json "$first" >/dev/null 2>&1
[[ $status != 2 ]] || fail "the absolute path $first was refused"

echo "windows-wine: display backend through the registry"
monitor='HKLM\System\CurrentControlSet\Enum\DISPLAY\Default_Monitor\0000&0000\Device Parameters'
port='\\.\DISPLAY1'

# Gives Wine's monitor the EDID of a file, or none without one.
set_edid() {
    if (($# == 0)); then
        wine reg delete "$monitor" /v EDID /f >/dev/null 2>&1 || true
    else
        wine reg add "$monitor" /v EDID /t REG_BINARY /f \
            /d "$(od -An -v -tx1 "$1" | tr -d ' \n')" >/dev/null
    fi
}

# Without SOURCE, the display gives the record of the file.
check_display() {
    local file=$1
    set_edid "$file"
    [[ $(tool --json | anonymous) == "$(native --json "$file" | anonymous)" ]] ||
        fail "no SOURCE: $file"
}

# --list and each finder find the display, whose record is that of the file.
check_finders() {
    local file=$1
    local expected listed path name identifier
    expected=$(native --json "$file" | anonymous)
    identifier=$(sed -n 's/.*"identifier":"\([^"]*\)".*/\1/p' <<<"$expected")
    [[ $(tool --list) == *"$identifier"* ]] || fail "--list: $file"
    listed=$(tool --list --json)
    path=$(sed -n 's/.*"displayPath":"\([^"]*\)".*/\1/p' <<<"$listed" | sed 's/\\\\/\\/g')
    name=$(sed -n 's/.*"displayName":"\([^"]*\)".*/\1/p' <<<"$listed" | sed 's/\\\\/\\/g')
    local route finder locator
    for route in "port=$port" "path=$path" "name=$name"; do
        finder=${route%%=*}
        locator=${route#*=}
        [[ $(tool --json --finder "$finder" "display:$locator" | anonymous) == "$expected" ]] ||
            fail "--finder $finder display:$locator: $file"
    done
}

# A monitor without a readable EDID: named in one line, then the samples are examined.
check_fallback() {
    local what=$1
    tool --json >"$work/out.txt" 2>"$work/err.txt"
    local out errors
    out=$(<"$work/out.txt")
    errors=$(tr -d '\r' <"$work/err.txt")
    [[ $status == 0 && $errors == "edid-check: display:$port has no readable EDID; skipped
edid-check: no display with an EDID found; examining the bundled sample EDIDs" ]] ||
        fail "$what: status $status, stderr: $errors"
    [[ $out == '{"source":"sample:'* && $out != *'"source":"display:'* ]] ||
        fail "$what: the samples were not examined"
}

mapfile -t files <"$work/list.txt"
# A spread of at most 24 test EDIDs through the registry and back.
step=$(((${#files[@]} + 23) / 24))
for ((i = 0; i < ${#files[@]}; i += step)); do
    check_display "${files[i]}"
done

# 768 bytes: the base block and five extension blocks.
large=$(find "$edids" -name '*.bin' -size 768c | sort | head -1)
if [[ -z $large ]]; then
    # One with an extension block, its count byte (7Eh) set to 5 and that block repeated.
    large=$work/768.bin
    with_extension=$(find "$edids" -name '*.bin' -size 256c | sort | head -1)
    head -c 256 "$with_extension" >"$large"
    printf '\005' | dd of="$large" bs=1 seek=126 conv=notrunc status=none
    for _ in 1 2 3 4; do tail -c 128 "$with_extension" >>"$large"; done
fi
check_display "$large"
[[ $(tool --json | grep -o '"edid":"[0-9a-f]*"') == "\"edid\":\"$(od -An -v -tx1 "$large" | tr -d ' \n')\"" ]] ||
    fail "768 bytes: not every block was read"
check_finders "$large"

# --dump writes the bytes read from the display.
(cd "$work" && tool --dump "display:$port" >/dev/null)
cmp -s "$work"/edid_dump_*.bin "$large" || fail "--dump: the dump differs from $large"

set_edid
check_fallback "a monitor without an EDID"
head -c 100 "$large" >"$work/100.bin"
set_edid "$work/100.bin"
check_fallback "a monitor with 100 bytes of EDID"

finish "all checks passed"
