#include "model/ChunkedWrite.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace tamsel {
namespace {

// Each item's piece is its number and a comma.
void numbers(std::size_t begin, std::size_t end, ByteSink& out) {
  for (std::size_t i = begin; i < end; ++i) {
    out.write(std::to_string(i));
    out.put(',');
  }
}

std::string written(std::size_t count, const RangeWriter& write) {
  MemorySink out;
  writeInChunks(count, out, write);
  return std::string(asText(std::move(out).bytes()));
}

TEST(ChunkedWriteTest, GivesThePiecesInOrderForAnyCount) {
  for (std::size_t count : {0, 1, 8192, 16385, 16384 + 8192, 100001}) {
    MemorySink one;
    numbers(0, count, one);
    EXPECT_EQ(written(count, numbers), std::string(asText(std::move(one).bytes()))) << count;
  }
}

TEST(ChunkedWriteTest, WhatEitherThreadThrowsReachesTheCaller) {
  // Item 9000 is in a chunk of the second thread's, 0 and 99999 in the caller's.
  for (std::size_t failing : {0, 9000, 99999}) {
    const RangeWriter write = [failing](std::size_t begin, std::size_t end, ByteSink& out) {
      if (begin <= failing && failing < end) throw std::runtime_error("no room");
      numbers(begin, end, out);
    };
    EXPECT_THROW(written(100000, write), std::runtime_error) << failing;
  }
}

}  // namespace
}  // namespace tamsel
