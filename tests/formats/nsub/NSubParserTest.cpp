#include "formats/nsub/NSubParser.h"

#include <gtest/gtest.h>

#include <string>

#include "model/PrimerFields.h"

namespace tamsel {
namespace {

Bytes header() { return {'V', 'E', 'R', 'S', 0x01, 0x10}; }

void appendString(Bytes& out, std::string_view text) {
  out.push_back(static_cast<std::uint8_t>(text.size() >> 8));
  out.push_back(static_cast<std::uint8_t>(text.size() & 0xFF));
  out.insert(out.end(), text.begin(), text.end());
}

struct RecordFields {
  std::string name = "P1";
  std::uint8_t selected = 1;
  std::uint8_t endMatches = 3;
  std::uint8_t defaultMismatches = 2;
  std::string sequence = "ACGTACGT";
  std::string codes = std::string(8, '\x01');
  std::string mask = std::string(8, ' ');
  std::string comment;
};

// A record built by hand, so the reader is not tested against our own writer.
void appendRecord(Bytes& out, const RecordFields& fields) {
  Bytes record(fields.name.begin(), fields.name.end());
  record.resize(128 + 18, 0);  // the name field, then the settings block
  record[128 + 4] = fields.endMatches;
  record[128 + 5] = fields.defaultMismatches;
  record[128 + 10] = fields.selected;
  for (const std::string* text : {&fields.sequence, &fields.codes, &fields.mask, &fields.comment}) appendString(record, *text);
  out.insert(out.end(), record.begin(), record.end());
  out.insert(out.end(), 8, 0);
}

// The code of the read's failure; nothing when the file reads.
std::optional<NSubParserError> failureOf(ByteView file) {
  auto result = NSubParser::parse(file);
  if (result) return std::nullopt;
  EXPECT_EQ(result.error().domain, "NSubParser");
  return static_cast<NSubParserError>(result.error().code);
}

// A header alone keeps the default settings, whatever its two format bytes.
TEST(NSubParserTest, ShortFilesWrongTagsAndHeaderAlone) {
  const std::pair<Bytes, std::optional<NSubParserError>> cases[] = {
      {{}, NSubParserError::fileTooShort},
      {{'V', 'E', 'R', 'S', 1}, NSubParserError::fileTooShort},
      {{'v', 'e', 'r', 's', 1, 0x10}, NSubParserError::invalidHeader},
      {{0x53, 0x52, 0x45, 0x56, 1, 0x10}, NSubParserError::invalidHeader},
      {header(), std::nullopt},
      {{'V', 'E', 'R', 'S', 0xFF, 0x00}, std::nullopt}};
  for (const auto& [file, error] : cases) {
    EXPECT_EQ(failureOf(file), error) << file.size();
    if (error) continue;
    auto result = NSubParser::parse(file);
    EXPECT_TRUE(result->primers.empty());
    EXPECT_EQ(result->settings->defaultMismatches, 2);
    EXPECT_EQ(result->settings->endMatches, 3);
  }
}

TEST(NSubParserTest, ReadsRecordsAndTakesSettingsFromTheFirst) {
  Bytes file = header();
  appendRecord(file, {.name = "Fwd", .selected = 2, .endMatches = 200, .defaultMismatches = 255, .comment = "ex 2"});
  // Base codes and mask are found by their own lengths, not the sequence's.
  appendRecord(file, {.name = "Rev", .selected = 0, .endMatches = 1, .defaultMismatches = 1,
                      .sequence = std::string(20, 'g'), .codes = "", .mask = "X", .comment = ""});
  auto result = NSubParser::parse(file);
  ASSERT_TRUE(result);
  EXPECT_EQ(result->settings->endMatches, 200);
  EXPECT_EQ(result->settings->defaultMismatches, 255);
  EXPECT_EQ(fieldsOf(result->primers),
            (std::vector<PrimerFields>{{true, "Fwd", "ACGTACGT", "ex 2"}, {false, "Rev", std::string(20, 'g'), ""}}));
  EXPECT_FALSE(result->primers[0].id == result->primers[1].id);
  EXPECT_FALSE(NSubParser::parse(file)->primers[0].id == result->primers[0].id);
}

TEST(NSubParserTest, TextsAreTakenAsTheyStand) {
  Bytes file = header();
  appendRecord(file, {.name = std::string(128, 'n'), .sequence = " acgt x ", .comment = "\xC3\xA9t\xC3\xA9"});
  appendRecord(file, {.name = "bad\xC3", .sequence = "\xFF", .comment = "\xED\xA0\x80"});  // invalid UTF-8
  auto result = NSubParser::parse(file);
  ASSERT_TRUE(result);
  EXPECT_EQ(fieldsOf(result->primers),
            (std::vector<PrimerFields>{{true, std::string(128, 'n'), " acgt x ", "\xC3\xA9t\xC3\xA9"}, {true, "", "", ""}}));
}

// A length prefix past the end, with its message, is one of the hostile files.
TEST(NSubParserTest, EveryTruncationFailsWithoutPartialResult) {
  Bytes file = header();
  appendRecord(file, {});
  appendRecord(file, {.comment = "tail"});
  ASSERT_TRUE(NSubParser::parse(file));
  // Every cut inside the second record fails: in the name, the block, each
  // length prefix, each string and the trailer.
  const std::size_t secondRecord = 6 + 162 + 3 * 8;
  for (std::size_t length = secondRecord + 1; length < file.size(); ++length) {
    EXPECT_EQ(failureOf(ByteView(file).first(length)), NSubParserError::unexpectedEnd) << length;
  }
}

}  // namespace
}  // namespace tamsel
