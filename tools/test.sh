#!/usr/bin/env bash
# Installs what is missing, builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test. Tests labelled `gui` run
# under Xvfb when it is available.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

bash tools/install-deps.sh

build=${TAVO_BUILD_DIR:-$top/build/asan}
# A clone in another folder reuses the compiler cache: paths inside the tree
# are hashed relative to it, and the build folder does not enter the hash.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$top}
export CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
jobs=${TAVO_JOBS:-$(nproc)}

cmake -S . -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTAVO_SANITIZE=ON -DTAVO_BENCH=ON
cmake --build "$build" -j "$jobs"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
# Tests never reach the user's display. Tests labelled `gui` use a private
# Xvfb server named by TAVO_XVFB_DISPLAY and skip themselves without one.
unset DISPLAY
source tools/xvfb.sh
xvfb_pid=""
cleanup() { [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true; }
trap cleanup EXIT
if start_xvfb 90 120; then export TAVO_XVFB_DISPLAY="$xvfb_display"; fi

ctest --test-dir "$build" --output-on-failure -j "$jobs" --timeout 900
