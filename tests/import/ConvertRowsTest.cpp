#include <gtest/gtest.h>

#include "DenseRows.h"
#include "import/ConvertRows.h"
#include "model/PrimerFields.h"

namespace tamsel {
namespace {

using Rows = std::vector<std::vector<std::string>>;
using Fields = std::vector<PrimerFields>;

struct Case {
  const char* what;
  Rows rows;
  Fields primers;
  TableLayout::Reading reading;
};

ConvertedRows convert(const Rows& rows, const HeaderTest& headerTest = {}) {
  auto converted = convertRows(testing::rowTable(rows), headerTest);
  EXPECT_TRUE(converted.hasValue()) << (converted ? "" : converted.error().message);
  return converted ? std::move(*converted) : ConvertedRows{};
}

TEST(ConvertRows, ColumnsByHeaderWordsAndByCells) {
  using R = TableLayout::Reading;
  const Case cases[] = {
      {"plain layout with a selected column",
       {{"Selected", "Name", "Sequence", "Comment"}, {"1", "P1", "ACGTACGT", "c"}},
       {{true, "P1", "ACGTACGT", "c"}}, R::plain},
      {"plain layout keeps an unnamed third column as the comment",
       {{"Name", "Sequence", "Tm"}, {"P1", "ACGTACGT", "60"}},
       {{false, "P1", "ACGTACGT", "60"}}, R::plain},
      {"more than four columns named by the header",
       {{"Name", "Sequence", "Scale", "Purification", "Notes"}, {"P1", "ACGTACGTAC", "25nm", "STD", "n"}},
       {{false, "P1", "ACGTACGTAC", "n"}}, R::header},
      {"decorated header words",
       {{"No.", "Oligo Name", "5' - Oligo Seq - 3'", "Amount", "Purification"}, {"1", "P1", "ACGTACGTAC", "2", "D"}},
       {{false, "P1", "ACGTACGTAC", ""}}, R::header},
      {"the gene names the primer when no column is a name",
       {{"Gene", "Box", "Position", "Date", "Provider", "Sequence"}, {"TP53", "3", "A1", "2021", "X", "ACGTACGTAC"}},
       {{false, "TP53", "ACGTACGTAC", ""}}, R::header},
      {"the gene is a comment beside a name", {{"Gene", "Name", "Seq"}, {"TP53", "P1", "ACGTACGTAC"}},
       {{false, "P1", "ACGTACGTAC", "TP53"}}, R::header},
      {"a header that once became a primer", {{"Gene", "sgRNA Sequence (5'-3')"}, {"TP53", "GACCTGGAGAAGCTGCAGTT"}},
       {{false, "TP53", "GACCTGGAGAAGCTGCAGTT", ""}}, R::header},
      {"an orientation column is not the sequence",
       {{"Target", "Orientation", "Sequence"}, {"TP53", "F", "ACGTACGTAC"}, {"TP53", "R", "TTGGCCAATT"}},
       {{false, "TP53", "ACGTACGTAC", ""}, {false, "TP53", "TTGGCCAATT", ""}}, R::header},
      {"sequences before names", {{"F", "R", "Name F", "Name R"}, {"ACGTACGTAC", "TTGGCCAATT", "a-fw", "a-rv"}},
       {{false, "a-fw", "ACGTACGTAC", ""}, {false, "a-rv", "TTGGCCAATT", ""}}, R::header},
      {"pair rows take the row's name with _F and _R",
       {{"Name", "Forward", "Reverse", "Comment"}, {"GAPDH", "ACGTACGTAC", "TTGGCCAATT", "hk"},
        {"ACTB_F", "CCCGGGAAAT", ""}},
       {{false, "GAPDH_F", "ACGTACGTAC", "hk"}, {false, "GAPDH_R", "TTGGCCAATT", "hk"},
        {false, "ACTB_F", "CCCGGGAAAT", ""}},
       R::header},
      {"pair rows with their own names",
       {{"fwd_name", "fwd_sequence", "rev_name", "rev_sequence"}, {"a1", "ACGTACGTAC", "a2", "TTGGCCAATT"}},
       {{false, "a1", "ACGTACGTAC", ""}, {false, "a2", "TTGGCCAATT", ""}}, R::header},
      {"\"primer\" columns holding sequences",
       {{"Region", "Forward primer", "Reverse primer"}, {"amp1", "ACGTACGTAC", "TTGGCCAATT"}},
       {{false, "amp1_F", "ACGTACGTAC", ""}, {false, "amp1_R", "TTGGCCAATT", ""}}, R::header},
      {"a \"primer\" column of names", {{"Primer", "Sequence"}, {"P1", "ACGTACGTAC"}},
       {{false, "P1", "ACGTACGTAC", ""}}, R::plain},
      {"titles above the header are skipped",
       {{"Primer sequences"}, {"Lab of X, 2021"}, {}, {"ID", "Seq"}, {"P1", "ACGTACGTAC"}},
       {{false, "P1", "ACGTACGTAC", ""}}, R::header},
      {"a name column of numbers loses to one of text", {{"ID", "Name", "Sequence"}, {"7", "P1", "ACGTACGTAC"}},
       {{false, "P1", "ACGTACGTAC", ""}}, R::header},
      {"a primer's strand letter below the first row's \"Sequence\" is no header",
       {{"Selected", "Name", "Sequence", "Comment"}, {"0", "", "R", "c"}, {"1", "P2", "ACGTACGTAC", ""}},
       {{false, "", "R", "c"}, {true, "P2", "ACGTACGTAC", ""}},
       R::plain},
      {"strand letters over no sequences are no header", {{"x", "F", "R"}, {"1", "M", "U"}},
       {{false, "x", "", "R"}, {false, "1", "M", "U"}}, R::plain},
      {"an exact word wins over a phrase",
       {{"Oligo sequence with modifications", "Sequence", "Name"}, {"/5Phos/ACGTACGTAC", "ACGTACGTAC", "P1"}},
       {{false, "P1", "ACGTACGTAC", ""}}, R::header},
      {"header words in another order than the plain layout's", {{"Sequence", "Name"}, {"ACGTACGTAC", "P1"}},
       {{false, "P1", "ACGTACGTAC", ""}}, R::header},
      {"headerless: the plain layout stands", {{"P1", "ACGTACGT", "c", "x"}, {"P2", "ggccaattaa"}},
       {{false, "P1", "ACGTACGT", "c"}, {false, "P2", "ggccaattaa", ""}}, R::plain},
      {"headerless: the sequence column found by its cells",
       {{"1", "P1", "ACGTACGT", "note"}, {"2", "P2", "GGCCAATTAA", "", "+"}},
       {{false, "P1", "ACGTACGT", "note"}, {false, "P2", "GGCCAATTAA", ""}}, R::content},
      {"headerless pair with a strand sign and a number between",
       {{"GAPDH", "+", "20", "ACGTACGTAC", "TTGGCCAATT", "hk"}},
       {{false, "GAPDH_F", "ACGTACGTAC", "hk"}, {false, "GAPDH_R", "TTGGCCAATT", "hk"}}, R::content},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const ConvertedRows converted = convert(c.rows);
    EXPECT_EQ(fieldsOf(converted.primers), c.primers);
    EXPECT_EQ(converted.layout.reading, c.reading);
  }
}

TEST(ConvertRows, RefusesWhatCouldBeReadTwoWays) {
  for (const Rows& rows :
       {Rows{{"Name", "Sequence", "Name", "Sequence"}, {"P1", "ACGTACGTAC", "P2", "GGCCAATTAA"}},
        Rows{{"Title"}, {"Fwd", "Rev", "Fwd", "Rev"}, {"ACGTACGTAC", "GGCCAATTAA", "ACGTACGTAC", "GGCCAATTAA"}}}) {
    auto converted = convertRows(testing::rowTable(rows));
    ASSERT_FALSE(converted.hasValue());
    EXPECT_EQ(converted.error().code, static_cast<int>(ImportError::Code::unclearColumns));
  }
  auto converted = convertRows(
      testing::rowTable({{"Name", "Sequence", "Name", "Sequence"}, {"P1", "ACGTACGTAC", "P2", "GGCCAATTAA"}}));
  EXPECT_EQ(converted.error().message,
            "Columns B (\"Sequence\") and D (\"Sequence\") under the header in row 1 both hold primer sequences, so "
            "it is not clear which one to read. Keep one sequence column, or head the two columns of a primer pair "
            "\"Forward\" and \"Reverse\".");
  // The header names a column of no sequences while another holds them.
  auto contradicted = convertRows(
      testing::rowTable({{"Name", "Sequence", "Notes"}, {"P1", "x", "ACGTACGTAC"}, {"P2", "", "GGCCAATTGG"}}));
  ASSERT_FALSE(contradicted.hasValue());
  EXPECT_EQ(contradicted.error().message,
            "The column headed as the sequence, B (\"Sequence\") under the header in row 1, holds no DNA sequence, but "
            "column C does, so it is not clear which one to read. Head the column of sequences \"Sequence\".");
  // Headerless, five columns and no single sequence column: the plain rules' message.
  auto wide = convertRows(testing::rowTable({{"a", "b", "c", "d", "e"}}));
  ASSERT_FALSE(wide.hasValue());
  EXPECT_EQ(wide.error().message, ImportError::tooManyColumns(5).message);
}

// Cells are trimmed and cleaned, rows without a name or sequence skipped.
TEST(ConvertRows, CellsAndRowsKeptAndSkipped) {
  const std::pair<Rows, Fields> cases[] = {
      {{}, {}},
      {{{"Name", "Sequence"}}, {}},
      {{{"Primer Name", "Sequence (5'-3')"}}, {}},
      {{{" SELECTED ", "Name", "Sequence", "Comment"}, {"1", "P1", "acgt acgt", "c"}, {"yes", "P2", "ACGTA"}},
       {{true, "P1", "acgtacgt", "c"}, {false, "P2", "ACGTA", ""}}},
      {{{"Sequence", "Name"}, {"P1", "ACGT"}}, {{false, "ACGT", "", ""}}},
      {{{"Names", "ACGT"}}, {{false, "Names", "ACGT", ""}}},  // no sequence word and no exact word: data
      // Headerless: the plain layout, unless another column holds the sequences.
      {{{"1", "P1", "ACGT", "note"}}, {{false, "1", "", "ACGT"}}},
      {{{"P1"}, {"P2"}}, {{false, "P1", "", ""}, {false, "P2", "", ""}}},
      {{{"", "----"}, {"P1", "----"}, {"", "", "comment only"}}, {{false, "P1", "", ""}}},
      {{{"P1\n", "/5Phos/ACGT"}, {" P2 ", "ac gt", " c "}},
       {{false, "P1\n", "ACGT", ""}, {false, "P2", "acgt", "c"}}},
      {{{"Selected", "Name"}, {}, {"1", "P1"}}, {{true, "P1", "", ""}}},
  };
  for (const auto& [rows, primers] : cases) {
    auto converted = primersFromRows(testing::rowTable(rows));
    ASSERT_TRUE(converted.hasValue()) << converted.error().message;
    EXPECT_EQ(fieldsOf(*converted), primers) << (rows.empty() || rows[0].empty() ? "" : rows[0][0]);
  }
}

// Trailing empty cells and gaps count; a header that names the columns lifts the limit.
TEST(ConvertRows, ColumnLimitCountsTrailingEmptyCellsAndGaps) {
  const auto failure = [](const RowTable& table) {
    auto result = primersFromRows(table);
    return result ? "" : result.error().message;
  };
  const auto tooMany = [](int columns) { return ImportError::tooManyColumns(columns).message; };
  EXPECT_EQ(failure(testing::rowTable({{"", "", "", "", ""}})), tooMany(5));
  EXPECT_EQ(failure(testing::rowTable({{"Selected", "Name", "Sequence", "Comment"}, {"1", "P1", "ACGT", "c", "x"}})),
            "");
  EXPECT_EQ(failure(testing::rowTable({{"Selected", "Name", "Comment"}, {"1", "P1", "ACGT", "c", "x"}})), tooMany(5));
  RowTable sparse;
  sparse.addRow();
  sparse.setCell(0, "P1");
  sparse.setCell(6, "far");
  EXPECT_EQ(failure(sparse), tooMany(7));
  RowTable padded = testing::rowTable({{"P1", "ACGT"}});
  padded.setRowWidth(0, 5);
  EXPECT_EQ(failure(padded), tooMany(5));
  EXPECT_EQ(failure(testing::rowTable({{"", "", "", ""}})), "");
}

TEST(ConvertRows, LooseHeaderTestOfText) {
  // No role word: the text reader's test finds "name" inside "rename".
  const HeaderTest loose{"Fwd_rename_1,ACGTACGT"};
  EXPECT_EQ(convert({{"Fwd_rename_1", "ACGTACGT"}, {"P1", "ACGTACGT"}}, loose).primers.size(), 1u);
  EXPECT_EQ(convert({{"Fwd_rename_1", "ACGTACGT"}, {"P1", "ACGTACGT"}}).primers.size(), 2u);
  // The looser test never makes a header of a row the header words read as data.
  EXPECT_EQ(convert({{"Primer Name", "Seq"}, {"P1", "ACGTA"}}, HeaderTest{"Primer Name,Seq"}).layout.reading,
            TableLayout::Reading::plain);
}

TEST(ConvertRows, LayoutDescription) {
  const ConvertedRows converted =
      convert({{"Order 12"}, {"Name", "Forward", "Reverse", "Tm"}, {"GAPDH", "ACGTACGTAC", "TTGGCCAATT", "60"}});
  EXPECT_EQ(describeLayout(converted.layout),
            "Header in row 2 (row 1 skipped): A \"Name\" name, B \"Forward\" forward sequence, C \"Reverse\" reverse "
            "sequence; two primers per row; ignored D \"Tm\".");
  TableLayout withSheet = convert({{"P1", "ACGTACGT"}}).layout;
  withSheet.sheet = "Primers";
  EXPECT_EQ(describeLayout(withSheet), "Sheet \"Primers\": no header, plain layout: A name, B sequence.");
  EXPECT_EQ(columnLetter(0) + columnLetter(25) + columnLetter(26) + columnLetter(16383), "AZAAXFD");
}

}  // namespace
}  // namespace tamsel
