#pragma once

// The text import path as the dispatcher runs it for one extension: strict
// decoding, then splitting and conversion to primers.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzRows.h"
#include "formats/text/DelimitedTextParser.h"
#include "formats/text/TextDecoding.h"

namespace tamsel::fuzz {

inline int importText(const std::uint8_t* data, std::size_t size, std::string_view extension) {
  const auto text = decodeText(ByteView(data, size));
  if (!text) return 0;
  const auto primers = parseDelimitedText(*text, extension);
  if (primers) visitPrimers(*primers);
  return 0;
}

}  // namespace tamsel::fuzz
