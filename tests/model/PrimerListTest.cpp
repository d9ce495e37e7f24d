#include "model/PrimerList.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "PrimerFields.h"

namespace tamsel {
namespace {

TEST(PrimerListTest, EditsReplaceOnePrimerAndKeepTheOthersAndTheirIds) {
  PrimerList primers{PrimerEntry(true, "A", "ACGT", "one"), PrimerEntry(false, "B", "GGCC", "")};
  const PrimerID idOfB = primers[1].id;
  PrimerEntry renamed = primers[0].entry();
  renamed.name = "A2";
  primers.set(0, renamed);
  primers.setSelected(1, true);
  EXPECT_EQ(fieldsOf(primers), (std::vector<PrimerFields>{{true, "A2", "ACGT", "one"}, {true, "B", "GGCC", ""}}));
  EXPECT_EQ(primers[1].id, idOfB);
  EXPECT_EQ(primers[0].id, renamed.id);

  // Many edits of one primer: the texts of the others survive each compaction.
  for (int i = 0; i < 5000; ++i) {
    renamed.comment = std::string(static_cast<std::size_t>(100 + i % 7), 'x');
    primers.set(0, renamed);
  }
  EXPECT_EQ(primers[1].sequence, "GGCC");
  EXPECT_LT(primers.memoryBytes(), 64u * 1024);
}

TEST(PrimerListTest, TextsInsideASharedBlockAreReferencedNotCopied) {
  auto bytes = std::make_shared<const Bytes>(Bytes(1 << 20, 'A'));
  const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
  PrimerList primers;
  primers.shareBlock(bytes);
  for (std::size_t i = 0; i < 1000; ++i) primers.emplace_back(false, text.substr(i, 20), text.substr(i * 100, 500), "");
  EXPECT_EQ(primers[999].sequence.data(), text.data() + 99900);
  EXPECT_LT(primers.memoryBytes(), bytes->size() + 100 * 1000);
  // A text from elsewhere is copied, even beside shared ones.
  const std::string own = "CCCC";
  primers.emplace_back(false, text.substr(0, 3), own, "");
  EXPECT_NE(primers.back().sequence.data(), own.data());
  EXPECT_EQ(primers.back().sequence, "CCCC");
  EXPECT_EQ(primers.back().name, "AAA");
}

TEST(PrimerListTest, BytesNoPrimerRefersToAreLetGoWithoutCopyingTheRest) {
  auto unused = std::make_shared<const Bytes>(Bytes(1 << 20, 'C'));
  auto used = std::make_shared<const Bytes>(Bytes(1 << 16, 'A'));
  const std::string_view text(reinterpret_cast<const char*>(used->data()), used->size());
  PrimerList primers;
  primers.shareBlock(unused);
  primers.shareBlock(used);
  for (std::size_t i = 0; i < 100; ++i) primers.emplace_back(false, "", text.substr(i * 600, 600), "");
  primers.compactIfWasteful();
  EXPECT_EQ(unused.use_count(), 1);
  // The texts still in use stay where they were.
  EXPECT_EQ(primers[99].sequence.data(), text.data() + 99 * 600);
  EXPECT_LT(primers.memoryBytes(), used->size() + 8 * 1024);
}

TEST(PrimerListTest, CopiesAndPicksShareTextsButNeverWriteIntoEachOther) {
  PrimerList original{PrimerEntry(false, "A", "ACGT", ""), PrimerEntry(false, "B", "ACGT", "")};
  PrimerList copy = original;
  copy.emplace_back(false, "C-from-copy", "TTTT", "");
  original.emplace_back(false, "C-from-original", "GGGG", "");
  EXPECT_EQ(namesOf(copy), (std::vector<std::string>{"A", "B", "C-from-copy"}));
  EXPECT_EQ(namesOf(original), (std::vector<std::string>{"A", "B", "C-from-original"}));

  const std::vector<int> positions{2, 0};
  PrimerList picked = original.pick(positions);
  EXPECT_EQ(namesOf(picked), (std::vector<std::string>{"C-from-original", "A"}));
  original.erase(0, 1);
  original.insert(1, picked);
  original.insert(0, original);  // a list into itself
  EXPECT_EQ(namesOf(original), (std::vector<std::string>{"B", "C-from-original", "A", "C-from-original", "B",
                                                         "C-from-original", "A", "C-from-original"}));
  const std::vector<int> reversed{4, 3, 2, 1, 0};
  picked.append(copy);
  picked.permute(reversed);
  EXPECT_EQ(namesOf(picked), (std::vector<std::string>{"C-from-copy", "B", "A", "A", "C-from-original"}));
}

}  // namespace
}  // namespace tamsel
