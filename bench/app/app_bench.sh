#!/usr/bin/env bash
# PerixConfig.exe under Wine beside its anchor, BareWindow.exe (one 900 x 680
# window painted, nothing else), side by side in one run. Not a test: it
# prints figures and asserts nothing.
#
#   bench/app/app_bench.sh [STARTS [SWITCHES]]      (defaults 12 and 400)
#
# - start-up to the end of the first paint: STARTS starts of each, in turn;
#   both programs measure themselves from the creation of their process
#   (win/app/Diagnostics.h); the program also reports where its time went;
# - page switch with its repaint: SWITCHES switches (tab and back button in
#   turn), beside as many repaints of the bare window;
# - private memory (RssAnon of the Wine process) of the program after start,
#   after visiting every page and after a thousand switches, each beside the
#   bare window running at the same time.
#
# With PERIX_BENCH_JSON set, the figures are also written there as JSON.
# Runs in a data folder of its own, on the session's display or a virtual one.
source "$(dirname "$0")/../../tests/link/harness.sh"
h_init

starts=${1:-12}
switches=${2:-400}
report="$H_TMP/report.txt"
figures="$H_TMP/figures.txt"   # "NAME VALUE" lines for the summary below
: >"$figures"

rss_kb() {  # PID
  awk '/^RssAnon:/ { print $2 }' "/proc/$1/status" 2>/dev/null || echo 0
}

start_bare() {
  rm -f "$report"
  h_run "$H_BIN/BareWindow.exe" --report "$(h_winpath "$report")" --close >/dev/null 2>&1 || true
  awk '/^first-paint-ms/ { print "bare-first-paint-ms", $2 }' "$report" >>"$figures"
}
start_program() {
  rm -f "$report"
  # Each run switches a few pages and ends by itself; the first one also
  # creates "Mouse.ini", the others start with it in place, as users do.
  h_run "$H_BIN/PerixConfig.exe" --report "$(h_winpath "$report")" --bench-pages 4 >/dev/null 2>&1 || true
  awk '/^first-paint-ms/ { print "program-first-paint-ms", $2 }
       /^startup-ms/ { print "phase-" $2, $3 }
       /^string-file-reads/ { print "string-file-reads", $2 }' "$report" >>"$figures"
}

# --- Start-up: the two in turn, each first every other time.
for i in $(seq "$starts"); do
  if [ $((i % 2)) = 1 ]; then start_bare; start_program; else start_program; start_bare; fi
done

# --- Page switches, and as many whole-window repaints of the bare window.
rm -f "$report"
h_run "$H_BIN/PerixConfig.exe" --report "$(h_winpath "$report")" --bench-pages "$switches" >/dev/null 2>&1 || true
awk '/^page-switch-ms/ { print "page-switch-ms", $3; print "page-switch-max-ms", $9; print "page-switch-min-ms", $7 }
     /^page-switch-cpu-ms/ { print "page-switch-cpu-ms", $3 }
     /^page-switch-phases-ms/ { print "page-switch-controls-ms", $3; print "page-switch-painting-ms", $5 }' \
  "$report" >>"$figures"
rm -f "$report"
h_run "$H_BIN/BareWindow.exe" --report "$(h_winpath "$report")" --bench-repaints "$switches" --close >/dev/null 2>&1 || true
awk '/^repaint-ms/ { print "bare-repaint-ms", $3 }' "$report" >>"$figures"

# --- Private memory: the bare window runs beside the program's tour.
bare_report="$H_TMP/bare-report.txt"
h_start bare "$H_BIN/BareWindow.exe" --report "$(h_winpath "$bare_report")"
bare_pid=$H_PID
h_wait_line "$bare_report" '^first-paint-ms' 60
rm -f "$report"
go="$H_TMP/memory-go"
h_start program "$H_BIN/PerixConfig.exe" --report "$(h_winpath "$report")" --memory-tour "$(h_winpath "$go")"
program_pid=$H_PID
for phase in start pages switches; do
  h_wait_line "$report" "^memory-phase $phase\$" 300
  sleep 2  # let both settle
  echo "program-rss-kb-$phase $(rss_kb "$program_pid")" >>"$figures"
  echo "bare-rss-kb-$phase $(rss_kb "$bare_pid")" >>"$figures"
  touch "$go"
done
for _ in $(seq 100); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.1; done
h_stop "$bare_pid"

python3 - "$figures" "$starts" "$switches" "${PERIX_BENCH_JSON:-}" <<'PY'
import collections, json, statistics, sys
values = collections.defaultdict(list)
for line in open(sys.argv[1]):
    name, value = line.split()
    values[name].append(float(value))
starts, switches, out = int(sys.argv[2]), int(sys.argv[3]), sys.argv[4]
med = lambda name: statistics.median(values[name]) if values[name] else None
program, bare = med("program-first-paint-ms"), med("bare-first-paint-ms")
print(f"start-up to the end of the first paint, median of {len(values['program-first-paint-ms'])} starts each:")
print(f"  PerixConfig.exe {program:7.0f} ms   bare window {bare:7.0f} ms   ratio {program / bare:.2f}")
phases = [n for n in values if n.startswith("phase-")]
print("  where the program's start-up goes (medians, ms): " +
      ", ".join(f"{n[6:]} {med(n):.0f}" for n in phases))
print(f"  reads of Strings.xml during start-up: {sorted(set(int(v) for v in values['string-file-reads']))}")
print(f"page switch with its repaint, median of {switches}: {med('page-switch-ms'):.2f} ms "
      f"(min {med('page-switch-min-ms'):.1f} ms, max {med('page-switch-max-ms'):.1f} ms)   "
      f"bare window repaint {med('bare-repaint-ms'):.2f} ms")
print(f"  per switch (means): the program's own processor time {med('page-switch-cpu-ms'):.2f} ms; "
      f"showing and hiding the controls {med('page-switch-controls-ms'):.2f} ms, "
      f"painting {med('page-switch-painting-ms'):.2f} ms")
print("private memory (RssAnon), program vs bare window at the same moment:")
memory = {}
for phase in ("start", "pages", "switches"):
    p, b = med(f"program-rss-kb-{phase}"), med(f"bare-rss-kb-{phase}")
    memory[phase] = {"program_kb": p, "bare_kb": b}
    print(f"  after {phase:9s} PerixConfig.exe {p / 1024:6.1f} MB   bare window {b / 1024:6.1f} MB   "
          f"difference {(p - b) / 1024:6.1f} MB")
if out:
    json.dump({
        "startup_ms": {"program": program, "bare_window": bare, "ratio": program / bare, "starts": starts,
                       "program_phases": {n[6:]: med(n) for n in phases}},
        "page_switch_ms": {"median": med("page-switch-ms"), "min": med("page-switch-min-ms"),
                           "max": med("page-switch-max-ms"), "switches": switches,
                           "program_cpu_mean": med("page-switch-cpu-ms"),
                           "controls_mean": med("page-switch-controls-ms"),
                           "painting_mean": med("page-switch-painting-ms"),
                           "bare_window_repaint": med("bare-repaint-ms")},
        "private_memory_kb": memory,
    }, open(out, "w"), indent=2)
PY
