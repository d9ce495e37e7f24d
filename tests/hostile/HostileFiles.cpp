#include "HostileFiles.h"

#include <zlib.h>

#include <cstdint>
#include <string_view>

#include "formats/nsub/NSubWriter.h"
#include "formats/xls/XLSTestBuilders.h"
#include "formats/zip/ZIPReaderTestArchive.h"

namespace tamsel::hostile {
namespace {

using testing::BIFFBuilder;
using testing::CompoundFileBuilder;
using zipfixture::member;
using zipfixture::TestArchive;
using zipfixture::TestMember;

constexpr std::string_view kNoPrimers = "No primer data found in the file.";
constexpr std::string_view kNoSequence =
    "No valid DNA sequence of at least 5 characters was found. This does not appear to be a valid primer file.";
const std::string kReadFailure = "Failed to read file: ";

Bytes bytesOf(std::string_view text) { return Bytes(text.begin(), text.end()); }

std::string tooManyColumns(std::size_t columns) {
  return kReadFailure + "The file has " + std::to_string(columns) +
         " columns, which is more than the maximum of 4 (Selected, Name, Sequence, Comment). "
         "This does not appear to be a valid primer file.";
}

// ---- .xlsx ----------------------------------------------------------------

constexpr std::string_view kMainNamespace = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";

std::string inlineCell(std::string_view reference, std::string_view text) {
  return "<c r=\"" + std::string(reference) + "\" t=\"inlineStr\"><is><t>" + std::string(text) + "</t></is></c>";
}

// A header row and one primer row, as inline strings.
std::string primerRows() {
  return "<row r=\"1\">" + inlineCell("A1", "Name") + inlineCell("B1", "Sequence") + "</row><row r=\"2\">" +
         inlineCell("A2", "P1") + inlineCell("B2", "ACGTACGTAC") + "</row>";
}

std::string worksheet(std::string_view rows, std::string_view doctype = "") {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + std::string(doctype) + "<worksheet xmlns=\"" +
         std::string(kMainNamespace) + "\"><sheetData>" + std::string(rows) + "</sheetData></worksheet>";
}

Bytes workbook(std::vector<TestMember> members) { return TestArchive(std::move(members)).build(); }

Bytes sheetOnly(std::string_view xml) { return workbook({member("xl/worksheets/sheet1.xml", xml)}); }

// Raw DEFLATE for `mib` MiB of zeros: the blocks for one MiB, ended by a full
// flush so that they stand alone, repeated; then an empty final block. About a
// kilobyte per MiB, built in milliseconds.
Bytes deflatedZeros(std::size_t mib) {
  const Bytes run = zipfixture::rawDeflate(Bytes(std::size_t{1} << 20, 0), Z_BEST_COMPRESSION, Z_FULL_FLUSH);
  Bytes out;
  for (std::size_t i = 0; i < mib; ++i) out.insert(out.end(), run.begin(), run.end());
  out.insert(out.end(), {0x03, 0x00});  // final block, fixed codes, end of block at once
  return out;
}

// A package whose one member, `name`, inflates to 1 GiB of zeros.
Bytes zeroBomb(std::string name) {
  TestMember part = member(std::move(name), "");
  part.rawBytes = deflatedZeros(1024);
  part.declaredSize = 0x40000000;
  return workbook({part});
}

// A package whose one member claims 4 GiB once inflated.
Bytes claimsFourGigabytes(std::string name, std::string_view contents) {
  TestMember part = member(std::move(name), contents);
  part.declaredSize = 0xFFFFFFFF;
  return workbook({part});
}

// Ten levels of entities, each ten of the one below: "&lol9;" stands for a
// billion "lol"s.
std::string billionLaughsDoctype(std::string_view root) {
  std::string doctype = "<!DOCTYPE " + std::string(root) + " [<!ENTITY lol0 \"lol\">";
  for (int level = 1; level <= 9; ++level) {
    doctype += "<!ENTITY lol" + std::to_string(level) + " \"";
    for (int i = 0; i < 10; ++i) doctype += "&lol" + std::to_string(level - 1) + ";";
    doctype += "\">";
  }
  return doctype + "]>";
}

Bytes billionLaughs() {
  return sheetOnly(
      worksheet("<row>" + inlineCell("A1", "&lol9;") + "</row>" + primerRows(), billionLaughsDoctype("worksheet")));
}

// The secret file is named by a general entity in both parts, by a parameter
// entity and as the external subset; none of them may be read. The DOCTYPE
// ends each part where it stands, so no row is read at all.
Bytes externalEntity(const std::string& folder) {
  const std::string secret = "file://" + folder + "/" + kSecretFileName;
  const auto doctype = [&](std::string_view root) {
    return "<!DOCTYPE " + std::string(root) + " SYSTEM \"" + secret + "\" [<!ENTITY xxe SYSTEM \"" + secret +
           "\"><!ENTITY % remote SYSTEM \"" + secret + "\">%remote;]>";
  };
  const std::string strings = "<?xml version=\"1.0\"?>" + doctype("sst") + "<sst xmlns=\"" +
                              std::string(kMainNamespace) + "\"><si><t>P1&xxe;</t></si></sst>";
  const std::string rows = "<row>" + inlineCell("A1", "Name") + inlineCell("B1", "Sequence") +
                           inlineCell("C1", "Comment") + "</row><row><c r=\"A2\" t=\"s\"><v>0</v></c>" +
                           inlineCell("B2", "ACGTACGTAC") + inlineCell("C2", "&xxe;") + "</row>";
  return workbook({member("xl/sharedStrings.xml", strings),
                   member("xl/worksheets/sheet1.xml", worksheet(rows, doctype("worksheet")))});
}

Bytes twentyLetterColumn() {
  const std::string rows = "<row>" + inlineCell("A1", "Name") + inlineCell("B1", "Sequence") + "</row><row>" +
                           inlineCell("A2", "P1") + inlineCell("AAAAAAAAAAAAAAAAAAAA2", "ACGTACGTAC") + "</row>";
  return sheetOnly(worksheet(rows));
}

Bytes millionEmptyCells() {
  std::string cells;
  for (int i = 0; i < 1'000'000; ++i) cells += "<c/>";
  return sheetOnly(worksheet("<row>" + cells + "</row>" + primerRows()));
}

// Cells that name shared strings far beyond a table of one string keep
// their index texts as names.
Bytes sharedStringsBeyondTheTable() {
  const std::string strings = "<sst xmlns=\"" + std::string(kMainNamespace) + "\"><si><t>Name</t></si></sst>";
  const auto primer = [](int row, std::string_view index) {
    const std::string r = std::to_string(row);
    return "<row><c r=\"A" + r + "\" t=\"s\"><v>" + std::string(index) + "</v></c>" +
           inlineCell("B" + r, "ACGTACGTAC") + "</row>";
  };
  const std::string rows = "<row><c r=\"A1\" t=\"s\"><v>0</v></c>" + inlineCell("B1", "Sequence") + "</row>" +
                           primer(2, "3") + primer(3, "5000000");
  return workbook({member("xl/sharedStrings.xml", strings), member("xl/worksheets/sheet1.xml", worksheet(rows))});
}

// ---- .xls -----------------------------------------------------------------

// A workbook stream: globals, then one worksheet with a header and one primer.
struct WorkbookStream {
  // The texts as shared strings, the SST claiming this many.
  std::optional<std::uint32_t> sstUniqueCount = std::nullopt;
  std::size_t padding = 0;  // bytes of ignored records, to pass the mini-stream cutoff
  bool farCell = false;     // one more cell, at row and column 65535

  Bytes build() const {
    const char* texts[] = {"Name", "Sequence", "P1", "ACGTACGTAC"};
    BIFFBuilder b;
    b.bof(0x0005);
    if (sstUniqueCount) {
      Bytes sst;
      le::appendU32(sst, 4), le::appendU32(sst, *sstUniqueCount);
      for (const char* text : texts) sst = testing::cat(sst, testing::compressedString(text));
      b.record(0x00FC, sst);
    }
    for (std::size_t added = 0; added < padding; added += 204) b.record(0x00E0, Bytes(200, 0));
    std::size_t boundSheet = 0;
    b.boundSheet(0, &boundSheet).eof().pointSheetHere(boundSheet).bof(0x0010);
    for (std::uint16_t i = 0; i < 4; ++i) {
      const auto row = static_cast<std::uint16_t>(i / 2), column = static_cast<std::uint16_t>(i % 2);
      if (sstUniqueCount) b.record(0x00FD, testing::cat(testing::cellHeader(row, column), {std::uint8_t(i), 0, 0, 0}));
      if (!sstUniqueCount) b.label(row, column, texts[i]);
    }
    if (farCell) b.label(65535, 65535, "far");
    return b.eof().bytes();
  }
};

// The FAT entry of sector n lies at 512 + 4n (see CompoundFileBuilder).
void setFat(Bytes& file, std::int32_t sector, std::int32_t next) {
  le::storeU32(file, 512 + 4 * static_cast<std::size_t>(sector), static_cast<std::uint32_t>(next));
}

CompoundFileBuilder::Layout layoutOf(const WorkbookStream& stream = {}) {
  return CompoundFileBuilder().stream("Workbook", stream.build()).build();
}

Bytes fatLoop() {
  auto layout = layoutOf({.padding = 5000});
  setFat(layout.file, layout.starts[0] + 2, layout.starts[0] + 1);  // the third sector leads back to the second
  return layout.file;
}

Bytes directoryLoop() {
  auto layout = layoutOf();
  setFat(layout.file, layout.directorySector, layout.directorySector);
  return layout.file;
}

// The mini FAT's second entry leads back to the first, and its own sector
// chain points at itself.
Bytes miniFatLoop() {
  auto layout = layoutOf();
  le::storeU32(layout.file, 512 * (static_cast<std::size_t>(layout.miniFatSector) + 1) + 4, 0);
  setFat(layout.file, layout.miniFatSector, layout.miniFatSector);
  return layout.file;
}

// More sectors than one FAT sector describes, so the reader looks for FAT
// sectors in the DIFAT chain, which runs in a circle of two sectors.
Bytes difatLoop() {
  Bytes file = layoutOf().file;
  const auto first = static_cast<std::uint32_t>(file.size() / 512 - 1);
  for (std::uint32_t d = first; d < first + 2; ++d) {
    for (int i = 0; i < 127; ++i) le::appendU32(file, 0xFFFFFFFF);
    le::appendU32(file, d == first ? first + 1 : first);
  }
  file.resize(file.size() + 200 * 512, 0);
  le::storeU32(file, 0x44, first);
  le::storeU32(file, 0x48, 0xFFFFFFFF);
  return file;
}

Bytes sectorShift(std::uint8_t shift) {
  Bytes file = layoutOf().file;
  file[30] = shift;
  return file;
}

// A sequence of 65,535 bytes announced, four present.
Bytes nsubLengthPastEnd() {
  Bytes file = NSubWriter::write({PrimerEntry(true, "P1", "ACGT", "")}, 2, 3);
  const std::size_t sequence = 6 + 128 + 18;
  file.resize(sequence + 2 + 4);
  file[sequence] = file[sequence + 1] = 0xFF;
  return file;
}

// ---- .ods -----------------------------------------------------------------

constexpr std::string_view kODSNamespaces =
    " xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\""
    " xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\""
    " xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"";

std::string odsCell(std::string_view text, std::string_view attributes = "") {
  return "<table:table-cell" + std::string(attributes) + "><text:p>" + std::string(text) +
         "</text:p></table:table-cell>";
}

std::string odsRow(std::string_view cells, std::string_view attributes = "") {
  return "<table:table-row" + std::string(attributes) + ">" + std::string(cells) + "</table:table-row>";
}

// A sheet of a header, one primer row and then `rows`.
std::string odsContent(std::string_view rows, std::string_view doctype = "") {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + std::string(doctype) + "<office:document-content" +
         std::string(kODSNamespaces) + "><office:body><office:spreadsheet><table:table table:name=\"Primers\">" +
         odsRow(odsCell("Name") + odsCell("Sequence")) + odsRow(odsCell("P1") + odsCell("ACGTACGTAC")) +
         std::string(rows) + "</table:table></office:spreadsheet></office:body></office:document-content>";
}

Bytes odsPackage(std::string_view content) { return workbook({member("content.xml", content)}); }

// The attribute that repeats a cell ("columns") or a row ("rows") 2^31 times.
std::string repeated(std::string_view what) {
  return " table:number-" + std::string(what) + "-repeated=\"2147483648\"";
}

// One text cell repeated across 2^31 columns, and one text row down 2^31 rows
// (or as many rows as the limit lets through).
Bytes odsRepeatedColumns() { return odsPackage(odsContent(odsRow(odsCell("x", repeated("columns"))))); }
Bytes odsRepeatedRows(std::string_view count) {
  return odsPackage(odsContent(
      odsRow(odsCell("P2") + odsCell("GGCCTTAAGG"), " table:number-rows-repeated=\"" + std::string(count) + "\"")));
}
// 2^31 spaces in one paragraph.
Bytes odsSpaces() { return odsPackage(odsContent(odsRow(odsCell("P2") + odsCell("<text:s text:c=\"2147483648\"/>")))); }
// Empty cells and rows repeated 2^31 times each, as a sheet's end is written:
// nothing to store.
Bytes odsEmptyRepeats() {
  const std::string empty = "<table:table-cell" + repeated("columns") + "/>";
  return odsPackage(
      odsContent(odsRow(odsCell("P2") + odsCell("GGCCTTAAGG") + empty) + odsRow(empty, repeated("rows"))));
}

Bytes odsBillionLaughs() {
  return odsPackage(odsContent(odsRow(odsCell("&lol9;")), billionLaughsDoctype("office:document-content")));
}

// ---- text -----------------------------------------------------------------

// `start`, then `piece` repeated for ten megabytes, without a line break.
Bytes tenMegabytes(std::string_view start, std::string_view piece) {
  Bytes out = bytesOf(start);
  while (out.size() < start.size() + (10u << 20)) out.insert(out.end(), piece.begin(), piece.end());
  return out;
}

// Every line opens a quote that the next line's first character closes, so
// each quoted cell spans two lines: 200,000 lines, 100,000 primers.
Bytes quoteOpeningEveryLine() {
  std::string text;
  for (int i = 0; i < 200'000; ++i) text += "\"P" + std::to_string(i) + ",ACGTACGTAC\n";
  return bytesOf(text);
}

}  // namespace

std::vector<HostileFile> hostileFiles() {
  const auto fixed = [](auto make) { return [make](const std::string&) { return make(); }; };
  const auto text = [](std::string contents) { return [contents](const std::string&) { return bytesOf(contents); }; };
  const std::string notOLE2 = kReadFailure + "Not a valid XLS/OLE2 file.";
  return {
      {"deflate_bomb_4gb_claim.xlsx",
       fixed([] { return claimsFourGigabytes("xl/worksheets/sheet1.xml", worksheet(primerRows())); }), std::nullopt, 1},
      {"deflate_bomb_1gb_zeros.xlsx", fixed([] { return zeroBomb("xl/worksheets/sheet1.xml"); }),
       kReadFailure + "The XLSX file is too large to read.", 0},
      {"billion_laughs.xlsx", fixed(billionLaughs), std::string(kNoPrimers), 0},
      {"external_entity.xlsx", externalEntity, std::string(kNoPrimers), 0},
      {"twenty_letter_column.xlsx", fixed(twentyLetterColumn), std::nullopt, 1},
      {"shared_strings_beyond_the_table.xlsx", fixed(sharedStringsBeyondTheTable), std::nullopt, 2, {"3", "5000000"}},
      // A header names the columns, so the width is no limit.
      {"million_empty_cells.xlsx", fixed(millionEmptyCells), std::nullopt, 1},
      {"fat_chain_loop.xls", fixed(fatLoop), std::string(kNoPrimers), 0},
      {"directory_chain_loop.xls", fixed(directoryLoop), std::nullopt, 1},
      {"minifat_chain_loop.xls", fixed(miniFatLoop), std::string(kNoSequence), 0},
      {"difat_chain_loop.xls", fixed(difatLoop), std::nullopt, 1},
      {"sector_shift_0.xls", fixed([] { return sectorShift(0); }), notOLE2, 0},
      {"sector_shift_64.xls", fixed([] { return sectorShift(64); }), notOLE2, 0},
      {"sst_unique_count_4294967295.xls", fixed([] { return layoutOf({.sstUniqueCount = 0xFFFFFFFF}).file; }),
       std::nullopt, 1},
      {"cell_at_row_65535_column_65535.xls", fixed([] { return layoutOf({.farCell = true}).file; }), std::nullopt,
       1},
      {"repeat_2147483648_columns.ods", fixed(odsRepeatedColumns), kReadFailure + "The ODS file is too large to read.",
       0},
      {"repeat_2147483648_rows.ods", fixed([] { return odsRepeatedRows("2147483648"); }),
       kReadFailure + "The ODS file is too large to read.", 0},
      {"repeat_100000_rows.ods", fixed([] { return odsRepeatedRows("100000"); }), std::nullopt, 100'001},
      {"space_count_2147483648.ods", fixed(odsSpaces), kReadFailure + "The ODS file is too large to read.", 0},
      {"empty_repeats_2147483648.ods", fixed(odsEmptyRepeats), std::nullopt, 2},
      {"billion_laughs.ods", fixed(odsBillionLaughs), std::string(kNoPrimers), 0},
      {"deflate_bomb_1gb_zeros.ods", fixed([] { return zeroBomb("content.xml"); }),
       kReadFailure + "The ODS file is too large to read.", 0},
      {"deflate_bomb_4gb_claim.ods", fixed([] { return claimsFourGigabytes("content.xml", odsContent("")); }),
       std::nullopt, 1},
      {"length_prefix_past_end.nsub", fixed(nsubLengthPastEnd),
       kReadFailure + "The file ended unexpectedly while reading primer data.", 0},
      {"one_10mb_line.txt", fixed([] { return tenMegabytes("P1\t", "ACGT"); }), std::nullopt, 1},
      {"one_10mb_character.txt", fixed([] { return tenMegabytes("P1\tACGTACGTAC\te", "\xCC\x81"); }), std::nullopt, 1},
      {"quote_opening_every_line.csv", fixed(quoteOpeningEveryLine), std::nullopt, 100'000},
      {"one_10mb_line_of_commas.csv", fixed([] { return tenMegabytes("", ","); }), tooManyColumns((10u << 20) + 1), 0},
      {"quote_never_closed.csv", text("Name,Sequence,Comment\nP1,ACGTACGTAC,\"forward\nP2,GGCCTTAAGG,reverse\n"),
       std::nullopt, 2},
      // Not UTF-8 and no byte-order mark: read as Windows-1252.
      {"invalid_utf8.csv", text("Name,Sequence\nP1,ACGTACGTAC\nP\xC3\x28,GGCCTTAAGG\n"), std::nullopt, 2},
      {"invalid_utf8_after_byte_order_mark.csv", text("\xEF\xBB\xBFName,Sequence\nP1,ACGTACGTAC\nP\xC3\x28,GGCC\n"),
       kReadFailure + "The file is not valid UTF-8 text (invalid byte 0xC3 at offset 32).", 0},
      {"utf16_odd_byte_count.txt", text(std::string("\xFF\xFEN\0a", 5)),
       kReadFailure +
           "The file starts with a UTF-16 byte-order mark but has an odd number of bytes (5), so it is not valid "
           "UTF-16 text.",
       0},
  };
}

}  // namespace tamsel::hostile
