#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. Exit status = result.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)")
# The sampler, the captures and the port providers under ThreadSanitizer.
scripts/test-tsan.sh
# The Linux port paths against Debian's kernel on QEMU's emulated parallel port.
scripts/test-kernel.sh
# The Windows port provider, cross-built with MinGW-w64 and run under Wine.
scripts/test-windows.sh
# Every picture loader's fuzzer for 30 seconds (its own clang build, build-fuzz/).
scripts/fuzz.sh 30
