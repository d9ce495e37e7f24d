#include "formats/xlsx/XLSXParser.h"

namespace tamsel {

Expected<RowTable, ReaderError> XLSXParser::parse(ByteView) {
  return unexpected(ReaderError{"XLSXParser", 0, "Reading .xlsx files is not supported yet."});
}

}  // namespace tamsel
