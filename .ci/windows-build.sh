#!/bin/sh
# Cross-builds libEDID.dll and edid-check.exe for 64-bit Windows with MinGW-w64 (CMake preset
# "windows", output in build/windows), then checks that no binary needs a MinGW runtime DLL.
# Needs cmake >= 3.25, ninja and the Debian package g++-mingw-w64-x86-64.
# JOBS sets the number of parallel compile jobs (default 2); PRESET another preset (such as
# "windows-tests", which adds the test suite); BUILD_DIR another build folder.
set -eu

cd "$(dirname "$0")/.."
preset=${PRESET:-windows}
build_dir=${BUILD_DIR:-build/$preset}

cmake --preset "$preset" -B "$build_dir"
cmake --build "$build_dir" --parallel "${JOBS:-2}"

objdump=x86_64-w64-mingw32-objdump
if ! command -v "$objdump" >/dev/null 2>&1; then
    echo "windows-build: $objdump not found, runtime check skipped" >&2
    exit 0
fi
status=0
for binary in $(find "$build_dir" -name '*.dll' -o -name '*.exe' | grep -v CMakeFiles); do
    if "$objdump" -p "$binary" | grep -Ei 'DLL Name: (libstdc\+\+|libgcc_s|libwinpthread)'; then
        echo "windows-build: $binary needs a MinGW runtime DLL" >&2
        status=1
    fi
done
exit $status
