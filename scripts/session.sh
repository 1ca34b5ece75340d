# Sourced by the run and test scripts: a display (the user's, or a virtual
# one) and a Wine server kept running for the whole session, both ended on exit.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export PERIX_WINEPREFIX="${PERIX_WINEPREFIX:-$here/build/windows/wineprefix}"
export WINEPREFIX="$PERIX_WINEPREFIX"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

perix_session_pids=()
perix_virtual_display=0

perix_session_end() {
  WINEPREFIX="$PERIX_WINEPREFIX" wineserver -k >/dev/null 2>&1 || true
  for pid in "${perix_session_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
}

source "$here/scripts/virtual-display.sh"

perix_session_start() {
  if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
    perix_virtual_display_start || { echo "The virtual display did not start." >&2; return 1; }
    perix_session_pids+=("$perix_virtual_display_pid")
    perix_virtual_display=1
  fi
  "$here/scripts/wine-prefix.sh"
  # A resident server makes each Wine start take a tenth of a second, not two.
  wineserver -p >/dev/null 2>&1 &
  # Wine's own background processes (services.exe and others) start with the
  # first program and keep its output open for the server's life: start them
  # here, detached, or ctest waits on the first test's output forever.
  "$here/scripts/wine-run" cmd /c exit </dev/null >/dev/null 2>&1 || true
  trap perix_session_end EXIT
}
