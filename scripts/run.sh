#!/usr/bin/env bash
# The main job: builds the utility and runs it under Wine beside the stand-in
# device service. On the user's display the program stays until its window is
# closed; without a display it runs on a virtual one, visits every page,
# saves a screenshot of each, prints where they are and ends by itself.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/setup.sh

jobs=$(nproc)
cmake --preset linux >/dev/null
cmake --build --preset linux -j "$jobs" --target perixctl
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs" --target perixctl
cmake --build --preset windows -j "$jobs" --target perix_app DeviceServiceStandIn layout-dump

source scripts/session.sh
perix_session_start

bin=build/windows/bin
out=build/run
title="ZELT-7700 PERIX gaming mouse"
mkdir -p "$out"
rm -f "$out/service.log"

scripts/wine-run "$bin/DeviceServiceStandIn.exe" --log "Z:$(pwd)/$out/service.log" </dev/null >"$out/service.out" 2>&1 &
service=$!
for _ in $(seq 200); do grep -q '^ready' "$out/service.log" 2>/dev/null && break; sleep 0.1; done
echo "Stand-in device service: $(head -n 1 "$out/service.log" 2>/dev/null || echo 'not ready')"

scripts/wine-run "$bin/PerixConfig.exe" </dev/null >"$out/utility.out" 2>&1 &
utility=$!

stop_service() {
  kill "$service" 2>/dev/null || true
  wait "$service" 2>/dev/null || true
}

if [ "$perix_virtual_display" = 0 ]; then
  echo "The utility runs on $DISPLAY; close its window to end."
  wait "$utility" || true
  stop_service
  echo "What the utility told the service is in $out/service.log."
  exit 0
fi

# A virtual display: a tour of the pages.
window=""
for _ in $(seq 300); do
  window=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "The utility's window did not appear." >&2; exit 1; }

scripts/wine-run "$bin/layout-dump.exe" | tr -d '\r' >"$out/layout.json"
centre() {
  python3 - "$out/layout.json" "$1" <<'PY'
import json, sys
for page in json.load(open(sys.argv[1]))["pages"]:
    for control in page["controls"]:
        if control["name"] == sys.argv[2]:
            l, t, r, b = control["rect"]
            print((l + r) // 2, (t + b) // 2)
PY
}
click() {
  local x y
  read -r x y <<<"$(centre "$1")"
  xdotool mousemove --window "$window" $((x - 1)) $((y - 1))
  xdotool mousemove --window "$window" "$x" "$y" click 1
  sleep 1  # time to repaint
}
shots="$out/screenshots"
mkdir -p "$shots"
# The utility and, beside it, the stand-in's device window.
shoot() {
  import -window root -crop 1240x680+0+0 +repage "$shots/$1.png"
  echo "  $shots/$1.png"
}
# Picks item INDEX of the popup menu a button opens below itself.
pick() {
  local l b
  read -r l _ _ b <<<"$(python3 - "$out/layout.json" "$1" <<'PY'
import json, sys
for page in json.load(open(sys.argv[1]))["pages"]:
    for control in page["controls"]:
        if control["name"] == sys.argv[2]:
            print(*control["rect"])
PY
)"
  click "$1"
  xdotool mousemove --window "$window" $((l + 30)) $((b + $2 * 24 + 12))
  xdotool mousemove --window "$window" $((l + 31)) $((b + $2 * 24 + 12)) click 1
  sleep 1
}

echo "Screenshots of every page, and of a conversation with the device:"
sleep 2  # the device fills what a first start leaves unset and tells the utility
shoot home
for page in Button Lighting Advanced Macro; do
  click "Home${page}Tab"
  shoot "$(tr '[:upper:]' '[:lower:]' <<<"$page")"
  case $page in
    Lighting)
      pick LightingMode 1  # wave
      pick LightingDirection 1
      click LightingOff
      shoot lighting-wave-off
      click LightingOn
      ;;
    Advanced)
      click AdvancedStage4
      click AdvancedAccelerationToggle
      shoot advanced-stage4
      ;;
  esac
  click "${page}Back"
done
click HomeClose
for _ in $(seq 100); do kill -0 "$utility" 2>/dev/null || break; sleep 0.1; done
stop_service
echo "What the utility told the service is in $out/service.log."
