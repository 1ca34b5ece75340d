#!/usr/bin/env bash
# Timing of PerixConfig.exe under Wine: start-up to the first painted window
# and the cost of a page switch with its repaint. Not a test: it prints
# figures. The program measures itself (its --report switches, see
# win/app/Diagnostics.h): start-up from the creation of its process to the
# end of its first paint, a page switch from the click's command to the end
# of the repaint. It also reports how often it parsed the string table.
#
#   bench/app/app_bench.sh [STARTS [SWITCHES]]      (defaults 15 and 400)
#
# Runs in a data folder of its own, on the session's display or a virtual one.
source "$(dirname "$0")/../../tests/link/harness.sh"
h_init

starts=${1:-15}
switches=${2:-400}
report="$H_TMP/report.txt"

for i in $(seq "$starts"); do
  rm -f "$report"
  # Each run switches a few pages and ends by itself; the first one also
  # creates "Mouse.ini", the others start with it in place, as users do.
  h_run "$H_BIN/PerixConfig.exe" --report "$(h_winpath "$report")" --bench-pages 4 >/dev/null 2>&1 || true
  grep '^first-paint-ms' "$report" | awk '{ print $2 }' >>"$H_TMP/starts.txt"
  grep '^string-file-reads' "$report" | awk '{ print $2 }' >>"$H_TMP/parses.txt"
done
rm -f "$report"
h_run "$H_BIN/PerixConfig.exe" --report "$(h_winpath "$report")" --bench-pages "$switches" >/dev/null 2>&1 || true

python3 - "$H_TMP/starts.txt" "$H_TMP/parses.txt" "$report" "$starts" <<'PY'
import statistics, sys
starts = [float(x) for x in open(sys.argv[1]).read().split()]
parses = sorted(set(open(sys.argv[2]).read().split()))
print(f"start-up to the first painted window: median {statistics.median(starts):.0f} ms, "
      f"min {min(starts):.0f} ms, max {max(starts):.0f} ms ({len(starts)} of {sys.argv[4]} starts; "
      "the first one creates Mouse.ini)")
print(f"reads of Strings.xml during start-up: {', '.join(parses)}")
for line in open(sys.argv[3]):
    if line.startswith("page-switch-ms"):
        print("page switch with its repaint:", line.split(" ", 1)[1].strip(), "ms")
PY
