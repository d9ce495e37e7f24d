// Every workbook the writer produces reads back with every cell.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "formats/xlsx/XLSXParser.h"
#include "formats/xlsx/XLSXWriter.h"

namespace tamsel {
namespace {

using Rows = std::vector<std::vector<std::string>>;

Rows expectedRows(const PrimerList& primers) {
  Rows rows = {{"Selected", "Name", "Sequence", "Comment"}};
  for (const PrimerEntry& primer : primers) {
    rows.push_back({primer.selected ? "1" : "0", primer.name, primer.sequence, primer.comment});
  }
  return rows;
}

void expectRoundTrip(const PrimerList& primers) {
  const Bytes workbook = XLSXWriter::write(primers);
  const auto table = XLSXParser::parse(workbook);
  ASSERT_TRUE(table.hasValue()) << table.error().message;
  EXPECT_EQ(table->toDense(), expectedRows(primers));
}

TEST(XLSXWriterRoundTripTest, EmptyListReadsBackAsTheHeader) { expectRoundTrip({}); }

TEST(XLSXWriterRoundTripTest, EveryKindOfTextReadsBackAsWritten) {
  const PrimerList primers = {
      {true, "P1", "ACGTACGT", ""},
      {false, "Name", "acgtRYSWKMBDHVN", "Comment"},  // texts equal to header texts
      {true, "A&B<1>", "ACGT", "say \"hi\", it's"},
      {false, "caf\xC3\xA9 \xE2\x80\x94 \xE4\xB8\xAD\xE6\x96\x87", "ACGT", "\xF0\x9F\xA7\xAC primer"},
      {true, "tab\tand\nline", "AC GT", "windows\r\nline end\r"},
      {false, std::string("ctl\x01\x02\x1F", 6) + std::string(1, '\0') + "end", "ACGT", "\x0B\x0C"},
      {true, "_x0041_", "_x005F_", "__x0041__x0042_"},
      {false, "_x0041\r", "_x00ab_", "P1_x004_ fwd_1"},
      {true, "_x4_", "_x41\x01", "_x00041_ _x_"},
      {true, "nonchar\xEF\xBF\xBE\xEF\xBF\xBF", "ACGT", "  spaces around  "},
      {false, "", "", ""},
  };
  expectRoundTrip(primers);
}

TEST(XLSXWriterRoundTripTest, ManyRowsKeepTheirOrder) {
  PrimerList primers;
  for (int i = 0; i < 3000; ++i) {
    primers.emplace_back(i % 3 == 0, "primer_" + std::to_string(i % 1500), std::string(20 + i % 7, "ACGT"[i % 4]),
                         i % 5 == 0 ? "" : "note " + std::to_string(i));
  }
  expectRoundTrip(primers);
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
