// .xls: Tamsel's reader on the 65,000-row workbook (xlwt), in memory and
// from the file, beside a reader built on libfreexl that visits every cell.

#include <benchmark/benchmark.h>

#include <string>

#include "app/FileIO.h"
#include "common/BenchFiles.h"
#include "formats/xls/XLSParser.h"
#include "import/ConvertRows.h"

#ifdef TAMSEL_BENCH_FREEXL
#include <freexl.h>
#endif

namespace tamsel::bench {
namespace {

constexpr std::size_t kPrimers = 65'000;
const std::string kFile = "primers_65k.xls";

void BM_XLSRead(benchmark::State& state) {
  auto file = loadDataFile(state, kFile);
  if (!file) return;
  for (auto _ : state) {
    auto rows = XLSParser::parse(*file);
    benchmark::DoNotOptimize(rows->size());
  }
  reportThroughput(state, kPrimers, file->size());
}

void BM_XLSImport(benchmark::State& state) {
  auto file = loadDataFile(state, kFile);
  if (!file) return;
  for (auto _ : state) {
    auto rows = XLSParser::parse(*file);
    auto primers = primersFromRows(*rows);
    benchmark::DoNotOptimize(primers->size());
  }
  reportThroughput(state, kPrimers, file->size());
}

// The file read and parsed to the row table, as the libfreexl program does.
void BM_XLSReadFromFile(benchmark::State& state) {
  const std::string path = dataDirectory() + "/" + kFile;
  for (auto _ : state) {
    auto bytes = readWholeFile(path);
    if (!bytes) {
      state.SkipWithError("primers_65k.xls not found");
      return;
    }
    auto rows = XLSParser::parse(*bytes);
    benchmark::DoNotOptimize(rows->size());
  }
  reportThroughput(state, kPrimers, 0);
}

#ifdef TAMSEL_BENCH_FREEXL
// Opens the file with libfreexl, selects the first sheet and reads every
// cell's value (texts are pointers into libfreexl's string table).
void BM_XLSFreeXL(benchmark::State& state) {
  const std::string path = dataDirectory() + "/" + kFile;
  for (auto _ : state) {
    const void* handle = nullptr;
    if (freexl_open(path.c_str(), &handle) != FREEXL_OK) {
      state.SkipWithError("libfreexl could not open primers_65k.xls");
      return;
    }
    freexl_select_active_worksheet(handle, 0);
    unsigned int rows = 0;
    unsigned short columns = 0;
    freexl_worksheet_dimensions(handle, &rows, &columns);
    std::size_t textBytes = 0;
    for (unsigned int r = 0; r < rows; ++r) {
      for (unsigned short c = 0; c < columns; ++c) {
        FreeXL_CellValue cell;
        if (freexl_get_cell_value(handle, r, c, &cell) != FREEXL_OK) continue;
        if (cell.type == FREEXL_CELL_SST_TEXT || cell.type == FREEXL_CELL_TEXT) {
          textBytes += std::char_traits<char>::length(cell.value.text_value);
        }
      }
    }
    benchmark::DoNotOptimize(textBytes);
    freexl_close(handle);
  }
  reportThroughput(state, kPrimers, 0);
}
BENCHMARK(BM_XLSFreeXL)->Unit(benchmark::kMillisecond);
#endif

BENCHMARK(BM_XLSRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_XLSImport)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_XLSReadFromFile)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tamsel::bench
