#include "formats/FormatRegistry.h"

#include <algorithm>

#include "formats/bed/BEDParser.h"
#include "formats/fasta/FASTAParser.h"
#include "formats/fasta/FASTAWriter.h"
#include "formats/nsub/NSubParser.h"
#include "formats/nsub/NSubWriter.h"
#include "formats/text/DelimitedTextParser.h"
#include "formats/text/DelimitedTextWriter.h"
#include "formats/text/TextDecoding.h"
#include "formats/ods/ODSParser.h"
#include "formats/xls/XLSParser.h"
#include "formats/xlsx/XLSXParser.h"
#include "formats/xlsx/XLSXWriter.h"

namespace tamsel {
namespace {

// The shapes of a whole-format parser, as the table's reader.
Expected<ReadResult, ReaderError> cellsRead(Expected<WorkbookSheet, ReaderError> sheet) {
  if (!sheet) return unexpected(sheet.error());
  CellsRead cells{std::move(sheet->rows), {}, std::move(sheet->sheetNames), sheet->sheetIndex};
  cells.streamed = sheet->streamed;
  return ReadResult(std::move(cells));
}

template <auto parseSheet>
Expected<ReadResult, ReaderError> readWorkbook(ByteView bytes, const ReadOptions& options) {
  return cellsRead(parseSheet(bytes, options.sheet));
}

// The workbook reader that streams the rows of a workbook of one sheet.
Expected<ReadResult, ReaderError> readXLSX(ByteView bytes, const ReadOptions& options) {
  return cellsRead(XLSXParser::parseSheet(bytes, options.sheet, options.rows));
}

template <auto parse>
Expected<ReadResult, ReaderError> readPrimers(ByteView bytes, const ReadOptions&) {
  Expected<PrimersRead, ReaderError> primers = parse(bytes);
  if (!primers) return unexpected(primers.error());
  return ReadResult(std::move(*primers));
}

Expected<ReadResult, ReaderError> primersRead(Expected<PrimerList, ReaderError> primers) {
  if (!primers) return unexpected(primers.error());
  return ReadResult(PrimersRead{std::move(*primers), std::nullopt});
}

// Primer formats written as text, decoded as any text file is.
template <auto parse>
Expected<ReadResult, ReaderError> readPrimerText(ByteView bytes, const ReadOptions&) {
  auto text = decodeText(bytes);
  if (!text) return unexpected(text.error());
  return primersRead(parse(*text));
}

// Every extension no other format claims: delimited text, or FASTA when the
// first line that is not blank begins with ">" (FASTA saved as .txt). UTF-8
// bytes are read where they stand; with options.rows set the cells stream
// there as they are read.
Expected<ReadResult, ReaderError> readText(ByteView bytes, const ReadOptions& options) {
  auto decoded = decodeTextInPlace(bytes);
  if (!decoded) return unexpected(decoded.error());
  const std::string_view text = decoded->text();
  if (startsLikeFASTA(text)) return primersRead(FASTAParser::parse(text));
  if (!options.rows) return ReadResult(splitDelimitedText(text, options.extension, options.storedColumns));
  streamDelimitedText(text, options.extension, options.storedColumns, *options.rows);
  CellsRead cells;
  cells.streamed = true;
  return ReadResult(std::move(cells));
}

// Writers of formats that do not store the list settings.
std::optional<std::string> writeXLSX(const PrimerList& primers, const ListSettings&, ByteSink& out) {
  return XLSXWriter::writeChecked(primers, out);
}

std::optional<std::string> writeFASTA(const PrimerList& primers, const ListSettings&, ByteSink& out) {
  FASTAWriter::write(primers, out);
  return std::nullopt;
}

template <char separator>
std::optional<std::string> writeText(const PrimerList& primers, const ListSettings&, ByteSink& out) {
  writeDelimitedText(primers, separator, out);
  return std::nullopt;
}

const std::vector<FileFormat>& formats() {
  static const std::vector<FileFormat> kFormats = {
      {.id = "nsub",
       .extensions = {"nsub"},
       .exportTitle = "Helmvard Primer (.nsub)",
       .kindTitle = "Helmvard primer file",
       .mimeType = "application/x-helmvard-primers",  // defined by packaging/tamsel-mime.xml
       .openDialogPosition = 5,
       .binary = true,
       .read = readPrimers<NSubParser::parse>,
       .write = NSubWriter::writeChecked},
      {.id = "xlsx",
       .extensions = {"xlsx"},
       .exportTitle = "Excel Workbook (.xlsx)",
       .kindTitle = "Excel workbook",
       .mimeType = "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet",
       .openDialogPosition = 4,
       .binary = true,
       .streamsRows = true,
       .read = readXLSX,
       .write = writeXLSX},
      {.id = "xls",
       .extensions = {"xls"},
       .kindTitle = "Excel 97-2003 workbook",
       .mimeType = "application/vnd.ms-excel",
       .openDialogPosition = 3,
       .binary = true,
       .read = readWorkbook<XLSParser::parseSheet>},
      {.id = "csv",
       .extensions = {"csv"},
       .exportTitle = "Comma-Separated Values (.csv)",
       .kindTitle = "Comma-separated values",
       .mimeType = "text/csv",
       .openDialogPosition = 0,
       .streamsRows = true,
       .read = readText,
       .write = writeText<','>},
      {.id = "tsv",
       .extensions = {"tsv"},
       .exportTitle = "Tab-Separated Values (.tsv)",
       .kindTitle = "Tab-separated values",
       .mimeType = "text/tab-separated-values",
       .openDialogPosition = 1,
       .streamsRows = true,
       .read = readText,
       .write = writeText<'\t'>},
      {.id = "txt",
       .extensions = {"txt"},
       .kindTitle = "Plain text",
       .mimeType = "text/plain",
       .openDialogPosition = 2,
       .streamsRows = true,
       .read = readText},
      {.id = "fasta",
       .extensions = {"fasta", "fa", "fas", "fna", "fsa", "mfa"},
       .exportTitle = "FASTA Sequences (.fasta)",
       .kindTitle = "FASTA sequences",
       .openDialogPosition = 6,
       .read = readPrimerText<FASTAParser::parse>,
       .write = writeFASTA},
      {.id = "ods",
       .extensions = {"ods"},
       .kindTitle = "OpenDocument spreadsheet",
       .mimeType = "application/vnd.oasis.opendocument.spreadsheet",
       .openDialogPosition = 7,
       .binary = true,
       .read = readWorkbook<ODSParser::parseSheet>},
      {.id = "bed",
       .extensions = {"bed"},
       .kindTitle = "BED primer scheme",
       .openDialogPosition = 8,
       .read = readPrimerText<BEDParser::parse>},
  };
  return kFormats;
}

const FileFormat* findFormat(std::string_view extension, bool (*usable)(const FileFormat&)) {
  for (const FileFormat& format : formats()) {
    if (!usable(format)) continue;
    if (std::find(format.extensions.begin(), format.extensions.end(), extension) != format.extensions.end()) {
      return &format;
    }
  }
  return nullptr;
}

bool isRead(const FileFormat& format) { return format.read != nullptr; }
bool isWritten(const FileFormat& format) { return format.write != nullptr; }

// Where unclaimed extensions go.
const FileFormat& textFormat() { return *findFormat("txt", isRead); }
const FileFormat& primerFileFormat() { return *findFormat("nsub", isWritten); }

}  // namespace

std::span<const FileFormat> fileFormats() { return formats(); }

const std::vector<const FileFormat*>& exportFormats() {
  static const std::vector<const FileFormat*> kExportFormats = [] {
    std::vector<const FileFormat*> written;
    for (const FileFormat& format : formats()) {
      if (isWritten(format)) written.push_back(&format);
    }
    return written;
  }();
  return kExportFormats;
}

std::vector<const FileFormat*> openDialogFormats() {
  std::vector<const FileFormat*> read;
  for (const FileFormat& format : formats()) {
    if (isRead(format)) read.push_back(&format);
  }
  std::sort(read.begin(), read.end(),
            [](const FileFormat* a, const FileFormat* b) { return a->openDialogPosition < b->openDialogPosition; });
  return read;
}

const FileFormat& formatReading(std::string_view extension) {
  const FileFormat* format = findFormat(extension, isRead);
  return format ? *format : textFormat();
}

const FileFormat& formatWriting(std::string_view extension) {
  const FileFormat* format = findFormat(extension, isWritten);
  return format ? *format : primerFileFormat();
}

bool readsAnyExtension(const FileFormat& format) { return format.read == textFormat().read; }

}  // namespace tamsel
