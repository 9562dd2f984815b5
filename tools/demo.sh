#!/usr/bin/env bash
# The demo: installs what is missing, builds the programs, lays out a
# program folder, makes the data folder of a made-up school when there is
# none, and starts the main program on it.
#
# With DISPLAY set the program opens there and the command waits until it
# is closed. Without one (or with --shot) it runs unattended on a private
# Xvfb server: once the main window is up a screenshot of the screen is
# saved, the window is closed as a window manager closes it, and the
# program's exit code is reported and returned.
#
#   bash tools/demo.sh [--build DIR] [--program DIR] [--data DIR]
#                      [--size small|medium|large] [--shot FILE.png]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

build=$top/build/demo
program=$top/demo/program
data=$top/demo/data
size=medium
shot=""
while [ $# -gt 0 ]; do
  case "$1" in
    --build) build=$2; shift 2 ;;
    --program) program=$2; shift 2 ;;
    --data) data=$2; shift 2 ;;
    --size) size=$2; shift 2 ;;
    --shot) shot=$2; shift 2 ;;
    *) echo "usage: bash tools/demo.sh [--build DIR] [--program DIR] [--data DIR] [--size small|medium|large] [--shot FILE.png]" >&2
       exit 2 ;;
  esac
done

bash tools/install-deps.sh

# A build folder of its own, without sanitizers, tests or benchmarks; one
# that exists already is used as it is configured.
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVO_SANITIZE=OFF \
    -DTAVO_TESTS=OFF -DTAVO_BENCH=OFF
fi
cmake --build "$build" -j "${TAVO_JOBS:-$(nproc)}"
cmake --install "$build" --prefix "$program" >/dev/null

if [ ! -d "$data" ]; then
  "$program/tools/mkdata" "$data" --size "$size"
fi

version=$(sed -n 's/^#define TAVO_VERSION_NUMBER \([0-9]*\)$/\1/p' "$build/generated/tavo/version.h")
exe="$program/$version.exe"
xvindue="$build/tools/xvindue/xvindue"
echo "demo: $exe -p$program -d$data"

if [ -n "${DISPLAY:-}" ] && [ -z "$shot" ]; then
  rc=0
  "$exe" "-p$program" "-d$data" || rc=$?
  echo "demo: the program ended with exit code $rc"
  exit "$rc"
fi

[ -n "$shot" ] || shot=$top/demo/screenshot.png
mkdir -p "$(dirname "$shot")"
source tools/xvfb.sh
xvfb_pid=""
pid=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ]; then
  if ! start_xvfb 140 170; then
    echo "demo: no X server could be started (Xvfb)" >&2
    exit 1
  fi
  export DISPLAY=$xvfb_display
fi

"$exe" "-p$program" "-d$data" &
pid=$!
# The title is "<installation> - TAVO-skema".
if ! "$xvindue" vent "- TAVO-skema" 120 >/dev/null; then
  "$xvindue" foto "$shot" || true
  echo "demo: the main window did not come up; the screen is in $shot" >&2
  exit 1
fi
"$xvindue" foto "$shot"
echo "demo: screenshot of the main window: $shot"
"$xvindue" luk "- TAVO-skema"
rc=0
wait "$pid" || rc=$?
pid=""
echo "demo: the program ended with exit code $rc"
exit "$rc"
