#pragma once

// Appends text stored in a workbook's two string forms (ISO-8859-1 bytes or
// UTF-16 code units) to a UTF-8 string. An unpaired surrogate becomes U+FFFD:
// one damaged character must not cost the whole cell.

#include <span>
#include <string>

#include "model/Bytes.h"

namespace tamsel::xls {

void appendLatin1(std::string& out, ByteView bytes);
void appendUTF16(std::string& out, std::span<const char16_t> units);
// `bytes` holds UTF-16LE code units; an odd last byte is ignored.
void appendUTF16LE(std::string& out, ByteView bytes);

}  // namespace tamsel::xls
