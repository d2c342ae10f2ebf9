#!/usr/bin/env bash
# The HTML report of edid-check in a real browser: headless Chromium renders the report of a few
# test EDIDs (and one whose strings hold markup), and check_report.py checks the rendered DOM
# and the screenshot. Skipped, with a line saying so, when Chromium is not installed.
#   tests/browser/html-report-test.sh EDID_CHECK OUT_DIR [SCREENSHOT_COPY]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
edid_check=$(realpath "$1")
out=$(mkdir -p "$2" && realpath "$2")
copy=${3:-}

browser=$(command -v chromium || command -v chromium-browser || true)
if [[ -z $browser ]]; then
    echo "browser: Chromium is not installed; the HTML report stage is skipped"
    exit 0
fi

copy=${copy:+$(realpath "$copy")}
# Paths relative to tests/, as the report shows them.
cd "$here/.."
sources=(
    data/edid/GSM-5BD3-1.4-digital-3be1544c.bin
    data/edid/APP-A044-1.4-digital-db12971d.bin
    data/edid/ACI-24E1-1.3-digital-b26f6099.bin
    data/edid/DEL-D12C-1.4-digital-13bf49e4.bin
    browser/hostile-strings.hex
)
# Status 1 only says that some EDID has errors.
status=0
"$edid_check" --html "$out/report.html" "${sources[@]}" >/dev/null || status=$?
if ((status > 1)); then
    echo "browser: edid-check failed with status $status"
    exit 1
fi

profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
chromium_run() {
    "$browser" --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
        --disable-background-networking --disable-component-update --disable-sync \
        --hide-scrollbars --user-data-dir="$profile" "$@" 2>/dev/null
}
chromium_run --dump-dom "file://$out/report.html" >"$out/dom.html"
chromium_run --screenshot="$out/report.png" --window-size=480,760 "file://$out/report.html" \
    >/dev/null
python3 "$here/check_report.py" "$out/dom.html" "$out/report.png" "${sources[@]}"
if [[ -n $copy ]]; then
    cp "$out/report.png" "$copy"
fi
