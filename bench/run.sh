#!/usr/bin/env bash
# Every figure of the product beside its anchor, in one run:
#   - start-up to the end of the first paint, PerixConfig.exe vs a bare
#     900 x 680 window (median of STARTS starts each), and where the
#     program's start-up goes;
#   - page switch with its repaint (median of SWITCHES), beside the bare
#     window's repaint;
#   - private memory (RssAnon) of the program vs the bare window after start,
#     after visiting every page and after a thousand page switches;
#   - SaveConfig and LoadConfig vs kernel32's profile functions key by key
#     (under Wine);
#   - the markup reader vs pugixml (natively);
#   - the sizes of PerixConfig.exe and KBHook.dll.
# It builds what it needs (linux and windows presets), prints the figures and
# writes them as JSON to build/bench/results.json. Nothing here asserts a
# time: the figures are for reading, each beside the anchor of the same run.
#
#   bench/run.sh [STARTS [SWITCHES]]      (defaults 12 and 400)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
starts=${1:-12}
switches=${2:-400}
out_dir="$root/build/bench"
mkdir -p "$out_dir"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

export CCACHE_DIR="${CCACHE_DIR:-/work/.ccache}" CCACHE_BASEDIR="${CCACHE_BASEDIR:-/work}"
launchers=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
command -v ccache >/dev/null || launchers=()
for preset in linux windows; do
  [ -f "build/$preset/CMakeCache.txt" ] || cmake --preset "$preset" "${launchers[@]}" >/dev/null
done
echo "building..." >&2
cmake --build --preset linux -j2 --target markup_bench >/dev/null
cmake --build --preset windows -j2 --target perix_app BareWindow KBHook perix_bench_store_wine >/dev/null

bin="$root/build/windows/bin"
export PERIX_BIN="$bin"
# A display and a resident Wine server for the whole run (ended on exit).
source "$root/scripts/session.sh"
perix_session_start
trap 'rm -rf "$work"; perix_session_end' EXIT

echo "== PerixConfig.exe beside a bare window (under Wine) =="
PERIX_BENCH_JSON="$work/app.json" bash "$root/bench/app/app_bench.sh" "$starts" "$switches"

echo "== The settings store beside kernel32's profile functions (under Wine) =="
"$root/scripts/wine-run" "$bin/perix_bench_store_wine.exe" 41 | tr -d '\r' | tee "$work/store.txt"

echo "== The markup reader beside pugixml (native) =="
"$root/build/linux/bin/markup_bench" --benchmark_min_time=0.3 --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true --benchmark_format=json \
  --benchmark_out="$work/markup.json" --benchmark_out_format=json >/dev/null

python3 - "$work" "$bin" "$out_dir/results.json" <<'PY'
import json, os, re, sys
work, bin_dir, out = sys.argv[1:]
results = json.load(open(os.path.join(work, "app.json")))

store = {}
for line in open(os.path.join(work, "store.txt")):
    m = re.match(r"(SaveConfig|LoadConfig)\s+store\s+([\d.]+) ms\s+kernel32 key by key\s+([\d.]+) ms", line)
    if m:
        store[m.group(1)] = {"store_ms": float(m.group(2)), "kernel32_ms": float(m.group(3)),
                             "ratio": float(m.group(3)) / float(m.group(2))}
results["settings_store_ms"] = store

markup = {}
for b in json.load(open(os.path.join(work, "markup.json")))["benchmarks"]:
    if b.get("aggregate_name", "median") != "median":
        continue
    name, _, size = b["run_name"].partition("/")
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b.get("time_unit", "ns")]
    markup.setdefault(size, {})[name] = b["real_time"] * scale
print("markup reader vs pugixml (median of 5, ms per load of the generated string table):")
for size, times in markup.items():
    for ours, theirs in (("ReaderLoad", "PugiLoad"), ("ReaderLoadAndWalk", "PugiLoadAndWalk")):
        if ours in times and theirs in times:
            print(f"  size {size:>3} {ours:18s} {times[ours]:8.3f} ms   pugixml {times[theirs]:8.3f} ms   "
                  f"ratio {times[ours] / times[theirs]:.2f}")
results["markup_ms"] = markup

sizes = {name: os.path.getsize(os.path.join(bin_dir, name)) for name in ("PerixConfig.exe", "KBHook.dll", "BareWindow.exe")}
print("sizes: " + ", ".join(f"{n} {s / 1024:.1f} KB" for n, s in sizes.items()))
results["sizes_bytes"] = sizes

json.dump(results, open(out, "w"), indent=2)
print(f"written to {out}")
PY
