#include "import/RowStream.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "import/ColumnMapper.h"
#include "model/PrimerFields.h"

namespace tamsel {
namespace {

using Lines = std::vector<std::vector<std::string>>;

// `count` rows after `top`, each a name and a sequence (and `extra` cells).
Lines table(Lines top, std::size_t count, std::size_t extra = 0) {
  const char* bases = "ACGT";
  for (std::size_t i = 0; i < count; ++i) {
    std::string sequence;
    for (std::size_t b = 0; b < 20; ++b) sequence.push_back(bases[(i * 7 + b * b) % 4]);
    std::string name = "P";
    name += std::to_string(i);
    std::vector<std::string> row{name, sequence};
    for (std::size_t e = 0; e < extra; ++e) row.push_back(sequence.substr(e, 3));
    top.push_back(std::move(row));
  }
  return top;
}

RowTable tableOf(const Lines& lines) {
  RowTable rows;
  for (const auto& line : lines) {
    rows.addRow();
    for (std::uint32_t c = 0; c < line.size(); ++c) rows.setCell(c, line[c]);
  }
  return rows;
}

// The stream's outcome, checked against the whole table's where the stream
// stands for it; false when the stream asked for the whole table.
bool streamAgreesWithTable(const Lines& lines) {
  PrimerList streamed;
  RowStream stream(streamed);
  const std::string source = "unused";
  stream.beginText(source);
  for (const auto& line : lines) {
    stream.addRow();
    for (std::uint32_t c = 0; c < line.size(); ++c) stream.setCell(c, line[c]);
  }
  stream.endText();
  auto outcome = stream.finish();
  if (!outcome) return false;
  auto whole = convertRows(tableOf(lines));
  EXPECT_EQ(outcome->hasValue(), whole.hasValue());
  if (!whole) {
    EXPECT_EQ(outcome->error().message, whole.error().message);
  } else if (*outcome) {
    EXPECT_EQ(describeLayoutInDetail(**outcome), describeLayoutInDetail(whole->layout));
    EXPECT_EQ(fieldsOf(streamed), fieldsOf(whole->primers));
  }
  return true;
}

TEST(RowStreamTest, GivesWhatTheWholeTableGivesOrAsksForIt) {
  const std::size_t many = kLayoutRows + 1000;
  EXPECT_TRUE(streamAgreesWithTable(table({{"Name", "Sequence"}}, many)));
  EXPECT_TRUE(streamAgreesWithTable(table({{"Primer list"}, {}, {"Name", "Sequence"}}, many)));
  EXPECT_TRUE(streamAgreesWithTable(table({}, many)));  // no header: the columns by their cells
  EXPECT_TRUE(streamAgreesWithTable(table({{"Name", "Sequence"}}, 30)));
  EXPECT_TRUE(streamAgreesWithTable(table({}, many, 4)));  // six columns, no header: refused alike

  // A wider row after the first rows, or one column throughout: the whole table decides.
  Lines wider = table({{"Name", "Sequence"}}, many);
  wider.push_back({"X", "ACGTACGTAC", "late", "cells"});
  EXPECT_FALSE(streamAgreesWithTable(wider));
  EXPECT_FALSE(streamAgreesWithTable({{"P1  ACGTACGTAC"}, {"P2  GGCCGGCCAA"}}));
}

}  // namespace
}  // namespace tamsel
