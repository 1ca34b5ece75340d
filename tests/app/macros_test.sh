#!/usr/bin/env bash
# The macro page with real input and the real KBHook.dll: a new macro records
# keys typed into another window, takes a click and a movement from the
# mouse-action menu, has a pause and a distance edited by double-click and
# its loop count set; it is renamed, exported, deleted and imported again.
# The stand-in service logs the 1300 posts with the macro's slot; the files
# and "Mouse.ini" hold what the page shows.
source "$(dirname "$0")/../link/harness.sh"
h_init
source "$(dirname "$0")/app_common.sh"

ini="$H_DATA/Mouse.ini"
number_title="Enter a number"
macros="$H_DATA/Macro"
log="$H_TMP/service.log"
files="$H_TMP/files"
mkdir -p "$files"
app_start_service "$log"
app_start

# The records of a macro file, one "KIND OPERAND1 OPERAND2" per record in hex.
records() {  # FILE
  python3 - "$1" <<'PY'
import sys
text = open(sys.argv[1], "rb").read().decode("cp1252")
for line in text.splitlines():
    if line.lower().startswith("macrosetting_0="):
        blob = bytes.fromhex(line.split("=", 1)[1].strip()[:360])
        for i in range(0, 180, 3):
            if blob[i:i + 3] != b"\0\0\0":
                print("%02X %02X %02X" % tuple(blob[i:i + 3]))
PY
}
# The action list's lines as "data text".
list_lines() {
  app_probe --list "$APP_TITLE" | sed -E 's/^[0-9]+ data=([0-9-]+) selected=[01] top=[0-9-]+ text=/\1 /'
}
wait_list_count() {  # COUNT
  for _ in $(seq 100); do
    [ "$(app_probe --list "$APP_TITLE" | wc -l)" -eq "$1" ] && return 0
    sleep 0.1
  done
  h_fail "the action list did not reach $1 lines: $(list_lines)"
}
# The middle of line N of the action list, as far as it is scrolled.
line_point() {  # N
  local l t top
  read -r l t _ _ <<<"$(app_rect MacroActionList)"
  top=$(app_probe --list "$APP_TITLE" | head -n 1 | grep -oE 'top=[0-9]+' | cut -d= -f2)
  echo "$((l + 60)) $((t + 20 * ($1 - ${top:-0}) + 10))"
}
double_click_line() {  # N
  local x y
  read -r x y <<<"$(line_point "$1")"
  xdotool mousemove --window "$APP_WIN" "$x" "$y" click --repeat 2 --delay 80 1
}
# Clicks item N of the open popup menu whose top-left corner is at the
# control's lower-left (the mouse-action menu) and waits until it is gone.
choose_menu_item() {  # N
  local l b
  read -r l _ _ b <<<"$(app_rect MacroMouseActionMenu)"
  app_wait_popup >/dev/null
  xdotool mousemove --window "$APP_WIN" $((l + 40)) $((b + 24 * $1 + 10))
  sleep 0.2
  h_click "$APP_WIN" $((l + 40)) $((b + 24 * $1 + 12))
}
# Types into the focused box of a dialog, replacing its text, and clicks OK.
answer_dialog() {  # TITLE TEXT
  local dialog
  dialog=$(app_wait_dialog "$1") || h_fail "no '$1' dialog"
  xdotool windowfocus --sync "$dialog" 2>/dev/null || true
  h_key ctrl+a
  h_type "$2"
  app_shot "dialog-$(echo "$1" | tr ' A-Z' '-a-z')"
  local ok_x ok_y
  # The frame's OK button: 170, 249, 271, 269 in the dialog.
  ok_x=220 ok_y=259
  xdotool mousemove --window "$dialog" "$ok_x" "$ok_y" click 1
  app_wait_gone "$1"
}

# --- An empty library: nothing to edit, New makes "Macro 1".
app_click HomeMacroTab
app_wait_field MacroNew visible 1
h_check_eq "$(app_field MacroRecord enabled)" 0 "Record without a macro"
app_click MacroNew
app_wait_field MacroNameButton text "Macro 1"
[ -f "$macros/Macro 1.macro" ] || h_fail "no file for the new macro"
h_check_eq "$(h_ini_get "$ini" MACRO_LIST 0)" "Macro 1" "slot 0"
app_wait_field MacroRecord enabled 1

# --- Record "a" and "b" typed into another window.
target="typing target"
klog="$H_TMP/target.log"
h_start target "$H_BIN/LinkProbe.exe" --title "$target" --log "$(h_winpath "$klog")"
target_pid=$H_PID
h_wait_line "$klog" '^ready'
app_click MacroRecord
app_wait_field MacroStop enabled 1
h_check_eq "$(app_field MacroNew enabled)" 0 "New while recording"
twin=$(h_wait_window "$target")
xdotool windowmove "$twin" 920 20
h_click "$twin" 160 100
xdotool keydown a; sleep 0.25; xdotool keyup a; sleep 0.4
xdotool keydown b; sleep 0.15; xdotool keyup b
h_wait_line "$klog" '^wm up vk=0x42$'
wait_list_count 7
h_check_eq "$(records "$macros/Macro 1.macro" | wc -l)" 0 "records written before Stop"
h_stop "$target_pid"
app_click MacroStop
app_wait_field MacroRecord enabled 1
recorded=$(records "$macros/Macro 1.macro")
h_check_eq "$(echo "$recorded" | wc -l)" 7 "records after Stop: $recorded"
h_check_eq "$(echo "$recorded" | sed -n '1p;3p;5p;7p' | tr '\n' ' ')" "84 04 00 04 04 00 84 05 00 04 05 00 " \
  "presses and releases of A and B"
for n in 2 4 6; do
  echo "$recorded" | sed -n "${n}p" | grep -qE '^06 [0-9A-F]{2} 00$' || h_fail "record $n is no pause: $recorded"
done
first_pause=$((16#$(echo "$recorded" | sed -n 2p | cut -d' ' -f2)))
[ "$first_pause" -ge 20 ] && [ "$first_pause" -le 60 ] || h_fail "a 250 ms press stored as $first_pause units"
h_check_eq "$(list_lines | sed -n '1p;3p' | tr '\n' '|')" "149 A|148 A|" "lines of A"
app_shot macro-recorded

# --- A left click and a movement after the last line.
app_click MacroMouseActionMenu
choose_menu_item 0
wait_list_count 11
app_click MacroMouseActionMenu
app_shot macro-mouse-action-menu
choose_menu_item 3
wait_list_count 14
h_wait_line "$log" '^1300 Macro w=0 l=0 Slot=0 Name="Macro 1" File=present'
h_check_eq "$(records "$macros/Macro 1.macro" | sed -n '8,14p' | tr '\n' '|')" \
  "06 01 00|81 01 00|06 01 00|01 01 00|06 01 00|02 F6 00|06 01 00|" "click and movement records"
h_check_eq "$(list_lines | sed -n 13p)" "160 Move left : 10" "movement line"

# --- A pause and a distance by double-click.
double_click_line 1
answer_dialog "$number_title" 500
h_check_eq "$(records "$macros/Macro 1.macro" | sed -n 2p)" "06 32 00" "edited pause"
h_check_eq "$(list_lines | sed -n 2p)" "0 500 MS" "edited pause line"
posts=$(grep -c '^1300 ' "$log")
double_click_line 12
answer_dialog "$number_title" 30
h_check_eq "$(records "$macros/Macro 1.macro" | sed -n 13p)" "02 E2 00" "edited distance"
h_wait_line "$log" '^1300 Macro w=0 ' 20 $((posts + 1))
# Double-clicking a key line opens nothing.
double_click_line 4
sleep 1
app_probe --window "$number_title" >/dev/null && h_fail "a key line opened the number dialog"

# --- The step menu from a right click on a line: copy the movement, paste it
# after the last line; then move it up and delete it.
step_menu() {  # LINE ITEM: right-click the line, choose the menu's item
  local x y
  read -r x y <<<"$(line_point "$1")"
  h_click "$APP_WIN" "$x" "$y" 3
  app_wait_popup >/dev/null
  xdotool mousemove --window "$APP_WIN" $((x + 40)) $((y + 24 * $2 + 10))
  sleep 0.2
  h_click "$APP_WIN" $((x + 40)) $((y + 24 * $2 + 12))
}
step_menu 12 1
step_menu 13 3
wait_list_count 15
h_check_eq "$(records "$macros/Macro 1.macro" | sed -n 15p)" "02 E2 00" "pasted movement"
app_click MacroMoveUp
for _ in $(seq 50); do [ "$(records "$macros/Macro 1.macro" | sed -n 14p)" = "02 E2 00" ] && break; sleep 0.1; done
h_check_eq "$(records "$macros/Macro 1.macro" | sed -n '14,15p' | tr '\n' '|')" "02 E2 00|06 01 00|" "moved up"
h_check_eq "$(list_lines | sed -n 14p)" "160 Move left : 30" "a moved movement stays a movement"
app_click MacroDeleteAction
wait_list_count 14
h_check_eq "$(records "$macros/Macro 1.macro" | sed -n '13,14p' | tr '\n' '|')" "02 E2 00|06 01 00|" "after the delete"

# --- The loop count.
app_click MacroLoop
app_wait_field MacroLoopBox enabled 1
h_check_eq "$(h_ini_get "$macros/Macro 1.macro" Setting LoopTime)" 1 "loop switched on"
app_click MacroLoopBox
h_key ctrl+a
h_type 300
app_wait_field MacroLoopBox text 255
h_check_eq "$(h_ini_get "$macros/Macro 1.macro" Setting LoopTime)" 255 "loop count kept to 255"
h_key ctrl+a
h_type 5
app_wait_field MacroLoopBox text 5
h_check_eq "$(h_ini_get "$macros/Macro 1.macro" Setting LoopTime)" 5 "loop count"
app_shot macro-page

# --- The name menu.
app_click MacroNew
app_wait_field MacroNameButton text "Macro 2"
app_click MacroNameButton
read -r l _ _ b <<<"$(app_rect MacroNameButton)"
app_wait_popup >/dev/null
xdotool mousemove --window "$APP_WIN" $((l + 30)) $((b + 10))
sleep 0.3
app_shot macro-name-menu
h_click "$APP_WIN" $((l + 30)) $((b + 10))
app_wait_field MacroNameButton text "Macro 1"
wait_list_count 14

# --- Rename: the same slot.
app_click MacroRename
answer_dialog "Rename" "Typed"
app_wait_field MacroNameButton text "Typed"
h_check_eq "$(h_ini_get "$ini" MACRO_LIST 0)" "Typed" "renamed in its slot"
[ -f "$macros/Typed.macro" ] && [ ! -f "$macros/Macro 1.macro" ] || h_fail "files after the rename"
# A rename onto another macro's name is refused.
app_click MacroRename
answer_dialog "Rename" "Macro 2"
warning=$(app_wait_dialog "Warning") || h_fail "no refusal"
app_shot macro-rename-refused
h_key Return
app_wait_field MacroNameButton text "Typed"
h_check_eq "$(h_ini_get "$ini" MACRO_LIST 1)" "Macro 2" "the other macro's slot"

# --- Export, delete, import.
app_click MacroExport
app_choose_file "Save As" "$files/Shared.macro"
h_check_eq "$(records "$files/Shared.macro")" "$(records "$macros/Typed.macro")" "exported records"
app_click MacroDelete
app_wait_dialog "Warning" >/dev/null || h_fail "no question before deleting"
app_shot macro-delete-question
h_key Return
app_wait_field MacroNameButton text "Macro 2"
[ ! -f "$macros/Typed.macro" ] || h_fail "the deleted macro's file"
h_ini_get "$ini" MACRO_LIST 0 >/dev/null && [ -z "$(h_ini_get "$ini" MACRO_LIST 0)" ] || true
app_click MacroImport
app_choose_file "Open" "$files/Shared.macro"
app_wait_field MacroNameButton text "Shared"
h_check_eq "$(h_ini_get "$ini" MACRO_LIST 0)" "Shared" "imported into the free slot"
h_check_eq "$(records "$macros/Shared.macro")" "$(records "$files/Shared.macro")" "imported records"
wait_list_count 14
h_check_eq "$(app_field MacroLoopBox text)" 5 "imported loop count"

echo "macros: all checks passed"
