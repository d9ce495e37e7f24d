// A workbook of one worksheet is imported in one pass, its rows going to the
// primers as they are read. Whatever happens on the way, the outcome is the
// one its whole table gives (the import of every sheet builds the tables).

#include <gtest/gtest.h>

#include <string>

#include "app/ImportFile.h"
#include "formats/zip/ZIPReaderTestArchive.h"
#include "model/PrimerFields.h"

namespace tamsel {
namespace {

using zipfixture::member;
using zipfixture::TestArchive;

std::string sheet(const std::string& rows) {
  return "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>" + rows +
         "</sheetData></worksheet>";
}

// `prefix` and then `number`, built without operator+ on a temporary (which
// GCC 12 mistakes for an overlapping copy).
std::string numbered(std::string prefix, int number) { return prefix.append(std::to_string(number)); }

std::string cell(const std::string& text) { return "<c t=\"inlineStr\"><is><t>" + text + "</t></is></c>"; }

// A header and `count` primers, the sequences shared strings.
struct Workbook {
  std::string header = "<row>" + cell("Name") + cell("Sequence") + "</row>";
  std::string rows;
  std::string strings;
  int count = 0;

  // A row of an inline string and then `cells` as they stand.
  void row(const std::string& first, const std::string& cells = "") {
    rows.append("<row>").append(cell(first)).append(cells).append("</row>");
  }
  Workbook& primers(int more, const std::string& extraCells = "") {
    const char* bases = "ACGT";
    for (int i = 0; i < more; ++i, ++count) {
      std::string sequence;
      for (int b = 0; b < 22; ++b) sequence.push_back(bases[(count * 7 + b * b) % 4]);
      strings.append("<si><t>").append(sequence).append("</t></si>");
      row(numbered("P", count), numbered("<c t=\"s\"><v>", count).append("</v></c>").append(extraCells));
    }
    return *this;
  }
  std::vector<zipfixture::TestMember> parts() const {
    return {member("xl/sharedStrings.xml", "<sst>" + strings + "</sst>"),
            member("xl/worksheets/sheet1.xml", sheet(header + rows))};
  }
  Bytes build() const { return TestArchive{parts()}.build(); }
};

void expectTheTablesOutcome(const Bytes& workbook, const std::string& what) {
  SCOPED_TRACE(what);
  const ImportOutcome streamed = importBytes(workbook, "xlsx", "list");
  const ImportOutcome table = importBytes(workbook, "xlsx", "list", SheetRequest::all());
  EXPECT_EQ(streamed.error, table.error);
  ASSERT_EQ(streamed.succeeded(), table.succeeded());
  if (streamed.succeeded()) {
    EXPECT_EQ(fieldsOf(*streamed.primers), fieldsOf(*table.primers));
  }
  ASSERT_EQ(streamed.layout.has_value(), table.layout.has_value());
  if (streamed.layout) {
    EXPECT_EQ(describeLayoutInDetail(*streamed.layout), describeLayoutInDetail(*table.layout));
    EXPECT_EQ(streamed.layout->sheet, table.layout->sheet);
  }
  EXPECT_EQ(streamed.sheetNames, table.sheetNames);
}

TEST(ImportWorkbookStreamTest, GivesWhatTheWholeTableGives) {
  expectTheTablesOutcome(Workbook().primers(3000).build(), "plain");
  expectTheTablesOutcome(Workbook().primers(20).build(), "fewer rows than decide the layout");

  // A wider row after the first rows decides the layout anew.
  Workbook wider;
  wider.primers(2000).primers(1, cell("a late comment"));
  expectTheTablesOutcome(wider.build(), "wider later");

  // One column of names and sequences, split at spaces.
  Workbook spaced;
  spaced.header.clear();
  for (int i = 0; i < 50; ++i) spaced.row(numbered("P", i).append("  ACGTTGCAAGGCTT"));
  expectTheTablesOutcome(spaced.build(), "one column");

  // No sequences at all: the same refusal.
  Workbook none;
  for (int i = 0; i < 50; ++i) none.row(numbered("P", i), cell("n/a"));
  expectTheTablesOutcome(none.build(), "no sequences");

  const ImportOutcome outcome = importBytes(Workbook().primers(3000).build(), "xlsx", "list");
  ASSERT_TRUE(outcome.succeeded());
  EXPECT_EQ(outcome.primers->size(), 3000u);
  EXPECT_EQ(outcome.sheetNames, std::vector<std::string>{"Sheet1"});
  EXPECT_EQ(outcome.sheetIndex, 0u);
}

TEST(ImportWorkbookStreamTest, RowsStreamedBeforeAFailureAreNotKept) {
  // The worksheet's DEFLATE stream ends part way: read whole, the member is
  // not there at all, whatever was streamed before the damage showed.
  auto parts = Workbook().primers(20000).parts();
  const Bytes deflated = zipfixture::rawDeflate(parts.back().contents);
  parts.back().rawBytes = Bytes(deflated.begin(), deflated.begin() + static_cast<std::ptrdiff_t>(deflated.size() / 2));
  const Bytes damaged = TestArchive{parts}.build();
  expectTheTablesOutcome(damaged, "damaged part way");
  EXPECT_FALSE(importBytes(damaged, "xlsx", "list").succeeded());

  // The same from a workbook large enough that its primers are made on a
  // second thread: its worksheet stored, or a stored member beside it.
  auto large = Workbook().primers(30000).parts();
  large.back().method = 0;
  const Bytes stored = TestArchive{large}.build();
  ASSERT_GT(stored.size(), std::size_t{1} << 20);
  expectTheTablesOutcome(stored, "large");
  parts.push_back(member("xl/media/padding.bin", std::string(std::size_t{1} << 20, 'x'), 0));
  const Bytes largeDamaged = TestArchive{parts}.build();
  expectTheTablesOutcome(largeDamaged, "large, damaged part way");
  EXPECT_FALSE(importBytes(largeDamaged, "xlsx", "list").succeeded());

  // A table out of proportion to its parts is refused once the limit trips,
  // after many rows streamed.
  Workbook bomb;
  bomb.primers(3000);
  bomb.strings += "<si><t>" + std::string(1 << 20, 'A') + "</t></si>";
  for (int i = 0; i < 100; ++i) bomb.row("X", "<c t=\"s\"><v>3000</v></c>");
  expectTheTablesOutcome(bomb.build(), "too large");
  EXPECT_EQ(importBytes(bomb.build(), "xlsx", "list").error.value_or(""),
            "Failed to read file: The XLSX file is too large to read.");
}

}  // namespace
}  // namespace tamsel
