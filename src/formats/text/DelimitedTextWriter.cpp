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

void appendField(std::string& out, std::string_view field, char separator) {
  if (!needsQuotes(field, separator)) {
    out.append(field);
    return;
  }
  out.push_back('"');
  for (char c : field) {
    if (c == '"') out.push_back('"');
    out.push_back(c);
  }
  out.push_back('"');
}

}  // namespace

std::string generateDelimitedText(const PrimerList& primers, char separator) {
  std::size_t size = 32;
  for (const PrimerView& p : primers) size += p.name.size() + p.sequence.size() + p.comment.size() + 8;
  std::string out;
  out.reserve(size);
  for (std::string_view word : kColumnTitles) {
    if (!out.empty()) out.push_back(separator);
    out.append(word);
  }
  for (const PrimerView& primer : primers) {
    out.push_back('\n');
    out.push_back(primer.selected ? '1' : '0');
    for (std::string_view field : {primer.name, primer.sequence, primer.comment}) {
      out.push_back(separator);
      appendField(out, field, separator);
    }
  }
  return out;
}

}  // namespace tamsel
