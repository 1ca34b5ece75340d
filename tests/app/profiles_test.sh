#!/usr/bin/env bash
# Profiles and the device service: choosing a profile saves it and tells the
# service, choosing it again does nothing; resetting all profiles asks first
# and does nothing when cancelled; the service switching the profile on the
# device switches the one shown.
source "$(dirname "$0")/../link/harness.sh"
h_init
source "$(dirname "$0")/app_common.sh"

ini="$H_DATA/Mouse.ini"
log="$H_TMP/service.log"
app_start_service "$log"
app_start
app_click HomeButtonTab
app_wait_field ButtonProfile1 checked 1

# Everything the utility posted before this point is in the log once the
# marker is: the service reads its messages in order.
service_marker() {
  local count
  count=$(grep -c '^1500 ' "$log" || true)
  h_run "$H_BIN/LinkProbe.exe" --post "ZELT-7700MouseHid" 1500 0 0 || h_fail "cannot post to the stand-in"
  h_wait_line "$log" '^1500 ' 20 $((count + 1))
}

# --- Profile 3: saved first, then announced.
app_click ButtonProfile3
h_wait_line "$log" '^1298 Profile w=0 l=0 Profile=2$'
h_check_eq "$(h_ini_get "$ini" Setting Profile)" 2 "saved profile"
app_wait_field ButtonProfile3 checked 1
h_check_eq "$(app_field ButtonProfile1 checked)" 0 "profile 1 button after choosing 3"

# --- The same profile again: neither saved nor announced. The back button
# clicked after it shows when the click has been handled.
saved=$(app_file_hash "$ini")
app_click ButtonProfile3
app_click ButtonBack
app_wait_field HomeButtonTab visible 1
service_marker
h_check_eq "$(grep -c '^1298 ' "$log")" 1 "announcements after choosing profile 3 twice"
h_check_eq "$(app_file_hash "$ini")" "$saved" "Mouse.ini after choosing the active profile"

# --- Reset all, cancelled with Esc: nothing changes.
answer_warning() {  # KEY
  local box
  box=$(app_wait_dialog Warning) || h_fail "no Warning box"
  app_probe --texts Warning | grep -q 'Reset all five profiles' || h_fail "the box does not ask: $(app_probe --texts Warning)"
  xdotool windowfocus --sync "$box" 2>/dev/null || true
  h_key "$1"
  for _ in $(seq 100); do
    app_probe --window Warning >/dev/null || return 0
    sleep 0.1
  done
  h_fail "the Warning box stayed after $1"
}
app_click HomeResetAll
answer_warning Escape
service_marker
h_check_eq "$(grep -c '^1279 ' "$log")" 0 "announcements after a cancelled reset"
h_check_eq "$(app_file_hash "$ini")" "$saved" "Mouse.ini after a cancelled reset"

# --- Reset all with OK: the first profile is the active one, all five are
# factory values, and the service hears of it.
app_click HomeResetAll
answer_warning Return
h_wait_line "$log" '^1279 '
h_check_eq "$(h_ini_get "$ini" Setting Profile)" 0 "profile after a reset"
for section in GROUP GROUP2 GROUP4; do
  [ "$(h_ini_get "$ini" "$section" DPI)" != -1 ] || h_fail "$section still holds no DPI stage after a reset"
done
app_click HomeButtonTab
app_wait_field ButtonProfile1 checked 1
h_check_eq "$(app_field ButtonProfile3 checked)" 0 "profile 3 button after a reset"

# --- The device switched to profile 3 by itself: the service saves nothing of
# its own here, asks the utility, and the utility shows and saves it.
h_run "$H_BIN/DeviceServiceStandIn.exe" --send 1285 9 2 || h_fail "the stand-in did not forward 1285"
h_wait_line "$log" '^send 1285 .* w=9 l=2 result=posted$'
app_wait_field ButtonProfile3 checked 1
h_check_eq "$(app_field ButtonProfile1 checked)" 0 "profile 1 button after the device's switch"
h_check_eq "$(h_ini_get "$ini" Setting Profile)" 2 "profile saved after the device's switch"
app_shot profiles-after-device-switch

app_click ButtonBack
app_wait_field HomeButtonTab visible 1
app_click HomeClose
app_wait_exit "$APP_PID" 20 || h_fail "the close button did not end the program"
echo "PASS"
