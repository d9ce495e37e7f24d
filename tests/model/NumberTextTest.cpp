#include "model/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tamsel {
namespace {

TEST(NumberText, PlainIntegersOtherwiseShortestRoundTripDigits) {
  constexpr double inf = std::numeric_limits<double>::infinity();
  const std::pair<double, const char*> cases[] = {
      {1, "1"}, {-12, "-12"}, {-0.0, "0"}, {999999999999999.0, "999999999999999"}, {1e15, "1e+15"},
      {0.1, "0.1"}, {123.456, "123.456"}, {0.0001, "0.0001"}, {1e-05, "1e-05"}, {1.5e20, "1.5e+20"},
      {1.0000000000000005e15, "1.0000000000000005e+15"}, {-2.5e-300, "-2.5e-300"},
      {39940.459050925929, "39940.45905092593"}, {inf, "inf"}, {-inf, "-inf"}, {std::nan(""), "nan"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(numberText(value), text);
}

}  // namespace
}  // namespace tamsel
