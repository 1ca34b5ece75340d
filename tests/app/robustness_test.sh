#!/usr/bin/env bash
# The program in poor surroundings: without its hook library; with an empty
# and with a damaged skin folder (blank controls, no crash); and under window
# messages with odd parameters.
source "$(dirname "$0")/../link/harness.sh"
h_init
source "$(dirname "$0")/app_common.sh"

ini="$H_DATA/Mouse.ini"
log="$H_TMP/service.log"
app_start_service "$log"

# A program folder of its own: the program and whatever the case gives it.
program_folder() {  # NAME
  local folder="$H_TMP/$1"
  mkdir -p "$folder"
  cp "$H_BIN/PerixConfig.exe" "$folder/"
  echo "$folder"
}

close_program() {
  app_click HomeClose
  app_wait_exit "$APP_PID" 20 || h_fail "the close button did not end the program ($1)"
}

post() {  # MESSAGE WPARAM LPARAM
  h_run "$H_BIN/LinkProbe.exe" --post "$APP_TITLE" "$@" || h_fail "cannot post $*"
}

# --- Without KBHook.dll: the program starts and saves and announces as ever.
folder=$(program_folder no-hook)
cp -r "$H_BIN/skins" "$H_BIN/Strings.xml" "$folder/"
app_start "$folder/PerixConfig.exe"
app_click HomeButtonTab
app_click ButtonProfile2
h_wait_line "$log" '^1298 Profile .* Profile=1$'
app_wait_field ButtonProfile2 checked 1
app_click ButtonBack
app_wait_field HomeButtonTab visible 1
close_program "without the hook library"

# --- An empty skin folder and no string table: the window keeps the size
# the controls are placed for, its controls are blank but work.
folder=$(program_folder empty-skin)
mkdir -p "$folder/skins"
app_start "$folder/PerixConfig.exe"
h_check_eq "$(app_probe --window "$APP_TITLE")" "0 0 900 680 visible=1 iconic=0" "window without a skin"
h_check_eq "$(app_field HomeImport text)" "" "import button caption without a skin"
# The web button shows the address whatever the skin says.
h_check_eq "$(app_field HomeWeb text)" "https://zelt.example" "web button caption"
app_shot skin-empty
app_click HomeLightingTab
app_wait_field LightingColorPicker visible 1
app_shot skin-empty-lighting
app_click LightingBack
app_wait_field HomeLightingTab visible 1
close_program "with an empty skin folder"

# --- A damaged skin folder: images that are not images or are cut short,
# INI files of random bytes or with absurd entries, a broken string table.
folder=$(program_folder damaged-skin)
cp -r "$H_BIN/skins" "$folder/"
n=0
for file in "$folder"/skins/*; do
  n=$((n + 1))
  case "$file" in
    *.png | *.jpg)
      if [ $((n % 2)) -eq 0 ]; then
        head -c 2000 /dev/urandom >"$file"
      else
        head -c 120 "$H_BIN/skins/$(basename "$file")" >"$file"  # the header and no more
      fi
      ;;
    *.ini)
      if [ $((n % 2)) -eq 0 ]; then
        head -c 3000 /dev/urandom >"$file"
      else
        {
          printf '[Screen]\r\nMain=..\\..\\..\\..\\nowhere.png\r\nOver=%s\r\nDown=%s\r\n' \
            "$(head -c 6000 /dev/zero | tr '\0' 'x')" "$(basename "$file")"
          printf '[BUTTONPOS]\r\n72=%s\r\n17=\xff\xfe\x00\r\n' "$(head -c 5000 /dev/zero | tr '\0' 'y')"
        } >"$file"
      fi
      ;;
  esac
done
printf '<BUTTONPAGE><WARN1>never closed<MAIN><FONT>' >"$folder/Strings.xml"
app_start "$folder/PerixConfig.exe"
app_shot skin-damaged
for tab in Button Lighting Advanced Macro; do
  app_click "Home${tab}Tab"
  app_wait_field "${tab}Back" visible 1
  app_click "${tab}Back"
  app_wait_field "Home${tab}Tab" visible 1
done

# --- Odd messages, to the same window: requests the service never sends,
# values the record cannot hold, controls that do not exist.
post 1034 0 999
post 1034 0 -1
post 1034 0 11
post 1285 8 77
post 1285 9 -5
post 1285 9 5
post 1285 10 12345
post 1285 4294967295 0
post 1224 0 0
post 1280 0 0
post 1280 0 0
post 1282 1 2
post 1094 99999 10001  # slider positions out of every range, unknown bars
post 1094 -5 10008
post 1094 3 424242
post 1303 4294967295 0
post 1281 7 7
post 1281 0 0
post 1281 13312 13312
post 2258 65 0
post 13312 5 5
post 13314 -1 -1
post 13332 3 0
post 5122 0 0
post 273 0 12345  # WM_COMMAND from a window that is none of ours
post 273 65536 0
post 275 10002 0  # the deferred start-up once more
post 275 7 0
post 792 12345 4  # WM_PRINTCLIENT with no device context behind it
post 1294 0 0
app_wait_field ButtonBack visible 1
app_click ButtonBack
app_wait_field HomeButtonTab visible 1
kill -0 "$APP_PID" 2>/dev/null || h_fail "the program ended under odd messages"
# The record holds only what it can: the device's odd values were dropped,
# an unknown lighting bit reads as mode 1.
[ "$(h_ini_get "$ini" Setting DPI)" != 77 ] || h_fail "stage 77 was stored"
h_check_eq "$(h_ini_get "$ini" Setting Profile)" 1 "profile after odd requests"
h_check_eq "$(h_ini_get "$ini" Setting LedMode)" 1 "lighting mode after an unknown bit"
# And it still does its work.
h_run "$H_BIN/DeviceServiceStandIn.exe" --send 1285 9 3 || h_fail "the stand-in did not forward 1285"
app_click HomeButtonTab
app_wait_field ButtonProfile4 checked 1
app_click ButtonBack
app_wait_field HomeButtonTab visible 1
close_program "with a damaged skin folder"
echo "PASS"
