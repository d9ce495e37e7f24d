#pragma once

// Decodes the 8-bit texts of an Excel 5.0/95 workbook, which are stored in
// the code page named by its CODEPAGE record (Windows-1252 when there is
// none). A code page the converters do not know falls back to Windows-1252.

#include <cstdint>
#include <string>

#include "model/Bytes.h"

struct UConverter;

namespace tamsel::xls {

class CodePageDecoder {
 public:
  static constexpr std::uint16_t kDefaultCodePage = 1252;

  explicit CodePageDecoder(std::uint16_t codePage = kDefaultCodePage);
  ~CodePageDecoder();
  CodePageDecoder(const CodePageDecoder&) = delete;
  CodePageDecoder& operator=(const CodePageDecoder&) = delete;

  void append(std::string& out, ByteView bytes);

 private:
  UConverter* converter_ = nullptr;
  std::u16string units_;
};

}  // namespace tamsel::xls
