#include "formats/xls/CodePageDecoder.h"

#include <unicode/ucnv.h>

#include <string>

#include "formats/xls/UTF8Text.h"

namespace tamsel::xls {

namespace {

UConverter* openConverter(const std::string& name) {
  UErrorCode status = U_ZERO_ERROR;
  UConverter* converter = ucnv_open(name.c_str(), &status);
  if (U_FAILURE(status)) return nullptr;
  return converter;
}

UConverter* openCodePage(std::uint16_t codePage) {
  // The workbook's own numbers for Mac Roman and Windows-1252, and US-ASCII.
  switch (codePage) {
    case 32768: return openConverter("macintosh");
    case 32769: return openConverter("windows-1252");
    case 367: return openConverter("US-ASCII");
    case 1200: return nullptr;  // UTF-16 has no 8-bit form
    default: break;
  }
  std::string number = std::to_string(codePage);
  for (const char* prefix : {"windows-", "cp", "ibm-"}) {
    if (UConverter* converter = openConverter(prefix + number)) return converter;
  }
  return nullptr;
}

}  // namespace

CodePageDecoder::CodePageDecoder(std::uint16_t codePage) {
  converter_ = openCodePage(codePage);
  if (!converter_) converter_ = openCodePage(kDefaultCodePage);
}

CodePageDecoder::~CodePageDecoder() {
  if (converter_) ucnv_close(converter_);
}

void CodePageDecoder::append(std::string& out, ByteView bytes) {
  if (bytes.empty()) return;
  if (!converter_) {
    appendLatin1(out, bytes);
    return;
  }
  const char* source = reinterpret_cast<const char*>(bytes.data());
  auto length = static_cast<std::int32_t>(bytes.size());
  // One byte gives at most two UTF-16 units in the code pages a workbook names.
  units_.resize(bytes.size() * 2 + 1);
  UErrorCode status = U_ZERO_ERROR;
  std::int32_t count = ucnv_toUChars(converter_, units_.data(), static_cast<std::int32_t>(units_.size()),
                                     source, length, &status);
  if (status == U_BUFFER_OVERFLOW_ERROR) {
    units_.resize(static_cast<std::size_t>(count) + 1);
    status = U_ZERO_ERROR;
    count = ucnv_toUChars(converter_, units_.data(), static_cast<std::int32_t>(units_.size()), source, length,
                          &status);
  }
  if (U_FAILURE(status)) {
    appendLatin1(out, bytes);
    return;
  }
  appendUTF16(out, std::span<const char16_t>(units_.data(), static_cast<std::size_t>(count)));
}

}  // namespace tamsel::xls
