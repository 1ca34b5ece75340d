# Sourced by the end-to-end scripts: a display, the program's log, and
# helpers that wait for log lines and read screen pixels. No step is timed:
# the waits only give up after a generous limit, so a stuck program fails
# instead of hanging the run.

e2e_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
e2e_own_xvfb=""
e2e_program_pid=""

e2e_cleanup() {
  if [ -n "$e2e_program_pid" ] && kill -0 "$e2e_program_pid" 2>/dev/null; then kill "$e2e_program_pid" 2>/dev/null || true; fi
  if [ -n "$e2e_own_xvfb" ]; then kill "$e2e_own_xvfb" 2>/dev/null || true; fi
}
trap e2e_cleanup EXIT

# Uses the display of the session (scripts/session.sh) when there is one,
# otherwise starts a virtual display of its own.
e2e_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return; fi
  source "$e2e_root/scripts/virtual-display.sh"
  if ! perix_virtual_display_start; then
    echo "FAIL: no display" >&2
    exit 1
  fi
  e2e_own_xvfb=$perix_virtual_display_pid
}

e2e_fail() {
  echo "FAIL: $*" >&2
  [ -f "$e2e_log" ] && { echo "--- program log" >&2; cat "$e2e_log" >&2; }
  import -window root "$e2e_out/failure.png" 2>/dev/null && echo "screenshot: $e2e_out/failure.png" >&2
  exit 1
}

# Number of log lines matching an extended regular expression.
e2e_count() {
  local n
  n=$(grep -cE -- "$1" "$e2e_log" 2>/dev/null) || true
  echo "${n:-0}"
}

# Waits until at least `n` (default 1) log lines match.
e2e_wait_for() {
  local pattern=$1 n=${2:-1}
  for _ in $(seq 600); do
    [ "$(e2e_count "$pattern")" -ge "$n" ] && return 0
    if [ -n "$e2e_program_pid" ] && ! kill -0 "$e2e_program_pid" 2>/dev/null; then
      [ "$(e2e_count "$pattern")" -ge "$n" ] && return 0
      e2e_fail "the program ended while waiting for '$pattern' (x$n)"
    fi
    sleep 0.1
  done
  e2e_fail "no '$pattern' (x$n) in the log"
}

e2e_expect_count() {
  local pattern=$1 n=$2 got
  got=$(e2e_count "$pattern")
  [ "$got" -eq "$n" ] || e2e_fail "'$pattern' logged $got times, expected $n"
}

# Moves the pointer there in two small steps, so the window under it gets a
# move of its own (a jump alone can leave a capture with the old window).
e2e_move() {
  xdotool mousemove "$(($1 - 1))" "$(($2 - 1))"
  xdotool mousemove "$1" "$2"
}

e2e_click() {
  e2e_move "$1" "$2"
  xdotool click 1
}

# The colour of one screen pixel, as #RRGGBB.
e2e_pixel() {
  import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null | grep -oE '#[0-9A-Fa-f]{6}' | head -n 1 | tr 'a-f' 'A-F'
}

# Waits until a pixel has the colour (the program repaints in its own time).
e2e_wait_pixel() {
  local x=$1 y=$2 want=$3 got=""
  for _ in $(seq 100); do
    got=$(e2e_pixel "$x" "$y")
    [ "$got" = "$want" ] && return 0
    sleep 0.1
  done
  e2e_fail "pixel ($x, $y) is $got, expected $want"
}
