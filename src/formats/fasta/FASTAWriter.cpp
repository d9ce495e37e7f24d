#include "formats/fasta/FASTAWriter.h"

#include <string_view>

#include "formats/text/TextLines.h"

namespace tamsel {
namespace {

// A line break inside a field would end the record's line and turn the rest
// into a sequence line or a new record; a space keeps every character.
void appendOnOneLine(std::string& out, std::string_view field) {
  for (std::size_t i = 0; i < field.size();) {
    const std::size_t lineBreak = findLineBreak(field, i);
    out.append(field.substr(i, lineBreak - i));
    if (lineBreak == field.size()) break;
    out.push_back(' ');
    i = lineBreak + lineEndLength(field, lineBreak);
  }
}

}  // namespace

std::string FASTAWriter::write(const PrimerList& primers) {
  std::size_t size = 0;
  for (const PrimerView& p : primers) size += p.name.size() + p.sequence.size() + p.comment.size() + 4;
  std::string out;
  out.reserve(size);
  for (const PrimerView& primer : primers) {
    out.push_back('>');
    appendOnOneLine(out, primer.name);
    if (!primer.comment.empty()) {
      out.push_back(' ');
      appendOnOneLine(out, primer.comment);
    }
    out.push_back('\n');
    if (primer.sequence.empty()) continue;
    appendOnOneLine(out, primer.sequence);
    out.push_back('\n');
  }
  return out;
}

}  // namespace tamsel
