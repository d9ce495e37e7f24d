#include "formats/nsub/NSubWriter.h"

#include <gtest/gtest.h>

#include "formats/nsub/NSubParser.h"

namespace tamsel {
namespace {

const Bytes kHeader{0x56, 0x45, 0x52, 0x53, 0x01, 0x10};

Bytes concat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

// The offset of the sequence's length prefix within the first record.
constexpr std::size_t kFirstSequence = 6 + 128 + 18;

TEST(NSubWriterTest, OnePrimerGivesTheDocumentedRecord) {
  EXPECT_EQ(NSubWriter::write({}, 2, 3), kHeader);
  Bytes name{0x50, 0x31};
  name.resize(128, 0);
  const Bytes expected = concat({
      kHeader,
      name,
      {0, 0, 0, 0, 3, 2, 4, 0, 0, 0, 1, 0, 0, 0, 4, 0, 0, 0},
      {0x00, 0x04, 0x41, 0x43, 0x47, 0x54},
      {0x00, 0x04, 0x01, 0x02, 0x04, 0x08},
      {0x00, 0x04, 0x20, 0x58, 0x58, 0x58},
      {0x00, 0x00},
      Bytes(8, 0),
  });
  const Bytes written = NSubWriter::write({PrimerEntry(true, "P1", "ACGT", "")}, 2, 3);
  EXPECT_EQ(written.size(), 6u + 174u);
  EXPECT_EQ(written, expected);
}

TEST(NSubWriterTest, SanitizedSequenceHasOneNPerUnknownCharacter) {
  EXPECT_EQ(NSubWriter::sanitizedSequence("ACGTX1"), "ACGTNN");
  // One N per user-perceived character: "é" as e + combining acute, an emoji
  // with a skin-tone modifier, and CR LF are one character each.
  EXPECT_EQ(NSubWriter::sanitizedSequence("Ae\xCC\x81T"), "ANT");
  EXPECT_EQ(NSubWriter::sanitizedSequence("\xF0\x9F\x91\x8D\xF0\x9F\x8F\xBD" "C"), "NC");
  EXPECT_EQ(NSubWriter::sanitizedSequence("A\r\nC"), "ANC");
}

// The ten letters outside the alphabet stand for no base, in either case.
TEST(NSubWriterTest, NonIUPACLettersHaveNoBaseCode) {
  for (char letter : std::string_view("EFIJLOPQXZefijlopqxz")) EXPECT_EQ(NSubWriter::baseCode(letter), 0) << letter;
}

TEST(NSubWriterTest, RecordFieldsFollowTheSequence) {
  const Bytes written = NSubWriter::write({PrimerEntry(false, "", "acgtNNxyz", "note")}, 0, 3);
  const Bytes expected = concat({
      {0x00, 0x09},
      {'a', 'c', 'g', 't', 'N', 'N', 'N', 'y', 'N'},
      {0x00, 0x09, 0x01, 0x02, 0x04, 0x08, 0x0F, 0x0F, 0x0F, 0x0A, 0x0F},
      {0x00, 0x09, 'X', 'X', 'X', 'X', ' ', ' ', ' ', 'X', ' '},
      {0x00, 0x04, 'n', 'o', 't', 'e'},
      Bytes(8, 0),
  });
  ASSERT_EQ(written.size(), kFirstSequence + expected.size());
  EXPECT_EQ(Bytes(written.begin() + kFirstSequence, written.end()), expected);
  EXPECT_EQ(written[6 + 128 + 10], 0);  // not selected
}

TEST(NSubWriterTest, SettingsAndSaturatedLengthsInEveryRecord) {
  const Bytes written = NSubWriter::write({PrimerEntry(true, "L", std::string(300, 'A'), "")}, 7, 9);
  const std::size_t block = 6 + 128;
  EXPECT_EQ(written[block + 4], 9);
  EXPECT_EQ(written[block + 5], 7);
  EXPECT_EQ(written[block + 6], 255);
  EXPECT_EQ(written[block + 14], 255);
  for (std::size_t field = 0; field < 3; ++field) {
    const std::size_t prefix = kFirstSequence + field * 302;
    EXPECT_EQ(written[prefix], 0x01);
    EXPECT_EQ(written[prefix + 1], 0x2C);
  }
  // Empty records are 162 bytes, and every record repeats the settings.
  const Bytes empty = NSubWriter::write({PrimerEntry(true, "A", "", ""), PrimerEntry(true, "B", "", "")}, 2, 3);
  ASSERT_EQ(empty.size(), 6u + 2 * 162u);
  EXPECT_EQ(std::vector<int>({empty[block + 4], empty[block + 5], empty[block + 162 + 4], empty[block + 162 + 5]}),
            std::vector<int>({3, 2, 3, 2}));
}

TEST(NSubWriterTest, LongNamesAreCutBetweenCharacters) {
  // ASCII: the first 127 bytes and a zero byte.
  const std::string ascii(130, 'n');
  EXPECT_EQ(NSubWriter::storedName(ascii), ascii.substr(0, 127));

  // 126 ASCII bytes and a 2-byte "é": the é does not fit whole and is left out.
  const std::string accented = std::string(126, 'a') + "\xC3\xA9" + "b";
  EXPECT_EQ(NSubWriter::storedName(accented), std::string(126, 'a'));

  // 63 "é" = 126 bytes, then e + combining acute (3 bytes): the cluster goes whole.
  std::string clusters;
  for (int i = 0; i < 63; ++i) clusters += "\xC3\xA9";
  EXPECT_EQ(NSubWriter::storedName(clusters + "e\xCC\x81"), clusters);

  // One character larger than the field is cut between code points.
  std::string pile = "a";
  for (int i = 0; i < 100; ++i) pile += "\xCC\x81";
  EXPECT_EQ(NSubWriter::storedName(pile), pile.substr(0, 127));

  // What the writer stores reads back instead of turning empty.
  auto read = NSubParser::parse(NSubWriter::write({PrimerEntry(true, accented, "ACGTA", "")}, 2, 3));
  ASSERT_TRUE(read);
  EXPECT_EQ(read->primers.at(0).name, std::string(126, 'a'));
}

TEST(NSubWriterTest, CheckedWriteRefusesTextsTheFormatCannotHold) {
  const std::string longest(65535, 'c');
  MemorySink fitting;
  ASSERT_EQ(NSubWriter::writeChecked({PrimerEntry(true, "P1", "ACGT", longest)}, {2, 3}, fitting), std::nullopt);
  const Bytes fits = std::move(fitting).bytes();
  EXPECT_EQ(fits[kFirstSequence + 3 * 6], 0xFF);
  EXPECT_EQ(fits[kFirstSequence + 3 * 6 + 1], 0xFF);

  PrimerList primers{PrimerEntry(true, "P1", "ACGT", ""), PrimerEntry(true, "Fwd 2", "ACGT", longest + "c")};
  // A refused list writes nothing.
  MemorySink untouched;
  const auto refused = NSubWriter::writeChecked(primers, {2, 3}, untouched);
  ASSERT_TRUE(refused);
  EXPECT_NE(refused->find("row 2"), std::string::npos) << *refused;
  EXPECT_NE(refused->find("\"Fwd 2\""), std::string::npos) << *refused;
  EXPECT_NE(refused->find("comment"), std::string::npos) << *refused;
  EXPECT_EQ(untouched.position(), 0u);

  primers.set(1, PrimerEntry(true, "S", std::string(70000, 'A'), ""));
  const auto longSequence = NSubWriter::writeChecked(primers, {2, 3}, untouched);
  ASSERT_TRUE(longSequence);
  EXPECT_NE(longSequence->find("sequence"), std::string::npos) << *longSequence;

  // The unchecked writer still emits a well-formed file.
  auto read = NSubParser::parse(NSubWriter::write(primers, 2, 3));
  ASSERT_TRUE(read);
  EXPECT_EQ(read->primers.at(1).sequence.size(), 65535u);
}

}  // namespace
}  // namespace tamsel
