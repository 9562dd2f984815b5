#!/usr/bin/env bash
# Installs what is missing, builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test. Tests labelled `gui` run
# under Xvfb when it is available.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

bash tools/install-deps.sh

build=${TAVO_BUILD_DIR:-$top/build/asan}
jobs=${TAVO_JOBS:-$(nproc)}

cmake -S . -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTAVO_SANITIZE=ON -DTAVO_BENCH=ON
cmake --build "$build" -j "$jobs"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
# Tests never reach a real display unless they start their own Xvfb.
unset DISPLAY

ctest --test-dir "$build" --output-on-failure -j "$jobs" --timeout 900
