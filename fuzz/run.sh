#!/usr/bin/env bash
# Runs one libFuzzer target for a while: fuzz/run.sh TARGET SECONDS [libFuzzer flags...]
#
# TARGET is the name without "_fuzzer" (nsub, csv, tsv, semicolon, xls, zip,
# xlsx, xlsx_import, shared_strings, sheet, fasta, bed, ods, roundtrip,
# xml_tokenizer_diff, xml_pieces). Builds the target first when needed (preset "fuzz", or the
# folder in TAMSEL_FUZZ_BUILD_DIR). New inputs
# go to the working corpus fuzz/corpus-TARGET/ (not committed); the committed
# seeds in fuzz/seeds/TARGET/ are read, never written. Findings land in fuzz/
# as crash-*, leak-* or timeout-* files.
set -euo pipefail

if [ $# -lt 2 ]; then
  echo "usage: $0 TARGET SECONDS [libFuzzer flags...]" >&2
  exit 2
fi
target=$1
seconds=$2
shift 2

fuzz_dir=$(cd "$(dirname "$0")" && pwd)
source_dir=$(dirname "$fuzz_dir")
build_dir=${TAMSEL_FUZZ_BUILD_DIR:-$source_dir/build/fuzz}
# The target runs from fuzz/, so a relative build folder is resolved first.
mkdir -p "$build_dir"
build_dir=$(cd "$build_dir" && pwd)
binary=$build_dir/fuzz/${target}_fuzzer

if [ ! -f "$fuzz_dir/${target}_fuzzer.cpp" ]; then
  echo "$0: no fuzz target '$target' (fuzz/${target}_fuzzer.cpp)" >&2
  exit 2
fi

if [ ! -f "$build_dir/CMakeCache.txt" ]; then
  (cd "$source_dir" && cmake --preset fuzz -B "$build_dir")
fi
cmake --build "$build_dir" -j "${TAMSEL_FUZZ_JOBS:-2}" --target "${target}_fuzzer"

corpus=$fuzz_dir/corpus-$target
mkdir -p "$corpus"
seeds=()
[ -d "$fuzz_dir/seeds/$target" ] && seeds+=("$fuzz_dir/seeds/$target")
# The import of workbooks starts from the workbook reader's seeds.
[ "$target" = xlsx_import ] && seeds+=("$fuzz_dir/seeds/xlsx")

# The text targets share one dictionary, the XML handlers another, the two
# tokenizer targets a third.
case $target in
  csv | tsv | semicolon) dict=$fuzz_dir/text.dict ;;
  shared_strings | sheet) dict=$fuzz_dir/xml.dict ;;
  xml_pieces) dict=$fuzz_dir/xml_tokenizer_diff.dict ;;
  xlsx_import) dict=$fuzz_dir/xlsx.dict ;;
  *) dict=$fuzz_dir/$target.dict ;;
esac
dict_flag=()
[ -f "$dict" ] && dict_flag=(-dict="$dict")

cd "$fuzz_dir"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:allocator_may_return_null=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
exec "$binary" -rss_limit_mb=2048 -timeout=2 -max_total_time="$seconds" -print_final_stats=1 \
  "${dict_flag[@]}" "$@" "$corpus" "${seeds[@]}"
