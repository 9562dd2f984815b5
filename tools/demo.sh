#!/usr/bin/env bash
# The demo: installs what is missing, builds the programs, lays out a
# program folder, makes the data folder of a made-up school when there is
# none, and starts the starter Tavo.exe on it, as a desktop shortcut does:
# Tavo starts the start menu TavoMenu, which starts the main program.
#
# With DISPLAY set the start menu opens there. Without one (or with --shot)
# it runs unattended on a private Xvfb server: once the start menu is up a
# screenshot of it is saved (--menu-shot), Enter starts the main program
# from its dialog, once the main window is up a screenshot of the screen is
# saved, the window is closed as a window manager closes it, and the demo
# waits until the main program has ended. With --steps the given bash file
# is sourced once the main window is up, before its screenshot: it drives
# the program (xdotool, and "$xvindue" for its windows) and fails the demo
# by returning non-zero; it may end the program itself.
#
#   bash tools/demo.sh [--build DIR] [--program DIR] [--data DIR]
#                      [--size small|medium|large] [--shot FILE.png]
#                      [--menu-shot FILE.png] [--steps FILE.sh]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

build=$top/build/demo
program=$top/demo/program
data=$top/demo/data
size=medium
shot=""
menushot=""
steps=""
while [ $# -gt 0 ]; do
  case "$1" in
    --build) build=$2; shift 2 ;;
    --program) program=$2; shift 2 ;;
    --data) data=$2; shift 2 ;;
    --size) size=$2; shift 2 ;;
    --shot) shot=$2; shift 2 ;;
    --menu-shot) menushot=$2; shift 2 ;;
    --steps) steps=$2; shift 2 ;;
    *) echo "usage: bash tools/demo.sh [--build DIR] [--program DIR] [--data DIR] [--size small|medium|large] [--shot FILE.png] [--menu-shot FILE.png] [--steps FILE.sh]" >&2
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
# A folder made before the palette shipped gets the one a new folder gets.
[ -e "$data/ini/tavo.pal" ] || cp "$program/ini/tavo.pal" "$data/ini/tavo.pal"

version=$(sed -n 's/^#define TAVO_VERSION_NUMBER \([0-9]*\)$/\1/p' "$build/generated/tavo/version.h")
exe="$program/$version.exe"
tavo="$program/Tavo.exe"

# The update server's stand-in, answering "no newer version" (version.txt
# names the running version only), so that the main program's version check
# at start-up shows no box. It ends by itself once idle.
opd=$top/demo/opdatering
rm -rf "$opd"
mkdir -p "$opd"
openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 2 \
  -subj /CN=127.0.0.1 -addext subjectAltName=IP:127.0.0.1 \
  -keyout "$opd/key.pem" -out "$opd/cert.pem" >/dev/null 2>&1
printf 'answer /tavoskema/opd/pc/version.txt 200 %s\\n\n' "$version" >"$opd/script"
"$build/standins/webserver/webserver" --cert "$opd/cert.pem" --key "$opd/key.pem" --dir "$opd" \
  --script "$opd/script" --idle 1800 >"$opd/port" 2>"$opd/stderr" &
for _ in $(seq 100); do
  [ -s "$opd/port" ] && break
  sleep 0.1
done
export TAVO_WEB_OPDATERING="https://127.0.0.1:$(head -n1 "$opd/port")"
export TAVO_WEB_CERTIFIKAT="$opd/cert.pem"
# The job server's stand-in with its central system, so that an export
# (F11) is answered: the data folder's [kontakt] names it and the services
# override gives its port. The central system knows the made-up school's
# ring systems (DAG 1, AFT 2). With a display the demo leaves at once, so
# only its idle time ends it.
job=$top/demo/jobserver
rm -rf "$job"
mkdir -p "$job/spool"
printf '%s\n' "queue-seconds 10" \
  "ring 1 800-845 850-935 945-1030 1035-1120 1150-1235 1240-1325 1335-1420 1425-1510 1515-1600 1605-1650" \
  "ring 2 1700-1745 1750-1835 1840-1925 1930-2015" >"$job/script"
starter=()
if [ -n "${DISPLAY:-}" ] && [ -z "$shot" ]; then starter=(--starter 0); fi
"$build/standins/jobserver/jobserver" --spool "$job/spool" --user demo:demo:demo --faults "$job/script" \
  --log "$job/log" --idle 1800 "${starter[@]}" >"$job/port" 2>"$job/stderr" &
for _ in $(seq 100); do
  [ -s "$job/port" ] && break
  sleep 0.1
done
export TAVO_SERVICES="tavo/tcp=$(head -n1 "$job/port")"
# [kontakt] server, database and bruger of the data folder, the rest kept.
ini=$data/ini/tavo.ini
awk '
  { linje = $0; cr = ""; if (sub(/\r$/, "", linje)) cr = "\r" }
  /^\[/ {
    i = tolower(linje) ~ /^\[kontakt\]/
    print
    if (i && !skrevet) { print "server=127.0.0.1" cr; print "database=demo" cr; print "bruger=demo" cr; skrevet = 1 }
    next
  }
  i && tolower(linje) ~ /^(server|database|bruger)[ \t]*=/ { next }
  { print }
  END { if (!skrevet) { print "[kontakt]"; print "server=127.0.0.1"; print "database=demo"; print "bruger=demo" } }
' "$ini" >"$ini.demo" && mv "$ini.demo" "$ini"
echo "demo: the job server on 127.0.0.1:$(head -n1 "$job/port") (user demo, password demo; log $job/log)"
xvindue="$build/tools/xvindue/xvindue"
echo "demo: $tavo -p$program -d$data"

if [ -n "${DISPLAY:-}" ] && [ -z "$shot" ]; then
  "$tavo" "-p$program" "-d$data"
  echo "demo: the start menu is open on $DISPLAY"
  exit 0
fi

[ -n "$shot" ] || shot=$top/demo/screenshot.png
[ -n "$menushot" ] || menushot=$(dirname "$shot")/menu.png
mkdir -p "$(dirname "$shot")" "$(dirname "$menushot")"
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

"$tavo" "-p$program" "-d$data"
# The start menu's title is "<installation> TAVO-skema     Prog. sti: ...".
if ! "$xvindue" vent "TAVO-skema     Prog. sti" 60 >/dev/null; then
  "$xvindue" foto "$menushot" || true
  echo "demo: the start menu did not come up; the screen is in $menushot" >&2
  exit 1
fi
# Dialog 102 comes up over it once the window is shown.
sleep 3
"$xvindue" foto "$menushot"
echo "demo: screenshot of the start menu: $menushot"
# Enter on dialog 102 starts the main program (its first choice is checked).
xdotool mousemove 640 512 key Return
# The main window's title is "<installation> - TAVO-skema".
if ! "$xvindue" vent "- TAVO-skema" 120 >/dev/null; then
  "$xvindue" foto "$shot" || true
  echo "demo: the main window did not come up; the screen is in $shot" >&2
  exit 1
fi
# The main program is no child of this script: its process is found by its
# file, which lies in this program folder only (started by its Windows
# form, so the last separator may be a backslash).
pid=$(pgrep -n -f "^${program}.${version}\.exe " || true)
if [ -n "$steps" ] && ! source "$steps"; then
  "$xvindue" foto "$shot" || true
  echo "demo: the steps of $steps failed; the screen is in $shot" >&2
  exit 1
fi
"$xvindue" foto "$shot"
echo "demo: screenshot of the main window: $shot"
# Steps may have closed the program themselves.
if "$xvindue" findes "- TAVO-skema"; then
  "$xvindue" luk "- TAVO-skema"
fi
for _ in $(seq 600); do
  [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
  echo "demo: the main program did not end" >&2
  exit 1
fi
pid=""
echo "demo: the main program has ended"
