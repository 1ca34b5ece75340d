#!/usr/bin/env bash
# Paints the control gallery and opens and closes a menu with a sub-menu a
# thousand times, and checks that the process's GDI and USER object counts
# stay flat. Usage: gdi_flat.sh GALLERY_EXE OUTPUT_FOLDER
set -euo pipefail
exe=$1
e2e_out=$2
mkdir -p "$e2e_out"
e2e_log="$e2e_out/stress.log"
rm -f "$e2e_log"
source "$(dirname "${BASH_SOURCE[0]}")/e2e_common.sh"
e2e_display

status=0
"$e2e_root/scripts/wine-run" "$exe" --log "Z:$e2e_log" --root "Z:$e2e_out/root/" --stress 1000 \
  >"$e2e_out/wine.out" 2>&1 || status=$?
grep -E '^stress ' "$e2e_log" || true
[ "$status" -eq 0 ] || e2e_fail "the gallery ended with status $status"
e2e_expect_count '^stress flat$' 1
