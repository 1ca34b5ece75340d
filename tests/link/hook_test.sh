#!/usr/bin/env bash
# KBHook.dll under real keyboard input: LinkProbe loads it the way the utility
# does and logs what the hook posts ("key ...") and what reaches its own
# window ("wm ..."); keys are typed with xdotool.
source "$(dirname "$0")/harness.sh"
h_init

log="$H_TMP/probe.log"
title="PERIX hook probe"
h_start probe "$H_BIN/LinkProbe.exe" --title "$title" --log "$(h_winpath "$log")" --hook
h_wait_line "$log" '^ready'
h_check_eq "$(head -n 1 "$log")" "ready exports=5 install=1" "load, exports and installhook"
win=$(h_wait_window "$title")
h_click "$win" 160 100  # the keyboard focus

ENABLE=32769 REMOVE=32770 INSTALL=32771 PING=32772 UNLOAD=32773 LOAD=32774 DOOMED=32775
control() {  # MESSAGE WPARAM EXPECTED-LOG-LINE
  local count
  count=$(grep -c -x -- "$3" "$log" || true)
  h_run "$H_BIN/LinkProbe.exe" --post "$title" "$1" "$2" || h_fail "cannot post to the probe"
  h_wait_line "$log" "^${3}\$" 20 $((count + 1))
}
# Lines logged after the last line equal to MARK.
after() {
  awk -v mark="$1" '$0 == mark { n = 0; next } { lines[++n] = $0 } END { for (i = 1; i <= n; i++) print lines[i] }' "$log"
}
# Types a key and waits until the probe's window has its release: by then
# the hook has seen the key.
type_and_settle() {  # KEYNAME VK
  local count
  count=$(grep -c -x "wm up vk=$2" "$log" || true)
  h_key "$1"
  h_wait_line "$log" "^wm up vk=$2\$" 20 $((count + 1))
}
hook_lines_after() {
  after "$1" | grep '^key' || true
}

# Installed disabled: the window gets the key, the hook reports nothing.
type_and_settle q 0x51
h_check_eq "$(grep -c '^key' "$log" || true)" 0 "events before enablehook(1)"

# Order and flags: bit 7 released, bit 0 extended (right Ctrl and Alt).
control $ENABLE 1 "ctl enable 1"
xdotool key a keydown 50 key b keyup 50 key 105 key 108 key Return
h_wait_line "$log" '^wm up vk=0x0D$'
expected="key vk=0x41 flags=0x00
key vk=0x41 flags=0x80
key vk=0xA0 flags=0x00
key vk=0x42 flags=0x00
key vk=0x42 flags=0x80
key vk=0xA0 flags=0x80
key vk=0xA3 flags=0x01
key vk=0xA3 flags=0x81
key vk=0xA5 flags=0x01
key vk=0xA5 flags=0x81
key vk=0x0D flags=0x00
key vk=0x0D flags=0x80"
h_check_eq "$(hook_lines_after "ctl enable 1")" "$expected" "hook events"
# Every key was passed on to the window that has the focus.
h_check_eq "$(after "ctl enable 1" | grep -c '^wm' || true)" 12 "keys passed on"

# enablehook(0) stops delivery.
control $ENABLE 0 "ctl enable 0"
type_and_settle z 0x5A
h_check_eq "$(hook_lines_after "ctl enable 0")" "" "events after enablehook(0)"

# removehook stops delivery even while enabled.
control $ENABLE 1 "ctl enable 1"
control $REMOVE 0 "ctl remove"
control $ENABLE 1 "ctl enable 1"
type_and_settle x 0x58
h_check_eq "$(hook_lines_after "ctl remove")" "" "events after removehook"

# Installing twice hooks once: each event arrives once. A fresh install
# starts disabled.
control $INSTALL 0 "ctl install 1"
control $INSTALL 0 "ctl install 1"
type_and_settle v 0x56
h_check_eq "$(hook_lines_after "ctl install 1")" "" "events right after installhook"
control $ENABLE 1 "ctl enable 1"
type_and_settle v 0x56
h_check_eq "$(hook_lines_after "ctl enable 1" | tr '\n' ' ')" "key vk=0x56 flags=0x00 key vk=0x56 flags=0x80 " \
  "events after installing twice"

# The reported window goes away: nothing is posted, and installing on a live
# window works again.
control $DOOMED 0 "ctl install-doomed 1"
type_and_settle d 0x44
h_check_eq "$(hook_lines_after "ctl install-doomed 1")" "" "events for a destroyed window"
control $INSTALL 0 "ctl install 1"
control $ENABLE 1 "ctl enable 1"
type_and_settle d 0x44
h_check_eq "$(hook_lines_after "ctl enable 1" | wc -l)" 2 "events after installing again"

# Unloaded while hooked and enabled: the process keeps running and keys keep
# flowing to its window; the library loads and hooks again.
control $UNLOAD 0 "ctl unload"
type_and_settle e 0x45
control $PING 2 "ctl ping 2"
h_check_eq "$(hook_lines_after "ctl unload")" "" "events after unloading"
control $LOAD 0 "ctl load 5"
control $INSTALL 0 "ctl install 1"
control $ENABLE 1 "ctl enable 1"
type_and_settle e 0x45
h_check_eq "$(hook_lines_after "ctl enable 1" | wc -l)" 2 "events after loading again"
echo "hook: all checks passed"
