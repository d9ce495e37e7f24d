#include "HostileFiles.h"

#include <zlib.h>

#include <cstdint>
#include <string_view>

#include "formats/xls/XLSTestBuilders.h"
#include "formats/zip/ZIPReaderTestArchive.h"

namespace tamsel::hostile {
namespace {

using testing::BIFFBuilder;
using testing::CompoundFileBuilder;
using testing::put16;
using testing::put32;
using testing::set32;
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

TestMember part(std::string name, std::string_view xml) {
  return zipfixture::member(std::move(name), xml);
}

Bytes workbook(std::vector<TestMember> members) { return TestArchive(std::move(members)).build(); }

Bytes sheetOnly(std::string_view xml) { return workbook({part("xl/worksheets/sheet1.xml", xml)}); }

// Raw DEFLATE for `mib` MiB of zeros: the blocks for one MiB, ended by a full
// flush so that they stand alone, repeated; then an empty final block. About a
// kilobyte per MiB, built in milliseconds.
Bytes deflatedZeros(std::size_t mib) {
  const Bytes zeros(std::size_t{1} << 20, 0);
  z_stream stream{};
  deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 9, Z_DEFAULT_STRATEGY);
  Bytes run(deflateBound(&stream, static_cast<uLong>(zeros.size())) + 64);
  stream.next_in = const_cast<Bytef*>(zeros.data());
  stream.avail_in = static_cast<uInt>(zeros.size());
  stream.next_out = run.data();
  stream.avail_out = static_cast<uInt>(run.size());
  deflate(&stream, Z_FULL_FLUSH);
  run.resize(stream.total_out);
  deflateEnd(&stream);

  Bytes out;
  out.reserve(run.size() * mib + 2);
  for (std::size_t i = 0; i < mib; ++i) out.insert(out.end(), run.begin(), run.end());
  out.push_back(0x03);  // final block, fixed codes, end of block at once
  out.push_back(0x00);
  return out;
}

Bytes zeroBomb() {
  TestMember sheet = part("xl/worksheets/sheet1.xml", "");
  sheet.rawBytes = deflatedZeros(1024);
  sheet.declaredSize = 0x40000000;
  return workbook({sheet});
}

Bytes claimsFourGigabytes() {
  TestMember sheet = part("xl/worksheets/sheet1.xml", worksheet(primerRows()));
  sheet.declaredSize = 0xFFFFFFFF;
  return workbook({sheet});
}

Bytes billionLaughs() {
  std::string doctype = "<!DOCTYPE worksheet [<!ENTITY lol0 \"lol\">";
  for (int level = 1; level <= 9; ++level) {
    std::string previous = "&lol" + std::to_string(level - 1) + ";";
    std::string value;
    for (int i = 0; i < 10; ++i) value += previous;
    doctype += "<!ENTITY lol" + std::to_string(level) + " \"" + value + "\">";
  }
  doctype += "]>";
  return sheetOnly(worksheet("<row>" + inlineCell("A1", "&lol9;") + "</row>" + primerRows(), doctype));
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
  return workbook({part("xl/sharedStrings.xml", strings), part("xl/worksheets/sheet1.xml", worksheet(rows, doctype("worksheet")))});
}

Bytes twentyLetterColumn() {
  const std::string rows = "<row>" + inlineCell("A1", "Name") + inlineCell("B1", "Sequence") + "</row><row>" +
                           inlineCell("A2", "P1") + inlineCell("AAAAAAAAAAAAAAAAAAAA2", "ACGTACGTAC") + "</row>";
  return sheetOnly(worksheet(rows));
}

Bytes millionEmptyCells() {
  std::string row = "<row>";
  row.reserve(5'000'100);
  for (int i = 0; i < 1'000'000; ++i) row += "<c/>";
  row += "</row>";
  return sheetOnly(worksheet(row + primerRows()));
}

// ---- .xls -----------------------------------------------------------------

// A workbook stream: globals (with `globals` records and padding), then one
// worksheet with a header, one primer and `extraCells`.
struct WorkbookStream {
  std::vector<std::pair<std::uint16_t, Bytes>> globals;
  std::size_t padding = 0;  // bytes of ignored records, to pass the mini-stream cutoff
  bool sharedStrings = false;  // the four texts as LABELSST cells
  std::vector<std::pair<std::uint16_t, std::uint16_t>> farCells;

  Bytes build() const {
    BIFFBuilder b;
    b.bof(0x0005);
    for (const auto& [type, body] : globals) b.record(type, body);
    for (std::size_t added = 0; added < padding; added += 204) b.record(0x00E0, Bytes(200, 0));
    std::size_t boundSheet = 0;
    b.boundSheet(0, &boundSheet);
    b.eof();
    b.pointSheetHere(boundSheet);
    b.bof(0x0010);
    const char* texts[] = {"Name", "Sequence", "P1", "ACGTACGTAC"};
    for (std::uint16_t i = 0; i < 4; ++i) {
      const auto row = static_cast<std::uint16_t>(i / 2);
      const auto column = static_cast<std::uint16_t>(i % 2);
      if (sharedStrings) {
        Bytes body = testing::cellHeader(row, column);
        put32(body, i);
        b.record(0x00FD, body);
      } else {
        b.label(row, column, texts[i]);
      }
    }
    for (const auto& [row, column] : farCells) b.label(row, column, "far");
    b.eof();
    return b.bytes();
  }
};

Bytes sstRecord(std::uint32_t uniqueCount) {
  Bytes body;
  put32(body, 4);
  put32(body, uniqueCount);
  for (const char* text : {"Name", "Sequence", "P1", "ACGTACGTAC"}) {
    Bytes s = testing::compressedString(text);
    body.insert(body.end(), s.begin(), s.end());
  }
  return body;
}

// The FAT entry of sector n lies at 512 + 4n (see CompoundFileBuilder).
void setFat(Bytes& file, std::int32_t sector, std::int32_t next) {
  set32(file, 512 + 4 * static_cast<std::size_t>(sector), static_cast<std::uint32_t>(next));
}

Bytes compoundFile(const WorkbookStream& stream) {
  return CompoundFileBuilder().stream("Workbook", stream.build()).build().file;
}

Bytes fatLoop() {
  WorkbookStream stream;
  stream.padding = 5000;
  auto layout = CompoundFileBuilder().stream("Workbook", stream.build()).build();
  const std::int32_t start = layout.starts[0];
  setFat(layout.file, start + 2, start + 1);  // the third sector leads back to the second
  return layout.file;
}

Bytes directoryLoop() {
  auto layout = CompoundFileBuilder().stream("Workbook", WorkbookStream{}.build()).build();
  setFat(layout.file, layout.directorySector, layout.directorySector);
  return layout.file;
}

Bytes miniFatLoop() {
  auto layout = CompoundFileBuilder().stream("Workbook", WorkbookStream{}.build()).build();
  // The mini FAT's second entry leads back to the first, and its own sector
  // chain points at itself.
  const std::int32_t miniFat = layout.miniFatSector;
  set32(layout.file, 512 * (static_cast<std::size_t>(miniFat) + 1) + 4, 0);
  setFat(layout.file, miniFat, miniFat);
  return layout.file;
}

// More sectors than one FAT sector describes, so the reader looks for FAT
// sectors in the DIFAT chain, which runs in a circle of two sectors.
Bytes difatLoop() {
  Bytes file = compoundFile(WorkbookStream{});
  const auto first = static_cast<std::uint32_t>(file.size() / 512 - 1);
  for (std::uint32_t d = first; d < first + 2; ++d) {
    for (int i = 0; i < 127; ++i) put32(file, 0xFFFFFFFF);
    put32(file, d == first ? first + 1 : first);
  }
  file.resize(file.size() + 200 * 512, 0);
  set32(file, 0x44, first);
  set32(file, 0x48, 0xFFFFFFFF);
  return file;
}

Bytes sectorShift(std::uint16_t shift) {
  Bytes file = compoundFile(WorkbookStream{});
  file[30] = static_cast<std::uint8_t>(shift);
  file[31] = static_cast<std::uint8_t>(shift >> 8);
  return file;
}

Bytes hugeUniqueCount() {
  WorkbookStream stream;
  stream.globals = {{0x00FC, sstRecord(0xFFFFFFFF)}};
  stream.sharedStrings = true;
  return compoundFile(stream);
}

Bytes farCell() {
  WorkbookStream stream;
  stream.farCells = {{65535, 65535}};
  return compoundFile(stream);
}

// ---- .nsub ----------------------------------------------------------------

Bytes nsubLengthPastEnd() {
  Bytes file = bytesOf("VERS\x01\x10");
  Bytes name(128, 0);
  name[0] = 'P';
  name[1] = '1';
  file.insert(file.end(), name.begin(), name.end());
  Bytes parameters(18, 0);
  parameters[4] = 3;
  parameters[5] = 2;
  file.insert(file.end(), parameters.begin(), parameters.end());
  file.push_back(0xFF);  // a sequence of 65,535 bytes announced, four present
  file.push_back(0xFF);
  for (char c : std::string_view("ACGT")) file.push_back(static_cast<std::uint8_t>(c));
  return file;
}

// ---- text -----------------------------------------------------------------

Bytes repeated(std::string_view piece, std::size_t totalBytes) {
  Bytes out;
  out.reserve(totalBytes + piece.size());
  while (out.size() < totalBytes) out.insert(out.end(), piece.begin(), piece.end());
  return out;
}

// A name, a tab and a sequence of ten megabytes, without a line break.
Bytes oneLongPrimer() {
  Bytes line = bytesOf("P1\t");
  const Bytes sequence = repeated("ACGT", 10u << 20);
  line.insert(line.end(), sequence.begin(), sequence.end());
  return line;
}

// One user-perceived character of ten megabytes: a letter and five million
// combining accents, in a primer's comment.
Bytes oneHugeCharacter() {
  Bytes line = bytesOf("P1\tACGTACGTAC\te");
  const Bytes accents = repeated("\xCC\x81", 10u << 20);
  line.insert(line.end(), accents.begin(), accents.end());
  return line;
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
  const auto fixed = [](Bytes (*make)()) { return [make](const std::string&) { return make(); }; };
  const auto text = [](std::string contents) { return [contents](const std::string&) { return bytesOf(contents); }; };
  const std::string notOLE2 = kReadFailure + "Not a valid XLS/OLE2 file.";
  return {
      {"deflate_bomb_4gb_claim.xlsx", fixed(claimsFourGigabytes), std::nullopt, 1},
      {"deflate_bomb_1gb_zeros.xlsx", fixed(zeroBomb), kReadFailure + "The XLSX file is too large to read.", 0},
      {"billion_laughs.xlsx", fixed(billionLaughs), std::string(kNoPrimers), 0},
      {"external_entity.xlsx", externalEntity, std::string(kNoPrimers), 0},
      {"twenty_letter_column.xlsx", fixed(twentyLetterColumn), std::nullopt, 1},
      {"million_empty_cells.xlsx", fixed(millionEmptyCells), tooManyColumns(1'000'000), 0},
      {"fat_chain_loop.xls", fixed(fatLoop), std::string(kNoPrimers), 0},
      {"directory_chain_loop.xls", fixed(directoryLoop), std::nullopt, 1},
      {"minifat_chain_loop.xls", fixed(miniFatLoop), std::string(kNoSequence), 0},
      {"difat_chain_loop.xls", fixed(difatLoop), std::nullopt, 1},
      {"sector_shift_0.xls", [](const std::string&) { return sectorShift(0); }, notOLE2, 0},
      {"sector_shift_64.xls", [](const std::string&) { return sectorShift(64); }, notOLE2, 0},
      {"sst_unique_count_4294967295.xls", fixed(hugeUniqueCount), std::nullopt, 1},
      {"cell_at_row_65535_column_65535.xls", fixed(farCell), tooManyColumns(65536), 0},
      {"length_prefix_past_end.nsub", fixed(nsubLengthPastEnd),
       kReadFailure + "The file ended unexpectedly while reading primer data.", 0},
      {"one_10mb_line.txt", [](const std::string&) { return oneLongPrimer(); }, std::nullopt, 1},
      {"one_10mb_character.txt", [](const std::string&) { return oneHugeCharacter(); }, std::nullopt, 1},
      {"quote_opening_every_line.csv", [](const std::string&) { return quoteOpeningEveryLine(); }, std::nullopt,
       100'000},
      {"one_10mb_line_of_commas.csv", [](const std::string&) { return repeated(",", 10u << 20); },
       tooManyColumns((10u << 20) + 1), 0},
      {"quote_never_closed.csv", text("Name,Sequence,Comment\nP1,ACGTACGTAC,\"forward\nP2,GGCCTTAAGG,reverse\n"),
       std::nullopt, 2},
      {"invalid_utf8.csv", text("Name,Sequence\nP1,ACGTACGTAC\nP\xC3\x28,GGCCTTAAGG\n"),
       kReadFailure + "The file is not valid UTF-8 text (invalid byte 0xC3 at offset 29).", 0},
      {"utf16_odd_byte_count.txt", text(std::string("\xFF\xFEN\0a", 5)),
       kReadFailure +
           "The file starts with a UTF-16 byte-order mark but has an odd number of bytes (5), so it is not valid "
           "UTF-16 text.",
       0},
  };
}

}  // namespace tamsel::hostile
