#!/usr/bin/env bash
# Start-up and the window's own buttons: the first start writes "Mouse.ini";
# a second instance ends without a window and without touching a file; the
# tabs, the back buttons, the service's blank state, minimise and close work.
# Saves a screenshot of every page.
source "$(dirname "$0")/../link/harness.sh"
h_init
source "$(dirname "$0")/app_common.sh"

ini="$H_DATA/Mouse.ini"
[ ! -e "$ini" ] || h_fail "the data folder is not empty"
# Started from elsewhere: the skin and the strings are found in the program
# folder all the same.
cd "$H_TMP"
app_start

# --- First start: the load writes back what it read, which is nothing.
for _ in $(seq 100); do [ -s "$ini" ] && break; sleep 0.1; done
[ -s "$ini" ] || h_fail "no Mouse.ini after the first start"
h_check_eq "$(tr -d '\r' <"$ini" | grep '^\[' | tr '\n' ' ')" \
  "[Setting] [GROUP] [GROUP1] [GROUP2] [GROUP3] [GROUP4] " "sections of a new Mouse.ini"
for key in PollingRate TrayEnabled MouseButtons WheelScrollLines DoubleClickSpeed AccelerationEnabled Acceleration DPI LedStateOn \
  LedColor LedMode; do
  h_check_eq "$(h_ini_get "$ini" Setting "$key")" -1 "Setting $key of a new Mouse.ini"
done
for section in GROUP GROUP1 GROUP2 GROUP3 GROUP4; do
  h_check_eq "$(h_ini_get "$ini" "$section" DPI)" -1 "$section DPI of a new Mouse.ini"
done
h_check_eq "$(h_ini_get "$ini" Setting LeftCount)" 0 "LeftCount of a new Mouse.ini"
h_check_eq "$(h_ini_get "$ini" Setting RightCount)" 0 "RightCount of a new Mouse.ini"
h_check_eq "$(app_probe --window "$APP_TITLE")" "0 0 900 680 visible=1 iconic=0" "window place and size"
# The validated copy is what the pages show: profile 1, 500 Hz.
app_click HomeButtonTab
app_wait_field ButtonProfile1 checked 1
h_check_eq "$(app_field ButtonProfile2 checked)" 0 "profile 2 button"
app_click ButtonBack
app_wait_field HomeButtonTab visible 1

# --- A second instance: no window, no file touched.
data_state() {
  (cd "$H_DATA" && find . -type f -exec sha1sum {} + | sort && find . -printf '%p %T@\n' | sort)
}
before=$(data_state)
h_start second "$H_BIN/PerixConfig.exe"
second=$H_PID
most=0
while kill -0 "$second" 2>/dev/null; do
  n=$(xdotool search --onlyvisible --name "^$APP_TITLE\$" 2>/dev/null | wc -l)
  [ "$n" -gt "$most" ] && most=$n
  sleep 0.1
done
wait "$second" || h_fail "the second instance ended with status $?"
h_check_eq "$most" 1 "windows titled '$APP_TITLE' while a second instance ran"
h_check_eq "$(data_state)" "$before" "the data folder after a second instance"
kill -0 "$APP_PID" 2>/dev/null || h_fail "the first instance ended"

# --- Every page through its tab and back.
app_shot page-home
for page in Button Lighting Advanced Macro; do
  app_click "Home${page}Tab"
  app_wait_field "${page}Back" visible 1
  h_check_eq "$(app_field "Home${page}Tab" visible)" 0 "$page page: the tabs"
  app_shot "page-$(tr '[:upper:]' '[:lower:]' <<<"$page")"
  app_click "${page}Back"
  app_wait_field "Home${page}Tab" visible 1
  h_check_eq "$(app_field "${page}Back" visible)" 0 "home page: the $page page's back button"
done
# Each page shows its own controls and no other page's.
app_click HomeLightingTab
app_wait_field LightingColorPicker visible 1
h_check_eq "$(app_field ButtonProfile1 visible)" 0 "lighting page: a button page control"
h_check_eq "$(app_field AdvancedLevelSlider visible)" 0 "lighting page: the DPI slider"
# A drag on the hue bar that ends below it picks the bar's last colour,
# FF0A00, stored blue first.
read -r l t _ _ <<<"$(app_rect LightingColorPicker)"
xdotool mousemove --window "$APP_WIN" $((l + 206)) $((t + 100)) mousedown 1
xdotool mousemove --window "$APP_WIN" $((l + 206)) $((t + 150))
xdotool mousemove --window "$APP_WIN" $((l + 206)) $((t + 400)) mouseup 1
for _ in $(seq 100); do
  [ "$(h_ini_get "$ini" Setting LedColor)" = $((0x000AFF)) ] && break
  sleep 0.1
done
h_check_eq "$(h_ini_get "$ini" Setting LedColor)" $((0x000AFF)) "colour after a drag below the hue bar"
app_probe --texts "$APP_TITLE" | grep -qx '000aff' || h_fail "the picker's hexadecimal box does not show 000aff"
app_click LightingBack
app_wait_field LightingColorPicker visible 0
# The macro page takes the profile-file buttons away while it is shown.
app_click HomeMacroTab
app_wait_field HomeImport enabled 0
h_check_eq "$(app_field HomeResetAll enabled)" 0 "macro page: reset all"
app_click MacroBack
app_wait_field HomeImport enabled 1

# --- The service's blank state keeps only the way back.
h_run "$H_BIN/LinkProbe.exe" --post "$APP_TITLE" 1294 0 0 || h_fail "cannot post 1294"
app_wait_field ButtonBack visible 1
h_check_eq "$(app_field HomeButtonTab visible)" 0 "blank state: a tab"
h_check_eq "$(app_field ButtonProfile1 visible)" 0 "blank state: a button page control"
app_shot page-blank
app_click ButtonBack
app_wait_field HomeButtonTab visible 1

# --- Minimise, restore, close.
app_click HomeMinimise
for _ in $(seq 100); do
  app_probe --window "$APP_TITLE" | grep -q 'iconic=1' && break
  sleep 0.1
done
app_probe --window "$APP_TITLE" | grep -q 'iconic=1' || h_fail "not minimised: $(app_probe --window "$APP_TITLE")"
h_run "$H_BIN/LinkProbe.exe" --post "$APP_TITLE" 274 61728 0 || h_fail "cannot restore"  # SC_RESTORE
for _ in $(seq 100); do
  app_probe --window "$APP_TITLE" | grep -q 'iconic=0' && break
  sleep 0.1
done
APP_WIN=$(h_wait_window "$APP_TITLE") || h_fail "no window after restoring"
app_click HomeClose
app_wait_exit "$APP_PID" 20 || h_fail "the close button did not end the program"

# --- Every caption comes from the string table, which is parsed once, not
# once per caption.
report="$H_TMP/report.txt"
h_run "$H_BIN/PerixConfig.exe" --report "$(h_winpath "$report")" --bench-pages 4 >/dev/null 2>&1 || true
h_check_eq "$(grep '^string-file-reads' "$report" | awk '{ print $2 }')" 1 "reads of Strings.xml during start-up"
echo "PASS"
