// Primer properties (length, GC range, Tm range) of whole lists, as the
// window's property columns and `tamsel-cli show --properties` compute them,
// and the list checks over the same lists.

#include <benchmark/benchmark.h>

#include "common/BenchFiles.h"
#include "common/SyntheticPrimers.h"
#include "model/ListChecks.h"
#include "model/PrimerProperties.h"

namespace tamsel::bench {
namespace {

const PrimerList& primerList(std::size_t count) {
  static PrimerList lists[2];
  PrimerList& list = lists[count == 1'000'000 ? 1 : 0];
  if (list.empty()) list = syntheticPrimers(count);
  return list;
}

std::size_t sequenceBytes(const PrimerList& primers) {
  std::size_t bytes = 0;
  for (const PrimerView& primer : primers) bytes += primer.sequence.size();
  return bytes;
}

void BM_PrimerProperties(benchmark::State& state) {
  const PrimerList& primers = primerList(state.range(0));
  const TmConditions conditions;
  for (auto _ : state) {
    double sum = 0;
    for (const PrimerView& primer : primers) {
      const PrimerProperties properties = primerProperties(primer.sequence, conditions);
      sum += properties.tm.celsius.max + static_cast<double>(properties.length);
    }
    benchmark::DoNotOptimize(sum);
  }
  reportThroughput(state, primers.size(), sequenceBytes(primers));
}
BENCHMARK(BM_PrimerProperties)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void BM_CheckPrimerList(benchmark::State& state) {
  const PrimerList& primers = primerList(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(checkPrimerList(primers).size());
  reportThroughput(state, primers.size(), sequenceBytes(primers));
}
BENCHMARK(BM_CheckPrimerList)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tamsel::bench
