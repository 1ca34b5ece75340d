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

echo
echo "== Summary"
printf '%s\n' "${summary[@]}"
exit $status
