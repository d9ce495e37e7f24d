#include "formats/nsub/NSubParser.h"

#include <algorithm>
#include <optional>

#include "formats/nsub/NSubFormat.h"
#include "model/Unicode.h"

namespace tamsel {
namespace {

std::string decodedOrEmpty(ByteView bytes) {
  const std::string_view text = asText(bytes);
  if (unicode::firstInvalidUTF8Byte(text) != std::string_view::npos) return {};
  return std::string(text);
}

// Walks the records with a read position that never passes the buffer's end.
class RecordReader {
 public:
  explicit RecordReader(ByteView data) : data_(data) {}

  bool atEnd() const { return position_ >= data_.size(); }
  bool has(std::size_t count) const { return count <= data_.size() - position_; }
  void seek(std::size_t position) { position_ = position; }

  ByteView take(std::size_t count) {
    ByteView bytes = data_.subspan(position_, count);
    position_ += count;
    return bytes;
  }

  // One length-prefixed string, or nothing when it runs past the end.
  std::optional<ByteView> takeLengthPrefixed() {
    if (!has(nsub::kLengthPrefixSize)) return std::nullopt;
    ByteView prefix = take(nsub::kLengthPrefixSize);
    const std::size_t length = (std::size_t{prefix[0]} << 8) | prefix[1];
    if (!has(length)) return std::nullopt;
    return take(length);
  }

 private:
  ByteView data_;
  std::size_t position_ = 0;
};

std::string_view messageOf(NSubParserError error) {
  switch (error) {
    case NSubParserError::fileTooShort:
      return "The file is too short to be a valid .nsub file.";
    case NSubParserError::invalidHeader:
      return "The file does not have a valid .nsub header.";
    case NSubParserError::unexpectedEnd:
      return "The file ended unexpectedly while reading primer data.";
  }
  return {};
}

Unexpected<ReaderError> failure(NSubParserError error) {
  return unexpected(ReaderError{"NSubParser", static_cast<int>(error), std::string(messageOf(error))});
}

}  // namespace

Expected<PrimersRead, ReaderError> NSubParser::parse(ByteView data) {
  if (data.size() < nsub::kHeaderSize) return failure(NSubParserError::fileTooShort);
  const std::uint32_t tag = (std::uint32_t{data[0]} << 24) | (std::uint32_t{data[1]} << 16) |
                            (std::uint32_t{data[2]} << 8) | data[3];
  if (tag != nsub::kTag) return failure(NSubParserError::invalidHeader);

  PrimersRead contents{{}, ListSettings{}};
  RecordReader reader(data);
  reader.seek(nsub::kHeaderSize);
  while (!reader.atEnd()) {
    if (!reader.has(nsub::kNameFieldSize)) return failure(NSubParserError::unexpectedEnd);
    ByteView nameField = reader.take(nsub::kNameFieldSize);
    nameField = nameField.first(std::find(nameField.begin(), nameField.end(), 0) - nameField.begin());

    if (!reader.has(nsub::kParameterBlockSize)) return failure(NSubParserError::unexpectedEnd);
    ByteView block = reader.take(nsub::kParameterBlockSize);
    if (contents.primers.empty()) {
      contents.settings->endMatches = block[nsub::kEndMatchesOffset];
      contents.settings->defaultMismatches = block[nsub::kDefaultMismatchesOffset];
    }

    // Sequence, base codes, end-match mask, comment: each found by its own
    // length, whatever the sequence's length says.
    std::optional<ByteView> sequence = reader.takeLengthPrefixed();
    if (!sequence || !reader.takeLengthPrefixed() || !reader.takeLengthPrefixed())
      return failure(NSubParserError::unexpectedEnd);
    std::optional<ByteView> comment = reader.takeLengthPrefixed();
    if (!comment || !reader.has(nsub::kTrailerSize)) return failure(NSubParserError::unexpectedEnd);
    reader.take(nsub::kTrailerSize);

    contents.primers.emplace_back(block[nsub::kSelectedOffset] != 0, decodedOrEmpty(nameField),
                                  decodedOrEmpty(*sequence), decodedOrEmpty(*comment));
  }
  return contents;
}

}  // namespace tamsel
