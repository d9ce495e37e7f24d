// Record framing, the shared-string table across CONTINUE records, the
// in-record string form and RK values.

#include <gtest/gtest.h>

#include "XLSTestBuilders.h"
#include "formats/xls/BIFFParser.h"

namespace tamsel::xls {
namespace {

using namespace tamsel::testing;
using Texts = std::vector<std::string>;

constexpr std::uint16_t kSST = 0x00FC;
constexpr std::uint16_t kContinue = 0x003C;

Bytes sst(std::uint32_t uniqueCount, const Bytes& strings) {
  Bytes body;
  le::appendU32(body, uniqueCount), le::appendU32(body, uniqueCount);
  return cat(body, strings);
}

Texts table(const BIFFBuilder& builder) {
  SharedStringTable strings = BIFFParser::readSharedStrings(BIFFParser::readRecords(builder.bytes()));
  Texts out;
  for (std::uint32_t i = 0; i < strings.size(); ++i) out.emplace_back(*strings.at(i));
  return out;
}

TEST(SharedStringsTest, RecordFraming) {
  EXPECT_TRUE(BIFFParser::readRecords(Bytes{1, 2, 3}).empty());
  Bytes stream = BIFFBuilder().record(1, {}).record(2, {7, 8}).bytes();
  putBytes(stream, {3, 0, 5, 0, 1, 2});  // claims 5 body bytes, has 2
  auto records = BIFFParser::readRecords(stream);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_TRUE(records[0].data.empty());
  EXPECT_EQ(Bytes(records[1].data.begin(), records[1].data.end()), (Bytes{7, 8}));
}

TEST(SharedStringsTest, CharactersContinueWithANewFlagsByte) {
  // Ten two-byte characters: three in the SST body, seven after a CONTINUE
  // whose flags byte 0x00 makes them one byte each.
  Bytes head{10, 0, 0x01, 'a', 0, 'b', 0, 'c', 0};
  Bytes rest{0x00, 'd', 'e', 'f', 'g', 0xE9, 'i', 'j'};
  BIFFBuilder b;
  b.record(kSST, sst(2, head)).record(kContinue, cat(rest, compressedString("next")));
  EXPECT_EQ(table(b), (Texts{"abcdefg\u00E9ij", "next"}));
}

TEST(SharedStringsTest, BoundariesBetweenAndInsideStrings) {
  // "one" ends with the SST body: the next header starts the CONTINUE, no
  // flags byte taken. That header ends its segment, so the next non-empty
  // segment begins with a new flags byte (two-byte characters) for its text.
  Bytes wide{0x01, 'h', 0, 0x16, 0x04};
  BIFFBuilder b;
  b.record(kSST, sst(3, compressedString("one"))).record(kContinue, {2, 0, 0x00}).record(kContinue, {});
  b.record(kContinue, cat(wide, compressedString("z")));
  EXPECT_EQ(table(b), (Texts{"one", "h\u0416", "z"}));
}

TEST(SharedStringsTest, RichTextRunsAndPhoneticDataAreSkipped) {
  // Two runs (8 bytes) that begin in a CONTINUE are skipped without taking a
  // flags byte; then a string with 3 bytes of phonetic data.
  Bytes rest(8, 0xAA);
  putBytes(rest, {1, 0, 0x04, 3, 0, 0, 0, 'p', 0xBB, 0xBB, 0xBB});
  BIFFBuilder b;
  b.record(kSST, sst(3, {2, 0, 0x08, 2, 0, 'r', 't'})).record(kContinue, cat(rest, compressedString("after")));
  EXPECT_EQ(table(b), (Texts{"rt", "p", "after"}));
}

TEST(SharedStringsTest, CountsBeyondTheStoredStrings) {
  BIFFBuilder b;
  b.record(kSST, sst(5, cat(compressedString("a"), compressedString("b"))));
  b.record(0x00FF, {0, 0}).record(kContinue, compressedString("c"));  // not after the SST: not read
  EXPECT_EQ(table(b), (Texts{"a", "b", "", "", ""}));

  // A count of four billion, and a phonetic size of four billion that runs
  // off the end, cost only the strings present.
  BIFFBuilder hostile;
  hostile.record(kSST, sst(0xFFFFFFFF, {1, 0, 0x04, 0xFF, 0xFF, 0xFF, 0xFF, 'x'}));
  SharedStringTable strings = BIFFParser::readSharedStrings(BIFFParser::readRecords(hostile.bytes()));
  EXPECT_EQ(strings.storedCount(), 1u);
  EXPECT_EQ(strings.at(0), "x");
  EXPECT_EQ(strings.at(0xFFFFFFFE), "");

  // An empty rich-text string whose run count is cut off by the end.
  EXPECT_EQ(table(BIFFBuilder().record(kSST, sst(2, {0, 0, 0x08}))), (Texts{"", ""}));
}

TEST(SharedStringsTest, InRecordStrings) {
  const std::pair<Bytes, std::optional<std::string>> cases[] = {
      {{2, 0}, std::nullopt},
      {{3, 0, 0, 'c', 'a', 0xE9}, "ca\u00E9"},
      {{3, 0, 0, 'c', 'a'}, std::nullopt},
      // Two-byte characters after a run count; an unpaired surrogate becomes U+FFFD.
      {{2, 0, 0x09, 1, 0, 0x3D, 0xD8, 'A', 0}, "\uFFFDA"},
      // A phonetic size that ends exactly at the end of the record, or is cut off.
      {{0, 0, 0x04, 0, 0, 0, 0}, ""},
      {{0, 0, 0x04, 0, 0, 0}, std::nullopt},
  };
  for (const auto& [string, text] : cases) {
    EXPECT_EQ(BIFFParser::readUnicodeString(cat(cellHeader(0, 0), string), 6), text);
  }
}

TEST(SharedStringsTest, RKValues) {
  const std::pair<std::uint32_t, double> cases[] = {
      {0x00000006, 1.0}, {0x3FF00000, 1.0}, {0x3FF00001, 0.01}, {std::uint32_t(-5 * 4) | 0x02, -5.0},
      {(12345u << 2) | 0x03, 123.45}};
  for (const auto& [rk, value] : cases) EXPECT_EQ(BIFFParser::decodeRK(rk), value) << std::hex << rk;
}

}  // namespace
}  // namespace tamsel::xls
