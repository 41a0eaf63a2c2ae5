#!/usr/bin/env bash
# The tests of the sampler, of the window's and the command line's captures, of the
# port providers and of protocol decoding, built with ThreadSanitizer into build-tsan/ and run: the
# sampler's threads read the port while the window's timers read and write it,
# and the decoding thread reads a recording that another thread appends to.
set -euo pipefail
cd "$(dirname "$0")/.."
launcher=()
if command -v ccache >/dev/null 2>&1; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS="-fsanitize=thread" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" \
    -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST \
    "${launcher[@]}" >/dev/null
targets=(capture_tests port_tests port_linux_tests panel_tests diagram17_tests decode_tests cli_tests)
cmake --build build-tsan --parallel "$(nproc)" --target "${targets[@]}"

export TSAN_OPTIONS="halt_on_error=1 exitcode=66 suppressions=$PWD/tests/tsan/suppressions.txt"
export QT_QPA_PLATFORM=offscreen
failed=0
for test in capture/capture_tests port/port_tests port/port_linux_tests panel/panel_tests \
    diagram17/diagram17_tests decode/decode_tests cli/cli_tests; do
    echo "== ThreadSanitizer: $test"
    if ! "build-tsan/tests/$test" --gtest_brief=1; then
        failed=1
    fi
done
exit "$failed"
