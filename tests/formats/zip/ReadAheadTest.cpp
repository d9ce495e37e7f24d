#include "formats/zip/ReadAhead.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "formats/zip/ZIPReaderTestArchive.h"

namespace tamsel::zip {
namespace {

// Several pieces' worth of text that compresses a few times.
std::string partText() {
  std::string text;
  for (int i = 0; i < 60'000; ++i) {
    text += "<row><c><v>";
    text += std::to_string(i * 7919 % 100'003);
    text += "</v></c></row>";
  }
  return text;
}

// Everything `ahead` gives, asked for `capacity` bytes at a time.
std::string readAll(ReadAhead& ahead, std::size_t capacity) {
  std::string out;
  std::string piece(capacity, '\0');
  while (std::size_t n = ahead.read(reinterpret_cast<std::uint8_t*>(piece.data()), capacity)) out.append(piece, 0, n);
  return out;
}

TEST(ReadAheadTest, GivesTheStreamsBytesWhateverTheCallerAsksFor) {
  const std::string text = partText();
  const Bytes deflated = zipfixture::rawDeflate(asBytes(text));
  for (std::size_t capacity : {std::size_t{1} << 20, std::size_t{4093}}) {
    MemberStream stream = MemberStream::deflated(deflated, text.size());
    std::string read;
    {
      ReadAhead ahead(stream);
      read = readAll(ahead, capacity);
    }
    EXPECT_EQ(read, text) << capacity;
    EXPECT_FALSE(stream.failed());
    EXPECT_EQ(stream.produced(), text.size());
  }
  // A stored member is read straight from memory.
  MemberStream stored = MemberStream::stored(asBytes(text));
  ReadAhead ahead(stored);
  EXPECT_EQ(readAll(ahead, 1000), text);
}

TEST(ReadAheadTest, StoppingEarlyOrAFailureLeavesTheStreamToTell) {
  const std::string text = partText();
  const Bytes deflated = zipfixture::rawDeflate(asBytes(text));
  // The caller takes one piece and stops: the stream is then read on to its
  // end, and its size is the member's.
  MemberStream stream = MemberStream::deflated(deflated, text.size());
  {
    ReadAhead ahead(stream);
    std::uint8_t first[100];
    ASSERT_EQ(ahead.read(first, sizeof first), sizeof first);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(first), sizeof first), text.substr(0, 100));
  }
  std::uint8_t sink[4096];
  while (stream.read(sink, sizeof sink) != 0) {
  }
  EXPECT_FALSE(stream.failed());
  EXPECT_EQ(stream.produced(), text.size());

  // Cut part way, the bytes end early and the stream has failed.
  const Bytes cut(deflated.begin(), deflated.begin() + static_cast<std::ptrdiff_t>(deflated.size() / 2));
  MemberStream damaged = MemberStream::deflated(cut, text.size());
  {
    ReadAhead ahead(damaged);
    const std::string read = readAll(ahead, 65536);
    EXPECT_LT(read.size(), text.size());
    EXPECT_EQ(read, text.substr(0, read.size()));
  }
  EXPECT_TRUE(damaged.failed());
}

}  // namespace
}  // namespace tamsel::zip
