#!/usr/bin/env bash
# Profile files through the real file dialogs: an export imported again gives
# back every setting, makes the first profile the active one and names the
# file in "ProfileName"; a file that is not a profile file is refused with a
# message and changes nothing.
source "$(dirname "$0")/../link/harness.sh"
h_init
source "$(dirname "$0")/app_common.sh"

ini="$H_DATA/Mouse.ini"
log="$H_TMP/service.log"
files="$H_TMP/files"
mkdir -p "$files"
app_start_service "$log"
app_start

# Every key of an INI file but the listed ones, as "section/key=value" lines.
ini_keys() {  # FILE [SKIPPED-KEY...]
  python3 - "$@" <<'PY'
import sys
path, skipped = sys.argv[1], set(k.lower() for k in sys.argv[2:])
section = ""
for line in open(path, encoding="cp1252").read().splitlines():
    line = line.strip()
    if line.startswith("["):
        section = line.strip("[]").lower()
    elif "=" in line:
        key, value = line.split("=", 1)
        if key.strip().lower() not in skipped:
            print(f"{section}/{key.strip().lower()}={value.strip()}")
PY
}

# A configuration worth exporting: profile 2 active, a colour chosen.
app_click HomeButtonTab
app_click ButtonProfile2
h_wait_line "$log" '^1298 Profile .* Profile=1$'
app_click ButtonBack
app_click HomeLightingTab
app_wait_field LightingColorPicker visible 1
read -r l t _ _ <<<"$(app_rect LightingColorPicker)"
x=$((l + 120)) y=$((t + 60))  # in the colour square
xdotool mousemove --window "$APP_WIN" "$x" "$y"
# Once the picker has painted, the pixel stays as it is.
shown=$(app_pixel "$x" "$y")
for _ in $(seq 50); do
  sleep 0.2
  again=$(app_pixel "$x" "$y")
  [ "$again" = "$shown" ] && break
  shown=$again
done
h_click "$APP_WIN" "$x" "$y"
h_wait_line "$log" '^1227 '
# The colour chosen is the one that was shown under the pointer.
h_check_eq "$(printf '%06X' "$(h_ini_get "$ini" Setting LedColor)" | sed -E 's/(..)(..)(..)/\3\2\1/')" "$shown" \
  "colour picked from the square"
app_click LightingBack
app_wait_field HomeExport visible 1

# --- Export: the file holds the configuration; Mouse.ini is not touched.
saved=$(app_file_hash "$ini")
app_click HomeExport
app_choose_file "Save As" "$files/mine.prof"
[ -s "$files/mine.prof" ] || h_fail "no exported file"
h_check_eq "$(h_ini_get "$files/mine.prof" Setting Profile)" 1 "exported active profile"
h_check_eq "$(ini_keys "$files/mine.prof")" "$(ini_keys "$ini")" "exported keys"
h_check_eq "$(app_file_hash "$ini")" "$saved" "Mouse.ini after an export"
exported=$(app_file_hash "$files/mine.prof")

# --- Change something, then import the export: everything comes back, the
# first profile becomes the active one, the service hears of it.
app_click HomeButtonTab
app_click ButtonProfile4
h_wait_line "$log" '^1298 Profile .* Profile=3$'
app_click ButtonBack
app_wait_field HomeImport visible 1
app_click HomeImport
app_choose_file "Open" "$files/mine.prof"
h_wait_line "$log" '^1279 '
h_check_eq "$(h_ini_get "$ini" Setting Profile)" 0 "active profile after an import"
h_check_eq "$(h_ini_get "$ini" Setting ProfileName)" mine "ProfileName after an import"
h_check_eq "$(ini_keys "$ini" Profile ProfileName)" "$(ini_keys "$files/mine.prof" Profile ProfileName)" \
  "Mouse.ini against the imported file"
h_check_eq "$(app_file_hash "$files/mine.prof")" "$exported" "the imported file itself"
app_click HomeButtonTab
app_wait_field ButtonProfile1 checked 1
app_click ButtonBack
app_wait_field HomeImport visible 1

# --- A file that is not a profile file: a message naming it, nothing changed.
printf 'Shopping list\r\neggs=12\r\n' >"$files/notes.prof"
saved=$(app_file_hash "$ini")
imports=$(grep -c '^1279 ' "$log")
app_click HomeImport
app_choose_file "Open" "$files/notes.prof"
box=$(app_wait_dialog Warning) || h_fail "no message for a file that is not a profile file"
app_probe --texts Warning | grep -q '^notes: .*not a profile' || h_fail "the message: $(app_probe --texts Warning)"
app_shot import-refused
xdotool windowfocus --sync "$box" 2>/dev/null || true
h_key Return
for _ in $(seq 100); do
  app_probe --window Warning >/dev/null || break
  sleep 0.1
done
h_run "$H_BIN/LinkProbe.exe" --post "ZELT-7700MouseHid" 1500 0 0 || h_fail "cannot post to the stand-in"
h_wait_line "$log" '^1500 '
h_check_eq "$(grep -c '^1279 ' "$log")" "$imports" "announcements after a refused import"
h_check_eq "$(app_file_hash "$ini")" "$saved" "Mouse.ini after a refused import"
h_check_eq "$(cat "$files/notes.prof")" "$(printf 'Shopping list\r\neggs=12\r\n')" "the refused file"

app_click HomeClose
app_wait_exit "$APP_PID" 20 || h_fail "the close button did not end the program"
echo "PASS"
