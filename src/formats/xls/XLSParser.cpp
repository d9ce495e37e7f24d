#include "formats/xls/XLSParser.h"

#include "formats/xls/BIFFParser.h"
#include "formats/xls/CompoundDocument.h"
#include "formats/xls/XLSErrors.h"

namespace tamsel {

Expected<RowTable, ReaderError> XLSParser::parse(ByteView data) {
  auto sheet = parseSheet(data, SheetChoice());
  if (!sheet) return unexpected(sheet.error());
  return std::move(sheet->rows);
}

Expected<WorkbookSheet, ReaderError> XLSParser::parseSheet(ByteView data, const SheetChoice& choice) {
  using namespace xls;
  auto document = CompoundDocument::open(data);
  if (!document) return unexpected(document.error());
  // Excel 97 and later name the stream "Workbook"; Excel 5.0/95 "Book".
  auto stream = document->stream("Workbook");
  if (!stream) stream = document->stream("Book");
  if (!stream) return unexpected(xlsError(kNoWorkbookStreamMessage));
  return BIFFParser::extractSheet(*stream, choice);
}

}  // namespace tamsel
