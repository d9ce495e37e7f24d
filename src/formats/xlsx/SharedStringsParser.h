#pragma once

// Reads the shared-string part of a workbook into the table that cells of
// type "s" index. Item i is the text of the i-th "si" element: the text of
// every "t" inside it joined without separator (rich-text runs and phonetic
// runs included), with _xHHHH_ escapes decoded. An "si" without "t" is the
// empty text and still takes its index.

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/xml/XMLParser.h"

namespace tamsel::xlsx {

// Most items are one run of plain text, which the table views where it
// stands in the part; only texts that had to be joined or decoded are copied,
// into blocks of their own. A table of a million strings so costs eight
// bytes a string beside the part.
//
// Items and copies never move once added, so a table may be filled on one
// thread while another reads the items added so far: between startFilling
// and finishFilling, `find` waits for an item not yet added.
class SharedStringTable {
 public:
  SharedStringTable() : SharedStringTable(ByteView{}) {}
  // A table whose viewed items lie in `source`, which must outlive it.
  explicit SharedStringTable(ByteView source);
  SharedStringTable(SharedStringTable&&) noexcept;
  SharedStringTable& operator=(SharedStringTable&&) noexcept;
  ~SharedStringTable();

  // Adds a copy of `text`.
  void add(std::string_view text);
  // Adds the text of `source` at `text`, which must lie inside it.
  void addView(std::string_view text);
  // Whether `text` lies inside the viewed source, so addView can take it.
  bool canView(std::string_view text) const;

  // The items added so far, for the thread that adds them or once filled.
  std::size_t size() const { return count_; }
  std::string_view operator[](std::size_t index) const {
    const Item item = segments_[index >> kSegmentBits][index & ((std::size_t{1} << kSegmentBits) - 1)];
    if (!(item.length & kCopied)) return source_.substr(item.begin, item.length);
    return copied(item);
  }

  // Marks the table as being filled on another thread, until finishFilling.
  void startFilling();
  void finishFilling();
  // Item `index`, waiting for it while the table is being filled; nothing
  // when the table, complete, has no such item.
  std::optional<std::string_view> find(std::size_t index) const {
    const std::size_t added = published_ ? published_->load(std::memory_order_acquire) : count_;
    if (index < added) return (*this)[index];
    return findLater(index);
  }

 private:
  // Offsets are 32 bits: a shared-string part is far below the member
  // limit; the top bit of `length` marks a copied text, whose `begin` counts
  // through the copy blocks' slots.
  struct Item {
    std::uint32_t begin;
    std::uint32_t length;
  };
  static constexpr std::uint32_t kCopied = std::uint32_t{1} << 31;
  static constexpr unsigned kSegmentBits = 16;  // items per segment, as a power of two
  static constexpr std::size_t kSegments = std::size_t{1} << (32 - kSegmentBits);
  static constexpr unsigned kBlockBits = 20;  // bytes per copy slot, as a power of two
  static constexpr std::size_t kBlockBytes = std::size_t{1} << kBlockBits;
  static constexpr std::size_t kSlots = std::size_t{1} << (32 - kBlockBits);
  struct Filling;

  void append(Item item);
  std::string_view copied(Item item) const;
  std::optional<std::string_view> findLater(std::size_t index) const;

  std::string_view source_;
  std::unique_ptr<std::unique_ptr<Item[]>[]> segments_;  // kSegments of them
  std::unique_ptr<std::unique_ptr<char[]>[]> blocks_;    // kSlots; a long text takes several slots
  std::size_t count_ = 0;
  std::size_t copiesEnd_ = 0;  // where the next copy goes, counted through the slots
  std::unique_ptr<Filling> filling_;
  const std::atomic<std::size_t>* published_ = nullptr;  // the filling's count, while there is one
};

class SharedStringsParser final : public xml::XMLHandler {
 public:
  SharedStringsParser() = default;
  // Items read from `part` view it: it must outlive the table.
  explicit SharedStringsParser(ByteView part) : strings_(part) {}

  void startElement(const xml::XMLElementStart& element) override;
  void characters(std::string_view text) override;
  void endElement(const xml::XMLName& name) override;

  // The items completed so far; an item still open is not in it.
  const SharedStringTable& strings() const { return strings_; }
  SharedStringTable& strings() { return strings_; }
  SharedStringTable takeStrings() { return std::move(strings_); }

 private:
  // An item's text so far: none, one run seen in the part, or joined.
  enum class Gathered { nothing, view, joined };

  SharedStringTable strings_;
  Gathered gathered_ = Gathered::nothing;
  std::string_view view_;
  std::string joined_;
  std::string unescaped_;
  bool inSI_ = false;
  bool inT_ = false;
};

// Parses a whole shared-string part; a part that is not well-formed gives the
// items completed before the error. The table views `part`: it must outlive it.
SharedStringTable parseSharedStrings(ByteView part);

}  // namespace tamsel::xlsx
