#!/usr/bin/env bash
# Makes the benchmark files in bench/data (or $TAMSEL_BENCH_DATA):
#   generate.sh [BUILD_DIR]      (default build/bench)
# Tamsel's writers give .csv, .tsv, .nsub and .xlsx of 10k, 100k and 1m
# primers (and a 65k list for .xls); Python's xlsxwriter and xlwt give the
# shared-string and inline-string workbooks and the .xls file.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="${1:-$here/../build/bench}"
data="${TAMSEL_BENCH_DATA:-$here/data}"
mkdir -p "$data"

if [ ! -e "$data/primers_1m.xlsx" ]; then
  "$build/bench/tamsel-bench-generate" "$data" 10000 100000 1000000 65000
fi
/usr/bin/python3 "$here/peers/write_workbooks.py" "$data"
ls -l "$data"
