#include "formats/nsub/NSubWriter.h"

#include <algorithm>
#include <array>

#include "model/EndMatchMask.h"
#include "formats/nsub/NSubFormat.h"
#include "model/NucleotideSet.h"
#include "model/Unicode.h"

namespace tamsel {
namespace {

// The largest length <= limit that does not end inside a UTF-8 sequence.
std::size_t codePointPrefixLength(std::string_view text, std::size_t limit) {
  if (text.size() <= limit) return text.size();
  std::size_t length = limit;
  while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) --length;
  return length;
}

bool inWriterAlphabet(char c) {
  // The letters with a non-zero base code are exactly the sixteen IUPAC letters.
  return NSubWriter::baseCode(c) != 0;
}

void writeLengthPrefixed(std::string_view text, ByteSink& out) {
  out.put(static_cast<char>(text.size() >> 8));
  out.put(static_cast<char>(text.size() & 0xFF));
  out.write(text);
}

// Names in messages are shortened so a pasted essay does not fill the message.
std::string quotedName(std::string_view name) {
  constexpr std::size_t kShownBytes = 60;
  const std::size_t shown = codePointPrefixLength(name, kShownBytes);
  std::string quoted(1, '"');
  quoted.append(name.substr(0, shown));
  if (shown < name.size()) quoted.append("...");
  quoted.push_back('"');
  return quoted;
}

// Each setting is one byte of the parameter block.
std::optional<std::string> settingOutOfRange(std::string_view what, int value) {
  if (value >= 0 && value <= 255) return std::nullopt;
  return std::string(what) + " must lie between 0 and 255; it is " + std::to_string(value) + ".";
}

}  // namespace

std::uint8_t NSubWriter::baseCode(char letter) { return nucleotideSet(letter); }

std::string NSubWriter::sanitizedSequence(std::string_view sequence) {
  std::string cleaned;
  cleaned.reserve(sequence.size());
  // In ASCII every byte is a character, except CR LF, which is one.
  if (unicode::isOneBytePerCharacter(sequence)) {
    for (char c : sequence) cleaned.push_back(inWriterAlphabet(c) ? c : 'N');
    return cleaned;
  }
  for (const unicode::ByteRange& range : unicode::graphemeRanges(sequence)) {
    const bool single = range.end - range.begin == 1;
    cleaned.push_back(single && inWriterAlphabet(sequence[range.begin]) ? sequence[range.begin] : 'N');
  }
  return cleaned;
}

std::string_view NSubWriter::storedName(std::string_view name) {
  if (name.size() <= nsub::kMaxWrittenNameBytes) return name;
  std::size_t fits = 0;
  for (const unicode::ByteRange& range : unicode::graphemeRanges(name)) {
    if (range.end > nsub::kMaxWrittenNameBytes) break;
    fits = range.end;
  }
  // A single character longer than the field (a letter under a pile of
  // combining marks) is cut between code points instead.
  if (fits == 0) fits = codePointPrefixLength(name, nsub::kMaxWrittenNameBytes);
  return name.substr(0, fits);
}

namespace {

struct Record {
  std::string_view name;
  std::string_view sequence;
  std::string_view comment;
  bool selected;
};

void writeRecord(const Record& entry, std::uint8_t defaultMismatches, std::uint8_t endMatches, ByteSink& out) {
  static constexpr std::array<std::uint8_t, nsub::kNameFieldSize> kZeros{};
  const std::string_view name = NSubWriter::storedName(entry.name);
  out.write(name);
  out.write(ByteView(kZeros).subspan(name.size()));

  std::string sequence = NSubWriter::sanitizedSequence(entry.sequence);
  if (sequence.size() > nsub::kMaxStringBytes) sequence.resize(nsub::kMaxStringBytes);
  const auto cappedLength = static_cast<std::uint8_t>(std::min(sequence.size(), nsub::kLengthCap));

  std::array<std::uint8_t, nsub::kParameterBlockSize> block{};
  block[nsub::kEndMatchesOffset] = endMatches;
  block[nsub::kDefaultMismatchesOffset] = defaultMismatches;
  block[nsub::kLengthOffset] = cappedLength;
  block[nsub::kSelectedOffset] = entry.selected ? 1 : 0;
  block[nsub::kLengthCopyOffset] = cappedLength;
  out.write(block);

  writeLengthPrefixed(sequence, out);
  std::string codes(sequence.size(), '\0');
  std::transform(sequence.begin(), sequence.end(), codes.begin(),
                 [](char c) { return static_cast<char>(NSubWriter::baseCode(c)); });
  writeLengthPrefixed(codes, out);
  writeLengthPrefixed(endMatchMask(sequence, endMatches), out);

  const std::string_view comment = entry.comment;
  writeLengthPrefixed(comment.substr(0, codePointPrefixLength(comment, nsub::kMaxStringBytes)), out);
  out.write(ByteView(kZeros).first(nsub::kTrailerSize));
}

}  // namespace

void NSubWriter::write(const PrimerList& primers, std::uint8_t defaultMismatches, std::uint8_t endMatches,
                       ByteSink& out) {
  out.write(nsub::kHeader);
  for (const auto& entry : primers) {
    writeRecord({entry.name, entry.sequence, entry.comment, entry.selected}, defaultMismatches, endMatches, out);
  }
}

Bytes NSubWriter::write(const PrimerList& primers, std::uint8_t defaultMismatches, std::uint8_t endMatches) {
  MemorySink out;
  write(primers, defaultMismatches, endMatches, out);
  return std::move(out).bytes();
}

std::optional<std::string> NSubWriter::findUnstorablePrimer(const PrimerList& primers) {
  for (std::size_t row = 0; row < primers.size(); ++row) {
    const auto& entry = primers[row];
    const char* field = nullptr;
    std::size_t bytes = 0;
    if (entry.sequence.size() > nsub::kMaxStringBytes) {
      field = "sequence";
      bytes = entry.sequence.size();
    } else if (entry.comment.size() > nsub::kMaxStringBytes) {
      field = "comment";
      bytes = entry.comment.size();
    }
    if (field) {
      std::string reason = "The primer in row ";
      reason.append(std::to_string(row + 1)).append(" (").append(quotedName(entry.name)).append(") has a ");
      reason.append(field).append(" of ").append(std::to_string(bytes)).append(" bytes, more than the ");
      reason.append(std::to_string(nsub::kMaxStringBytes)).append(" bytes a .nsub file can hold.");
      return reason;
    }
  }
  return std::nullopt;
}

std::optional<std::string> NSubWriter::writeChecked(const PrimerList& primers, const ListSettings& settings,
                                                    ByteSink& out) {
  if (auto problem = settingOutOfRange("The default mismatch count", settings.defaultMismatches)) return problem;
  if (auto problem = settingOutOfRange("The end-match count", settings.endMatches)) return problem;
  if (auto problem = findUnstorablePrimer(primers)) return problem;
  write(primers, static_cast<std::uint8_t>(settings.defaultMismatches), static_cast<std::uint8_t>(settings.endMatches),
        out);
  return std::nullopt;
}

}  // namespace tamsel
