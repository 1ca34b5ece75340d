# Sourced by the button page's end-to-end tests, after app_common.sh: the
# assignment menu, the button dialogs and the stored assignments.
#
#   next_button_line LOG             the stand-in's line for the next 1299 ($BUTTON_LINE)
#   button_line_has FIELD=VALUE...   check it
#   popup_window WxH...              X id of the visible popup of one of these sizes
#   menu_open LABEL                  click a label, wait for the assignment menu ($MENU_X, $MENU_Y)
#   menu_choose INDEX [SUB]          click entry INDEX of the open menu, or hover
#                                    it and click sub-item SUB of its group
#   dialog_wait TITLE                wait for a dialog; $DLG_WIN
#   dialog_rect DIALOG CONTROL       "left top right bottom" of a dialog control (layout table)
#   dialog_click TITLE DIALOG CONTROL
#   dialog_field TITLE DIALOG CONTROL FIELD   visible / enabled / checked / text
#   dialog_gone TITLE                wait until the dialog has closed
#   dialog_shot TITLE NAME           screenshot of the dialog into $APP_SHOTS/NAME.png

MENU_X=""
MENU_Y=""
DLG_WIN=""

# Waits for the stand-in's line for the next 1299 (a button changed) and
# leaves it in $BUTTON_LINE: the assignment as the service reads it from
# Mouse.ini with the platform's own INI functions, after being told:
#   1299 Button w=P l=B Section=.. Key=.. ButtonNumber=N FunctionCode=C Param1=N Param2=0xNN Data=HEX MacroName="..."
BUTTON_LINES=0
BUTTON_LINE=""
next_button_line() {  # LOG
  BUTTON_LINES=$((BUTTON_LINES + 1))
  h_wait_line "$1" '^1299 ' 20 "$BUTTON_LINES" || h_fail "no announcement of a button change"
  BUTTON_LINE=$(grep -E '^1299 ' "$1" | sed -n "${BUTTON_LINES}p")
}

# Fails unless the last 1299 line holds every FIELD=VALUE given.
button_line_has() {  # FIELD=VALUE...
  local field
  for field in "$@"; do
    case " $BUTTON_LINE " in
      *" $field "*) ;;
      *) h_fail "expected $field in: $BUTTON_LINE" ;;
    esac
  done
}

popup_window() {  # WIDTHxHEIGHT...
  local id
  for _ in $(seq 100); do
    for id in $(xdotool search --onlyvisible --class perixconfig 2>/dev/null || true); do
      local WIDTH="" HEIGHT=""
      eval "$(xdotool getwindowgeometry --shell "$id" 2>/dev/null | grep -E '^(WIDTH|HEIGHT)=')"
      if printf '%s\n' "$@" | grep -qx "${WIDTH}x${HEIGHT}"; then
        echo "$id"
        return 0
      fi
    done
    sleep 0.1
  done
  return 1
}

# The place of a window on the screen: "X Y".
window_origin() {
  xdotool getwindowgeometry --shell "$1" | awk -F= '/^X=/{x=$2} /^Y=/{y=$2} END{print x, y}'
}

menu_open() {  # LABEL
  local menu
  app_click "$1"
  menu=$(popup_window 157x264) || h_fail "clicking $1 opened no assignment menu"
  read -r MENU_X MENU_Y <<<"$(window_origin "$menu")"
}

menu_choose() {  # INDEX [SUB]
  local x y sub subitems
  x=$((MENU_X + 60))
  y=$((MENU_Y + $1 * 19 + 10))
  if [ $# -eq 1 ]; then
    xdotool mousemove "$((x - 1))" "$((y - 1))" mousemove "$x" "$y" click 1
    return 0
  fi
  # The group opens while the pointer is over its entry.
  xdotool mousemove "$((x - 1))" "$((y - 1))" mousemove "$x" "$y"
  # A group popup is 157 wide, one 24-pixel row per item plus one.
  sub=$(popup_window 157x265 157x217 157x145 157x169 157x97) || h_fail "entry $1 opened no group"
  read -r x y <<<"$(window_origin "$sub")"
  # Into the group along its own row, then down to the item.
  xdotool mousemove "$((x + 10))" "$((y + 12))" mousemove "$((x + 60))" "$((y + $2 * 24 + 12))" click 1
}

dialog_rect() {  # DIALOG CONTROL
  python3 - "$(app_layout_file)" "$1" "$2" <<'PY'
import json, sys
layout = json.load(open(sys.argv[1]))
for dialog in layout["dialogs"]:
    if dialog["dialog"] == sys.argv[2]:
        for control in dialog["controls"]:
            if control["name"] == sys.argv[3]:
                print(*control["rect"])
                sys.exit(0)
sys.exit("no control " + sys.argv[3] + " in dialog " + sys.argv[2])
PY
}

dialog_wait() {  # TITLE
  DLG_WIN=$(h_wait_window "$1") || h_fail "the dialog '$1' did not open"
}

dialog_click() {  # TITLE DIALOG CONTROL
  local win l t r b
  win=$(h_wait_window "$1") || h_fail "no dialog '$1'"
  read -r l t r b <<<"$(dialog_rect "$2" "$3")"
  xdotool mousemove --window "$win" $(((l + r) / 2 - 1)) $(((t + b) / 2 - 1))
  h_click "$win" $(((l + r) / 2)) $(((t + b) / 2))
}

dialog_field() {  # TITLE DIALOG CONTROL FIELD
  local rect line
  rect=$(dialog_rect "$2" "$3")
  line=$(app_probe --controls "$1" | grep -F -- "$rect " | head -n 1) || true
  [ -n "$line" ] || h_fail "no window for $3 in '$1'"
  if [ "$4" = text ]; then
    printf '%s\n' "${line#* text=}"
  else
    printf '%s\n' "$line" | grep -oE "(^| )$4=[^ ]*" | head -n 1 | cut -d= -f2
  fi
}

dialog_wait_field() {  # TITLE DIALOG CONTROL FIELD VALUE
  local got=""
  for _ in $(seq 100); do
    got=$(dialog_field "$1" "$2" "$3" "$4")
    [ "$got" = "$5" ] && return 0
    sleep 0.2
  done
  h_fail "$3 of '$1' $4: expected '$5', got '$got'"
}

dialog_gone() {  # TITLE
  app_wait_gone "$1"
}

dialog_shot() {  # TITLE NAME
  local geometry
  geometry=$(app_probe --window "$1" | awk '{ printf "%dx%d+%d+%d", $3, $4, $1, $2 }')
  [ -n "$geometry" ] || h_fail "no dialog '$1' to photograph"
  import -window root -crop "$geometry" +repage "$APP_SHOTS/$2.png"
}
