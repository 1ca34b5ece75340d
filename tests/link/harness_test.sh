#!/usr/bin/env bash
# The harness's own file helpers, which the end-to-end tests trust to read
# what the programs wrote. No display or Wine needed.
set -euo pipefail
source "$(dirname "$0")/harness.sh"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

# ANSI (code page 1252) as the private-profile writer leaves it: CRLF, the
# first of two equal sections wins, names without case, quotes removed.
printf '[Setting]\r\nProfile=2\r\n;Profile=9\r\n[MACRO_LIST]\r\n3=Combo \xe9\r\n4="  padded "\r\n[setting]\r\nProfile=7\r\n' \
  >"$dir/ansi.ini"
h_check_eq "$(h_ini_get "$dir/ansi.ini" SETTING profile)" 2 "ANSI integer"
h_check_eq "$(h_ini_get "$dir/ansi.ini" MACRO_LIST 3)" "Combo é" "ANSI text"
h_check_eq "$(h_ini_get "$dir/ansi.ini" MACRO_LIST 4)" "  padded " "quoted text"
h_ini_get "$dir/ansi.ini" MACRO_LIST 5 >/dev/null && h_fail "a missing key was found"

# UTF-16LE with BOM, as a file created Unicode is read by the platform.
printf '\xff\xfe' >"$dir/utf16.ini"
printf '[MACRO_LIST]\r\n0=宏 one\r\n' | iconv -f UTF-8 -t UTF-16LE >>"$dir/utf16.ini"
h_check_eq "$(h_ini_get "$dir/utf16.ini" MACRO_LIST 0)" "宏 one" "UTF-16 text"

# Structures: hex digits and the byte sum, the UTF-16 field zero-padded.
h_check_eq "$(h_struct u8:1 u8:2 hex:ABFF)" "0102ABFFAD" "structure with checksum"
h_check_eq "$(h_struct i32:-1 'utf16:2:é')" "FFFFFFFFE9000000E5" "int32 and text"
h_check_eq "$(h_winpath /tmp/a/b.log)" 'Z:\tmp\a\b.log' "Windows path"
echo "harness: all checks passed"
