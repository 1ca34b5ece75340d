#!/usr/bin/env bash
# Builds everything and runs every test: the core natively, the core and the
# Windows program under Wine. Installs what is missing first.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/setup.sh

jobs=$(nproc)
cmake --preset linux >/dev/null
cmake --build --preset linux -j "$jobs"
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"
# The core reads files from outside (settings, profiles, macros, the string
# file): its tests run again under AddressSanitizer and UndefinedBehavior-
# Sanitizer, and the readers of outside files are fuzzed briefly.
cmake --preset linux-asan >/dev/null
cmake --build --preset linux-asan -j "$jobs" --target perix_core_tests perix_tool_tests perixctl macro_save
cmake --preset linux-fuzz >/dev/null
cmake --build --preset linux-fuzz -j "$jobs"

source scripts/session.sh
perix_session_start

status=0
summary=()
run_ctest() {
  local name=$1; shift
  local log="build/ctest-$name.log"
  if ctest --test-dir "build/$name" --output-on-failure "$@" 2>&1 | tee "$log"; then :; else status=1; fi
  summary+=("$name: $(grep -E "tests passed|tests failed" "$log" | tail -n 1 || true)")
}
run_ctest linux -j "$jobs"
run_ctest windows -j "$jobs"
run_ctest linux-asan -j "$jobs"

# Each fuzz target briefly (about two minutes in all); scripts/fuzz.sh with a
# longer time runs them by hand.
fuzz_log=build/fuzz.log
if scripts/fuzz.sh 20 >"$fuzz_log" 2>&1; then :; else status=1; tail -n 60 "$fuzz_log"; fi
while IFS= read -r line; do summary+=("$line"); done < <(grep -E '^fuzz ' "$fuzz_log")

echo
echo "== Summary"
printf '%s\n' "${summary[@]}"
exit $status
