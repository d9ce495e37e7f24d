#!/usr/bin/env bash
# Runs the Google Benchmark programs on the 1,000,000-primer lists (the
# .xls program on its 65,000 rows), five repetitions each, and writes the
# medians as a Markdown table to bench/GOOGLE_BENCHMARK.md (or $OUTPUT).
#   bench/google_benchmarks.sh [BUILD_DIR]     (default build/bench)
# FILTER narrows the benchmarks (a regular expression, as --benchmark_filter).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:-$here/../build/bench}" && pwd)"
output="${OUTPUT:-$here/GOOGLE_BENCHMARK.md}"
repetitions="${REPETITIONS:-5}"
json="$(mktemp -d)"
trap 'rm -rf "$json"' EXIT

run() {
  local program="$1" filter="$2"
  "$build/bench/$program" --benchmark_filter="${FILTER:-$filter}" --benchmark_repetitions="$repetitions" \
    --benchmark_report_aggregates_only=true --benchmark_format=json >"$json/$program.json"
}
run bench_xlsx '/1m_shared|/1m_inline|BM_XLSXWrite/1000000'
run bench_text 'primers:1000000'
run bench_nsub '1000000'
run bench_xls '.'
run bench_properties '/1000000'

/usr/bin/python3 - "$json" "$output" <<'PY'
import json, os, sys
folder, output = sys.argv[1:3]
lines = ["# Google Benchmark medians", "",
         "Made by `bench/google_benchmarks.sh`: bytes in memory, medians of the repetitions, CPU time "
         "(the machine is shared; wall time is given beside it).", ""]
context = None
rows = []
for name in sorted(os.listdir(folder)):
    data = json.load(open(os.path.join(folder, name)))
    context = context or data["context"]
    for b in data["benchmarks"]:
        if b.get("aggregate_name") != "median":
            continue
        mbps = b.get("bytes_per_second", 0) / 1e6
        pps = b.get("primers/s", 0) / 1e6
        rows.append(f"| {b['run_name']} | {b['cpu_time']:.1f} | {b['real_time']:.1f} | {mbps:.0f} | {pps:.2f} |")
lines.append(f"- {context['num_cpus']} CPUs at {context['mhz_per_cpu']} MHz; load average "
             f"{', '.join(f'{x:.2f}' for x in context.get('load_avg', []))} at the start; {context['date']}")
lines += ["", "| benchmark | CPU ms | wall ms | MB/s (CPU) | million primers/s (CPU) |", "| --- | ---: | ---: | ---: | ---: |"]
lines += rows
open(output, "w").write("\n".join(lines) + "\n")
PY
echo "wrote $output" >&2
