#include "formats/xlsx/XLSXWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "formats/xlsx/XLSXFixedParts.h"
#include "formats/xlsx/XLSXWriterParts.h"
#include "formats/zip/ZIPReader.h"

namespace tamsel::xlsx {
namespace {

constexpr std::string_view kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>";

struct Part {
  std::string name;
  std::string text;
};

std::vector<Part> partsOf(const Bytes& workbook) {
  const zip::ZIPReader reader(workbook);
  std::vector<Part> parts;
  const auto directory = reader.readCentralDirectory();
  if (!directory) return parts;
  for (const zip::ZIPReader::Entry& entry : *directory) {
    auto contents = reader.extract(entry);
    parts.push_back({entry.filename, contents ? std::string(asText(*contents)) : "<unreadable>"});
  }
  return parts;
}

std::string sheetXML(std::span<const std::uint32_t> cellPositions) {
  MemorySink out;
  writeSheetXML(cellPositions, out);
  return std::string(asText(std::move(out).bytes()));
}

std::string escaped(std::string_view text) {
  MemorySink out;
  writeSharedStringsXML(std::vector<std::string_view>{text}, out);
  const std::string part(asText(std::move(out).bytes()));
  const std::size_t begin = part.find("<si><t>") + 7;
  return part.substr(begin, part.rfind("</t></si>") - begin);
}

// The empty list: five fixed parts, then the header as shared strings.
TEST(XLSXWriterTest, PackageHoldsSevenPartsInOrderWithTheFixedTexts) {
  const std::vector<Part> parts = partsOf(XLSXWriter::write({}));
  ASSERT_EQ(parts.size(), 7u);
  const std::pair<std::string_view, std::string_view> fixed[] = {
      {"[Content_Types].xml", XLSXFixedParts::kContentTypesXML},
      {"_rels/.rels", XLSXFixedParts::kPackageRelationshipsXML},
      {"xl/_rels/workbook.xml.rels", XLSXFixedParts::kWorkbookRelationshipsXML},
      {"xl/workbook.xml", XLSXFixedParts::kWorkbookXML},
      {"xl/styles.xml", XLSXFixedParts::kStylesXML}};
  const std::size_t sizes[] = {835, 300, 575, 297, 626};
  const std::size_t lineFeeds[] = {8, 3, 5, 5, 7};
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(parts[i].name, fixed[i].first);
    EXPECT_EQ(parts[i].text, fixed[i].second);
    EXPECT_EQ(parts[i].text.size(), sizes[i]) << parts[i].name;
    EXPECT_EQ(std::count(parts[i].text.begin(), parts[i].text.end(), '\n'), lineFeeds[i]) << parts[i].name;
    EXPECT_TRUE(parts[i].text.starts_with(std::string(kDeclaration) + "\n")) << parts[i].name;
  }
  EXPECT_NE(XLSXFixedParts::kWorkbookXML.find("<sheet name=\"Primers\" sheetId=\"1\" r:id=\"rId1\"/>"),
            std::string_view::npos);
  EXPECT_EQ(parts[5].name, "xl/sharedStrings.xml");
  EXPECT_EQ(parts[5].text, std::string(kDeclaration) +
                               "\n<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" count=\""
                               "4\" uniqueCount=\"4\"><si><t>Selected</t></si><si><t>Name</t></si>"
                               "<si><t>Sequence</t></si><si><t>Comment</t></si></sst>");
  EXPECT_EQ(parts[6].name, "xl/worksheets/sheet1.xml");
  EXPECT_EQ(parts[6].text, std::string(kDeclaration) +
                               "\n<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">\n"
                               "<sheetData><row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" t=\"s\"><v>1</v></c>"
                               "<c r=\"C1\" t=\"s\"><v>2</v></c><c r=\"D1\" t=\"s\"><v>3</v></c></row>"
                               "</sheetData></worksheet>");
}

// "Name" shares the header's position; "0", "AC" and "" serve both rows.
TEST(XLSXWriterTest, SharedStringsAreDistinctInOrderOfFirstUse) {
  // The table's texts point into the list, which must outlive it.
  const PrimerList primers{{false, "Name", "AC", ""}, {false, "F2", "AC", ""}};
  const auto table = collectStrings(primers);
  EXPECT_EQ(table.texts,
            (std::vector<std::string_view>{"Selected", "Name", "Sequence", "Comment", "0", "AC", "", "F2"}));
  EXPECT_EQ(table.cellPositions, (std::vector<std::uint32_t>{0, 1, 2, 3, 4, 1, 5, 6, 4, 7, 5, 6}));
  EXPECT_NE(sheetXML(table.cellPositions)
                .find("<row r=\"3\"><c r=\"A3\" t=\"s\"><v>4</v></c><c r=\"B3\" t=\"s\"><v>7</v></c>"
                      "<c r=\"C3\" t=\"s\"><v>5</v></c><c r=\"D3\" t=\"s\"><v>6</v></c></row></sheetData>"),
            std::string::npos);
}

TEST(XLSXWriterTest, RowsAreNumberedFromTwo) {
  PrimerList ten;
  for (int i = 0; i < 10; ++i) ten.emplace_back(true, "P", "ACGT", "");
  const std::string sheet = sheetXML(collectStrings(ten).cellPositions);
  EXPECT_NE(sheet.find("<row r=\"11\"><c r=\"A11\" t=\"s\"><v>"), std::string::npos);
  EXPECT_NE(sheet.find("<c r=\"D11\" t=\"s\">"), std::string::npos);
  EXPECT_EQ(sheet.find("<row r=\"12\""), std::string::npos);
  EXPECT_EQ(std::count(sheet.begin(), sheet.end(), '\n'), 2);
}

TEST(XLSXWriterTest, ColumnLettersAreBijectiveBase26) {
  const std::pair<std::size_t, std::string_view> cases[] = {{0, "A"},   {3, "D"},    {25, "Z"},    {26, "AA"},
                                                              {27, "AB"}, {701, "ZZ"}, {702, "AAA"}, {16383, "XFD"}};
  for (const auto& [column, letters] : cases) EXPECT_EQ(columnLetters(column), letters);
}

TEST(XLSXWriterTest, TextsAreEscapedForXMLAndForSpreadsheetReaders) {
  const std::pair<std::string, std::string> cases[] = {
      // Markup characters become entities; the rest stays as it is.
      {"A&B<1>", "A&amp;B&lt;1&gt;"}, {"say \"hi\"", "say &quot;hi&quot;"}, {"it's\ta\nline", "it's\ta\nline"},
      {"&lt;", "&amp;lt;"}, {"caf\xC3\xA9 \xF0\x9F\xA7\xAC", "caf\xC3\xA9 \xF0\x9F\xA7\xAC"}, {"", ""},
      // Forbidden characters and carriage returns become spreadsheet escapes.
      {"a\r\nb", "a_x000D_\nb"},
      {std::string("\x00\x01\x08\x0B\x0C\x1F", 6), "_x0000__x0001__x0008__x000B__x000C__x001F_"},
      {"x\xEF\xBF\xBEy\xEF\xBF\xBF", "x_xFFFE_y_xFFFF_"}, {"\xEF\xBF\xBD", "\xEF\xBF\xBD"},  // U+FFFD is allowed
      // Bytes that are not UTF-8 would make the part unreadable XML.
      {"a\xFF" "b\xC3", "a\xEF\xBF\xBD" "b\xEF\xBF\xBD"},
      // Escape look-alikes keep their underscore, also before a character
      // whose escape starts with one; some readers decode fewer than four digits.
      {"_x0041_", "_x005F_x0041_"}, {"_x00ab_", "_x005F_x00ab_"}, {"_x005F_", "_x005F_x005F_"},
      {"__x0041__x0042_", "__x005F_x0041__x005F_x0042_"}, {"_x0041\r", "_x005F_x0041_x000D_"},
      {"_x0041\xEF\xBF\xBF", "_x005F_x0041_xFFFF_"}, {"P1_x004_ fwd", "P1_x005F_x004_ fwd"},
      {"_x4__x41\x01", "_x005F_x4__x005F_x41_x0001_"},
      // Not look-alikes: no digit, five digits, a non-hex digit, no closing underscore.
      {"_x_", "_x_"}, {"_x00041_", "_x00041_"}, {"_x00G1_", "_x00G1_"}, {"_X0041_", "_X0041_"},
      {"_x0041", "_x0041"}, {"fwd_1", "fwd_1"},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(escaped(text), expected) << text;
}

}  // namespace
}  // namespace tamsel::xlsx
