#!/usr/bin/env bash
# Runs the libFuzzer targets one after another (never side by side: the
# machine is shared) and prints, per target, the runs, the coverage reached
# and whether anything was found.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]   # default: 20 s each, every target
#   scripts/fuzz.sh 600 ini                 # ten minutes of the INI document
#   scripts/fuzz.sh --cpu 600               # ten CPU-minutes of each target
#
# With --cpu the budget is the CPU time of each fuzzer rather than the wall
# clock, and the targets run side by side at the lowest priority: on a busy
# machine they take only what is idle, and each still gets its full share.
#
# Targets: markup ini config macro profile. Each starts from its committed
# seed corpus plus what earlier runs found (build/linux-fuzz/corpus/NAME).
# A finding is saved as build/linux-fuzz/NAME-crash-... and fails the script;
# reproduce it with build/linux-fuzz/bin/NAME_fuzzer FILE.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
cpu_budget=0
if [ "${1:-}" = --cpu ]; then
  cpu_budget=1
  shift
fi
seconds=${1:-20}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(markup ini config macro profile)

bin=build/linux-fuzz/bin
ticks=$(getconf CLK_TCK)

# CPU seconds used so far by process PID (user + system).
cpu_of() {  # PID
  awk -v t="$ticks" '{printf "%d", ($14 + $15) / t}' "/proc/$1/stat" 2>/dev/null
}

fuzz_one() {  # NAME
  local name=$1 seeds dict max_len work log pid rc cpu runs last cov
  case $name in
    markup) seeds=tests/data/markup/corpus dict=tests/fuzz/markup.dict max_len=4096 ;;
    ini) seeds=tests/data/fuzz/ini dict=tests/fuzz/ini.dict max_len=4096 ;;
    # A whole settings file is 50 KB; a few KB (longer seeds are cut) keep
    # the runs fast enough to matter.
    config | profile) seeds=tests/data/fuzz/$name dict=tests/fuzz/ini.dict max_len=6000 ;;
    macro) seeds=tests/data/fuzz/$name dict=tests/fuzz/ini.dict max_len=4096 ;;
    *) echo "fuzz.sh: no target named $name" >&2; return 2 ;;
  esac
  work=build/linux-fuzz/corpus/$name
  # Long runs keep their own log, so a short run beside them leaves it be.
  log=build/linux-fuzz/$name$([ $cpu_budget = 1 ] && echo -cpu).log
  mkdir -p "$work"
  local limit=$seconds
  [ $cpu_budget = 1 ] && limit=0  # no wall-clock limit; stopped below
  nice -n 19 "$bin/${name}_fuzzer" -dict="$dict" -max_total_time="$limit" -max_len="$max_len" -timeout=20 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="build/linux-fuzz/$name-" "$work" "$seeds" \
    >"$log" 2>&1 &
  pid=$!
  cpu=0
  while kill -0 "$pid" 2>/dev/null; do
    cpu=$(cpu_of "$pid") || true
    if [ $cpu_budget = 1 ] && [ "${cpu:-0}" -ge "$seconds" ]; then
      # libFuzzer prints its final statistics when interrupted.
      kill -INT "$pid" 2>/dev/null
      break
    fi
    sleep 2
  done
  wait "$pid"
  rc=$?
  # 72: interrupted at the end of the CPU budget, which is a clean end.
  if [ $rc = 0 ] || { [ $cpu_budget = 1 ] && [ $rc = 72 ]; }; then
    runs=$(grep -E '^stat::number_of_executed_units' "$log" | awk '{print $2}')
    last=$(grep -E '^#[0-9]+[[:space:]]+(DONE|REDUCE|NEW|pulse|INITED)' "$log" | tail -n 1)
    cov=$(sed -nE 's/.* cov: ([0-9]+) ft: ([0-9]+) corp: ([0-9]+).*/cov \1, features \2, corpus \3/p' <<<"$last")
    echo "fuzz $name: ${cpu:-?} s of CPU$([ $cpu_budget = 1 ] || echo " in ${seconds} s"), ${runs:-?} runs, ${cov:-no coverage line}, no findings"
    return 0
  fi
  tail -n 40 "$log"
  echo "fuzz $name: FAILED after ${cpu:-?} s of CPU, input saved as build/linux-fuzz/$name-* (log $log)"
  return 1
}

status=0
if [ $cpu_budget = 1 ]; then
  pids=()
  for name in "${targets[@]}"; do
    fuzz_one "$name" >"build/linux-fuzz/$name.result" &
    pids+=($!)
  done
  for pid in "${pids[@]}"; do wait "$pid" || status=1; done
  for name in "${targets[@]}"; do cat "build/linux-fuzz/$name.result"; done
else
  for name in "${targets[@]}"; do fuzz_one "$name" || status=1; done
fi
exit $status
