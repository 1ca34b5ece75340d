# Sourced by the end-to-end tests of PerixConfig.exe, after
# tests/link/harness.sh and h_init. Controls are named as in the layout table
# (core/skin/Layout.h): their places come from layout-dump.exe, their state
# from AppProbe.exe, which reads the window from outside (visible, enabled,
# check mark, caption).
#
#   app_start [EXE]           start the program, wait for its window ($APP_WIN, $APP_PID)
#   app_click NAME            click the middle of a control
#   app_field NAME FIELD      visible / enabled / checked / text of a control
#   app_wait_field NAME FIELD VALUE
#   app_shot NAME             screenshot of the window into $APP_SHOTS/NAME.png
#   app_wait_exit PID         wait for a process to end
#   app_wait_gone TITLE       wait until the window titled TITLE is closed
#   app_choose_file TITLE PATH  type a path into a file dialog and confirm it
#   app_wait_popup            wait for one of the program's popups, print its X id
#   app_pixel X Y             colour of a pixel of the window, RRGGBB
#   app_service_marker LOG    wait until the stand-in has logged all posted so far
#   app_start_service LOG     start the stand-in device service logging to LOG

APP_TITLE="ZELT-7700 PERIX gaming mouse"
APP_SHOTS="${PERIX_SCREENSHOTS:-$h_root/build/windows/screenshots}"
APP_WIN=""
APP_PID=""
mkdir -p "$APP_SHOTS"

app_probe() {
  h_run "$H_BIN/AppProbe.exe" "$@" | tr -d '\r'
}

app_layout_file() {
  local file="$H_TMP/layout.json"
  [ -s "$file" ] || h_run "$H_BIN/layout-dump.exe" | tr -d '\r' >"$file"
  echo "$file"
}

# "left top right bottom" of a main-window control.
app_rect() {
  python3 - "$(app_layout_file)" "$1" <<'PY'
import json, sys
layout = json.load(open(sys.argv[1]))
for page in layout["pages"]:
    for control in page["controls"]:
        if control["name"] == sys.argv[2]:
            print(*control["rect"])
            sys.exit(0)
sys.exit("no control named " + sys.argv[2])
PY
}

app_start() {
  local exe=${1:-$H_BIN/PerixConfig.exe}
  h_start app "$exe"
  APP_PID=$H_PID
  APP_WIN=$(h_wait_window "$APP_TITLE") || h_fail "the main window did not appear"
}

app_click() {
  local l t r b
  read -r l t r b <<<"$(app_rect "$1")"
  [ "$r" -gt "$l" ] || h_fail "$1 has no place to click"
  # Two steps, so the control under the pointer sees a move of its own.
  xdotool mousemove --window "$APP_WIN" $(((l + r) / 2 - 1)) $(((t + b) / 2 - 1))
  h_click "$APP_WIN" $(((l + r) / 2)) $(((t + b) / 2))
}

# The probe's line for a control: the child window at its place, the visible
# one when several share it (the back buttons of the pages).
app_control_line() {
  local rect lines
  rect=$(app_rect "$1")
  lines=$(app_probe --controls "$APP_TITLE" | grep -F -- "$rect " || true)
  [ -n "$lines" ] || return 1
  printf '%s\n' "$lines" | grep -F 'visible=1' | head -n 1 || true
  printf '%s\n' "$lines" | grep -q -F 'visible=1' || printf '%s\n' "$lines" | head -n 1
}

app_field() {  # NAME FIELD
  local line
  line=$(app_control_line "$1") || h_fail "no window for $1"
  if [ "$2" = text ]; then
    printf '%s\n' "${line#* text=}"
  else
    printf '%s\n' "$line" | grep -oE "(^| )$2=[^ ]*" | head -n 1 | cut -d= -f2
  fi
}

app_wait_field() {  # NAME FIELD VALUE [SECONDS]
  local got=""
  for _ in $(seq $((${4:-20} * 5))); do
    got=$(app_field "$1" "$2")
    [ "$got" = "$3" ] && return 0
    sleep 0.2
  done
  h_fail "$1 $2: expected '$3', got '$got'"
}

app_shot() {
  local geometry
  geometry=$(app_probe --window "$APP_TITLE" | awk '{ printf "%dx%d+%d+%d", $3, $4, $1, $2 }')
  import -window root -crop "${geometry:-900x680+0+0}" +repage "$APP_SHOTS/$1.png"
}

app_wait_exit() {  # PID [SECONDS]
  for _ in $(seq $((${2:-20} * 10))); do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.1
  done
  return 1
}

# Waits until a top-level window with the title exists and prints its X id.
app_wait_dialog() {
  h_wait_window "$1" "${2:-20}"
}

# The colour of a pixel of the window (it sits at the screen's origin), as
# RRGGBB in upper case.
app_pixel() {  # X Y
  import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null | grep -oE '#[0-9A-Fa-f]{6}' | head -n 1 |
    tr -d '#' | tr 'a-f' 'A-F'
}

app_file_hash() {
  sha1sum "$1" | cut -d' ' -f1
}

# Everything the utility posted to the stand-in before this call is in the
# stand-in's LOG once it returns: the service reads its messages in order, and
# a marker message (1500) is posted after them.
app_service_marker() {  # LOG
  local count
  count=$(grep -c '^1500 ' "$1" || true)
  h_run "$H_BIN/LinkProbe.exe" --post "ZELT-7700MouseHid" 1500 0 0 || h_fail "cannot post to the stand-in"
  h_wait_line "$1" '^1500 ' 20 $((count + 1))
}

# Starts the stand-in device service, logging what it receives to LOG, and
# waits until it is ready: a Wine process can take long to start while other
# tests run beside it.
app_start_service() {  # LOG
  h_start service "$H_BIN/DeviceServiceStandIn.exe" --log "$(h_winpath "$1")"
  h_wait_line "$1" '^ready ' 60
}

app_wait_gone() {  # TITLE
  for _ in $(seq 100); do
    app_probe --window "$1" >/dev/null || return 0
    sleep 0.1
  done
  h_fail "the '$1' window stayed open"
}

# Types a path into the file dialog titled TITLE and confirms it.
app_choose_file() {  # TITLE PATH
  local box
  box=$(app_wait_dialog "$1") || h_fail "no '$1' dialog"
  xdotool windowfocus --sync "$box" 2>/dev/null || true
  # The name field has the focus with the file pattern selected.
  h_type "$(h_winpath "$2")"
  h_key Return
  app_wait_gone "$1"
}

# A visible window of the program other than the main window (a popup menu).
app_wait_popup() {
  local popup
  for _ in $(seq 50); do
    popup=$(xdotool search --onlyvisible --class perixconfig 2>/dev/null | grep -v "^$APP_WIN\$" | head -n 1 || true)
    if [ -n "$popup" ]; then
      echo "$popup"
      return 0
    fi
    sleep 0.1
  done
  h_fail "no popup opened"
}
