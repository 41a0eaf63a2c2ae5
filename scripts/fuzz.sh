#!/usr/bin/env bash
# Builds the picture loader fuzzers with clang (into build-fuzz/) and runs
# each of them, starting from seed files the tests' generators write.
#   scripts/fuzz.sh SECONDS        run every target for SECONDS (CI: 30)
#   scripts/fuzz.sh runs N         run every target for N executions
#   FUZZ_TARGETS="wmf emf" ...     only these targets
# A crash, a hang (10 s per input), a leak or a run over the memory limit fails the
# script; the input is left in build-fuzz/findings/ to be kept under
# tests/pictures/loaders/damaged/<kind>/ once the loader is mended.
set -euo pipefail
cd "$(dirname "$0")/.."

mode=time
amount=${1:-30}
if [ "${1:-}" = runs ]; then
    mode=runs
    amount=${2:?number of runs}
fi
targets=${FUZZ_TARGETS:-"jpeg bmp ico wmf emf"}

CC=clang CXX=clang++ cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz --parallel "$(nproc)"

seeds=build-fuzz/seeds
rm -rf "$seeds"
QT_QPA_PLATFORM=offscreen build-fuzz/picture_seed_writer "$seeds"
mkdir -p "$seeds/emf"
build-fuzz/emf_fixture_writer "$seeds/emf"

mkdir -p build-fuzz/findings
status=0
for kind in $targets; do
    corpus=build-fuzz/corpus/$kind
    mkdir -p "$corpus"
    if [ "$mode" = runs ]; then limit=(-runs="$amount"); else limit=(-max_total_time="$amount"); fi
    echo "== fuzz_$kind"
    # Leaks count too: a loader that leaks runs a long session out of memory.
    if ! QT_QPA_PLATFORM=offscreen \
        build-fuzz/fuzz_$kind "${limit[@]}" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="build-fuzz/findings/$kind-" -print_final_stats=1 \
        "$corpus" "$seeds/$kind" 2>&1 | tail -n 25; then
        status=1
    fi
done
exit $status
