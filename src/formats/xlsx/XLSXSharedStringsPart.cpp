// The shared-string table of an exported workbook and its part,
// "xl/sharedStrings.xml".

#include <algorithm>
#include <array>
#include <bit>
#include <functional>

#include "formats/xlsx/XLSXWriterParts.h"
#include "formats/xlsx/XLSXWriterText.h"

namespace tamsel::xlsx {
namespace {

constexpr std::string_view kPartStart =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" count=\"";

// Maps each distinct text to its table position. Open addressing over slots
// that keep 32 bits of the hash, so a million primers cost no allocation per
// text and a probe rarely compares strings. A lookup in a large table is a
// cache miss, so callers hash ahead and prefetch the slot they will need.
class TextPositions {
 public:
  explicit TextPositions(std::size_t expectedTexts)
      : slots_(std::bit_ceil(std::max<std::size_t>(64, 2 * expectedTexts))), mask_(slots_.size() - 1) {}

  static std::uint32_t hashOf(std::string_view text) {
    return static_cast<std::uint32_t>(std::hash<std::string_view>{}(text));
  }

  void prefetch(std::uint32_t hash) const { __builtin_prefetch(&slots_[hash & mask_]); }

  // The position of `text`, which is appended to `texts` when it is new.
  std::uint32_t positionOf(std::string_view text, std::uint32_t hash, std::vector<std::string_view>& texts) {
    for (std::size_t i = hash & mask_;; i = (i + 1) & mask_) {
      Slot& slot = slots_[i];
      if (slot.positionPlusOne == 0) {
        const auto position = static_cast<std::uint32_t>(texts.size());
        texts.push_back(text);
        slot = {position + 1, hash};
        if (texts.size() * 4 > slots_.size() * 3) grow();
        return position;
      }
      if (slot.hash == hash && texts[slot.positionPlusOne - 1] == text) return slot.positionPlusOne - 1;
    }
  }

 private:
  struct Slot {
    std::uint32_t positionPlusOne = 0;  // 0 marks a free slot
    std::uint32_t hash = 0;
  };

  void grow() {
    std::vector<Slot> old(slots_.size() * 2);
    old.swap(slots_);
    mask_ = slots_.size() - 1;
    for (const Slot& slot : old) {
      if (slot.positionPlusOne == 0) continue;
      std::size_t i = slot.hash & mask_;
      while (slots_[i].positionPlusOne != 0) i = (i + 1) & mask_;
      slots_[i] = slot;
    }
  }

  std::vector<Slot> slots_;
  std::size_t mask_;
};

}  // namespace

SharedStrings collectStrings(const PrimerList& primers) {
  SharedStrings table;
  // Names and sequences are mostly distinct; selection flags and empty
  // comments mostly repeat.
  table.texts.reserve(2 * primers.size() + kColumnCount + 2);
  table.cellPositions.reserve(kColumnCount * (primers.size() + 1));
  TextPositions positions(2 * primers.size() + kColumnCount + 2);
  const auto offer = [&](std::string_view text, std::uint32_t hash) {
    table.cellPositions.push_back(positions.positionOf(text, hash, table.texts));
  };
  for (std::string_view header : kHeaderTexts) offer(header, TextPositions::hashOf(header));

  // The hashes of the primers a few places ahead, their slots prefetched.
  constexpr std::size_t kLookahead = 8;
  std::array<std::array<std::uint32_t, 3>, kLookahead> ahead;
  const auto hashAhead = [&](std::size_t index) {
    const auto& primer = primers[index];
    auto& hashes = ahead[index % kLookahead];
    hashes = {TextPositions::hashOf(primer.name), TextPositions::hashOf(primer.sequence),
              TextPositions::hashOf(primer.comment)};
    for (std::uint32_t hash : hashes) positions.prefetch(hash);
  };
  for (std::size_t i = 0; i < std::min(kLookahead, primers.size()); ++i) hashAhead(i);

  const std::string_view selectedTexts[] = {"0", "1"};
  const std::uint32_t selectedHashes[] = {TextPositions::hashOf("0"), TextPositions::hashOf("1")};
  for (std::size_t i = 0; i < primers.size(); ++i) {
    const auto& primer = primers[i];
    const std::array<std::uint32_t, 3> hashes = ahead[i % kLookahead];
    if (i + kLookahead < primers.size()) hashAhead(i + kLookahead);
    const int selected = primer.selected ? 1 : 0;
    offer(selectedTexts[selected], selectedHashes[selected]);
    offer(primer.name, hashes[0]);
    offer(primer.sequence, hashes[1]);
    offer(primer.comment, hashes[2]);
  }
  return table;
}

void writeSharedStringsXML(std::span<const std::string_view> texts, ByteSink& out) {
  out.write(kPartStart);
  // Both attributes carry the number of distinct texts.
  writeDecimal(out, texts.size());
  out.write("\" uniqueCount=\"");
  writeDecimal(out, texts.size());
  out.write("\">");
  for (std::string_view text : texts) {
    out.write("<si><t>");
    writeEscapedCellText(text, out);
    out.write("</t></si>");
  }
  out.write("</sst>");
}

}  // namespace tamsel::xlsx
