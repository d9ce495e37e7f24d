#include "formats/fasta/FASTAParser.h"

#include <algorithm>
#include <optional>
#include <string>

#include "formats/text/TextLines.h"
#include "model/Alphabet.h"
#include "model/Unicode.h"

namespace tamsel {
namespace {

ReaderError textBeforeFirstRecord(std::size_t lineNumber) {
  return {"FASTAParser", 1,
          "Line " + std::to_string(lineNumber) +
              " comes before the first record: a FASTA record starts with a line that begins with \">\"."};
}

// The header line without its ">": the name is its first word (white space
// after the ">" is not part of it), the comment the rest.
PrimerEntry recordOf(std::string_view header) {
  header = unicode::trimWhiteSpace(header);
  const std::size_t nameEnd = std::min(header.find_first_of(" \t"), header.size());
  PrimerEntry record;
  record.name = std::string(header.substr(0, nameEnd));
  record.comment = std::string(unicode::trimWhiteSpace(header.substr(nameEnd)));
  return record;
}

}  // namespace

bool startsLikeFASTA(std::string_view text) {
  TextLineReader lines(text);
  return lines.next() && lines.line().front() == '>';
}

Expected<PrimerList, ReaderError> FASTAParser::parse(std::string_view text) {
  PrimerList records;
  // The current record: its header's name and comment, its sequence lines joined.
  std::optional<PrimerEntry> record;
  std::string sequence;
  const auto finishRecord = [&] {
    if (!record) return;
    record->sequence = cleanSequence(sequence);
    sequence.clear();
    if (!record->name.empty() || !record->sequence.empty()) records.push_back(*record);
    record.reset();
  };
  TextLineReader lines(text);
  while (lines.next()) {
    const std::string_view line = lines.line();
    if (line.front() == ';') continue;
    if (line.front() == '>') {
      finishRecord();
      record = recordOf(line.substr(1));
    } else if (!record) {
      return unexpected(textBeforeFirstRecord(lines.lineNumber()));
    } else {
      sequence.append(line);
    }
  }
  finishRecord();
  return records;
}

}  // namespace tamsel
