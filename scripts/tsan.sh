#!/usr/bin/env bash
# Builds test programs with ThreadSanitizer (into build-tsan/) and runs the tests of theirs
# that share data between threads. A data race fails the script.
#   scripts/tsan.sh                          the tests below
#   TSAN_TESTS="target:filter ..." ...       these (gtest filters) instead
set -euo pipefail
cd "$(dirname "$0")/.."

tests=${TSAN_TESTS:-"diagram17_tests:CycleTimes*"}

launcher=()
if command -v ccache >/dev/null 2>&1; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
# The tests are listed when they run, not after the build: listing them runs the program,
# which may need the setarch below.
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
    -DCMAKE_CXX_FLAGS="-fsanitize=thread" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" \
    -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST >/dev/null

# A ThreadSanitizer older than the kernel stops at once with "unexpected memory mapping" where
# the kernel places memory with more random bits than it expects (vm.mmap_rnd_bits above 28,
# the default of newer kernels); the same run without address randomisation then works.
run_sanitized() {
    local log
    log=$(mktemp)
    if "$@" >"$log" 2>&1; then
        cat "$log"
        rm -f "$log"
        return 0
    fi
    if grep -q "unexpected memory mapping" "$log"; then
        echo "(rerun without address randomisation: setarch -R)"
        rm -f "$log"
        setarch "$(uname -m)" -R "$@"
        return
    fi
    cat "$log"
    rm -f "$log"
    return 1
}

status=0
for entry in $tests; do
    target=${entry%%:*}
    filter=${entry#*:}
    cmake --build build-tsan --parallel "$(nproc)" --target "$target"
    program=$(find build-tsan/tests -type f -name "$target" -perm -u+x | head -n 1)
    echo "== $target --gtest_filter=$filter"
    if ! TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" QT_QPA_PLATFORM=offscreen \
        run_sanitized "$program" --gtest_filter="$filter"; then
        status=1
    fi
done
exit $status
