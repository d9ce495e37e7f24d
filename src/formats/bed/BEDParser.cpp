#include "formats/bed/BEDParser.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "formats/text/TextLines.h"
#include "model/Alphabet.h"
#include "model/Unicode.h"

namespace tamsel {
namespace {

constexpr std::string_view kDomain = "BEDParser";

// Chromosome, start and end: the fields every BED line has.
constexpr std::size_t kRequiredFields = 3;

bool isWholeNumber(std::string_view field) {
  if (field.empty()) return false;
  for (char c : field) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

bool startsWithWord(std::string_view line, std::string_view word) {
  return line.substr(0, word.size()) == word &&
         (line.size() == word.size() || line[word.size()] == ' ' || line[word.size()] == '\t');
}

bool isSkippedLine(std::string_view line) {
  return line.front() == '#' || startsWithWord(line, "track") || startsWithWord(line, "browser");
}

// Tab-separated fields, each trimmed; a line without a tab splits at runs of
// spaces instead.
void splitFields(std::string_view line, std::vector<std::string_view>& fields) {
  fields.clear();
  if (line.find('\t') != std::string_view::npos) {
    for (std::size_t begin = 0;;) {
      const std::size_t end = std::min(line.find('\t', begin), line.size());
      fields.push_back(unicode::trimWhiteSpace(line.substr(begin, end - begin)));
      if (end == line.size()) return;
      begin = end + 1;
    }
  }
  for (std::size_t begin = line.find_first_not_of(' '); begin != std::string_view::npos;) {
    const std::size_t end = std::min(line.find(' ', begin), line.size());
    fields.push_back(line.substr(begin, end - begin));
    begin = line.find_first_not_of(' ', end);
  }
}

std::string_view field(const std::vector<std::string_view>& fields, std::size_t number) {
  return number <= fields.size() ? fields[number - 1] : std::string_view();
}

ReaderError lineError(std::size_t lineNumber, const std::string& problem) {
  return {std::string(kDomain), 1, "Line " + std::to_string(lineNumber) + " of the BED file " + problem};
}

// Why a line is not a BED line, or nothing when it is one.
std::optional<std::string> problemOf(const std::vector<std::string_view>& fields) {
  if (fields.size() < kRequiredFields) {
    return "has " + std::to_string(fields.size()) + (fields.size() == 1 ? " field" : " fields") +
           "; a BED line has at least 3: chromosome, start and end.";
  }
  for (std::size_t number : {2, 3}) {
    if (!isWholeNumber(fields[number - 1])) {
      return std::string(number == 2 ? "has the start" : "has the end") + " \"" + std::string(fields[number - 1]) +
             "\", which is not a whole number.";
    }
  }
  return std::nullopt;
}

std::string positionComment(const std::vector<std::string_view>& fields) {
  std::string comment;
  comment.append(fields[0]).append(":").append(fields[1]).append("-").append(fields[2]);
  if (!field(fields, 6).empty()) comment.append(" ").append(field(fields, 6));
  return comment;
}

}  // namespace

Expected<PrimerList, ReaderError> BEDParser::parse(std::string_view text) {
  PrimerList primers;
  std::vector<std::string_view> fields;
  bool firstDataLine = true;
  TextLineReader lines(text);
  while (lines.next()) {
    if (isSkippedLine(lines.line())) continue;
    splitFields(lines.line(), fields);
    if (std::optional<std::string> problem = problemOf(fields)) {
      // A first line of column titles ("chrom start end name ...") is not data.
      if (firstDataLine && fields.size() >= kRequiredFields) {
        firstDataLine = false;
        continue;
      }
      return unexpected(lineError(lines.lineNumber(), *problem));
    }
    firstDataLine = false;
    std::string name(field(fields, 4));
    std::string sequence = cleanSequence(field(fields, 7));
    if (name.empty() && sequence.empty()) continue;
    primers.emplace_back(false, std::move(name), std::move(sequence), positionComment(fields));
  }
  return primers;
}

}  // namespace tamsel
