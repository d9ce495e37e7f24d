#include "formats/zip/RawInflate.h"

#include <gtest/gtest.h>

#include <string>

#include "formats/zip/ZIPReaderTestArchive.h"

namespace tamsel::zip {
namespace {

// A text that compresses about four times, like a shared-string part, and
// one that compresses far more than real parts do.
std::string plausibleText() {
  std::string text;
  for (int i = 0; i < 20'000; ++i) text += "<si><t>P" + std::to_string(i * 7919 % 100'003) + "</t></si>";
  return text;
}

// Both ways through the decoder: output straight into the result (a claim
// the compressed size makes plausible) and through a buffer that commits
// memory as it is written (a claim far beyond it).
TEST(RawInflateTest, EveryCapacityGivesTheOutputOrItsExactPrefix) {
  for (const std::string& text : {plausibleText(), std::string(1 << 20, 'z')}) {
    const Bytes compressed = zipfixture::rawDeflate(asBytes(text));
    SCOPED_TRACE(text.size() / compressed.size());
    for (std::size_t capacity : {text.size(), text.size() + 1000, text.size() * 3, text.size() - 1, std::size_t{10}}) {
      auto inflated = rawInflate(compressed, capacity);
      ASSERT_TRUE(inflated);
      const std::size_t expected = std::min(capacity, text.size());
      EXPECT_EQ(inflated->complete, capacity >= text.size());
      EXPECT_EQ(asText(inflated->bytes), std::string_view(text).substr(0, expected));
    }
  }
}

TEST(RawInflateTest, DamagedStreamsAndEmptyCapacities) {
  const Bytes compressed = zipfixture::rawDeflate(asBytes(plausibleText()));
  const Bytes cut(compressed.begin(), compressed.begin() + compressed.size() / 2);
  auto damaged = rawInflate(cut, plausibleText().size());
  ASSERT_FALSE(damaged);
  EXPECT_EQ(damaged.error(), InflateError::badData);

  const Bytes garbage(64, 0xFF);
  EXPECT_FALSE(rawInflate(garbage, 1000));

  auto none = rawInflate(compressed, 0);
  ASSERT_TRUE(none);
  EXPECT_TRUE(none->bytes.empty());
  EXPECT_FALSE(none->complete);
}

}  // namespace
}  // namespace tamsel::zip
