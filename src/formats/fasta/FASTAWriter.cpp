#include "formats/fasta/FASTAWriter.h"

#include <string_view>

#include "formats/text/TextLines.h"

namespace tamsel {
namespace {

// A line break inside a field would end the record's line and turn the rest
// into a sequence line or a new record; a space keeps every character.
void writeOnOneLine(ByteSink& out, std::string_view field) {
  for (std::size_t i = 0; i < field.size();) {
    const std::size_t lineBreak = findLineBreak(field, i);
    out.write(field.substr(i, lineBreak - i));
    if (lineBreak == field.size()) break;
    out.put(' ');
    i = lineBreak + lineEndLength(field, lineBreak);
  }
}

}  // namespace

void FASTAWriter::write(const PrimerList& primers, ByteSink& out) {
  for (const auto& primer : primers) {
    out.put('>');
    writeOnOneLine(out, primer.name);
    if (!primer.comment.empty()) {
      out.put(' ');
      writeOnOneLine(out, primer.comment);
    }
    out.put('\n');
    if (primer.sequence.empty()) continue;
    writeOnOneLine(out, primer.sequence);
    out.put('\n');
  }
}

std::string FASTAWriter::write(const PrimerList& primers) {
  MemorySink out;
  write(primers, out);
  return std::string(asText(std::move(out).bytes()));
}

}  // namespace tamsel
