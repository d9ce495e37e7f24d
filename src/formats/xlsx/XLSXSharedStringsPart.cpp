// The shared-string table of an exported workbook and its part,
// "xl/sharedStrings.xml".

#include <bit>
#include <functional>

#include "formats/xlsx/XLSXWriter.h"
#include "formats/xlsx/XLSXWriterText.h"

namespace tamsel {
namespace {

constexpr std::string_view kPartStart =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" count=\"";

// Maps each distinct text to its table position. Open addressing over slots
// that keep 32 bits of the hash, so a million primers cost no allocation per
// text and a probe rarely compares strings.
class TextPositions {
 public:
  explicit TextPositions(std::size_t expectedTexts)
      : slots_(std::bit_ceil(std::max<std::size_t>(64, 2 * expectedTexts))), mask_(slots_.size() - 1) {}

  // The position of `text`, which is appended to `texts` when it is new.
  std::uint32_t positionOf(std::string_view text, std::vector<std::string_view>& texts) {
    const auto hash = static_cast<std::uint32_t>(std::hash<std::string_view>{}(text));
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

XLSXWriter::SharedStrings XLSXWriter::collectStrings(const PrimerList& primers) {
  SharedStrings table;
  // Names and sequences are mostly distinct; selection flags and empty
  // comments mostly repeat.
  table.texts.reserve(2 * primers.size() + kColumnCount + 2);
  table.cellPositions.reserve(kColumnCount * (primers.size() + 1));
  TextPositions positions(2 * primers.size() + kColumnCount + 2);
  const auto offer = [&](std::string_view text) {
    table.cellPositions.push_back(positions.positionOf(text, table.texts));
  };
  for (std::string_view header : kHeaderTexts) offer(header);
  for (const PrimerEntry& primer : primers) {
    offer(primer.selected ? "1" : "0");
    offer(primer.name);
    offer(primer.sequence);
    offer(primer.comment);
  }
  return table;
}

void XLSXWriter::appendSharedStringsXML(std::span<const std::string_view> texts, Bytes& out) {
  appendText(out, kPartStart);
  // Both attributes carry the number of distinct texts.
  appendDecimal(out, texts.size());
  appendText(out, "\" uniqueCount=\"");
  appendDecimal(out, texts.size());
  appendText(out, "\">");
  for (std::string_view text : texts) {
    appendText(out, "<si><t>");
    appendEscapedCellText(text, out);
    appendText(out, "</t></si>");
  }
  appendText(out, "</sst>");
}

std::string XLSXWriter::sharedStringsXML(std::span<const std::string_view> texts) {
  Bytes out;
  appendSharedStringsXML(texts, out);
  return std::string(asText(out));
}

}  // namespace tamsel
