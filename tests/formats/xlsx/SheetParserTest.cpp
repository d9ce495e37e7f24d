#include "formats/xlsx/SheetParser.h"

#include <gtest/gtest.h>

#include "DenseRows.h"
#include "formats/xlsx/CellReference.h"
#include "formats/xlsx/EscapeDecoding.h"
#include "formats/xlsx/SharedStringsParser.h"

namespace tamsel::xlsx {
namespace {

using Rows = std::vector<std::vector<std::string>>;

constexpr std::string_view kMainNamespace = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";

std::string sheet(std::string_view rows) {
  return std::string("<worksheet xmlns=\"") + std::string(kMainNamespace) + "\"><sheetData>" + std::string(rows) +
         "</sheetData></worksheet>";
}

std::vector<std::string> sharedStrings(std::string_view items) {
  const std::string part = std::string("<sst xmlns=\"") + std::string(kMainNamespace) + "\">" + std::string(items) + "</sst>";
  const SharedStringTable table = parseSharedStrings(asBytes(part));
  std::vector<std::string> texts;
  for (std::size_t i = 0; i < table.size(); ++i) texts.emplace_back(table[i]);
  return texts;
}

Rows rowsOf(std::string_view part, const std::vector<std::string>& strings = {}) {
  SharedStringTable table;
  for (const std::string& s : strings) table.add(s);
  return testing::dense(parseSheet(asBytes(part), std::move(table)));
}

TEST(SheetParserTest, ColumnIndexFollowsTheLettersOfAReference) {
  const std::pair<std::string_view, std::int64_t> cases[] = {
      {"A1", 0},  {"Z1", 25}, {"AA1", 26}, {"BA1", 52},  {"XFD1048576", 16383},
      {"$C$5", 2}, {"c3", 2},  {"A1B", 27}, {"12", -1},   {"", -1},
      {"\xC3\xA4" "1", 0xC4 - 65}};  // ä upper-cases to Ä, U+00C4
  for (const auto& [reference, column] : cases) EXPECT_EQ(columnIndex(reference), column) << reference;
  EXPECT_GT(columnIndex(std::string(200, 'Z')), 16383);  // saturates, never wraps

  EXPECT_EQ(referencedColumn("A1"), 0u);
  EXPECT_EQ(referencedColumn("XFD7"), 16383u);
  EXPECT_EQ(referencedColumn("b2"), 1u);
  // Letters count wherever they stand.
  EXPECT_EQ(referencedColumn("$B$2"), 1u);
  EXPECT_EQ(referencedColumn("aB3"), 27u);
  EXPECT_EQ(referencedColumn("A1B"), 27u);
  for (std::string_view unusable : {"0", "", "XFE1", "ABCD1", "$1"}) {
    EXPECT_FALSE(referencedColumn(unusable)) << unusable;
  }
}

TEST(SheetParserTest, SharedStringsJoinEveryTextOfAnItem) {
  EXPECT_EQ(sharedStrings("<si><r><t>AB</t></r><r><rPr><b/></rPr><t>CD</t></r></si>"
                          "<si/>"
                          "<si><t xml:space=\"preserve\"> A </t></si>"
                          "<si><t>\xE6\x97\xA5</t><rPh sb=\"0\" eb=\"1\"><t>\xE3\x81\xAB</t></rPh></si>"
                          "<si><t><![CDATA[<raw & text>]]></t></si>"),
            (std::vector<std::string>{"ABCD", "", " A ", "\xE6\x97\xA5\xE3\x81\xAB", "<raw & text>"}));
  // Whitespace between elements is not text; a foreign "t" is not either.
  EXPECT_EQ(sharedStrings("<si>\n  <t>x</t>\n  <o:t xmlns:o=\"urn:other\">no</o:t></si>"),
            (std::vector<std::string>{"x"}));
  // Plain items are read where they stand, decoded and joined ones copied:
  // each keeps its own index and text whichever way it is held.
  EXPECT_EQ(sharedStrings("<si><t>P1</t></si><si><t>a&amp;b</t></si><si><t>_x0041_</t></si><si><t>x\r\ny</t></si>"
                          "<si><t>ACGT</t></si><si><si><t>in</t></si></si><si><t>z</t></si>"),
            (std::vector<std::string>{"P1", "a&b", "A", "x\ny", "ACGT", "in", "in", "z"}));
}

TEST(SheetParserTest, EscapesAreDecodedLeftToRight) {
  auto unescaped = [](std::string_view text) {
    std::string out;
    appendUnescaped(out, text);
    return out;
  };
  const std::pair<std::string, std::string> decoded[] = {
      {"ABC_x000D_\nDEF", "ABC\r\nDEF"}, {"_x005F_x0041_", "_x0041_"}, {"_x0041__x0042_", "AB"},
      {"_x00e9_", "\xC3\xA9"}, {"_xD83D__xDE00_", "\xF0\x9F\x98\x80"}, {"_x0000_", std::string(1, '\0')}};
  for (const auto& [text, expected] : decoded) EXPECT_EQ(unescaped(text), expected) << text;
  for (std::string_view literal : {"_x", "_x000G_", "_X0041_", "_x004_", "_xD83D_", "_xDE00_x", "a_x00411"}) {
    EXPECT_EQ(unescaped(literal), literal);
  }
}

TEST(SheetParserTest, CellTextsResolveByType) {
  const std::vector<std::string> strings = {"zero", "one", "two", "_x0041_ kept"};
  const std::string part = sheet(
      "<row><c r=\"A1\" t=\"s\"><v>1</v></c><c r=\"B1\" t=\"s\"><v>+2</v></c><c r=\"C1\" t=\"s\"><v>-1</v></c>"
      "<c r=\"D1\" t=\"s\"><v>4</v></c><c r=\"E1\" t=\"s\"><v> 2</v></c><c r=\"F1\" t=\"s\"><v>+x</v></c>"
      "<c r=\"G1\" t=\"s\"><v>3</v></c><c r=\"H1\" t=\"s\"><v>99999999999999999999</v></c></row>"
      "<row><c r=\"A2\"><v>1E-3</v></c><c r=\"B2\" t=\"b\"><v>1</v></c><c r=\"C2\" t=\"e\"><v>#N/A</v></c>"
      "<c r=\"D2\"><f>A1*2</f><v>4</v></c>"
      "<c r=\"E2\" t=\"inlineStr\"><is><r><t>Pri</t></r><r><t>mer_x000D_</t></r></is></c>"
      "<c r=\"F2\" t=\"str\"><f>\"x\"</f><v>_x000D_</v></c>"
      "<c r=\"G2\" t=\"inlineStr\"><is><t><![CDATA[cd]]>ata</t></is></c><c r=\"H2\"><v><![CDATA[12]]></v></c></row>");
  EXPECT_EQ(rowsOf(part, strings),
            (Rows{{"one", "two", "-1", "4", " 2", "+x", "_x0041_ kept", "99999999999999999999"},
                  {"1E-3", "1", "#N/A", "4", "Primer\r", "_x000D_", "cdata", "12"}}));
}

TEST(SheetParserTest, RowsAndColumnsFollowTheDocument) {
  const std::string part = sheet(
      "<row r=\"1\"><c r=\"A1\"><v>a</v></c><c r=\"C1\"><v>c</v></c></row>"
      "<row r=\"5\"><c r=\"C5\"><v>only C</v></c></row>"
      "<row r=\"6\"/>"
      "<row r=\"7\"><c r=\"A7\"><v>a</v></c><c r=\"B7\"><v>b</v></c><c r=\"E7\" s=\"1\"/></row>"
      "<row><c r=\"B8\"><v>first</v></c><c r=\"B8\"><v>second</v></c></row>"
      "<row><c r=\"C9\"><v>c</v></c><c r=\"A9\"><v>a</v></c></row>");
  EXPECT_EQ(rowsOf(part), (Rows{{"a", "", "c"}, {"", "", "only C"}, {}, {"a", "b", "", "", ""}, {"", "second"},
                                {"a", "", "c"}}));
}

TEST(SheetParserTest, CellsWithoutAUsableReferenceFollowThePreviousCell) {
  const std::string part = sheet(
      "<row><c><v>a</v></c><c><v>b</v></c><c r=\"0\"><v>c</v></c></row>"
      "<row><c r=\"C2\"><v>c</v></c><c r=\"ABCD2\"><v>d</v></c><c r=\"XFE2\"><v>e</v></c><c r=\"B2\"><v>b</v></c></row>"
      "<row><c><v>first again</v></c></row>");
  EXPECT_EQ(rowsOf(part), (Rows{{"a", "b", "c"}, {"", "b", "c", "d", "e"}, {"first again"}}));
}

TEST(SheetParserTest, ElementsMatchByNamespaceNotPrefix) {
  const std::string prefixed =
      "<x:worksheet xmlns:x=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><x:sheetData>"
      "<x:row><x:c r=\"B1\" t=\"inlineStr\"><x:is><x:t>prefixed</x:t></x:is></x:c></x:row>"
      "</x:sheetData></x:worksheet>";
  EXPECT_EQ(rowsOf(prefixed), (Rows{{"", "prefixed"}}));

  const std::string strict =
      "<worksheet xmlns=\"http://purl.oclc.org/ooxml/spreadsheetml/main\"><sheetData>"
      "<row><c><v>strict</v></c></row></sheetData></worksheet>";
  EXPECT_EQ(rowsOf(strict), (Rows{{"strict"}}));
  EXPECT_EQ(rowsOf("<worksheet><sheetData><row><c><v>bare</v></c></row></sheetData></worksheet>"),
            (Rows{{"bare"}}));

  // Foreign elements and prefixed attributes are not SpreadsheetML.
  const std::string foreign = sheet(
      "<row><c r=\"A1\"><v>kept</v><o:v xmlns:o=\"urn:other\">dropped</o:v></c>"
      "<o:c xmlns:o=\"urn:other\"><v>not a cell</v></o:c>"
      "<c xmlns:o=\"urn:other\" o:r=\"D1\" o:t=\"s\"><v>0</v></c></row>"
      "<o:row xmlns:o=\"urn:other\"><c><v>no row</v></c></o:row>");
  EXPECT_EQ(rowsOf(foreign, {"shared"}), (Rows{{"kept", "0"}}));
}

TEST(SheetParserTest, MalformedPartsKeepTheRowsCompletedBeforeTheError) {
  const std::string whole = sheet("<row><c><v>1</v></c></row><row><c><v>2</v></c></row>");
  EXPECT_EQ(rowsOf(whole.substr(0, whole.find("<v>2"))), (Rows{{"1"}}));
  EXPECT_EQ(rowsOf(sheet("<row><c><v>1</v></c></row><row><c><v>2</v></c></bad></row>")), (Rows{{"1"}}));
  EXPECT_EQ(rowsOf("<x:row><c/></x:row>"), Rows{});  // unbound prefix
  EXPECT_EQ(sharedStrings("<si><t>done</t></si><si><t>open"), (std::vector<std::string>{"done"}));
  EXPECT_EQ(rowsOf(""), Rows{});
}

}  // namespace
}  // namespace tamsel::xlsx
