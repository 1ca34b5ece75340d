#!/usr/bin/env bash
# A thousand rounds of page switches with their repaint and a popup menu
# opened and closed: the program's GDI and USER object counts stay flat. The
# program runs the rounds itself (its --stress switch, Diagnostics.h) and
# counts its objects the way Wine allows.
source "$(dirname "$0")/../link/harness.sh"
h_init

report="$H_TMP/stress.txt"
status=0
h_run "$H_BIN/PerixConfig.exe" --report "$(h_winpath "$report")" --stress 1000 >"$H_TMP/app.out" 2>&1 || status=$?
cat "$report" 2>/dev/null || true
grep -q '^stress flat$' "$report" || h_fail "object counts grew: $(grep '^stress' "$report" 2>/dev/null)"
h_check_eq "$status" 0 "exit status of the stress run"
echo "PASS"
