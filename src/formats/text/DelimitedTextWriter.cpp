#include "formats/text/DelimitedTextWriter.h"

#include <string_view>

#include "model/ColumnTitles.h"
#include "model/Unicode.h"

namespace tamsel {
namespace {

// A comma next to a combining mark at the start of the field, or to a
// prepended mark at its end, would become part of one user-perceived
// character with it and stop separating.
bool joinsSeparator(std::string_view field) {
  if (field.empty()) return false;
  std::size_t offset = 0;
  if (unicode::extendsPreviousGrapheme(unicode::nextScalar(field, offset))) return true;
  char32_t last;
  unicode::previousScalarStart(field, field.size(), last);
  return unicode::prependsToNextGrapheme(last);
}

// A field needs quotes when reading it back would otherwise split or join it:
// it holds the separator, a double quote or a line break, or would join the
// separator. Every other field is written exactly as it is.
bool needsQuotes(std::string_view field, char separator) {
  if (separator != '\t' && joinsSeparator(field)) return true;
  for (std::size_t i = 0; i < field.size();) {
    char c = field[i];
    if (c == separator || c == '"') return true;
    if (static_cast<unsigned char>(c) < 0x80) {
      if (unicode::isLineBreak(static_cast<unsigned char>(c))) return true;
      ++i;
      continue;
    }
    if (unicode::isLineBreak(unicode::nextScalar(field, i))) return true;
  }
  return false;
}

void writeField(ByteSink& out, std::string_view field, char separator) {
  if (!needsQuotes(field, separator)) {
    out.write(field);
    return;
  }
  out.put('"');
  for (char c : field) {
    if (c == '"') out.put('"');
    out.put(c);
  }
  out.put('"');
}

}  // namespace

void writeDelimitedText(const PrimerList& primers, char separator, ByteSink& out) {
  for (std::size_t column = 0; column < kColumnTitles.size(); ++column) {
    if (column > 0) out.put(separator);
    out.write(kColumnTitles[column]);
  }
  for (const auto& primer : primers) {
    out.put('\n');
    out.put(primer.selected ? '1' : '0');
    for (std::string_view field : {std::string_view(primer.name), std::string_view(primer.sequence),
                                   std::string_view(primer.comment)}) {
      out.put(separator);
      writeField(out, field, separator);
    }
  }
}

std::string generateDelimitedText(const PrimerList& primers, char separator) {
  MemorySink out;
  writeDelimitedText(primers, separator, out);
  return std::string(asText(std::move(out).bytes()));
}

}  // namespace tamsel
