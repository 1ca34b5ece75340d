#!/usr/bin/env bash
# The stand-in device service: each notification of the utility is logged
# with the "Mouse.ini" values it concerns, odd parameters included; --send
# reaches a window with the utility's title.
source "$(dirname "$0")/harness.sh"
h_init

service="$H_BIN/DeviceServiceStandIn.exe"
probe="$H_BIN/LinkProbe.exe"
log="$H_TMP/service.log"

# A settings file as the utility writes it: ANSI text, CRLF, blobs with their
# checksum. DPI_INFO3 has a wrong checksum, GROUP's ButtonAssigned1 a wrong
# length; MACRO_LIST 3 is "Combo é" in code page 1252.
{
  printf '[Setting]\r\nProfile=2\r\nPollingRate=4\r\nWheelScrollLines=3\r\nDoubleClickSpeed=13\r\n'
  printf 'AccelerationEnabled=1\r\nAcceleration=6\r\n'
  printf 'DPI_INFO1=%s\r\n' "$(h_struct i32:0 i32:3 i32:3 i32:3)"
  printf 'DPI_INFO2=%s\r\n' "$(h_struct i32:1 i32:5 i32:4 i32:8)"
  printf 'DPI_INFO3=%s\r\n' "$(h_struct i32:0 i32:7 i32:7 i32:7 | sed 's/..$/00/')"
  printf 'LED_MODE_INFO1=%s\r\n' "$(h_struct i32:0 i32:12 i32:9)"
  printf 'DPI=1\r\nLedStateOn=1\r\nLedColor=65280\r\nLedMode=4\r\n'
  printf '[GROUP]\r\nDPI=1\r\nButtonAssigned1=%s\r\n' "$(h_struct u8:1 u8:1 u8:1 u8:0)"
  printf '[GROUP2]\r\nDPI=2\r\n'
  printf 'ButtonAssigned4=%s\r\n' "$(h_struct u8:4 u8:5 u8:1 u8:0 hex:0004E1 zero:117 zero:520)"
  printf 'ButtonAssigned5=%s\r\n' "$(h_struct u8:255 u8:6 u8:3 u8:0x41 zero:120 'utf16:260:Combo é')"
  printf '[MACRO_LIST]\r\n0=Spray\r\n'
  printf '3=Combo \xe9\r\n'
} >"$H_DATA/Mouse.ini"
touch "$H_DATA/Macro/Combo é.macro"

# No --ini: the stand-in finds "Mouse.ini" in the roaming application-data
# folder, which the harness pointed at this test's data folder. Without the
# device it only logs and forwards, so the file and the requests below are
# the test's alone.
h_start service "$service" --log "$(h_winpath "$log")" --no-device
service_pid=$H_PID
h_wait_line "$log" '^ready '
case "$(head -n 1 "$log")" in
  *'\ZELT-7700 PERIX\GamingMouse\Mouse.ini') ;;
  *) h_fail "default settings path: $(head -n 1 "$log")" ;;
esac

notify() {  # MESSAGE WPARAM LPARAM
  h_run "$probe" --post "ZELT-7700MouseHid" "$1" "$2" "$3" || h_fail "cannot post $1 to the stand-in"
}
notify 1298 0 0
notify 1299 2 3
notify 1299 2 4
notify 1299 0 0
notify 1299 5 0
notify 1299 0 -1
notify 1302 1 0
notify 1302 2 0
notify 1302 4 0
notify 1297 0 0
notify 1297 255 255
notify 1296 0 0
notify 1295 0 0
notify 1277 0 1
notify 1227 0 0
notify 1279 0 0
notify 1300 3 0
notify 1300 0 0
notify 1300 1 0
notify 1300 20 0
notify 1300 -1 0
notify 1500 7 8
h_wait_line "$log" '^1500 '
expected='1298 Profile w=0 l=0 Profile=2
1299 Button w=2 l=3 Section=GROUP2 Key=ButtonAssigned4 ButtonNumber=4 FunctionCode=5 Param1=1 Param2=0x00 Data=0004E1 MacroName=""
1299 Button w=2 l=4 Section=GROUP2 Key=ButtonAssigned5 ButtonNumber=255 FunctionCode=6 Param1=3 Param2=0x41 Data= MacroName="Combo é"
1299 Button w=0 l=0 Section=GROUP Key=ButtonAssigned1 Blob=unreadable
1299 Button w=5 l=0 error=out-of-range
1299 Button w=0 l=-1 error=out-of-range
1302 DpiLevel w=1 l=0 DPI_INFO2=1,5,4,8
1302 DpiLevel w=2 l=0 DPI_INFO3=unreadable
1302 DpiLevel w=4 l=0 error=out-of-range
1297 DpiStage w=0 l=0 DPI=1 ProfileDPI=2 DPI_INFO2=1,5,4,8
1297 Acceleration w=255 l=255 AccelerationEnabled=1 Acceleration=6
1296 DoubleClickSpeed w=0 l=0 DoubleClickSpeed=13
1295 WheelScrollLines w=0 l=0 WheelScrollLines=3
1277 PollingRate w=0 l=1 PollingRate=4
1227 Lighting w=0 l=0 LedStateOn=1 LedColor=0x00FF00 LedMode=4 LED_MODE_INFO1=0,12,9
1279 Apply w=0 l=0 Profile=2 PollingRate=4 DPI=1 LedStateOn=1 LedMode=4
1300 Macro w=3 l=0 Slot=3 Name="Combo é" File=present
1300 Macro w=0 l=0 Slot=0 Name="Spray" File=missing
1300 Macro w=1 l=0 Slot=1 Name=""
1300 Macro w=20 l=0 error=out-of-range
1300 Macro w=-1 l=0 error=out-of-range
1500 Unknown w=7 l=8'
h_check_eq "$(tail -n +2 "$log")" "$expected" "decoded notifications"

# Values are read when the message arrives, not remembered.
sed -i 's/^Profile=2\r$/Profile=3\r/' "$H_DATA/Mouse.ini"
notify 1298 0 0
h_wait_line "$log" '^1298 Profile w=0 l=0 Profile=3'

# --send: handed to the running stand-in, which posts it to the utility.
ulog="$H_TMP/utility.log"
h_start utility "$probe" --title "ZELT-7700 PERIX gaming mouse" --log "$(h_winpath "$ulog")"
utility=$H_PID
h_wait_line "$ulog" '^ready$'
send() {
  local status=0
  h_run "$service" --send "$@" >/dev/null 2>&1 || status=$?
  echo "$status"
}
h_check_eq "$(send 1285 9 2)" 0 "--send 1285 9 2"
h_check_eq "$(send 1034 0 12)" 0 "--send 1034 0 12"
h_check_eq "$(send 1224)" 0 "--send 1224"
h_check_eq "$(send 1280)" 0 "--send 1280"
h_check_eq "$(send 1294)" 0 "--send 1294"
h_check_eq "$(send 0x505 8 -1)" 0 "--send 0x505 8 -1"
h_check_eq "$(send 99 1 1)" 2 "--send below the user range"
h_check_eq "$(send 1285 nine)" 2 "--send with a word"
h_check_eq "$(send 1285 1 2 3)" 2 "--send with too many numbers"
h_wait_line "$ulog" '^msg 1285 w=8 l=-1$'
h_check_eq "$(tail -n +2 "$ulog")" 'msg 1285 w=9 l=2
msg 1034 w=0 l=12
msg 1224 w=0 l=0
msg 1280 w=0 l=0
msg 1294 w=0 l=0
msg 1285 w=8 l=-1' "requests received by the utility"
h_wait_line "$log" '^send 1285 DeviceChanged w=8 l=-1 result=posted'
h_check_eq "$(grep -c '^send .* result=posted' "$log")" 6 "sends logged"

h_stop "$utility"
h_check_eq "$(send 1224)" 1 "--send without the utility"
h_wait_line "$log" '^send 1224 DpiStagesChanged w=0 l=0 result=no-window'

# One stand-in at a time; without one, --send says so.
h_check_eq "$(h_run "$service" --log "$(h_winpath "$H_TMP/second.log")" >/dev/null 2>&1; echo $?)" 3 "second stand-in"
h_stop "$service_pid"
h_check_eq "$(send 1224)" 3 "--send without a stand-in"
help=$(h_run "$service" --help)
case "$help" in *"--send MESSAGE"*) ;; *) h_fail "--help: $help" ;; esac
echo "stand-in: all checks passed"
