#!/usr/bin/env bash
# End-to-end comparison: tamsel-cli convert of each large file to .tsv and to
# .nsub, timed with /usr/bin/time (wall seconds, peak RSS), beside the readers
# and writers a user might pick instead, where they are installed, and beside
# the floor programs (floor_xlsx, floor_csv: the least work any reader of the
# file must do). Writes a Markdown table to bench/RESULTS.md (or $RESULTS).
#
#   bench/compare.sh [BUILD_DIR]     (default build/bench)
#
# RUNS (default 5) runs of each Tamsel command, PEER_RUNS (default 5) of the
# programs whose ratio a target names closely (LibreOffice reading, xlrd,
# libxlsxwriter) and SLOW_RUNS (default PEER_RUNS) of the
# others; the table gives medians, with the CPU seconds (user + system) of the
# median run beside the wall time, since a shared machine's load stretches
# wall times. CASES limits the groups run: any of "xlsx inline csv xls write"
# (default all). Missing files are made with bench/generate.sh first.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:-$here/../build/bench}" && pwd)"
data="${TAMSEL_BENCH_DATA:-$here/data}"
results="${RESULTS:-$here/RESULTS.md}"
runs="${RUNS:-5}"
peer_runs="${PEER_RUNS:-5}"
slow_runs="${SLOW_RUNS:-$peer_runs}"
cases="${CASES:-xlsx inline csv xls write}"
cli="$build/src/cli/tamsel-cli"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT

[ -x "$cli" ] || { echo "no tamsel-cli in $build: build the 'bench' preset first" >&2; exit 1; }
[ -e "$data/primers_1m_shared.xlsx" ] && [ -e "$data/primers_65k.xls" ] || "$here/generate.sh" "$build"

have() { command -v "$1" >/dev/null 2>&1; }
have_python() { /usr/bin/python3 -c "import $1" >/dev/null 2>&1; }

rows=()
start_load="$(cut -d' ' -f1-3 /proc/loadavg)"
# measure LABEL RUNS COMMAND...: the median wall time and peak RSS of RUNS runs.
measure() {
  local label="$1" count="$2"
  shift 2
  local samples=() rss=() i
  for ((i = 0; i < count; i++)); do
    rm -rf "$out"/*
    if ! /usr/bin/time -f "%e %M %U %S" -o "$out.time" "$@" >/dev/null 2>"$out.err"; then
      echo "  $label: failed ($(tail -1 "$out.err"))" >&2
      rows+=("| $label | failed | | | |")
      return 1
    fi
    read -r t m u s <"$out.time"
    samples+=("$t $(awk -v u="$u" -v s="$s" 'BEGIN {printf "%.2f", u + s}')")
    rss+=("$m")
  done
  local wall cpu peak
  read -r wall cpu <<<"$(printf '%s\n' "${samples[@]}" | sort -g | awk '{w[NR]=$1; c[NR]=$2} END {m=int((NR+1)/2); print w[m], c[m]}')"
  peak="$(printf '%s\n' "${rss[@]}" | sort -g | awk '{a[NR]=$1} END {printf "%.0f", a[int((NR+1)/2)]/1024}')"
  echo "  $label: ${wall} s (CPU ${cpu} s), ${peak} MB" >&2
  rows+=("| $label | $wall | $cpu | $peak | $count |")
  last_wall="$wall"
  last_cpu="$cpu"
}

section() {
  echo "$1" >&2
  rows+=("" "### $1" "" "| program | wall s (median) | CPU s | peak RSS MB (median) | runs |" "| --- | ---: | ---: | ---: | ---: |")
}

# Reading one workbook: Tamsel, then the installed peers (the Python readers
# only when the second argument is "all").
read_workbook() {
  local file="$1" which="${2:-all}"
  measure "tamsel-cli convert → .tsv" "$runs" "$cli" convert "$file" "$out/list.tsv"
  tamsel_wall="$last_wall"
  tamsel_cpu="$last_cpu"
  measure "tamsel-cli convert → .nsub" "$runs" "$cli" convert "$file" "$out/list.nsub"
  [[ "$file" == *.xlsx ]] && floor "$xlsx_floor" floor_xlsx "$file"
  if have soffice; then
    measure "LibreOffice headless --convert-to csv" "$peer_runs" \
      soffice --headless -env:UserInstallation=file://"$out-lo" --convert-to csv --outdir "$out" "$file" &&
      ratio "LibreOffice"
  fi
  have ssconvert && measure "gnumeric ssconvert → .csv" "$slow_runs" ssconvert "$file" "$out/list.csv"
  if [[ "$file" == *.xlsx && "$which" == all ]]; then
    have_python openpyxl && measure "openpyxl read-only → .tsv" "$slow_runs" \
      /usr/bin/python3 "$here/peers/python_read.py" openpyxl "$file" "$out/list.tsv"
    have_python pandas && have_python openpyxl && measure "pandas read_excel → .tsv" "$slow_runs" \
      /usr/bin/python3 "$here/peers/python_read.py" pandas-excel "$file" "$out/list.tsv"
  elif [[ "$file" == *.xls ]]; then
    have_python xlrd && measure "xlrd → .tsv" "$peer_runs" \
      /usr/bin/python3 "$here/peers/python_read.py" xlrd "$file" "$out/list.tsv" && ratio "xlrd"
  fi
  [ -d "$here/node_modules/xlsx" ] && have node && measure "SheetJS (node) → .tsv" "$slow_runs" \
    node "$here/peers/sheetjs.js" "$file" "$out/list.tsv"
  return 0
}

# ratio NAME: how much faster the last Tamsel figure is than the last peer's.
ratio() {
  local factor cpu_factor
  factor="$(awk -v a="$last_wall" -v b="$tamsel_wall" 'BEGIN {printf "%.1f", (b > 0 ? a / b : 0)}')"
  cpu_factor="$(awk -v a="$last_cpu" -v b="$tamsel_cpu" 'BEGIN {printf "%.1f", (b > 0 ? a / b : 0)}')"
  rows+=("| *Tamsel is ${factor}× faster than $1 (CPU: ${cpu_factor}×)* | | | | |")
}

# floor LABEL PROGRAM FILE: the floor program's figures, and how many times
# the floor's time the last Tamsel conversion to .tsv takes.
xlsx_floor='read + libdeflate inflate + memchr over every `<`'
floor() {
  local program="$build/bench/$2" factor cpu_factor
  [ -x "$program" ] || { echo "  no $2 in $build/bench: build the 'bench' preset" >&2; return 0; }
  measure "floor: $1" "$runs" "$program" "$3" || return 0
  factor="$(awk -v t="$tamsel_wall" -v f="$last_wall" 'BEGIN {printf "%.1f", (f > 0 ? t / f : 0)}')"
  cpu_factor="$(awk -v t="$tamsel_cpu" -v f="$last_cpu" 'BEGIN {printf "%.1f", (f > 0 ? t / f : 0)}')"
  rows+=("| *Tamsel is ${factor}× the floor (CPU: ${cpu_factor}×)* | | | | |")
}

for c in $cases; do
  case "$c" in
    xlsx)
      section ".xlsx, 1,000,000 primers, shared strings (xlsxwriter, $(du -m "$data/primers_1m_shared.xlsx" | cut -f1) MB)"
      read_workbook "$data/primers_1m_shared.xlsx" ;;
    inline)
      section ".xlsx, 1,000,000 primers, inline strings (xlsxwriter constant_memory, $(du -m "$data/primers_1m_inline.xlsx" | cut -f1) MB)"
      read_workbook "$data/primers_1m_inline.xlsx" tamsel-and-programs
      section ".xlsx, 1,000,000 primers, written by Tamsel (stored, $(du -m "$data/primers_1m.xlsx" | cut -f1) MB)"
      measure "tamsel-cli convert → .tsv" "$runs" "$cli" convert "$data/primers_1m.xlsx" "$out/list.tsv" &&
        tamsel_wall="$last_wall" tamsel_cpu="$last_cpu" floor "$xlsx_floor" floor_xlsx "$data/primers_1m.xlsx" ;;
    csv)
      section ".csv, 1,000,000 primers ($(du -m "$data/primers_1m.csv" | cut -f1) MB)"
      measure "tamsel-cli convert → .tsv" "$runs" "$cli" convert "$data/primers_1m.csv" "$out/list.tsv"
      tamsel_wall="$last_wall"
      tamsel_cpu="$last_cpu"
      measure "tamsel-cli convert → .nsub" "$runs" "$cli" convert "$data/primers_1m.csv" "$out/list.nsub"
      floor "read + find every field + copy every cell" floor_csv "$data/primers_1m.csv"
      have_python pandas && measure "pandas read_csv → .tsv" "$peer_runs" \
        /usr/bin/python3 "$here/peers/python_read.py" pandas-csv "$data/primers_1m.csv" "$out/list.tsv" &&
        ratio "pandas read_csv"
      section ".nsub, 1,000,000 primers ($(du -m "$data/primers_1m.nsub" | cut -f1) MB)"
      measure "tamsel-cli convert → .tsv" "$runs" "$cli" convert "$data/primers_1m.nsub" "$out/list.tsv" ;;
    xls)
      section ".xls, 65,000 primers (xlwt, $(du -m "$data/primers_65k.xls" | cut -f1) MB)"
      read_workbook "$data/primers_65k.xls" ;;
    write)
      section "Writing 1,000,000 primers (from primers_1m.tsv)"
      measure "tamsel-cli convert → .xlsx" "$runs" "$cli" convert "$data/primers_1m.tsv" "$out/list.xlsx"
      xlsx_wall="$last_wall" xlsx_cpu="$last_cpu"
      measure "tamsel-cli convert → .nsub" "$runs" "$cli" convert "$data/primers_1m.tsv" "$out/list.nsub"
      nsub_wall="$last_wall" nsub_cpu="$last_cpu"
      measure "tamsel-cli convert → .csv" "$runs" "$cli" convert "$data/primers_1m.tsv" "$out/list.csv"
      if [ -x "$build/bench/libxlsxwriter-write" ] &&
        measure "libxlsxwriter (C) → .xlsx" "$peer_runs" "$build/bench/libxlsxwriter-write" "$data/primers_1m.tsv" \
          "$out/list.xlsx"; then
        tamsel_wall="$xlsx_wall" tamsel_cpu="$xlsx_cpu" ratio "libxlsxwriter, for .xlsx"
        tamsel_wall="$nsub_wall" tamsel_cpu="$nsub_cpu" ratio "libxlsxwriter, for .nsub"
      fi
      if have_python xlsxwriter && measure "Python xlsxwriter → .xlsx" "$slow_runs" \
        /usr/bin/python3 "$here/peers/xlsxwriter_write.py" "$data/primers_1m.tsv" "$out/list.xlsx"; then
        tamsel_wall="$xlsx_wall" tamsel_cpu="$xlsx_cpu" ratio "Python xlsxwriter, for .xlsx"
        tamsel_wall="$nsub_wall" tamsel_cpu="$nsub_cpu" ratio "Python xlsxwriter, for .nsub"
      fi
      [ -d "$here/node_modules/xlsx" ] && have node && measure "SheetJS (node) → .xlsx" "$slow_runs" \
        node "$here/peers/sheetjs.js" "$data/primers_1m.tsv" "$out/list.xlsx"
      have soffice && measure "LibreOffice headless --convert-to xlsx" "$slow_runs" \
        soffice --headless -env:UserInstallation=file://"$out-lo" --convert-to xlsx --outdir "$out" \
        "$data/primers_1m.csv" ;;
  esac
done
rm -rf "$out-lo" "$out.time" "$out.err"

{
  echo "# Benchmark results"
  echo
  echo "Made by \`bench/compare.sh\` on $(date -u '+%Y-%m-%d %H:%M UTC'). Each figure is the median of the runs"
  echo "given, timed with \`/usr/bin/time\` (wall seconds, user + system CPU seconds of the median run,"
  echo "maximum resident set size). On a shared machine the load stretches wall times; CPU seconds stretch less."
  echo
  echo "- Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(free -g | awk '/Mem:/ {print $2}') GB memory"
  echo "- Load average at the start of the run: $start_load; at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
  echo "- Tamsel: $(git -C "$here/.." rev-parse --short HEAD 2>/dev/null), Release build in \`$(basename "$build")\`"
  echo "- Memory of the 1,000,000-primer list itself: $(awk '/heap_bytes/ {printf "%.0f MB", $2/1048576}' "$data/primers_1m.size" 2>/dev/null) (its table and text blocks; $(awk '/text_bytes/ {printf "%.0f MB", $2/1048576}' "$data/primers_1m.size" 2>/dev/null) of text)"
  printf '%s\n' "${rows[@]}"
} >"$results"
echo "wrote $results" >&2
