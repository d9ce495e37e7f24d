#pragma once

// The primer list every part of the system holds: a compact table whose
// texts live in a few large blocks. A primer is an id, its flag and three
// (offset, length) pairs into one block, 44 bytes beside its texts, so a list
// of a million primers costs no allocation per primer.
//
// Texts a reader finds verbatim in the bytes it was given may stay there:
// after `shareBlock`, texts that lie inside those bytes are referenced, not
// copied. Any other text is copied to the end of the list's own blocks; an
// edit writes the new texts there and leaves the others where they are, and
// when more than half of the bytes held are no longer referenced the live
// texts are copied together and the old blocks released.
//
// A PrimerView is valid until the list next changes.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "model/Bytes.h"
#include "model/PrimerEntry.h"

namespace tamsel {

struct PrimerView {
  PrimerID id;
  bool selected = false;
  std::string_view name, sequence, comment;

  PrimerView() = default;
  PrimerView(PrimerID id, bool selected, std::string_view name, std::string_view sequence, std::string_view comment)
      : id(id), selected(selected), name(name), sequence(sequence), comment(comment) {}
  // A view of an entry, valid while the entry lives.
  PrimerView(const PrimerEntry& entry)  // NOLINT: an entry reads as a view wherever one is asked for
      : PrimerView(entry.id, entry.selected, entry.name, entry.sequence, entry.comment) {}

  // A copy that owns its texts.
  PrimerEntry entry() const;
  // The same four fields (ids aside).
  bool sameFields(const PrimerView& other) const;
};

class PrimerList {
 public:
  class const_iterator {
   public:
    using iterator_category = std::random_access_iterator_tag;
    using value_type = PrimerView;
    using difference_type = std::ptrdiff_t;
    using reference = const PrimerView;
    using pointer = void;

    const_iterator() = default;
    const PrimerView operator*() const { return (*list_)[index_]; }
    const PrimerView operator[](difference_type n) const { return (*list_)[index_ + static_cast<std::size_t>(n)]; }
    const_iterator& operator++() { ++index_; return *this; }
    const_iterator operator++(int) { auto old = *this; ++index_; return old; }
    const_iterator& operator--() { --index_; return *this; }
    const_iterator operator--(int) { auto old = *this; --index_; return old; }
    const_iterator& operator+=(difference_type n) { index_ += static_cast<std::size_t>(n); return *this; }
    const_iterator& operator-=(difference_type n) { index_ -= static_cast<std::size_t>(n); return *this; }
    friend const_iterator operator+(const_iterator it, difference_type n) { return it += n; }
    friend const_iterator operator+(difference_type n, const_iterator it) { return it += n; }
    friend const_iterator operator-(const_iterator it, difference_type n) { return it -= n; }
    friend difference_type operator-(const const_iterator& a, const const_iterator& b) {
      return static_cast<difference_type>(a.index_) - static_cast<difference_type>(b.index_);
    }
    friend bool operator==(const const_iterator& a, const const_iterator& b) { return a.index_ == b.index_; }
    friend auto operator<=>(const const_iterator& a, const const_iterator& b) { return a.index_ <=> b.index_; }

   private:
    friend class PrimerList;
    const_iterator(const PrimerList* list, std::size_t index) : list_(list), index_(index) {}
    const PrimerList* list_ = nullptr;
    std::size_t index_ = 0;
  };
  using iterator = const_iterator;
  using value_type = PrimerView;
  using size_type = std::size_t;

  PrimerList() = default;
  PrimerList(std::initializer_list<PrimerEntry> primers);
  // `count` empty primers, each with a fresh id.
  explicit PrimerList(std::size_t count);
  PrimerList(const PrimerList& other);
  PrimerList& operator=(const PrimerList& other);
  PrimerList(PrimerList&&) noexcept = default;
  PrimerList& operator=(PrimerList&&) noexcept = default;

  std::size_t size() const { return slots_.size(); }
  bool empty() const { return slots_.empty(); }
  // Views come back const, so that assigning to one, which would change
  // nothing in the list, does not compile: changes go through set().
  const PrimerView operator[](std::size_t index) const {
    const Slot& slot = slots_[index];
    return {slot.id, (slot.blockAndFlag & kSelectedBit) != 0, text(slot, slot.name), text(slot, slot.sequence),
            text(slot, slot.comment)};
  }
  // Throws std::out_of_range past the end.
  const PrimerView at(std::size_t index) const;
  const PrimerView front() const { return (*this)[0]; }
  const PrimerView back() const { return (*this)[size() - 1]; }
  const_iterator begin() const { return {this, 0}; }
  const_iterator end() const { return {this, size()}; }

  // Room for `primers` more primers and `textBytes` more bytes of copied text.
  void reserve(std::size_t primers, std::size_t textBytes = 0);
  // Texts that lie inside `bytes` are referenced from now on instead of copied;
  // the list keeps the bytes alive while any primer refers to them.
  void shareBlock(std::shared_ptr<const Bytes> bytes);

  // A new primer with a fresh id.
  void emplace_back(bool selected, std::string_view name, std::string_view sequence, std::string_view comment);
  // A primer with its own id.
  void push_back(const PrimerView& primer);
  // Replaces the primer at `index`, id included.
  void set(std::size_t index, const PrimerView& primer);
  void setSelected(std::size_t index, bool selected);

  // The primers of `other`, before `position`; their texts are shared, not copied.
  void insert(std::size_t position, const PrimerList& other);
  void append(const PrimerList& other) { insert(size(), other); }
  void erase(std::size_t first, std::size_t count);
  // The primers at `positions`, in that order, sharing this list's texts.
  PrimerList pick(std::span<const int> positions) const;
  // Primer i becomes the one that stood at order[i].
  void permute(std::span<const int> order);

  // The bytes the list holds: its table and every block it refers to.
  std::size_t memoryBytes() const;
  // Copies the live texts together when more than half the bytes held are
  // unused (after edits, or a shared block whose texts were mostly skipped).
  void compactIfWasteful();

 private:
  struct Text {
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
  };
  struct Slot {
    PrimerID id;
    std::uint32_t blockAndFlag = 0;  // the block's index; the top bit is the selected flag
    Text name, sequence, comment;
  };
  static constexpr std::uint32_t kSelectedBit = 0x8000'0000u;

  struct Block {
    std::shared_ptr<const void> owner;  // keeps `data` alive; shared between lists
    const char* data = nullptr;
    std::size_t used = 0;      // bytes holding texts (all of a shared block)
    std::size_t capacity = 0;  // room of an own block; only the list that made it writes to it
    bool writable = false;
  };

  std::string_view text(const Slot& slot, const Text& t) const {
    if (t.length == 0) return {};
    return {blocks_[slot.blockAndFlag & ~kSelectedBit].data + t.offset, t.length};
  }
  Slot makeSlot(const PrimerID& id, bool selected, std::string_view name, std::string_view sequence,
                std::string_view comment);
  // The index of the shared block holding all three texts, or kNoBlock.
  static constexpr std::uint32_t kNoBlock = UINT32_MAX;
  std::uint32_t sharedBlockHolding(std::string_view name, std::string_view sequence, std::string_view comment) const;
  // Room for `bytes` contiguous bytes at the end of a writable block.
  std::uint32_t writableBlockFor(std::size_t bytes);
  Text copyText(std::uint32_t block, std::string_view text);
  std::uint32_t blockIndexIn(const PrimerList& other, std::uint32_t otherBlock, std::vector<std::int64_t>& map);
  std::size_t textBytes(const Slot& slot) const { return slot.name.length + slot.sequence.length + slot.comment.length; }
  // The bytes of every block's texts, referenced or not.
  std::size_t heldBytes() const;
  // Empties each block that is not the list's to write and that no primer
  // refers to; its index stays, for the slots' sake.
  void releaseUnreferencedBlocks();

  std::vector<Slot> slots_;
  std::vector<Block> blocks_;
  std::size_t live_ = 0;          // bytes of text the primers refer to
  std::size_t reservedText_ = 0;  // the size of the next own block, from reserve
};

}  // namespace tamsel
