#pragma once

// The row table a file's reader produces before any primer conversion, for
// looking at what a reader made of a file (tamsel-cli rows).

#include <filesystem>
#include <string>

#include "model/Bytes.h"
#include "model/Expected.h"
#include "model/RowTable.h"

namespace tamsel {

// Text files: the cells after splitting. Workbooks: the reader's table.
// .nsub: one row per primer of selected ("1" or "0"), name, sequence and
// comment. The error is the message a user sees ("Failed to read file: ...").
Expected<RowTable, std::string> readRowTable(const std::filesystem::path& path);

// The same from bytes in memory, the reader chosen by `extension` (lower-cased).
Expected<RowTable, std::string> readRowTable(ByteView bytes, const std::string& extension);

}  // namespace tamsel
