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
# Sanitizer, and the markup reader is fuzzed briefly.
cmake --preset linux-asan >/dev/null
cmake --build --preset linux-asan -j "$jobs" --target perix_core_tests perixctl
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

fuzz_log=build/fuzz-markup.log
mkdir -p build/linux-fuzz/corpus
if build/linux-fuzz/bin/markup_fuzzer -dict=tests/fuzz/markup.dict -max_total_time=45 -max_len=4096 -timeout=10 \
     -artifact_prefix=build/linux-fuzz/ build/linux-fuzz/corpus tests/data/markup/corpus >"$fuzz_log" 2>&1; then
  summary+=("fuzz markup: $(grep -E '^#[0-9]+[[:space:]]+DONE' "$fuzz_log" | tail -n 1)")
else
  status=1
  tail -n 60 "$fuzz_log"
  summary+=("fuzz markup: FAILED, input saved in build/linux-fuzz/ (log $fuzz_log)")
fi

echo
echo "== Summary"
printf '%s\n' "${summary[@]}"
exit $status
