// Delimited text: the reader and writer on bytes in memory, and the floor
// under them: reading the bytes (UTF-8 check and copy) and finding every field.

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "common/BenchFiles.h"
#include "common/SyntheticPrimers.h"
#include "formats/text/DelimitedTextParser.h"
#include "formats/text/DelimitedTextWriter.h"
#include "formats/text/TextDecoding.h"

namespace tamsel::bench {
namespace {

const std::string& listText(std::size_t count, char separator) {
  static std::string texts[2][3];
  const int kind = separator == ',' ? 0 : 1;
  const int size = count == 10'000 ? 0 : count == 100'000 ? 1 : 2;
  std::string& text = texts[kind][size];
  if (text.empty()) text = generateDelimitedText(syntheticPrimers(count), separator);
  return text;
}

char separatorOf(const benchmark::State& state) { return state.range(1) ? '\t' : ','; }

// Finds every field boundary with memchr over line ends and separators: what
// any splitter must at least do.
void BM_TextFloor_FindFields(benchmark::State& state) {
  const std::string& text = listText(state.range(0), separatorOf(state));
  const char separator = separatorOf(state);
  for (auto _ : state) {
    std::size_t fields = 0;
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end) {
      const char* lineEnd = static_cast<const char*>(std::memchr(p, '\n', end - p));
      if (!lineEnd) lineEnd = end;
      ++fields;
      for (const char* q = p; (q = static_cast<const char*>(std::memchr(q, separator, lineEnd - q))); ++q) ++fields;
      p = lineEnd + 1;
    }
    benchmark::DoNotOptimize(fields);
  }
  reportThroughput(state, state.range(0), text.size());
}

// Reading the bytes: the UTF-8 check and the copy into a string.
void BM_TextFloor_Decode(benchmark::State& state) {
  const std::string& text = listText(state.range(0), separatorOf(state));
  for (auto _ : state) {
    auto decoded = decodeText(asBytes(text));
    benchmark::DoNotOptimize(decoded->data());
  }
  reportThroughput(state, state.range(0), text.size());
}

void BM_TextSplit(benchmark::State& state) {
  const std::string& text = listText(state.range(0), separatorOf(state));
  const char* extension = state.range(1) ? "tsv" : "csv";
  for (auto _ : state) {
    CellsRead cells = splitDelimitedText(text, extension);
    benchmark::DoNotOptimize(cells.rows.size());
  }
  reportThroughput(state, state.range(0), text.size());
}

// parseDelimitedText: splitting, header test, clean-up, primers.
void BM_TextRead(benchmark::State& state) {
  const std::string& text = listText(state.range(0), separatorOf(state));
  const char* extension = state.range(1) ? "tsv" : "csv";
  for (auto _ : state) {
    auto primers = parseDelimitedText(text, extension);
    benchmark::DoNotOptimize(primers->size());
  }
  reportThroughput(state, state.range(0), text.size());
}

void BM_TextWrite(benchmark::State& state) {
  const PrimerList primers = syntheticPrimers(state.range(0));
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::string text = generateDelimitedText(primers, separatorOf(state));
    bytes = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  reportThroughput(state, state.range(0), bytes);
}

void sizes(benchmark::internal::Benchmark* b) {
  for (int tab : {0, 1}) {
    for (long count : {10'000L, 100'000L, 1'000'000L}) b->Args({count, tab});
  }
  b->ArgNames({"primers", "tab"})->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_TextFloor_FindFields)->Apply(sizes);
BENCHMARK(BM_TextFloor_Decode)->Apply(sizes);
BENCHMARK(BM_TextSplit)->Apply(sizes);
BENCHMARK(BM_TextRead)->Apply(sizes);
BENCHMARK(BM_TextWrite)->Apply(sizes);

}  // namespace
}  // namespace tamsel::bench
