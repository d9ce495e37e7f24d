#include "formats/xlsx/XLSXParser.h"

#include <gtest/gtest.h>

#include "DenseRows.h"
#include "TestData.h"
#include "formats/xlsx/SheetParser.h"
#include "formats/zip/ZIPReaderTestArchive.h"

namespace tamsel::xlsx {
namespace {

using Rows = std::vector<std::vector<std::string>>;
using zipfixture::member;
using zipfixture::TestArchive;

constexpr std::string_view kSheetNotFound = "Could not find sheet1 in the XLSX file.";

Rows rowsOf(ByteView workbook) {
  auto result = XLSXParser::parse(workbook);
  if (!result) {
    ADD_FAILURE() << result.error().message;
    return {};
  }
  return testing::dense(*result);
}

std::string sheet(std::string_view rows) {
  return "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>" +
         std::string(rows) + "</sheetData></worksheet>";
}

std::string relationships(std::string_view entries) {
  return "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">" +
         std::string(entries) + "</Relationships>";
}

std::string relationship(std::string_view id, std::string_view type, std::string_view target) {
  return "<Relationship Id=\"" + std::string(id) +
         "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/" + std::string(type) +
         "\" Target=\"" + std::string(target) + "\"/>";
}

// A package whose parts are found only through its relationships.
std::vector<zipfixture::TestMember> packageParts(std::string_view firstSheetID) {
  return {
      member("_rels/.rels", relationships(relationship("rId1", "officeDocument", "book/main.xml"))),
      member("book/main.xml",
             "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
             "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><sheets>"
             "<sheet name=\"A\" r:id=\"" + std::string(firstSheetID) + "\"/><sheet name=\"B\" r:id=\"s2\"/>"
             "</sheets></workbook>"),
      member("book/_rels/main.xml.rels",
             relationships(relationship("s2", "worksheet", "../other.xml") +
                           relationship("s1", "worksheet", "sheets/first.xml") +
                           relationship("ss", "sharedStrings", "/book/strings.xml"))),
      member("book/sheets/first.xml", sheet("<row><c t=\"s\"><v>0</v></c><c><v>first</v></c></row>")),
      member("other.xml", sheet("<row><c><v>second</v></c></row>")),
      member("book/strings.xml", "<sst><si><t>shared</t></si></sst>"),
  };
}

TEST(XLSXParserTest, ReadsTheFixtureWorkbooks) {
  const Rows sharedStrings = {{"Selected", "Name", "Sequence", "Comment"},
                              {"1", "fwd-1", "ACGTACGTAC", "first & <best>"},
                              {"0", "rev-1", "TTGCAYRGGA", "fwd-1"},
                              {"1", "caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC", "acgtn", "_x0041_ literal"},
                              {"", "", "after a gap"}};
  const std::pair<std::string, Rows> fixtures[] = {
      {"shared_strings.xlsx", sharedStrings},
      {"data_descriptors.xlsx", sharedStrings},
      {"inline_strings.xlsx",
       {{"Name", "Sequence"}, {"p1", "ACGTTGCA"}, {"tab\there", "line\nbreak"}, {"", "2.5", "carriage\rreturn"}}},
      {"rich_text.xlsx", {{"plain bold and italic"}, {"", "ACGTacgt"}}},
      {"formulas.xlsx", {{"2", "3", "6"}, {"ACGT", "0", "0.6666666666666666"}}},
      {"several_sheets.xlsx", {{"Name", "Sequence"}, {"one", "ACGTACGT"}}},
      {"renamed_sheet.xlsx", {{"Name", "Sequence"}, {"one", "ACGTACGT"}}},
  };
  for (const auto& [name, expected] : fixtures) EXPECT_EQ(rowsOf(testing::testData("xlsx/" + name)), expected) << name;
}

TEST(XLSXParserTest, AnythingWithoutAWorksheetFails) {
  const Bytes workbook = TestArchive{{member("xl/worksheets/sheet1.xml", sheet("<row><c><v>1</v></c></row>"))}}.build();
  const Bytes truncated(workbook.begin(), workbook.begin() + static_cast<std::ptrdiff_t>(workbook.size() / 2));
  const Bytes wrongName = TestArchive{{member("xl/worksheets/Sheet1.xml", sheet(""))}}.build();
  const Bytes unknownMethod = TestArchive{{member("xl/worksheets/sheet1.xml", sheet(""), 12)}}.build();
  for (const Bytes& input : {Bytes{}, Bytes(asBytes("Name\tSequence\n").begin(), asBytes("Name\tSequence\n").end()),
                             truncated, TestArchive{{}}.build(), wrongName, unknownMethod}) {
    const auto result = XLSXParser::parse(input);
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().domain, "XLSXParser");
    EXPECT_EQ(result.error().code, 1);
    EXPECT_EQ(result.error().message, kSheetNotFound);
  }
}

TEST(XLSXParserTest, RelationshipsFindPartsStoredUnderOtherNames) {
  EXPECT_EQ(rowsOf(TestArchive{packageParts("s1")}.build()), (Rows{{"shared", "first"}}));
  EXPECT_EQ(rowsOf(TestArchive{packageParts("s2")}.build()), (Rows{{"second"}}));

  // The usual names win over the relationships, each on its own.
  auto parts = packageParts("s1");
  parts.push_back(member("xl/worksheets/sheet1.xml", sheet("<row><c t=\"s\"><v>0</v></c></row>")));
  EXPECT_EQ(rowsOf(TestArchive{parts}.build()), (Rows{{"shared"}}));
  parts.push_back(member("xl/sharedStrings.xml", "<sst><si><t>usual</t></si></sst>"));
  EXPECT_EQ(rowsOf(TestArchive{parts}.build()), (Rows{{"usual"}}));

  // A first sheet whose id has no relationship, or whose target is missing.
  for (const std::string_view id : {"nowhere", ""}) {
    const auto result = XLSXParser::parse(TestArchive{packageParts(id)}.build());
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().message, kSheetNotFound);
  }
  auto withoutTarget = packageParts("s1");
  withoutTarget.erase(withoutTarget.begin() + 3);
  EXPECT_FALSE(XLSXParser::parse(TestArchive{withoutTarget}.build()));
}

// Worksheets are inflated as they are parsed; one whose DEFLATE stream is
// cut short after many rows is still a missing member, as when read whole:
// none of its rows count, and the workbook's first sheet is read instead.
TEST(XLSXParserTest, AWorksheetDamagedPartWayIsNotRead) {
  std::string rows;
  for (int i = 0; i < 40000; ++i) rows += "<row><c><v>row " + std::to_string(i) + "</v></c></row>";
  auto parts = packageParts("s2");
  zipfixture::TestMember damaged = member("xl/worksheets/sheet1.xml", sheet(rows));
  const Bytes deflated = zipfixture::rawDeflate(damaged.contents);
  damaged.rawBytes = Bytes(deflated.begin(), deflated.begin() + static_cast<std::ptrdiff_t>(deflated.size() * 3 / 4));
  parts.push_back(damaged);
  EXPECT_EQ(rowsOf(TestArchive{parts}.build()), (Rows{{"second"}}));

  // Undamaged, the same rows are all read.
  parts.back().rawBytes.reset();
  EXPECT_EQ(rowsOf(TestArchive{parts}.build()).size(), 40000u);
}

TEST(XLSXParserTest, SheetsReadWithoutSharedStringsKeepTheirIndexes) {
  const Bytes workbook =
      TestArchive{{member("xl\\worksheets\\sheet1.xml",
                          sheet("<row><c t=\"s\"><v>0</v></c><c t=\"inlineStr\"><is><t>inline</t></is></c>"
                                "<c><v>3.5</v></c></row>"))}}
          .build();
  EXPECT_EQ(rowsOf(workbook), (Rows{{"0", "inline", "3.5"}}));

  // A damaged worksheet gives the rows before the damage; damaged shared
  // strings give the items before it.
  const Bytes damaged =
      TestArchive{{member("xl/sharedStrings.xml", "<sst><si><t>ok</t></si><si><t>lost</t><</sst>"),
                   member("xl/worksheets/sheet1.xml",
                          sheet("<row><c t=\"s\"><v>0</v></c><c t=\"s\"><v>1</v></c></row><row><c><v>x</v></row>"))}}
          .build();
  EXPECT_EQ(rowsOf(damaged), (Rows{{"ok", "1"}}));
}

TEST(XLSXParserTest, TablesOutOfProportionToTheirPartsAreRefused) {
  // 100 cells naming one shared string of 1 MiB: 100 MiB from a few kilobytes.
  std::string cells;
  for (int i = 0; i < 100; ++i) cells += "<c t=\"s\"><v>0</v></c>";
  const Bytes bomb = TestArchive{{member("xl/sharedStrings.xml", "<sst><si><t>" + std::string(1 << 20, 'A') + "</t></si></sst>"),
                                  member("xl/worksheets/sheet1.xml", sheet("<row>" + cells + "</row>"))}}
                         .build();
  const auto result = XLSXParser::parse(bomb);
  ASSERT_FALSE(result);
  EXPECT_EQ(result.error().code, 2);
  EXPECT_EQ(result.error().message, "The XLSX file is too large to read.");

  // Below the limit the same texts are read.
  SharedStringTable strings;
  strings.add("long text");
  SheetParser parser(std::move(strings), 20);
  EXPECT_TRUE(parseXML(asBytes(sheet("<row><c t=\"s\"><v>0</v></c><c t=\"s\"><v>0</v></c></row><row/>")), parser));
  EXPECT_EQ(testing::dense(parser.takeRows()), (Rows{{"long text", "long text"}, {}}));
}

}  // namespace
}  // namespace tamsel::xlsx
