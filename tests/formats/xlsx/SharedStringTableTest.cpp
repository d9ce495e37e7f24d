#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "formats/xlsx/SharedStringsParser.h"

namespace tamsel::xlsx {
namespace {

constexpr std::size_t kBlock = std::size_t{1} << 20;

// Copies of every length around a block's end stay where they were added,
// beside texts viewed in the source.
TEST(SharedStringTableTest, ItemsNeverMoveOnceAdded) {
  const std::string source = "viewed text";
  SharedStringTable table(asBytes(source));
  std::vector<std::string> expected;
  std::vector<const char*> where;
  for (std::size_t length : {std::size_t{0}, std::size_t{5}, kBlock - 7, std::size_t{7}, std::size_t{1}, kBlock,
                             std::size_t{0}, 3 * kBlock + 1, std::size_t{2}, kBlock - 2, std::size_t{3}}) {
    std::string text(length, static_cast<char>('a' + expected.size()));
    if (!text.empty()) text.back() = '!';
    table.add(text);
    expected.push_back(text);
    where.push_back(table[table.size() - 1].data());
    table.addView(std::string_view(source).substr(0, 6));
    expected.emplace_back("viewed");
    where.push_back(source.data());
  }
  ASSERT_EQ(table.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(table[i], expected[i]);
    if (!expected[i].empty()) {
      EXPECT_EQ(table[i].data(), where[i]);
    }
    EXPECT_EQ(table.find(i), std::optional<std::string_view>(expected[i]));
  }
  EXPECT_EQ(table.find(expected.size()), std::nullopt);
}

// While one thread fills the table, another finds each item as soon as it is
// there, and learns at the end which items there are none of.
TEST(SharedStringTableTest, AReaderWaitsForItemsStillToCome) {
  constexpr std::size_t kItems = 20000;
  SharedStringTable table;
  table.startFilling();
  std::thread filler([&] {
    for (std::size_t i = 0; i < kItems; ++i) table.add("item " + std::to_string(i));
    table.finishFilling();
  });
  EXPECT_EQ(table.find(kItems / 2), std::optional<std::string_view>("item " + std::to_string(kItems / 2)));
  for (std::size_t i = 0; i < kItems; i += 7) {
    ASSERT_EQ(table.find(i), std::optional<std::string_view>("item " + std::to_string(i)));
  }
  EXPECT_EQ(table.find(kItems), std::nullopt);
  filler.join();
  EXPECT_EQ(table.size(), kItems);
}

}  // namespace
}  // namespace tamsel::xlsx
