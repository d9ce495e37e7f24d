// Every workbook the writer produces reads back with every cell.

#include <gtest/gtest.h>

#include "DenseRows.h"

#include <random>
#include <string>
#include <vector>

#include "formats/xlsx/XLSXParser.h"
#include "formats/xlsx/SamplePrimers.h"
#include "formats/xlsx/XLSXWriter.h"

namespace tamsel {
namespace {

using Rows = std::vector<std::vector<std::string>>;

Rows expectedRows(const PrimerList& primers) {
  Rows rows = {{"Selected", "Name", "Sequence", "Comment"}};
  for (const PrimerView& primer : primers) {
    rows.push_back({primer.selected ? "1" : "0", std::string(primer.name), std::string(primer.sequence),
                    std::string(primer.comment)});
  }
  return rows;
}

void expectRoundTrip(const PrimerList& primers) {
  const Bytes workbook = XLSXWriter::write(primers);
  const auto table = XLSXParser::parse(workbook);
  ASSERT_TRUE(table.hasValue()) << table.error().message;
  EXPECT_EQ(testing::dense(*table), expectedRows(primers));
}

TEST(XLSXWriterRoundTripTest, EveryKindOfTextReadsBackAsWritten) {
  for (const PrimerList& primers : {PrimerList{}, testing::awkwardTexts(), testing::manyPrimers()}) {
    expectRoundTrip(primers);
  }
}

// Texts built from the pieces that escapes are made of, so that escapes,
// look-alikes and forbidden characters meet in every order.
TEST(XLSXWriterRoundTripTest, RandomEscapeMixturesReadBackAsWritten) {
  const std::string_view pieces[] = {"_x", "_", "00", "4", "5F", "A", "\r", "\x01", "&", "\xC3\xA9", "\xEF\xBF\xBF"};
  std::mt19937 random(2024);
  PrimerList primers;
  for (int i = 0; i < 1000; ++i) {
    std::string texts[3];
    for (std::string& text : texts) {
      for (int length = static_cast<int>(random() % 12); length > 0; --length) text += pieces[random() % std::size(pieces)];
    }
    primers.emplace_back(i % 2 == 0, texts[0], texts[1], texts[2]);
  }
  expectRoundTrip(primers);
}

}  // namespace
}  // namespace tamsel
