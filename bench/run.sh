#!/usr/bin/env bash
# Installs what is missing, builds optimised, and measures: the calculation's speed (medians of
# nine repetitions; Calculate must stay under 1 µs a call, and within twice the floor of one
# calculation's unavoidable work in each regime), the level table's (limits below), the
# program's start-up time and memory against a bare Qt window (within 1.10 times), and the 容量表
# window's start-up (within 1.3 times), table and PDF. Exits non-zero when a target is missed.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh bench
cmake --preset bench >/dev/null
cmake --build --preset bench --parallel "$(nproc)"
out=build/bench/bench

"$out/calc_bench" --benchmark_repetitions=9 --benchmark_report_aggregates_only=true \
    --benchmark_out="$out/calc_bench.json" --benchmark_out_format=json |
    grep -E '^(Benchmark|-|BM_.*_median)'
python3 - "$out/calc_bench.json" <<'PY'
import json, sys
rows = json.load(open(sys.argv[1]))["benchmarks"]
median = {r["run_name"]: r["real_time"] for r in rows if r.get("aggregate_name") == "median"}
slow = [n for n, t in median.items() if n.startswith("BM_Calculate") and t >= 1000]
print("Calculate: every median under 1 µs" if not slow else f"FAIL: over 1 µs: {slow}")
floor = median["BM_Floor"]
over = []
for regime in ("lower", "half", "upper", "full"):
    t = median[f"BM_Calculate/{regime}"]
    print(f"Calculate/{regime}: {t:.0f} ns, floor {floor:.0f} ns, ratio {t / floor:.2f}")
    if t > 2 * floor:
        over.append(regime)
if over:
    print(f"FAIL: more than twice the floor: {over}")
sys.exit(1 if slow or over else 0)
PY

"$out/table_bench" --benchmark_repetitions=9 --benchmark_report_aggregates_only=true \
    --benchmark_out="$out/table_bench.json" --benchmark_out_format=json |
    grep -E '^(Benchmark|-|BM_.*_median)'
python3 - "$out/table_bench.json" <<'PY'
import json, sys
# Limits in nanoseconds: the 4,001-row table built, written as CSV and as xlsx; one inverse query.
limits = {"BM_MakeLevelTable": 5e6, "BM_WriteCsv": 20e6, "BM_WriteXlsx": 200e6, "BM_LevelFor": 50e3}
scale = {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}
rows = json.load(open(sys.argv[1]))["benchmarks"]
slow = [r["run_name"] for r in rows if r.get("aggregate_name") == "median"
        and r["real_time"] * scale[r["time_unit"]] > limits[r["run_name"].split("/")[0]]]
print("Level table: every median within its limit" if not slow else f"FAIL: too slow: {slow}")
sys.exit(1 if slow else 0)
PY

python3 bench/startup.py "$out/startup_probe" "$out/bare_window" 31

# The 容量表 window: start-up within 1.3 times the bare window, a 1 mm table of Di 4000 made and
# shown within 100 ms, a 40-page PDF within 2 s.
python3 bench/startup.py "$out/table_startup_probe" "$out/bare_window" 31 1.3
QT_QPA_PLATFORM=offscreen "$out/table_window_bench"
