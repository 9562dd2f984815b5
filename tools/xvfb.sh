# Sourced by the commands that need a private X server.
#
# start_xvfb FIRST LAST: starts Xvfb on the first free display number in
# FIRST..LAST and sets xvfb_display (":N") and xvfb_pid; returns 1 (both
# empty) when Xvfb is missing or no display could be had.
start_xvfb() {
  local first=$1 last=$2 n
  xvfb_display=""
  xvfb_pid=""
  command -v Xvfb >/dev/null 2>&1 || return 1
  for n in $(seq "$first" "$last"); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    if [ -e "/tmp/.X11-unix/X$n" ]; then
      xvfb_display=":$n"
      return 0
    fi
    kill "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
  done
  return 1
}
