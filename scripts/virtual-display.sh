# Sourced: perix_virtual_display_start starts a virtual X display (Xvfb) on
# a display number the server picks itself, so that several sessions on one
# machine never race for the same number. It exports DISPLAY and sets
# perix_virtual_display_pid; the caller ends the server.
perix_virtual_display_start() {
  local numberfile
  numberfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$numberfile" >/dev/null 2>&1 &
  perix_virtual_display_pid=$!
  local n=""
  for _ in $(seq 100); do
    n=$(tr -dc '0-9' <"$numberfile")
    [ -n "$n" ] && break
    sleep 0.1
  done
  rm -f "$numberfile"
  [ -n "$n" ] || return 1
  export DISPLAY=":$n"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
  return 1
}
