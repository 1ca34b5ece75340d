#!/usr/bin/env bash
# Every setting of the lighting and advanced pages through real input, beside
# a stand-in service that behaves like a mouse: the first start gets the
# device's values; each lighting mode and a direction come from the menus;
# the light goes off and on; brightness and speed are dragged; the pointer
# controls step; each change is in "Mouse.ini" and the stand-in logs the
# message that announces it. The service's help request opens the help file.
# Screenshots: the lighting page with its mode menu open, the advanced page.
source "$(dirname "$0")/../link/harness.sh"
h_init
source "$(dirname "$0")/app_common.sh"

ini="$H_DATA/Mouse.ini"
log="$H_TMP/service.log"
app_start_service "$log"
app_start

# --- First start: the device fills what the utility could not know and tells
# it; the pages show real values, not "0".
h_wait_line "$log" '^device fill .*Setting/DPI_INFO2.* result=written$'
h_wait_line "$log" '^device post 1285 DeviceChanged w=8 l=1 result=posted$'
h_wait_line "$log" '^device post 1285 DeviceChanged w=10 l=1 result=posted$'
for _ in $(seq 100); do [ "$(h_ini_get "$ini" GROUP DPI)" = 1 ] && break; sleep 0.1; done
h_check_eq "$(h_ini_get "$ini" Setting LedMode)" 3 "lighting mode after the device's report"
h_check_eq "$(h_ini_get "$ini" Setting PollingRate)" 2 "polling rate after the first start"
app_click HomeAdvancedTab
app_wait_field AdvancedDpiDialValue text 1250
app_field AdvancedStage4 text | grep -q 2000 || h_fail "stage 4 does not show 2000: $(app_field AdvancedStage4 text)"
app_click AdvancedBack
app_click HomeLightingTab
app_wait_field LightingMode text Breathing
h_check_eq "$(app_field LightingDirection enabled)" 0 "direction button for breathing"

# Log lines are awaited after a point: "n=$(since)" before an action, then
# "after $n PATTERN" for its line.
since() { wc -l <"$log"; }
after() {  # SINCE PATTERN
  for _ in $(seq 200); do
    tail -n +$(($1 + 1)) "$log" | grep -qE -- "$2" && return 0
    sleep 0.1
  done
  echo "timeout: no line matching /$2/ after line $1 of $log; its end:" >&2
  tail -n 20 "$log" >&2
  h_fail "the stand-in did not log /$2/"
}

# The popup menu whose top-left corner is at X Y (screen and client
# coordinates agree: the window sits at the origin).
menu_at() {  # X Y
  local id
  for _ in $(seq 100); do
    for id in $(xdotool search --onlyvisible --class perixconfig 2>/dev/null); do
      eval "$(xdotool getwindowgeometry --shell "$id")"
      if [ "$X" = "$1" ] && [ "$Y" = "$2" ]; then
        echo "$WIDTH $HEIGHT"
        return 0
      fi
    done
    sleep 0.1
  done
  return 1
}
# Opens the menu of BUTTON and picks item INDEX (24-pixel items).
choose() {  # BUTTON INDEX [SHOT]
  local l t r b size
  read -r l t r b <<<"$(app_rect "$1")"
  app_click "$1"
  size=$(menu_at $((l - 1)) "$b") || h_fail "no menu below $1"
  [ -n "${3:-}" ] && app_shot "$3"
  local y=$((b + $2 * 24 + 12))
  xdotool mousemove --window "$APP_WIN" $((l + 30)) "$y"
  xdotool mousemove --window "$APP_WIN" $((l + 31)) "$y" click 1
}

# --- Each mode of the menu, in its order: 1, 2, 3, 4, 6.
index=0
for mode in 1 2 3 4 6; do
  n=$(since)
  shot=""
  [ "$mode" = 4 ] && shot=page-lighting-mode-menu
  choose LightingMode "$index" "$shot"
  after "$n" "^1227 Lighting .* LedMode=$mode "
  h_check_eq "$(h_ini_get "$ini" Setting LedMode)" "$mode" "mode after choosing item $index"
  index=$((index + 1))
done
app_wait_field LightingMode text Reactive

# --- Wave takes a direction: the second one, right to left.
choose LightingMode 1
app_wait_field LightingDirection enabled 1
n=$(since)
choose LightingDirection 1
after "$n" '^1227 Lighting .* LedMode=2 LED_MODE_INFO1=2,'
app_wait_field LightingDirection text "Right to left"
# Ripple (mode 5) has no menu item; its command still selects it, with its
# own pair of directions.
n=$(since)
h_run "$H_BIN/LinkProbe.exe" --post "$APP_TITLE" 1281 0 $((40009 << 16)) || h_fail "cannot post the mode 5 command"
after "$n" '^1227 Lighting .* LedMode=5 '
app_wait_field LightingMode text Ripple
n=$(since)
choose LightingDirection 1
after "$n" '^1227 Lighting .* LedMode=5 LED_MODE_INFO1=4,'
app_wait_field LightingDirection text Outward
# Breathing keeps the direction stored and takes the button away.
n=$(since)
choose LightingMode 2
after "$n" '^1227 Lighting .* LedMode=3 LED_MODE_INFO1=4,'
app_wait_field LightingDirection enabled 0

# --- Off and on.
n=$(since)
app_click LightingOff
after "$n" '^1227 Lighting w=0 l=0 LedStateOn=0 '
app_wait_field LightingOn checked 0
n=$(since)
app_click LightingOn
after "$n" '^1227 Lighting w=0 l=0 LedStateOn=1 '

# --- Sliders, dragged by their thumbs. THUMB is the thumb image's width.
drag() {  # SLIDER VALUE MIN MAX THUMB TO_X
  local l t r b left y
  read -r l t r b <<<"$(app_rect "$1")"
  left=$((l + ($2 - $3) * (r - l - $5) / ($4 - $3)))
  y=$(((t + b) / 2))
  xdotool mousemove --window "$APP_WIN" $((left + $5 / 2)) "$y" mousedown 1
  xdotool mousemove --window "$APP_WIN" $((left + $5 / 2 + 4)) "$y"
  xdotool mousemove --window "$APP_WIN" "$6" "$y"
  xdotool mousemove --window "$APP_WIN" "$6" "$y" mouseup 1
}
# Brightness: the device's top step (6) to the left end and back.
read -r l _ r _ <<<"$(app_rect LightingBrightnessSlider)"
n=$(since)
drag LightingBrightnessSlider 6 1 6 11 $((l - 30))
after "$n" '^1227 Lighting .* LED_MODE_INFO1=4,1,'
app_wait_field LightingBrightnessPercent text 0
n=$(since)
drag LightingBrightnessSlider 1 1 6 11 $((r + 30))
after "$n" '^1227 Lighting .* LED_MODE_INFO1=4,6,'
app_wait_field LightingBrightnessPercent text 100

# Speed: off rests the slider, on starts at 3, then dragged to the top (9).
n=$(since)
app_click LightingSpeedToggle
after "$n" '^1227 Lighting .* LED_MODE_INFO1=4,6,0$'
app_wait_field LightingSpeedSlider enabled 0
n=$(since)
app_click LightingSpeedToggle
after "$n" '^1227 Lighting .* LED_MODE_INFO1=4,6,3$'
app_wait_field LightingSpeedSlider enabled 1
read -r l _ r _ <<<"$(app_rect LightingSpeedSlider)"
n=$(since)
drag LightingSpeedSlider 3 1 9 13 $((r + 30))
after "$n" '^1227 Lighting .* LED_MODE_INFO1=4,6,9$'
h_check_eq "$(app_field LightingSpeedToggle checked)" 1 "speed toggle after dragging"
app_click LightingBack
app_wait_field HomeLightingTab visible 1

# --- Advanced page: the pointer controls and a stage.
app_click HomeAdvancedTab
app_wait_field AdvancedAccelerationToggle visible 1
h_check_eq "$(app_field AdvancedAccelerationToggle checked)" 0 "acceleration toggle at the factory value"
n=$(since)
app_click AdvancedAccelerationToggle
after "$n" '^1297 Acceleration w=255 l=255 AccelerationEnabled=1 '
app_wait_field AdvancedAccelerationToggle checked 1
n=$(since)
app_click AdvancedDoubleClickUp
after "$n" '^1296 DoubleClickSpeed w=0 l=0 DoubleClickSpeed=13$'
app_wait_field AdvancedDoubleClickValue text 13
n=$(since)
app_click AdvancedDoubleClickDown
after "$n" '^1296 DoubleClickSpeed w=0 l=0 DoubleClickSpeed=12$'
n=$(since)
app_click AdvancedScrollLinesUp
after "$n" '^1295 WheelScrollLines w=0 l=0 WheelScrollLines=2$'
app_wait_field AdvancedScrollLinesValue text 2
n=$(since)
app_click AdvancedScrollLinesDown
app_click AdvancedScrollLinesDown  # stays at 1
after "$n" '^1295 WheelScrollLines w=0 l=0 WheelScrollLines=1$'
n=$(since)
app_click AdvancedStage3
after "$n" '^1297 DpiStage w=0 l=0 DPI=2 ProfileDPI=2 '
app_wait_field AdvancedDpiDialValue text 1750
n=$(since)
app_click AdvancedRate1000
after "$n" '^1277 PollingRate w=0 l=3 PollingRate=1$'
# The device reconnects at its new rate and the service reports it.
after "$n" '^device post 1280 Unplugged w=0 l=0 result=posted$'
app_service_marker "$log"
for key in AccelerationEnabled:1 DoubleClickSpeed:12 WheelScrollLines:1 DPI:2 PollingRate:1; do
  h_check_eq "$(h_ini_get "$ini" Setting "${key%%:*}")" "${key#*:}" "Mouse.ini ${key%%:*}"
done
app_shot page-advanced-settings

# --- Help: the service's request 22 opens the help file in the viewer; asked
# again, it raises the open viewer instead of opening a second.
[ -s "$H_BIN/Vantorcfg.chm" ] || h_fail "no help file beside the program"
h_run "$H_BIN/DeviceServiceStandIn.exe" --send 1034 0 22 || h_fail "the stand-in did not forward 1034"
h_wait_window "HTML Help" 30 >/dev/null || h_fail "no help viewer"
h_run "$H_BIN/DeviceServiceStandIn.exe" --send 1034 0 22 || h_fail "the stand-in did not forward 1034"
app_service_marker "$log"
sleep 1
h_check_eq "$(xdotool search --onlyvisible --name '^HTML Help$' | wc -l)" 1 "help viewers after asking twice"
h_run "$H_BIN/LinkProbe.exe" --post "HTML Help" 16 0 0 || true  # WM_CLOSE

app_click AdvancedBack
app_click HomeClose
app_wait_exit "$APP_PID" 20 || h_fail "the close button did not end the program"
echo "PASS"
