#include "cli/PrimerTable.h"

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "model/PrimerProperties.h"
#include "model/Unicode.h"

namespace tamsel::cli {

// Line breaks show as a return symbol and tabs as a space, so every primer
// stays on one line.
std::string printableText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t offset = 0; offset < text.size();) {
    const std::size_t start = offset;
    const char32_t scalar = unicode::nextScalar(text, offset);
    if (scalar == U'\r' && offset < text.size() && text[offset] == '\n') continue;  // CR LF is one break
    if (unicode::isLineBreak(scalar)) {
      out += "\u21B5";
    } else if (scalar < 0x20 || scalar == 0x7F) {
      out += ' ';
    } else {
      out.append(text.substr(start, offset - start));
    }
  }
  return out;
}

namespace {

// Texts longer than this many characters are shortened, so one essay of a
// comment does not push every line off the screen.
constexpr std::size_t kNameWidth = 32;
constexpr std::size_t kSequenceWidth = 50;
constexpr std::size_t kCommentWidth = 40;
constexpr std::string_view kEllipsis = "\u2026";

struct Cell {
  std::string text;
  std::size_t width;  // in user-perceived characters
};

Cell makeCell(std::string_view text, std::size_t maxWidth) {
  std::string shown = printableText(text);
  if (unicode::isASCII(shown)) {
    if (shown.size() <= maxWidth) return {shown, shown.size()};
    return {shown.substr(0, maxWidth - 1) + std::string(kEllipsis), maxWidth};
  }
  const std::vector<unicode::ByteRange> characters = unicode::graphemeRanges(shown);
  if (characters.size() <= maxWidth) return {shown, characters.size()};
  return {shown.substr(0, characters[maxWidth - 1].begin) + std::string(kEllipsis), maxWidth};
}

Cell asciiCell(std::string text) {
  const std::size_t width = text.size();
  return {std::move(text), width};
}

}  // namespace

void writePrimerTable(std::ostream& out, std::string_view title, const PrimerList& primers, int defaultMismatches,
                      int endMatches, bool withProperties) {
  out << title << ": " << primers.size() << (primers.size() == 1 ? " primer" : " primers")
      << ", default mismatches " << defaultMismatches << ", end matches " << endMatches << "\n";
  const TmConditions conditions;
  if (withProperties) out << describeTm(conditions) << '\n';
  out << '\n';

  using Row = std::vector<Cell>;
  std::vector<Row> rows;
  rows.reserve(primers.size() + 1);
  rows.push_back({Cell{"#", 1}, Cell{"Sel", 3}, Cell{"Name", 4}, Cell{"Sequence", 8}});
  if (withProperties) rows.back().insert(rows.back().end(), {Cell{"Len", 3}, Cell{"GC%", 3}, Cell{"Tm", 2}});
  rows.back().push_back(Cell{"Comment", 7});
  for (std::size_t i = 0; i < primers.size(); ++i) {
    const PrimerView& primer = primers[i];
    Row row{asciiCell(std::to_string(i + 1)), Cell{primer.selected ? "[x]" : "[ ]", 3},
            makeCell(primer.name, kNameWidth), makeCell(primer.sequence, kSequenceWidth)};
    if (withProperties) {
      const PrimerProperties properties = primerProperties(primer.sequence, conditions);
      row.insert(row.end(), {asciiCell(std::to_string(properties.length)), asciiCell(gcText(properties)),
                             asciiCell(tmText(properties.tm))});
    }
    row.push_back(makeCell(primer.comment, kCommentWidth));
    rows.push_back(std::move(row));
  }

  std::vector<std::size_t> widths(rows.front().size());
  for (const Row& row : rows) {
    for (std::size_t column = 0; column < widths.size(); ++column)
      widths[column] = std::max(widths[column], row[column].width);
  }
  for (const Row& row : rows) {
    // The number is right-aligned; the line carries no trailing spaces.
    std::string line = std::string(widths[0] - row[0].width, ' ') + row[0].text;
    for (std::size_t column = 1; column < widths.size(); ++column) {
      line += "  ";
      line += row[column].text;
      line.append(widths[column] - row[column].width, ' ');
    }
    line.erase(line.find_last_not_of(' ') + 1);
    out << line << '\n';
  }
}

}  // namespace tamsel::cli
