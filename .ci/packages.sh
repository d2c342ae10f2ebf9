#!/usr/bin/env bash
# Release packages: cpack makes the Linux .tar.gz and .deb (preset "release") and the Windows
# ZIP (preset "windows", cross-built before) in build/packages. Each package is unpacked,
# checked for its files, and a small consumer project (tests/package-consumer) is built against
# it with find_package(libEDID) and run, with the packaged edid-check (the Windows ones under
# Wine).
set -euo pipefail

cd "$(dirname "$0")/.."
.ci/install-packages build windows wine
source .ci/stage-support.sh

root=$PWD
jobs=${JOBS:-2}
out=$root/build/packages
sample=$root/tools/edid-check/samples/ACR-0B3A-1.4-digital-bb967c25.bin
expected="Display: ED270U P2-43300EA733W01"
rm -rf "$out"
mkdir -p "$out"
# Fails for each file missing from an unpacked package.
expect_files() {
    local dir=$1
    shift
    local file
    for file in "$@"; do
        [[ -e $dir/$file ]] || fail "$(basename "$dir"): $file missing"
    done
}

# Unpacks a package into its own folder of build/packages/unpacked and prints that folder.
unpack() {
    local package=$1
    local dir=$out/unpacked/$(basename "$package")
    mkdir -p "$dir"
    if [[ $package == *.deb ]]; then
        dpkg-deb -x "$package" "$dir"
        echo "$dir/usr"
    else
        (cd "$dir" && cmake -E tar xf "$package")
        echo "$dir/$(ls "$dir")"
    fi
}

# Configures and builds the consumer against an unpacked package; extra CMake arguments follow.
build_consumer() {
    local name=$1
    shift
    cmake -S tests/package-consumer -B "$out/consumer-$name" -G Ninja \
        -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null &&
        cmake --build "$out/consumer-$name" >/dev/null
}

# Runs a program and checks that it names the sample display.
expect_display() {
    local what=$1
    shift
    local output
    output=$("$@" "$sample" 2>&1 | tr -d '\r') || true
    [[ $output == *"${expected#Display: }"* ]] || fail "$what: $output"
}

cmake --preset release >/dev/null
cmake --build --preset release --parallel "$jobs"
(cd build/release && cpack -B "$out" >/dev/null)
(cd build/windows && cpack -B "$out" >/dev/null)

shopt -s nullglob
packages=("$out"/*.tar.gz "$out"/*.deb "$out"/*.zip)
((${#packages[@]} == 3)) || fail "three packages expected, made: ${packages[*]##*/}"

documents=(README.md)
if [[ -f LICENSE ]]; then
    documents+=(LICENSE)
fi
common=(include/libEDID/libEDID.h include/qor/String.h include/qorwin/WindowsDisplays.h
    lib/cmake/libEDID/libEDIDConfig.cmake lib/cmake/libEDID/libEDIDConfigVersion.cmake)

for package in "$out"/*.tar.gz "$out"/*.deb; do
    name=$(basename "$package")
    prefix=$(unpack "$package")
    echo "packages: $name"
    expect_files "$prefix" "${common[@]}" lib/libEDID.so bin/edid-check \
        "${documents[@]/#/share/doc/libEDID/}"
    if build_consumer "$name" -DCMAKE_PREFIX_PATH="$prefix"; then
        expect_display "$name consumer" "$out/consumer-$name/consumer"
    else
        fail "$name: the consumer does not build"
    fi
    expect_display "$name edid-check" "$prefix/bin/edid-check"
done

trap wine_stop EXIT
wine_start
for package in "$out"/*.zip; do
    name=$(basename "$package")
    prefix=$(unpack "$package")
    echo "packages: $name"
    expect_files "$prefix" "${common[@]}" bin/libEDID.dll lib/libEDID.dll.a bin/edid-check.exe \
        "${documents[@]}"
    if build_consumer "$name" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchains/mingw-w64-x86_64.cmake" \
        -DlibEDID_DIR="$prefix/lib/cmake/libEDID"; then
        WINEPATH="$prefix/bin" expect_display "$name consumer" wine "$out/consumer-$name/consumer.exe"
    else
        fail "$name: the consumer does not build"
    fi
    expect_display "$name edid-check" wine "$prefix/bin/edid-check.exe"
done

finish "every package built, unpacked and consumed"
