// .nsub: the reader and writer on bytes in memory.

#include <benchmark/benchmark.h>

#include "common/BenchFiles.h"
#include "common/SyntheticPrimers.h"
#include "formats/nsub/NSubParser.h"
#include "formats/nsub/NSubWriter.h"

namespace tamsel::bench {
namespace {

void BM_NSubRead(benchmark::State& state) {
  const Bytes file = NSubWriter::write(syntheticPrimers(state.range(0)), kDefaultMismatches, kDefaultEndMatches);
  for (auto _ : state) {
    auto contents = NSubParser::parse(file);
    benchmark::DoNotOptimize(contents->primers.size());
  }
  reportThroughput(state, state.range(0), file.size());
}

void BM_NSubWrite(benchmark::State& state) {
  const PrimerList primers = syntheticPrimers(state.range(0));
  std::size_t bytes = 0;
  for (auto _ : state) {
    MemorySink out;
    NSubWriter::writeChecked(primers, ListSettings{}, out);
    const Bytes file = std::move(out).bytes();
    bytes = file.size();
    benchmark::DoNotOptimize(file.data());
  }
  reportThroughput(state, state.range(0), bytes);
}

BENCHMARK(BM_NSubRead)->RangeMultiplier(10)->Range(10'000, 1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NSubWrite)->RangeMultiplier(10)->Range(10'000, 1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tamsel::bench
