#include "formats/xls/XLSParser.h"

namespace tamsel {

Expected<RowTable, ReaderError> XLSParser::parse(ByteView) {
  return unexpected(ReaderError{"XLSParser", 0, "Reading .xls files is not supported yet."});
}

}  // namespace tamsel
