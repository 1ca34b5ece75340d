# End-to-end test harness: drives Windows programs under Wine on the display
# with real input. Source it from a bash test script:
#
#   source "$(dirname "$0")/../link/harness.sh"
#   h_init                                   # display, temp folder, data folder, clean-up
#   h_start service "$H_BIN/DeviceServiceStandIn.exe" --log "$(h_winpath "$H_TMP/service.log")"
#   h_wait_line "$H_TMP/service.log" '^ready'
#   h_start app "$H_BIN/Program.exe"
#   win=$(h_wait_window "ZELT-7700 PERIX gaming mouse")
#   h_click "$win" 120 80                    # window-relative, real mouse input
#   h_wait_line "$H_TMP/service.log" '^1298 Profile .* Profile=1$'
#   h_check_eq "$(h_ini_get "$H_DATA/Mouse.ini" Setting Profile)" 1 "saved profile"
#
# Each test gets its own data folder. The utility and the stand-in find
# "Mouse.ini" through the real roaming application-data folder of the Wine
# prefix; h_init points "<AppData>\ZELT-7700 PERIX" at a fresh folder of the
# test (a symbolic link), with "GamingMouse" and "GamingMouse\Macro" made as an
# installer would, and the clean-up restores it. $H_DATA is that
# "GamingMouse" folder seen from Linux: write a "Mouse.ini" there before
# starting the program, or remove the folder to start without an installer.
#
# The link is one per prefix, and the window titles, the keyboard focus and
# the mouse are one per display: tests using them run one at a time (ctest
# property RESOURCE_LOCK perix_desktop).
#
# Set H_KEEP=1 to keep the temp folder; it is always kept, with a screenshot,
# when the test fails.

h_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# shellcheck source=../../scripts/session.sh
source "$h_root/scripts/session.sh"

H_BIN="${PERIX_BIN:-$h_root/build/windows/bin}"
H_TMP=""
H_DATA=""
H_PID=""
h_pids=()
h_xvfb_pid=""
h_data_link=""
h_data_saved=""

h_fail() {
  echo "FAIL: $*" >&2
  exit 1
}

h_check_eq() {  # ACTUAL EXPECTED WHAT
  [ "$1" = "$2" ] || h_fail "$3: expected '$2', got '$1'"
}

# A Windows path for a Linux one (Wine shows the Linux root as drive Z:).
h_winpath() {
  local path
  path=$(realpath -m "$1")
  printf 'Z:%s' "${path//\//\\}"
}

# Without a display (a test run on its own, outside scripts/test.sh) the
# harness starts a virtual one for the test. It never starts or ends the Wine
# server: other tests may be using it, and Wine starts one on demand.
h_display_setup() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    return 0
  fi
  source "$h_root/scripts/virtual-display.sh"
  perix_virtual_display_start || h_fail "the virtual display did not start"
  h_xvfb_pid=$perix_virtual_display_pid
}

h_data_setup() {
  local user roaming
  user=$(id -un)
  roaming="$WINEPREFIX/drive_c/users/$user/AppData/Roaming"
  [ -d "$roaming" ] || h_fail "no roaming application-data folder in $WINEPREFIX"
  h_data_link="$roaming/ZELT-7700 PERIX"
  if [ -L "$h_data_link" ]; then
    rm -f "$h_data_link"  # left by a test that was killed
  elif [ -e "$h_data_link" ]; then
    h_data_saved="$h_data_link.before-tests"
    [ -e "$h_data_saved" ] && h_fail "both $h_data_link and $h_data_saved exist; move one away"
    mv "$h_data_link" "$h_data_saved"
  fi
  mkdir -p "$H_TMP/appdata/ZELT-7700 PERIX/GamingMouse/Macro"
  ln -s "$H_TMP/appdata/ZELT-7700 PERIX" "$h_data_link"
  H_DATA="$H_TMP/appdata/ZELT-7700 PERIX/GamingMouse"
}

h_data_restore() {
  [ -n "$h_data_link" ] || return 0
  if [ -L "$h_data_link" ]; then rm -f "$h_data_link"; fi
  if [ -n "$h_data_saved" ] && [ -e "$h_data_saved" ]; then mv "$h_data_saved" "$h_data_link"; fi
  h_data_link=""
}

# Ends a process started with h_start and waits for it.
h_stop() {
  local pid=$1
  kill "$pid" 2>/dev/null || return 0
  for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

h_cleanup() {
  local status=$?
  trap - EXIT
  if [ "$status" -ne 0 ] && [ -n "$H_TMP" ] && xdpyinfo >/dev/null 2>&1; then
    h_screenshot "$H_TMP/failure.png" 2>/dev/null || true
  fi
  local pid
  for pid in "${h_pids[@]}"; do h_stop "$pid"; done
  h_data_restore
  if [ -n "$H_TMP" ]; then
    if [ "$status" -ne 0 ] || [ "${H_KEEP:-0}" = 1 ]; then
      echo "Test files kept in $H_TMP" >&2
    else
      rm -rf "$H_TMP"
    fi
  fi
  if [ -n "$h_xvfb_pid" ]; then h_stop "$h_xvfb_pid"; fi
  exit "$status"
}

# Uses the session's display (or a virtual one of its own) and Wine prefix;
# makes $H_TMP and the data folder $H_DATA; cleans up at exit.
h_init() {
  set -euo pipefail
  H_TMP=$(mktemp -d /tmp/perix-e2e.XXXXXX)
  trap h_cleanup EXIT
  trap 'exit 130' INT TERM
  h_display_setup
  "$h_root/scripts/wine-prefix.sh" >&2
  # Wine's background processes keep the output of the program that started
  # them open; start them detached so no $(...) waits on them.
  "$h_root/scripts/wine-run" cmd /c exit </dev/null >/dev/null 2>&1 || true
  h_data_setup
}

# Starts a Windows program in the background; its pid is left in $H_PID and
# its console output in $H_TMP/NAME.out. Do not call it in $(...).
h_start() {
  local name=$1
  shift
  "$h_root/scripts/wine-run" "$@" >"$H_TMP/$name.out" 2>&1 &
  H_PID=$!
  h_pids+=("$H_PID")
}

# Runs a Windows program to its end; returns its exit status.
h_run() {
  "$h_root/scripts/wine-run" "$@"
}

# Prints the X window id of the visible window titled exactly TITLE.
h_wait_window() {
  local title=$1 seconds=${2:-20} pattern id
  pattern=$(printf '%s' "$title" | sed 's/[][\.*^$+?(){}|/]/\\&/g')
  for _ in $(seq $((seconds * 10))); do
    id=$(xdotool search --onlyvisible --name "^$pattern\$" 2>/dev/null | head -n 1 || true)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  echo "timeout: no window titled '$title'" >&2
  return 1
}

# Clicks at (X, Y) of the window (client coordinates for a frameless one).
h_click() {
  local window=$1 x=$2 y=$3 button=${4:-1}
  xdotool mousemove --window "$window" "$x" "$y" click "$button"
}

# Presses keys in the window that has the keyboard focus (click it first).
# Key names as xdotool knows them ("a", "shift+b", "Return") or X keycodes
# ("105" right Ctrl, "108" right Alt: the names of these add the left key).
h_key() {
  xdotool key --delay 40 "$@"
}

h_type() {
  xdotool type --delay 40 "$1"
}

# Waits until FILE holds COUNT (default 1) lines matching the extended regular
# expression; on time-out prints the file's end and fails.
h_wait_line() {
  local file=$1 pattern=$2 seconds=${3:-20} count=${4:-1} found=0
  for _ in $(seq $((seconds * 10))); do
    found=$(grep -c -E -- "$pattern" "$file" 2>/dev/null || true)
    [ "${found:-0}" -ge "$count" ] && return 0
    sleep 0.1
  done
  echo "timeout: $count line(s) matching /$pattern/ in $file, found ${found:-0}; its end:" >&2
  tail -n 20 "$file" >&2 2>/dev/null || true
  return 1
}

# Prints the value of KEY in SECTION of an INI file as the private-profile
# reader sees it (names without case, first match, enclosing quotes removed);
# fails when missing. ANSI (code page 1252), UTF-8 and UTF-16LE with BOM.
h_ini_get() {
  python3 - "$1" "$2" "$3" <<'PY'
import sys
path, section, key = sys.argv[1], sys.argv[2].lower(), sys.argv[3].lower()
raw = open(path, "rb").read()
if raw.startswith(b"\xff\xfe"):
    text = raw[2:].decode("utf-16-le", "replace")
elif raw.startswith(b"\xef\xbb\xbf"):
    text = raw[3:].decode("utf-8", "replace")
else:
    text = raw.decode("cp1252", "replace")
current = None
for line in text.splitlines():
    line = line.strip()
    if line.startswith("["):
        current = line[1:line.index("]")].strip().lower() if "]" in line else None
    elif current == section and "=" in line and not line.startswith(";"):
        name, value = line.split("=", 1)
        if name.strip().lower() == key:
            value = value.strip()
            if len(value) >= 2 and value[0] == value[-1] == '"':
                value = value[1:-1]
            print(value)
            sys.exit(0)
sys.exit(1)
PY
}

# Prints a blob as the private-profile structure writer stores it: upper-case
# hex digits and the checksum byte. Fields, in order:
#   u8:N  i32:N  hex:0A0B..  zero:COUNT  utf16:UNITS:TEXT (zero-padded)
h_struct() {
  python3 - "$@" <<'PY'
import struct, sys
data = b""
for item in sys.argv[1:]:
    kind, _, value = item.partition(":")
    if kind == "u8":
        data += struct.pack("<B", int(value, 0))
    elif kind == "i32":
        data += struct.pack("<i", int(value, 0))
    elif kind == "hex":
        data += bytes.fromhex(value)
    elif kind == "zero":
        data += bytes(int(value))
    elif kind == "utf16":
        units, _, text = value.partition(":")
        encoded = text.encode("utf-16-le")[: 2 * int(units)]
        data += encoded + bytes(2 * int(units) - len(encoded))
    else:
        sys.exit("unknown field " + item)
print(data.hex().upper() + "%02X" % (sum(data) % 256))
PY
}

h_screenshot() {
  import -window root "$1"
}

# Lists the X windows of a process started with h_start: "id title" lines.
# Wine gives each top-level window one; some are hidden helpers.
h_windows() {
  local id
  for id in $(xdotool search --pid "$1" 2>/dev/null || true); do
    printf '%s %s\n' "$id" "$(xdotool getwindowname "$id" 2>/dev/null || true)"
  done
}
