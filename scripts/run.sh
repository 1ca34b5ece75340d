#!/usr/bin/env bash
# The main job: builds the utility and shows a configuration with perixctl,
# natively and (the Windows build) under Wine.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/setup.sh

jobs=$(nproc)
cmake --preset linux >/dev/null
cmake --build --preset linux -j "$jobs" --target perixctl
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs" --target perixctl

sample=build/sample/Mouse.ini
mkdir -p build/sample
rm -f "$sample"
build/linux/bin/perixctl reset "$sample"
echo
build/linux/bin/perixctl show "$sample"

source scripts/session.sh
perix_session_start
echo
echo "The same file read by the Windows build, under Wine:"
scripts/wine-run build/windows/bin/perixctl.exe show "Z:$(pwd)/$sample" | tr -d '\r'
