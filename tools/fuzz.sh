#!/usr/bin/env bash
# A long fuzzing campaign of one harness of tests/fuzz with AFL++:
#   bash tools/fuzz.sh TARGET SECONDS      (TARGET: a folder of tests/fuzz)
# Installs afl++ when missing, builds the harness with AFL++'s gcc
# instrumentation, AddressSanitizer and UndefinedBehaviorSanitizer in
# build/fuzz-afl, runs afl-fuzz from the harness's corpus for SECONDS,
# prints the executions, and copies every crash found into
# tests/fuzz/TARGET/crashes/, where the test command replays it from then
# on.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

if [ $# -ne 2 ] || [ ! -d "tests/fuzz/$1/corpus" ] || ! [[ "$2" =~ ^[0-9]+$ ]]; then
  echo "brug: tools/fuzz.sh TARGET SECONDS   (TARGET: $(cd tests/fuzz && ls -d */ | tr -d / | tr '\n' ' '))" >&2
  exit 2
fi
target=$1
seconds=$2

if ! command -v afl-fuzz >/dev/null 2>&1; then
  bash tools/install-deps.sh
  if [ "$(id -u)" -eq 0 ]; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends afl++
  else
    sudo DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends afl++
  fi
fi

build=${TAVO_FUZZ_BUILD_DIR:-$top/build/fuzz-afl}
mkdir -p "$build"
probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
echo 'int main(void) { return 0; }' > "$probe/p.c"
export AFL_QUIET=1
shim=$build/aflpath
driver=/usr/lib/afl/libAFLDriver.a
[ -f "$driver" ] || driver=/usr/local/lib/afl/libAFLDriver.a

# Two campaigns may start at once: one prepares and builds at a time.
(
  flock 9
  # AFL++'s gcc plugin (afl-gcc-fast) instruments. Where it refuses the
  # installed gcc (Debian 12's package after a gcc update), a small plugin
  # of ours loads it (tools/afl-gcc-plugin-shim.c): AFL_PATH then names a
  # folder with AFL++'s files and the shim in the plugin's place.
  if ! afl-gcc-fast "$probe/p.c" -o "$probe/p" >/dev/null 2>&1; then
    afl=/usr/lib/afl
    [ -d "$afl" ] || afl=/usr/local/lib/afl
    rm -rf "$shim"
    mkdir -p "$shim"
    for f in "$afl"/*; do ln -s "$f" "$shim/"; done
    rm "$shim/afl-gcc-pass.so"
    gcc -shared -fPIC -O2 tools/afl-gcc-plugin-shim.c -o "$shim/afl-gcc-pass.so" -ldl
    if ! AFL_PATH=$shim TAVO_AFL_GCC_PASS=$afl/afl-gcc-pass.so afl-gcc-fast "$probe/p.c" -o "$probe/p" >/dev/null 2>&1; then
      echo "fuzz: afl-gcc-fast does not work with this gcc, not even through the shim" >&2
      exit 1
    fi
    echo "fuzz: AFL++'s gcc plugin is loaded through tools/afl-gcc-plugin-shim.c" >&2
    echo "$afl/afl-gcc-pass.so" > "$shim/plugin"
  fi
  if [ -f "$shim/plugin" ]; then
    export AFL_PATH=$shim TAVO_AFL_GCC_PASS=$(cat "$shim/plugin")
  fi
  CC=afl-gcc-fast CXX=afl-g++-fast cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTAVO_SANITIZE=ON -DTAVO_BENCH=OFF -DTAVO_FUZZ_AFL=ON -DTAVO_AFL_DRIVER="$driver" >/dev/null
  cmake --build "$build" -j "${TAVO_JOBS:-3}" --target "fuzz_$target"
) 9>"$build/.fuzz-build.lock"

out=$build/campaigns/$target
rm -rf "$out"
mkdir -p "$out"
# The harnesses make their data folders in TMPDIR: a private one in memory,
# removed afterwards.
work=$(mktemp -d "${TAVO_FUZZ_TMP:-/dev/shm}/tavofuzz-$target-XXXXXX")
trap 'rm -rf "$probe" "$work"' EXIT
export AFL_SKIP_CPUFREQ=1 AFL_NO_UI=1 AFL_I_DONT_CARE_ABOUT_MISSING_CRASHES=1
export ASAN_OPTIONS=abort_on_error=1:symbolize=0:detect_leaks=0
export UBSAN_OPTIONS=halt_on_error=1:abort_on_error=1
TMPDIR=$work afl-fuzz -i "tests/fuzz/$target/corpus" -o "$out" -V "$seconds" \
  -- "$build/tests/fuzz/$target/fuzz_$target" >"$out/afl.log" 2>&1 || {
  echo "fuzz: afl-fuzz failed, see $out/afl.log" >&2
  tail -20 "$out/afl.log" >&2
  exit 1
}

stats=$out/default/fuzzer_stats
execs=$(awk -F: '/^execs_done/ {gsub(/ /, "", $2); print $2}' "$stats")
paths=$(awk -F: '/^corpus_count/ {gsub(/ /, "", $2); print $2}' "$stats")
found=0
keep() {
  cp "$1" "tests/fuzz/$target/crashes/$(sha1sum "$1" | cut -c1-16)"
  found=$((found + 1))
}
for f in "$out"/default/crashes/id:*; do
  [ -e "$f" ] && keep "$f"
done
echo "fuzz $target: $execs executions in $seconds s, $paths inputs in the queue, $found crashes"
[ "$found" -eq 0 ]
