#!/usr/bin/env bash
# A "Mouse.ini" that cannot be written: the user sees one "Warning" box that
# names the file and the reason, however many changes follow; the service is
# told nothing the file does not hold (not the lighting change, not the
# polling rate); once the file can be written again the next change saves
# everything and the service catches up.
source "$(dirname "$0")/../link/harness.sh"
h_init
source "$(dirname "$0")/app_common.sh"

ini="$H_DATA/Mouse.ini"
log="$H_TMP/service.log"
app_start_service "$log"
app_start
# The device's values first, so that the file is whole before it is locked.
h_wait_line "$log" '^device post 1285 DeviceChanged w=8 '
for _ in $(seq 100); do [ "$(h_ini_get "$ini" GROUP DPI)" = 1 ] && break; sleep 0.1; done

warnings() { xdotool search --onlyvisible --name '^Warning$' 2>/dev/null | wc -l; }
dismiss_warning() {
  local box
  box=$(app_wait_dialog Warning) || h_fail "no Warning box"
  xdotool windowfocus --sync "$box" 2>/dev/null || true
  h_key Return
  for _ in $(seq 100); do
    [ "$(warnings)" = 0 ] && return 0
    sleep 0.1
  done
  h_fail "the Warning box stayed"
}

app_click HomeLightingTab
app_wait_field LightingOn checked 1
app_service_marker "$log"
before=$(grep -c '^12[0-9][0-9] ' "$log" || true)
saved=$(app_file_hash "$ini")

# --- Read-only, as the file's properties would make it.
h_run cmd /c attrib +r "$(h_winpath "$ini")" >/dev/null 2>&1 || chmod a-w "$ini"
app_click LightingOff
box=$(app_wait_dialog Warning) || h_fail "no Warning box after a failed save"
text=$(app_probe --texts Warning)
printf '%s\n' "$text" | grep -q 'Mouse.ini' || h_fail "the box does not name the file: $text"
printf '%s\n' "$text" | grep -qi 'read-only' || h_fail "the box does not say why: $text"
app_shot save-failure-warning
dismiss_warning
# More changes in the same streak: no second box, nothing announced. (Each
# differs from what the file holds: a change back to the file's value would
# save nothing, end the streak and be announced, rightly.)
app_click LightingBack
app_click HomeAdvancedTab
app_wait_field AdvancedRate250 visible 1
app_click AdvancedRate250
app_click AdvancedScrollLinesUp
app_wait_field AdvancedScrollLinesValue text 2
sleep 1
h_check_eq "$(warnings)" 0 "Warning boxes after more failed saves"
app_service_marker "$log"
h_check_eq "$(grep -c '^12[0-9][0-9] ' "$log" || true)" "$before" "notifications while the file is read-only"
h_check_eq "$(app_file_hash "$ini")" "$saved" "Mouse.ini while read-only"
h_check_eq "$(app_field AdvancedRate250 checked)" 1 "the rate chosen while read-only"

# --- Writable again: the next change writes all of them, and the service is
# told of it and of everything it missed.
h_run cmd /c attrib -r "$(h_winpath "$ini")" >/dev/null 2>&1 || true
chmod u+w "$ini"
app_click AdvancedDoubleClickUp
h_wait_line "$log" '^1296 DoubleClickSpeed w=0 l=0 DoubleClickSpeed=13$'
h_wait_line "$log" '^1279 Apply w=0 l=0 '
h_check_eq "$(h_ini_get "$ini" Setting LedStateOn)" 0 "light switched off while read-only"
h_check_eq "$(h_ini_get "$ini" Setting PollingRate)" 4 "rate chosen while read-only"
h_check_eq "$(h_ini_get "$ini" Setting WheelScrollLines)" 2 "wheel lines stepped while read-only"
h_check_eq "$(warnings)" 0 "Warning boxes after the file came back"

app_click AdvancedBack
app_click HomeClose
app_wait_exit "$APP_PID" 20 || h_fail "the close button did not end the program"
echo "PASS"
