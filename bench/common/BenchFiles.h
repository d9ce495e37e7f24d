#pragma once

// Access to the generated benchmark files (bench/data, or $TAMSEL_BENCH_DATA)
// and to in-memory lists written by Tamsel's own writers.

#include <benchmark/benchmark.h>

#include <optional>
#include <string>

#include "model/Bytes.h"

namespace tamsel::bench {

std::string dataDirectory();

// The file's bytes, or nothing (and the benchmark marked skipped) when it
// has not been generated.
std::optional<Bytes> loadDataFile(benchmark::State& state, const std::string& name);

// Sets primers/s and bytes/s counters from the work done in all iterations.
void reportThroughput(benchmark::State& state, std::size_t primers, std::size_t bytes);

// "10k", "100k", "1m" for the counts the benchmarks use.
std::string countLabel(std::size_t count);

}  // namespace tamsel::bench
