#!/usr/bin/env bash
# End-to-end comparison: tamsel-cli convert of each large file to .tsv and to
# .nsub, timed with /usr/bin/time (wall seconds, peak RSS), beside the readers
# and writers a user might pick instead, where they are installed. Writes a
# Markdown table to bench/RESULTS.md (or $RESULTS).
#
#   bench/compare.sh [BUILD_DIR]     (default build/bench)
#
# RUNS (default 5) runs of each Tamsel command and PEER_RUNS (default 5) of
# each other program; the table gives medians. CASES limits the groups run:
# any of "xlsx inline csv xls write" (default all). Missing files are made
# with bench/generate.sh first.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:-$here/../build/bench}" && pwd)"
data="${TAMSEL_BENCH_DATA:-$here/data}"
results="${RESULTS:-$here/RESULTS.md}"
runs="${RUNS:-5}"
peer_runs="${PEER_RUNS:-5}"
cases="${CASES:-xlsx inline csv xls write}"
cli="$build/src/cli/tamsel-cli"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT

[ -x "$cli" ] || { echo "no tamsel-cli in $build: build the 'bench' preset first" >&2; exit 1; }
[ -e "$data/primers_1m_shared.xlsx" ] && [ -e "$data/primers_65k.xls" ] || "$here/generate.sh" "$build"

have() { command -v "$1" >/dev/null 2>&1; }
have_python() { /usr/bin/python3 -c "import $1" >/dev/null 2>&1; }

rows=()
# measure LABEL RUNS COMMAND...: the median wall time and peak RSS of RUNS runs.
measure() {
  local label="$1" count="$2"
  shift 2
  local times=() rss=() i
  for ((i = 0; i < count; i++)); do
    rm -rf "$out"/*
    if ! /usr/bin/time -f "%e %M" -o "$out.time" "$@" >/dev/null 2>"$out.err"; then
      echo "  $label: failed ($(tail -1 "$out.err"))" >&2
      rows+=("| $label | failed | | |")
      return 1
    fi
    read -r t m <"$out.time"
    times+=("$t")
    rss+=("$m")
  done
  local wall peak
  wall="$(printf '%s\n' "${times[@]}" | sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}')"
  peak="$(printf '%s\n' "${rss[@]}" | sort -g | awk '{a[NR]=$1} END {printf "%.0f", a[int((NR+1)/2)]/1024}')"
  echo "  $label: ${wall} s, ${peak} MB" >&2
  rows+=("| $label | $wall | $peak | $count |")
  last_wall="$wall"
}

section() {
  echo "$1" >&2
  rows+=("" "### $1" "" "| program | wall s (median) | peak RSS MB (median) | runs |" "| --- | ---: | ---: | ---: |")
}

# Reading one workbook: Tamsel, then every installed peer.
read_workbook() {
  local file="$1"
  measure "tamsel-cli convert → .tsv" "$runs" "$cli" convert "$file" "$out/list.tsv"
  tamsel_wall="$last_wall"
  measure "tamsel-cli convert → .nsub" "$runs" "$cli" convert "$file" "$out/list.nsub"
  if have soffice; then
    measure "LibreOffice headless --convert-to csv" "$peer_runs" \
      soffice --headless -env:UserInstallation=file://"$out-lo" --convert-to csv --outdir "$out" "$file" &&
      ratio "LibreOffice" "$last_wall"
  fi
  have ssconvert && measure "gnumeric ssconvert → .csv" "$peer_runs" ssconvert "$file" "$out/list.csv"
  if [[ "$file" == *.xlsx ]]; then
    have_python openpyxl && measure "openpyxl read-only → .tsv" "$peer_runs" \
      /usr/bin/python3 "$here/peers/python_read.py" openpyxl "$file" "$out/list.tsv"
    have_python pandas && have_python openpyxl && measure "pandas read_excel → .tsv" "$peer_runs" \
      /usr/bin/python3 "$here/peers/python_read.py" pandas-excel "$file" "$out/list.tsv"
  else
    have_python xlrd && measure "xlrd → .tsv" "$peer_runs" \
      /usr/bin/python3 "$here/peers/python_read.py" xlrd "$file" "$out/list.tsv" && ratio "xlrd" "$last_wall"
  fi
  [ -d "$here/node_modules/xlsx" ] && have node && measure "SheetJS (node) → .tsv" "$peer_runs" \
    node "$here/peers/sheetjs.js" "$file" "$out/list.tsv"
}

ratio() { rows+=("| *Tamsel → .tsv is $(awk -v a="$2" -v b="$tamsel_wall" 'BEGIN {printf "%.1f", (b > 0 ? a / b : 0)}')× faster than $1* | | | |"); }

for c in $cases; do
  case "$c" in
    xlsx)
      section ".xlsx, 1,000,000 primers, shared strings (xlsxwriter, $(du -m "$data/primers_1m_shared.xlsx" | cut -f1) MB)"
      read_workbook "$data/primers_1m_shared.xlsx" ;;
    inline)
      section ".xlsx, 1,000,000 primers, inline strings (xlsxwriter constant_memory, $(du -m "$data/primers_1m_inline.xlsx" | cut -f1) MB)"
      read_workbook "$data/primers_1m_inline.xlsx"
      section ".xlsx, 1,000,000 primers, written by Tamsel (stored, $(du -m "$data/primers_1m.xlsx" | cut -f1) MB)"
      measure "tamsel-cli convert → .tsv" "$runs" "$cli" convert "$data/primers_1m.xlsx" "$out/list.tsv" ;;
    csv)
      section ".csv, 1,000,000 primers ($(du -m "$data/primers_1m.csv" | cut -f1) MB)"
      measure "tamsel-cli convert → .tsv" "$runs" "$cli" convert "$data/primers_1m.csv" "$out/list.tsv"
      tamsel_wall="$last_wall"
      measure "tamsel-cli convert → .nsub" "$runs" "$cli" convert "$data/primers_1m.csv" "$out/list.nsub"
      have_python pandas && measure "pandas read_csv → .tsv" "$peer_runs" \
        /usr/bin/python3 "$here/peers/python_read.py" pandas-csv "$data/primers_1m.csv" "$out/list.tsv" &&
        ratio "pandas read_csv" "$last_wall"
      section ".nsub, 1,000,000 primers ($(du -m "$data/primers_1m.nsub" | cut -f1) MB)"
      measure "tamsel-cli convert → .tsv" "$runs" "$cli" convert "$data/primers_1m.nsub" "$out/list.tsv" ;;
    xls)
      section ".xls, 65,000 primers (xlwt, $(du -m "$data/primers_65k.xls" | cut -f1) MB)"
      read_workbook "$data/primers_65k.xls" ;;
    write)
      section "Writing 1,000,000 primers (from primers_1m.tsv)"
      measure "tamsel-cli convert → .xlsx" "$runs" "$cli" convert "$data/primers_1m.tsv" "$out/list.xlsx"
      measure "tamsel-cli convert → .nsub" "$runs" "$cli" convert "$data/primers_1m.tsv" "$out/list.nsub"
      measure "tamsel-cli convert → .csv" "$runs" "$cli" convert "$data/primers_1m.tsv" "$out/list.csv"
      [ -x "$build/bench/libxlsxwriter-write" ] && measure "libxlsxwriter (C) → .xlsx" "$peer_runs" \
        "$build/bench/libxlsxwriter-write" "$data/primers_1m.tsv" "$out/list.xlsx"
      have_python xlsxwriter && measure "Python xlsxwriter → .xlsx" "$peer_runs" \
        /usr/bin/python3 "$here/peers/xlsxwriter_write.py" "$data/primers_1m.tsv" "$out/list.xlsx"
      [ -d "$here/node_modules/xlsx" ] && have node && measure "SheetJS (node) → .xlsx" "$peer_runs" \
        node "$here/peers/sheetjs.js" "$data/primers_1m.tsv" "$out/list.xlsx"
      have soffice && measure "LibreOffice headless --convert-to xlsx" "$peer_runs" \
        soffice --headless -env:UserInstallation=file://"$out-lo" --convert-to xlsx --outdir "$out" \
        "$data/primers_1m.csv" ;;
  esac
done
rm -rf "$out-lo" "$out.time" "$out.err"

{
  echo "# Benchmark results"
  echo
  echo "Made by \`bench/compare.sh\` on $(date -u '+%Y-%m-%d %H:%M UTC'). Each figure is the median of the runs"
  echo "given, timed with \`/usr/bin/time\` (wall seconds, maximum resident set size)."
  echo
  echo "- Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(free -g | awk '/Mem:/ {print $2}') GB memory"
  echo "- Load average at the end of the run: $(cut -d' ' -f1-3 /proc/loadavg)"
  echo "- Tamsel: $(git -C "$here/.." rev-parse --short HEAD 2>/dev/null), Release build in \`$(basename "$build")\`"
  echo "- Memory of the 1,000,000-primer list itself: $(awk '/heap_bytes/ {printf "%.0f MB", $2/1048576}' "$data/primers_1m.size" 2>/dev/null) (entries and string heap; $(awk '/text_bytes/ {printf "%.0f MB", $2/1048576}' "$data/primers_1m.size" 2>/dev/null) of text)"
  printf '%s\n' "${rows[@]}"
} >"$results"
echo "wrote $results" >&2
