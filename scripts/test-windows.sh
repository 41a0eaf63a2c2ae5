#!/usr/bin/env bash
# Cross-builds the Windows port provider and its tests with MinGW-w64 and runs
# them under Wine, each architecture in a fresh Wine prefix that is removed
# afterwards. No display is needed. Exit status = result.
#
# 64-bit: built and run. 32-bit (the build the 9x family runs): always built;
# run only where 32-bit Wine (wine32:i386) is installed, which scripts/deps.sh
# leaves out (it needs the i386 architecture and some 170 packages).
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD/tests/windows
build_root=$PWD/build-windows

launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi

# build <arch> <wine loader>
build() {
    cmake -S "$source_dir" -B "$build_root/$1" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_TOOLCHAIN_FILE="$source_dir/toolchains/mingw-$1.cmake" \
        -DCMAKE_CROSSCOMPILING_EMULATOR="$2" "${launcher[@]}" >/dev/null
    cmake --build "$build_root/$1" --parallel "$(nproc)"
}

prefix=""
remove_prefix() {
    if [ -n "$prefix" ]; then
        WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
        rm -rf "$prefix"
        prefix=""
    fi
}
trap remove_prefix EXIT

# run_tests <arch>
run_tests() {
    prefix=$(mktemp -d -t voltarix-wine.XXXXXX)
    echo "Windows port tests ($1) under Wine, prefix $prefix"
    # No Mono or Gecko: nothing here needs them, and without a display
    # their install prompts would only wait.
    export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    # Make the prefix, then let that first Wine session end: services started
    # by a session still lingering from wineboot time out on every start.
    wineboot -i >/dev/null 2>&1
    wineserver -w
    local status=0
    ctest --test-dir "$build_root/$1" --output-on-failure || status=$?
    remove_prefix
    return $status
}

wine64_loader=/usr/lib/wine/wine64
wine32_loader=/usr/lib/wine/wine

build x86_64 "$wine64_loader"
build i686 "$wine32_loader"

status=0
if [ ! -x "$wine32_loader" ]; then
    echo "32-bit Wine (wine32:i386) is not installed: the i686 tests are built, not run."
fi
run_tests x86_64 || status=$?
if [ -x "$wine32_loader" ]; then
    run_tests i686 || status=$?
fi
exit $status
