// Turns any bytes into a primer list, writes it in every format the format
// table writes and imports each result as a file of that extension would be:
// the primers must come back as the format keeps them (the expectation of
// each format is its normalising function below).

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/ImportFile.h"
#include "formats/FormatRegistry.h"
#include "formats/nsub/NSubWriter.h"
#include "model/Alphabet.h"
#include "model/ByteSink.h"
#include "model/Unicode.h"

namespace {

using namespace tamsel;

// Scalars that have tripped up text handling: white space and line breaks
// beyond ASCII, marks that join a neighbour into one character, byte-order
// and non-characters, prime marks, and characters of every UTF-8 length.
constexpr char32_t kTrickyScalars[] = {
    0x00A0, 0x0085, 0x2028, 0x2029, 0xFEFF, 0xFFFE, 0xFFFF, 0xFFFD, 0x0301, 0x0308, 0x200D, 0x200C, 0x3000,
    0x1680, 0x2000, 0x202F, 0x205F, 0x0600, 0x110BD, 0x0D4E, 0x1100, 0x1161, 0x11A8, 0xAC00, 0x1F600, 0x1F1E6,
    0x1F1FA, 0xFE0F, 0x1F3FB, 0x00E9, 0x00C5, 0x4E2D, 0x10FFFF, 0xE000, 0x2019, 0x2032, 0x00B4, 0x00AD, 0x034F,
    0x0E33, 0x0903, 0x093F, 0xFF0C, 0x201C, 0x000B, 0x000C, 0x001F, 0x007F, 0x0080, 0x009F, 0x05BF, 0x0E01};

// Valid UTF-8 from any bytes: ASCII bytes stand for themselves, 0x80-0xBF
// pick a tricky scalar, and 0xC0-0xFF take the next two bytes as any scalar.
std::string textOf(std::string_view bytes) {
  std::string text;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (b < 0x80) {
      text.push_back(static_cast<char>(b));
    } else if (b < 0xC0) {
      unicode::appendUTF8(text, kTrickyScalars[(b - 0x80) % std::size(kTrickyScalars)]);
    } else {
      char32_t scalar = b & 0x3F;
      for (int k = 0; k < 2; ++k) scalar = scalar << 8 | (++i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0);
      scalar %= 0x110000;
      if (scalar >= 0xD800 && scalar <= 0xDFFF) scalar += 0x800;  // no surrogates
      unicode::appendUTF8(text, scalar);
    }
  }
  return text;
}

std::string sequenceOf(std::string_view bytes) {
  std::string sequence;
  for (char b : bytes) {
    sequence.push_back(allowedSequenceCharacters[static_cast<unsigned char>(b) % allowedSequenceCharacters.size()]);
  }
  return sequence;
}

// A cell comes back trimmed of white space at its ends, and a row whose name
// and sequence are then both empty is not a primer.
PrimerList asCells(const PrimerList& primers) {
  PrimerList kept;
  for (const PrimerView& primer : primers) {
    const std::string_view name = unicode::trimWhiteSpace(primer.name);
    if (name.empty() && primer.sequence.empty()) continue;
    kept.emplace_back(primer.selected, std::string(name), primer.sequence,
                      std::string(unicode::trimWhiteSpace(primer.comment)));
  }
  return kept;
}

// Every line end (CR LF as one) becomes a space.
std::string onOneLine(std::string_view text) {
  std::string line;
  for (std::size_t i = 0; i < text.size();) {
    if (text.substr(i, 2) == "\r\n") {
      line.push_back(' ');
      i += 2;
      continue;
    }
    const std::size_t start = i;
    const char32_t scalar = unicode::nextScalar(text, i);
    if (unicode::isLineBreak(scalar)) {
      line.push_back(' ');
    } else {
      line.append(text.substr(start, i - start));
    }
  }
  return line;
}

// FASTA keeps no flag. The header line, name and comment on one line, is
// read back trimmed: the name up to its first space or tab, the comment the
// trimmed rest. A record without name and sequence is not a primer.
PrimerList asFASTA(const PrimerList& primers) {
  PrimerList kept;
  for (const PrimerView& primer : primers) {
    std::string header = onOneLine(primer.name);
    if (!primer.comment.empty()) header += " " + onOneLine(primer.comment);
    const std::string_view line = unicode::trimWhiteSpace(header);
    const std::size_t nameEnd = std::min(line.find_first_of(" \t"), line.size());
    if (nameEnd == 0 && primer.sequence.empty()) continue;
    kept.emplace_back(false, std::string(line.substr(0, nameEnd)), primer.sequence,
                      std::string(unicode::trimWhiteSpace(line.substr(nameEnd))));
  }
  return kept;
}

// The name field is cut to the writer's stored name and ends at its first
// zero byte; everything else is kept.
PrimerList asNSub(const PrimerList& primers) {
  PrimerList kept;
  for (const PrimerView& primer : primers) {
    std::string_view name = NSubWriter::storedName(primer.name);
    name = name.substr(0, name.find('\0'));
    kept.emplace_back(primer.selected, std::string(name), primer.sequence, primer.comment);
  }
  return kept;
}

PrimerList expectedAfter(const FileFormat& format, const PrimerList& primers) {
  if (format.id == "nsub") return asNSub(primers);
  if (format.id == "fasta") return asFASTA(primers);
  if (format.id == "csv" || format.id == "tsv" || format.id == "xlsx") return asCells(primers);
  std::fprintf(stderr, "no round-trip expectation for the written format %.*s\n", static_cast<int>(format.id.size()),
               format.id.data());
  std::abort();
}

// Text with every byte outside printable ASCII as \xHH, for a finding's report.
std::string shown(std::string_view text) {
  std::string out;
  for (char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x20 && b < 0x7F && b != '\\') {
      out.push_back(c);
    } else {
      char escape[5];
      std::snprintf(escape, sizeof escape, "\\x%02X", b);
      out.append(escape);
    }
  }
  return out;
}

[[noreturn]] void fail(const FileFormat& format, const PrimerList& primers, std::size_t row, std::string_view what,
                       std::string_view expected, std::string_view actual) {
  std::fprintf(stderr, "%.*s round trip, primer %zu: %.*s\n  expected \"%s\"\n  read     \"%s\"\nthe list:\n",
               static_cast<int>(format.id.size()), format.id.data(), row, static_cast<int>(what.size()), what.data(),
               shown(expected).c_str(), shown(actual).c_str());
  for (const PrimerView& primer : primers) {
    std::fprintf(stderr, "  %d \"%s\" \"%s\" \"%s\"\n", primer.selected ? 1 : 0, shown(primer.name).c_str(),
                 std::string(primer.sequence).c_str(), shown(primer.comment).c_str());
  }
  std::abort();
}

void checkRoundTrip(const FileFormat& format, const PrimerList& primers, const ListSettings& settings) {
  MemorySink sink;
  if (format.write(primers, settings, sink)) return;  // the list does not fit the format
  const Bytes written = std::move(sink).bytes();
  const ImportOutcome outcome = importBytes(written, std::string(format.extension()), "roundtrip");
  if (!outcome.succeeded()) fail(format, primers, 0, "import failed", "", outcome.error.value_or(""));
  const PrimerList expected = expectedAfter(format, primers);
  const PrimerList& read = *outcome.primers;
  if (read.size() != expected.size()) {
    fail(format, primers, 0, "primer count", std::to_string(expected.size()), std::to_string(read.size()));
  }
  for (std::size_t i = 0; i < read.size(); ++i) {
    if (read[i].name != expected[i].name) fail(format, primers, i, "name", expected[i].name, read[i].name);
    if (read[i].sequence != expected[i].sequence) fail(format, primers, i, "sequence", expected[i].sequence, read[i].sequence);
    if (read[i].comment != expected[i].comment) fail(format, primers, i, "comment", expected[i].comment, read[i].comment);
    if (read[i].selected != expected[i].selected) fail(format, primers, i, "selected flag", "", "");
  }
  if (outcome.settings && (outcome.settings->defaultMismatches != settings.defaultMismatches ||
                           outcome.settings->endMatches != settings.endMatches)) {
    fail(format, primers, 0, "list settings", "", "");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  ListSettings settings;
  settings.defaultMismatches = input.ConsumeIntegral<std::uint8_t>();
  settings.endMatches = input.ConsumeIntegral<std::uint8_t>();
  PrimerList primers;
  bool importable = false;
  while (input.remaining_bytes() > 0 && primers.size() < 64) {
    const bool selected = input.ConsumeBool();
    std::string name = textOf(input.ConsumeRandomLengthString());
    std::string sequence = sequenceOf(input.ConsumeRandomLengthString());
    std::string comment = textOf(input.ConsumeRandomLengthString());
    importable = importable || sequence.size() >= 5;
    primers.emplace_back(selected, std::move(name), std::move(sequence), std::move(comment));
  }
  // An import refuses a list without one sequence of five letters.
  if (!importable) return 0;
  for (const FileFormat& format : fileFormats()) {
    if (format.write) checkRoundTrip(format, primers, settings);
  }
  return 0;
}
