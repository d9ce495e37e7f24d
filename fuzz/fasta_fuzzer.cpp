// Reads any bytes as a FASTA file, then writes the records and reads them
// again: every record must come back with the same name, sequence and comment.

#include <cstdlib>

#include "FuzzRows.h"
#include "formats/fasta/FASTAParser.h"
#include "formats/fasta/FASTAWriter.h"
#include "formats/text/TextDecoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tamsel;
  const auto text = decodeText(ByteView(data, size));
  if (!text) return 0;
  (void)startsLikeFASTA(*text);
  const auto records = FASTAParser::parse(*text);
  if (!records) return 0;
  fuzz::visitPrimers(*records);
  const auto again = FASTAParser::parse(FASTAWriter::write(*records));
  if (!again || again->size() != records->size()) std::abort();
  for (std::size_t i = 0; i < records->size(); ++i) {
    const PrimerView a = (*records)[i], b = (*again)[i];
    if (a.name != b.name || a.sequence != b.sequence || a.comment != b.comment) std::abort();
  }
  return 0;
}
