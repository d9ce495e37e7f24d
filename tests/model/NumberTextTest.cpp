#include "model/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tamsel {
namespace {

TEST(NumberText, IntegersBelowTenToTheFifteenArePlain) {
  EXPECT_EQ(numberText(1), "1");
  EXPECT_EQ(numberText(-12), "-12");
  EXPECT_EQ(numberText(-0.0), "0");
  EXPECT_EQ(numberText(999999999999999.0), "999999999999999");
  EXPECT_EQ(numberText(1e15), "1e+15");
}

TEST(NumberText, ShortestDigitsPositionalOrExponent) {
  EXPECT_EQ(numberText(0.1), "0.1");
  EXPECT_EQ(numberText(2.5), "2.5");
  EXPECT_EQ(numberText(123.456), "123.456");
  EXPECT_EQ(numberText(0.0001), "0.0001");
  EXPECT_EQ(numberText(1e-05), "1e-05");
  EXPECT_EQ(numberText(1.5e20), "1.5e+20");
  EXPECT_EQ(numberText(1.0000000000000005e15), "1.0000000000000005e+15");
  EXPECT_EQ(numberText(-2.5e-300), "-2.5e-300");
  EXPECT_EQ(numberText(39940.459050925929), "39940.45905092593");
}

TEST(NumberText, NonFiniteValues) {
  EXPECT_EQ(numberText(std::numeric_limits<double>::infinity()), "inf");
  EXPECT_EQ(numberText(-std::numeric_limits<double>::infinity()), "-inf");
  EXPECT_EQ(numberText(std::nan("")), "nan");
}

}  // namespace
}  // namespace tamsel
