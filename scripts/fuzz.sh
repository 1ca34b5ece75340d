#!/usr/bin/env bash
# Runs the libFuzzer targets one after another (never side by side: the
# machine is shared) and prints, per target, the runs, the coverage reached
# and whether anything was found.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]   # default: 20 s each, every target
#   scripts/fuzz.sh 600 ini                 # ten minutes of the INI document
#
# Targets: markup ini config macro profile. Each starts from its committed
# seed corpus plus what earlier runs found (build/linux-fuzz/corpus/NAME).
# A finding is saved as build/linux-fuzz/NAME-crash-... and fails the script;
# reproduce it with build/linux-fuzz/bin/NAME_fuzzer FILE.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
seconds=${1:-20}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(markup ini config macro profile)

bin=build/linux-fuzz/bin
status=0
for name in "${targets[@]}"; do
  case $name in
    markup) seeds=tests/data/markup/corpus dict=tests/fuzz/markup.dict max_len=4096 ;;
    ini) seeds=tests/data/fuzz/ini dict=tests/fuzz/ini.dict max_len=4096 ;;
    # A whole settings file is 50 KB; a few KB (longer seeds are cut) keep
    # the runs fast enough to matter.
    config | profile) seeds=tests/data/fuzz/$name dict=tests/fuzz/ini.dict max_len=6000 ;;
    macro) seeds=tests/data/fuzz/$name dict=tests/fuzz/ini.dict max_len=4096 ;;
    *) echo "fuzz.sh: no target named $name" >&2; exit 2 ;;
  esac
  work=build/linux-fuzz/corpus/$name
  log=build/linux-fuzz/$name.log
  mkdir -p "$work"
  # CPU seconds used, which on a shared machine fall short of the wall time.
  TIMEFORMAT=%U+%S
  if { time nice "$bin/${name}_fuzzer" -dict="$dict" -max_total_time="$seconds" -max_len="$max_len" -timeout=20 \
         -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="build/linux-fuzz/$name-" "$work" "$seeds" \
         >"$log" 2>&1; } 2>"$log.time"; then
    cpu=$(awk -F+ '{printf "%d", $1 + $2}' "$log.time")
    runs=$(grep -E '^stat::number_of_executed_units' "$log" | awk '{print $2}')
    done_line=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n 1)
    cov=$(sed -nE 's/.* cov: ([0-9]+) ft: ([0-9]+) corp: ([0-9]+).*/cov \1, features \2, corpus \3/p' <<<"$done_line")
    echo "fuzz $name: ${seconds} s (${cpu} s of CPU), ${runs:-?} runs, ${cov:-no coverage line}, no findings"
  else
    status=1
    tail -n 40 "$log"
    echo "fuzz $name: FAILED after ${seconds} s, input saved as build/linux-fuzz/$name-* (log $log)"
  fi
done
exit $status
