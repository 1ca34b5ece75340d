#!/usr/bin/env bash
# The button page with real input: a label opens the assignment menu, its
# entries and groups assign functions, the key, fire-key, X-shoot and
# DPI-shift dialogs store their values on OK and nothing on Cancel, and the
# last left click cannot be taken away. Every change reaches "Mouse.ini"
# first and is then announced to the service (1299 profile, button), which
# reads it back with the platform's own INI functions.
source "$(dirname "$0")/../link/harness.sh"
h_init
source "$(dirname "$0")/app_common.sh"
source "$(dirname "$0")/buttons_common.sh"

ini="$H_DATA/Mouse.ini"
log="$H_TMP/service.log"
h_run "$H_BIN/perixctl.exe" reset "$(h_winpath "$ini")" >/dev/null || h_fail "perixctl could not write Mouse.ini"
# Three macros in the library; "Combo" loops four times, "Build" has no file.
printf '[MACRO_LIST]\r\n0=Reload\r\n1=Combo\r\n2=Build\r\n' >>"$ini"
# "Reload": press A, a pause of 1.5 s, release A.
printf '[Setting]\r\nCount=3\r\nLoopTime=1\r\nMacroSetting_0=%s\r\n' \
  "$(h_struct hex:840400069600040400 zero:171)" >"$H_DATA/Macro/Reload.macro"
printf '[Setting]\r\nLoopTime=4\r\n' >"$H_DATA/Macro/Combo.macro"
app_start_service "$log"
app_start
app_click HomeButtonTab
app_wait_field ButtonLabel1 text "Left click"

# Entries of the assignment menu and of the advanced group.
readonly ENTRY_MENU=1 ENTRY_MACRO=6 ENTRY_ADVANCED=7 ENTRY_MEDIA=10 ENTRY_OFF=12
readonly ADV_DPISHIFT=5 ADV_XSHOOT=8 ADV_KEY=9 ADV_FIREKEY=10
readonly MEDIA_PLAYPAUSE=0

# --- The menu under label 2, with the media group open; "Disabled" stores 7.
menu_open ButtonLabel2
xdotool mousemove $((MENU_X + 59)) $((MENU_Y + ENTRY_MEDIA * 19 + 9)) mousemove $((MENU_X + 60)) $((MENU_Y + ENTRY_MEDIA * 19 + 10))
popup_window 157x169 >/dev/null || h_fail "the media group did not open"
sleep 0.3
import -window root -crop 480x480+0+0 +repage "$APP_SHOTS/assignment-menu-media-group.png"
menu_choose $ENTRY_OFF
next_button_line "$log"
button_line_has w=0 l=1 Key=ButtonAssigned2 FunctionCode=7
app_wait_field ButtonLabel2 text "Disabled"

# --- Play/pause from the media group: code 32.
menu_open ButtonLabel2
menu_choose $ENTRY_MEDIA $MEDIA_PLAYPAUSE
next_button_line "$log"
button_line_has w=0 l=1 FunctionCode=32
app_wait_field ButtonLabel2 text "Play/pause"

# --- Label 1 holds the only left click: taking it away shows the warning and
# changes nothing.
saved=$(app_file_hash "$ini")
menu_open ButtonLabel1
menu_choose $ENTRY_MENU
box=$(app_wait_dialog Warning) || h_fail "no warning when the last left click would go"
app_probe --texts Warning | grep -q 'keep the left click' || h_fail "the warning says: $(app_probe --texts Warning)"
app_shot last-left-click-warning
xdotool windowfocus --sync "$box" 2>/dev/null || true
h_key Return
dialog_gone Warning
h_check_eq "$(app_file_hash "$ini")" "$saved" "Mouse.ini after the refused choice"
h_check_eq "$(grep -c '^1299 ' "$log")" "$BUTTON_LINES" "announcements after the refused choice"
app_wait_field ButtonLabel1 text "Left click"

# --- The key dialog: Ctrl then A keeps A.
menu_open ButtonLabel3
menu_choose $ENTRY_ADVANCED $ADV_KEY
dialog_wait "Assign a key"
xdotool windowfocus --sync "$DLG_WIN" 2>/dev/null || true
h_key ctrl
dialog_wait_field "Assign a key" Key Display text "LCtrl "
h_key a
dialog_wait_field "Assign a key" Key Display text "A "
# Enter and Esc are keys like the others here: the dialog stays.
h_key Return
dialog_wait_field "Assign a key" Key Display text "Enter "
h_key Escape
dialog_wait_field "Assign a key" Key Display text "Esc "
h_key ctrl+a
dialog_wait_field "Assign a key" Key Display text "A "
dialog_shot "Assign a key" dialog-key
dialog_click "Assign a key" Key Ok
dialog_gone "Assign a key"
next_button_line "$log"
button_line_has w=0 l=2 FunctionCode=5 Param1=1 Param2=0x01 Data=0004
app_wait_field ButtonLabel3 text "A"

# --- Right Alt is captured as right Alt.
menu_open ButtonLabel4
menu_choose $ENTRY_ADVANCED $ADV_KEY
dialog_wait "Assign a key"
xdotool windowfocus --sync "$DLG_WIN" 2>/dev/null || true
h_key 108
dialog_wait_field "Assign a key" Key Display text "RAlt "
dialog_click "Assign a key" Key Ok
dialog_gone "Assign a key"
next_button_line "$log"
button_line_has l=3 FunctionCode=5 Param2=0x01 Data=00E6
app_wait_field ButtonLabel4 text "RAlt"

# --- The key dialog cancelled: label 3 keeps A (saved and announced as it was).
menu_open ButtonLabel3
menu_choose $ENTRY_ADVANCED $ADV_KEY
dialog_wait "Assign a key"
dialog_wait_field "Assign a key" Key Display text "A "
xdotool windowfocus --sync "$DLG_WIN" 2>/dev/null || true
h_key b
dialog_wait_field "Assign a key" Key Display text "B "
dialog_click "Assign a key" Key Cancel
dialog_gone "Assign a key"
next_button_line "$log"
button_line_has l=2 FunctionCode=5 Data=0004

# --- Fire key: defaults, then a count typed past one byte becomes 255.
menu_open ButtonLabel5
menu_choose $ENTRY_ADVANCED $ADV_FIREKEY
dialog_wait "Fire key"
dialog_wait_field "Fire key" FireKey SpeedValue text 30
h_check_eq "$(dialog_field "Fire key" FireKey CountBox enabled)" 0 "count box while unlimited"
h_check_eq "$(dialog_field "Fire key" FireKey ValueBox text)" 10 "value box"
dialog_click "Fire key" FireKey Unlimited
dialog_wait_field "Fire key" FireKey CountBox text 3
# Typed over the selected text: a box emptied by a key would read 1.
dialog_click "Fire key" FireKey CountBox
h_key End shift+Home
h_type 300
dialog_wait_field "Fire key" FireKey CountBox text 255
dialog_click "Fire key" FireKey ValueBox
h_key End shift+Home
h_type 999
dialog_wait_field "Fire key" FireKey ValueBox text 255
dialog_shot "Fire key" dialog-fire-key
dialog_click "Fire key" FireKey Ok
dialog_gone "Fire key"
next_button_line "$log"
button_line_has l=4 FunctionCode=101 Param1=255 Param2=0xFF Data=001E

# Reopened it shows what was stored; Cancel keeps it.
menu_open ButtonLabel5
menu_choose $ENTRY_ADVANCED $ADV_FIREKEY
dialog_wait "Fire key"
dialog_wait_field "Fire key" FireKey CountBox text 255
dialog_click "Fire key" FireKey Unlimited
dialog_wait_field "Fire key" FireKey CountBox text 0
dialog_click "Fire key" FireKey Cancel
dialog_gone "Fire key"
next_button_line "$log"
button_line_has l=4 FunctionCode=101 Param1=255 Param2=0xFF

# --- X-shoot: the middle button, 5 and 20.
menu_open ButtonLabel6
menu_choose $ENTRY_ADVANCED $ADV_XSHOOT
dialog_wait "X-shoot"
dialog_click "X-shoot" XShoot ChoiceButton
choice=$(popup_window 150x96) || h_fail "the X-shoot choice popup did not open"
read -r cx cy <<<"$(window_origin "$choice")"
dialog_shot "X-shoot" dialog-x-shoot-before
xdotool mousemove $((cx + 40)) $((cy + 2 * 24 + 11)) mousemove $((cx + 41)) $((cy + 2 * 24 + 12)) click 1
dialog_wait_field "X-shoot" XShoot TargetBox text Middle
h_check_eq "$(dialog_field "X-shoot" XShoot TargetBox enabled)" 0 "target box for a mouse button"
# The boxes start empty for a button that was no X-shoot.
h_check_eq "$(dialog_field "X-shoot" XShoot FirstBox text)" "" "first box"
dialog_click "X-shoot" XShoot SecondBox
h_type 20
dialog_click "X-shoot" XShoot FirstBox
h_type 5
dialog_wait_field "X-shoot" XShoot FirstBox text 5
dialog_shot "X-shoot" dialog-x-shoot
dialog_click "X-shoot" XShoot Ok
dialog_gone "X-shoot"
next_button_line "$log"
button_line_has l=5 FunctionCode=9 Param1=5 Param2=0x14 Data=0084

# Reopened it shows what was stored; the left button chosen and cancelled
# stores nothing new.
menu_open ButtonLabel6
menu_choose $ENTRY_ADVANCED $ADV_XSHOOT
dialog_wait "X-shoot"
dialog_wait_field "X-shoot" XShoot TargetBox text Middle
h_check_eq "$(dialog_field "X-shoot" XShoot SecondBox text)" 20 "second box reopened"
dialog_click "X-shoot" XShoot ChoiceButton
choice=$(popup_window 150x96) || h_fail "the X-shoot choice popup did not open again"
read -r cx cy <<<"$(window_origin "$choice")"
xdotool mousemove $((cx + 40)) $((cy + 11)) mousemove $((cx + 41)) $((cy + 12)) click 1
dialog_wait_field "X-shoot" XShoot TargetBox text Left
dialog_click "X-shoot" XShoot Cancel
dialog_gone "X-shoot"
next_button_line "$log"
button_line_has l=5 FunctionCode=9 Param1=5 Param2=0x14 Data=0084

# --- DPI shift: 750 on OK; 1000 chosen and cancelled stores nothing new.
menu_open ButtonLabel2
menu_choose $ENTRY_ADVANCED $ADV_DPISHIFT
dialog_wait "DPI shift"
dialog_wait_field "DPI shift" DpiShift LevelButton text 250
dialog_click "DPI shift" DpiShift LevelButton
levels=$(popup_window 150x96) || h_fail "the level popup did not open"
read -r lx ly <<<"$(window_origin "$levels")"
xdotool mousemove $((lx + 40)) $((ly + 2 * 24 + 11)) mousemove $((lx + 41)) $((ly + 2 * 24 + 12)) click 1
dialog_wait_field "DPI shift" DpiShift LevelButton text 750
dialog_shot "DPI shift" dialog-dpi-shift
dialog_click "DPI shift" DpiShift Ok
dialog_gone "DPI shift"
next_button_line "$log"
button_line_has l=1 FunctionCode=15 Param1=3

menu_open ButtonLabel2
menu_choose $ENTRY_ADVANCED $ADV_DPISHIFT
dialog_wait "DPI shift"
dialog_wait_field "DPI shift" DpiShift LevelButton text 750
dialog_click "DPI shift" DpiShift LevelButton
levels=$(popup_window 150x96) || h_fail "the level popup did not open again"
read -r lx ly <<<"$(window_origin "$levels")"
xdotool mousemove $((lx + 40)) $((ly + 3 * 24 + 11)) mousemove $((lx + 41)) $((ly + 3 * 24 + 12)) click 1
dialog_wait_field "DPI shift" DpiShift LevelButton text 1000
dialog_click "DPI shift" DpiShift Cancel
dialog_gone "DPI shift"
next_button_line "$log"
button_line_has l=1 FunctionCode=15 Param1=3

# --- A macro with each play mode: its library index and mode in Param2, its
# loop count in Param1, the button (or 0xFF while held) in ButtonNumber.
choose_macro_mode() {  # MODE-CONTROL
  menu_open ButtonLabel6
  menu_choose $ENTRY_MACRO
  dialog_wait "Choose a macro"
  dialog_click "Choose a macro" MacroSelect "$1"
  dialog_wait_field "Choose a macro" MacroSelect "$1" checked 1
}
menu_open ButtonLabel6
menu_choose $ENTRY_MACRO
dialog_wait "Choose a macro"
# A button without a macro opens on the first one, played a set number of times.
dialog_wait_field "Choose a macro" MacroSelect MacroDropDown text Reload
h_check_eq "$(dialog_field "Choose a macro" MacroSelect Mode0 checked)" 1 "the first play mode"
dialog_click "Choose a macro" MacroSelect MacroDropDown
names=$(popup_window 160x62) || h_fail "the macro name menu did not open"
read -r nx ny <<<"$(window_origin "$names")"
dialog_shot "Choose a macro" dialog-macro-selection
import -window root -crop 420x340+$((nx - 60))+$((ny - 120)) +repage "$APP_SHOTS/dialog-macro-selection-names.png"
xdotool mousemove $((nx + 40)) $((ny + 29)) mousemove $((nx + 41)) $((ny + 30)) click 1
dialog_wait_field "Choose a macro" MacroSelect MacroDropDown text Combo
dialog_click "Choose a macro" MacroSelect Ok
dialog_gone "Choose a macro"
next_button_line "$log"
button_line_has l=5 ButtonNumber=6 FunctionCode=6 Param1=4 Param2=0x41 'MacroName="Combo"'
app_wait_field ButtonLabel6 text Combo

choose_macro_mode Mode1
dialog_click "Choose a macro" MacroSelect Ok
dialog_gone "Choose a macro"
next_button_line "$log"
button_line_has l=5 ButtonNumber=255 FunctionCode=6 Param1=4 Param2=0x41

choose_macro_mode Mode2
dialog_click "Choose a macro" MacroSelect Ok
dialog_gone "Choose a macro"
next_button_line "$log"
button_line_has l=5 ButtonNumber=6 FunctionCode=6 Param1=4 Param2=0x81

app_shot button-page-assigned

# --- The number-entry dialog, from the macro editor: the pause of 1500 ms
# opens as "1500"; 1505 confirmed keeps 150 units of 10 ms.
app_click ButtonMacroPage
app_wait_field MacroActionList visible 1
read -r ll lt lr lb <<<"$(app_rect MacroActionList)"
xdotool mousemove $((ll + 60)) $((lt + 29)) mousemove $((ll + 61)) $((lt + 30)) click --repeat 2 --delay 60 1
dialog_wait "Enter a number"
dialog_wait_field "Enter a number" NumberEntry NumberBox text 1500
xdotool windowfocus --sync "$DLG_WIN" 2>/dev/null || true
h_key End shift+Home
h_type 999999
dialog_wait_field "Enter a number" NumberEntry NumberBox text 131070
h_key End shift+Home
h_type 1505
dialog_wait_field "Enter a number" NumberEntry NumberBox text 1505
dialog_shot "Enter a number" dialog-number-entry
h_key Return Escape
sleep 0.3
app_probe --window "Enter a number" >/dev/null || h_fail "Enter or Esc closed the number dialog"
dialog_click "Enter a number" NumberEntry Ok
dialog_gone "Enter a number"
h_wait_line "$H_DATA/Macro/Reload.macro" "^MacroSetting_0=840400069600040400" || h_fail "the pause was not kept at 150"

# --- Deleting "Reload" (library entry 1) moves "Combo" to entry 0: button 6
# goes on playing "Combo", in the same mode.
app_click MacroDelete
app_wait_dialog "Warning" >/dev/null || h_fail "no question before deleting"
h_key Return
app_wait_field MacroNameButton text Combo
button6=$(h_run "$H_BIN/perixctl.exe" show --json "$(h_winpath "$ini")" | python3 -c '
import json, sys
b = json.load(sys.stdin)["profiles"][0]["buttons"][5]
print(b.get("macro"), b.get("libraryIndex"))')
h_check_eq "$button6" "Combo 0" "button 6 after another macro was deleted"
h_check_eq "$(h_ini_get "$ini" MACRO_LIST 0)" "" "the deleted macro's slot"
app_click MacroBack
app_wait_field HomeButtonTab visible 1
app_click HomeButtonTab
app_wait_field ButtonLabel6 text Combo
app_click HomeClose
app_wait_exit "$APP_PID" 20 || h_fail "the close button did not end the program"
echo "PASS"
