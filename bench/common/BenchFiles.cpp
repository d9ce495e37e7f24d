#include "common/BenchFiles.h"

#include <cstdlib>

#include "app/FileIO.h"

namespace tamsel::bench {

std::string dataDirectory() {
  if (const char* directory = std::getenv("TAMSEL_BENCH_DATA")) return directory;
  return TAMSEL_BENCH_DATA_DIR;
}

std::optional<Bytes> loadDataFile(benchmark::State& state, const std::string& name) {
  const std::string path = dataDirectory() + "/" + name;
  auto bytes = readWholeFile(path);
  if (!bytes) {
    state.SkipWithError((path + " not found: run bench/generate.sh first").c_str());
    return std::nullopt;
  }
  return std::move(*bytes);
}

void reportThroughput(benchmark::State& state, std::size_t primers, std::size_t bytes) {
  const auto iterations = static_cast<double>(state.iterations());
  state.counters["primers/s"] = benchmark::Counter(static_cast<double>(primers) * iterations,
                                                   benchmark::Counter::kIsRate);
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes) * state.iterations());
}

std::string countLabel(std::size_t count) {
  if (count % 1'000'000 == 0) return std::to_string(count / 1'000'000) + "m";
  if (count % 1'000 == 0) return std::to_string(count / 1'000) + "k";
  return std::to_string(count);
}

}  // namespace tamsel::bench
