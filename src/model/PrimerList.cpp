#include "model/PrimerList.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace tamsel {
namespace {

// Own blocks grow by doubling between these sizes; a larger text gets a block
// of its own size.
constexpr std::size_t kFirstBlockBytes = 4096;
constexpr std::size_t kLargestGrowthBytes = std::size_t{64} << 20;
// Offsets are 32-bit: no block may be larger.
constexpr std::size_t kMaxBlockBytes = std::numeric_limits<std::uint32_t>::max();

}  // namespace

PrimerEntry PrimerView::entry() const {
  PrimerEntry copy(selected, std::string(name), std::string(sequence), std::string(comment));
  copy.id = id;
  return copy;
}

bool PrimerView::sameFields(const PrimerView& other) const {
  return selected == other.selected && name == other.name && sequence == other.sequence && comment == other.comment;
}

PrimerList::PrimerList(std::initializer_list<PrimerEntry> primers) {
  reserve(primers.size());
  for (const PrimerEntry& primer : primers) push_back(primer);
}

PrimerList::PrimerList(std::size_t count) {
  slots_.reserve(count);
  for (std::size_t i = 0; i < count; ++i) emplace_back(false, {}, {}, {});
}

PrimerList::PrimerList(const PrimerList& other)
    : slots_(other.slots_), blocks_(other.blocks_), live_(other.live_) {
  // Only the list that made a block writes to it.
  for (Block& block : blocks_) block.writable = false;
}

PrimerList& PrimerList::operator=(const PrimerList& other) {
  if (this != &other) *this = PrimerList(other);
  return *this;
}

const PrimerView PrimerList::at(std::size_t index) const {
  if (index >= size()) throw std::out_of_range("PrimerList::at");
  return (*this)[index];
}

void PrimerList::reserve(std::size_t primers, std::size_t textBytes) {
  slots_.reserve(slots_.size() + primers);
  reservedText_ = std::min(textBytes, kMaxBlockBytes);
}

void PrimerList::shareBlock(std::shared_ptr<const Bytes> bytes) {
  if (!bytes || bytes->empty() || bytes->size() > kMaxBlockBytes) return;
  for (const Block& block : blocks_) {
    if (block.owner == bytes) return;
  }
  Block block;
  block.data = reinterpret_cast<const char*>(bytes->data());
  block.used = bytes->size();
  block.owner = std::move(bytes);
  blocks_.push_back(std::move(block));
}

std::uint32_t PrimerList::sharedBlockHolding(std::string_view name, std::string_view sequence,
                                             std::string_view comment) const {
  // The span from the first text's start to the last one's end: a block
  // holds all three when it holds that span. Empty texts lie anywhere.
  std::uintptr_t first = UINTPTR_MAX, last = 0;
  for (std::string_view t : {name, sequence, comment}) {
    if (t.empty()) continue;
    first = std::min(first, reinterpret_cast<std::uintptr_t>(t.data()));
    last = std::max(last, reinterpret_cast<std::uintptr_t>(t.data()) + t.size());
  }
  // Readers share at most one or two blocks: the newest is looked at first.
  for (std::size_t b = blocks_.size(); b-- > 0;) {
    const Block& block = blocks_[b];
    if (block.writable) continue;
    const auto start = reinterpret_cast<std::uintptr_t>(block.data);
    if (last == 0 || (first >= start && last <= start + block.used)) return static_cast<std::uint32_t>(b);
  }
  return kNoBlock;
}

std::uint32_t PrimerList::writableBlockFor(std::size_t bytes) {
  if (bytes > kMaxBlockBytes) throw std::length_error("a primer's texts exceed 4 GiB");
  std::size_t previous = 0;
  for (std::size_t b = blocks_.size(); b-- > 0;) {
    const Block& block = blocks_[b];
    if (!block.writable) continue;
    if (block.capacity - block.used >= bytes) return static_cast<std::uint32_t>(b);
    previous = block.capacity;
    break;
  }
  std::size_t capacity = std::max(kFirstBlockBytes, std::min(previous * 2, kLargestGrowthBytes));
  capacity = std::max({capacity, bytes, reservedText_});
  reservedText_ = 0;
  // Not zeroed: pages the texts never reach cost no memory.
  std::shared_ptr<char[]> storage(new char[capacity]);
  Block block;
  block.data = storage.get();
  block.capacity = capacity;
  block.writable = true;
  block.owner = std::move(storage);
  if (blocks_.size() >= kSelectedBit) throw std::length_error("too many text blocks");
  blocks_.push_back(std::move(block));
  return static_cast<std::uint32_t>(blocks_.size() - 1);
}

PrimerList::Text PrimerList::copyText(std::uint32_t block, std::string_view text) {
  Block& target = blocks_[block];
  Text t{static_cast<std::uint32_t>(target.used), static_cast<std::uint32_t>(text.size())};
  if (!text.empty()) std::memcpy(const_cast<char*>(target.data) + target.used, text.data(), text.size());
  target.used += text.size();
  return t;
}

PrimerList::Slot PrimerList::makeSlot(const PrimerID& id, bool selected, std::string_view name,
                                      std::string_view sequence, std::string_view comment) {
  Slot slot;
  slot.id = id;
  std::uint32_t block;
  if (const std::uint32_t shared = sharedBlockHolding(name, sequence, comment); shared != kNoBlock) {
    block = shared;
    const char* data = blocks_[block].data;
    const auto at = [data](std::string_view t) {
      return Text{t.empty() ? 0 : static_cast<std::uint32_t>(t.data() - data), static_cast<std::uint32_t>(t.size())};
    };
    slot.name = at(name);
    slot.sequence = at(sequence);
    slot.comment = at(comment);
  } else {
    block = writableBlockFor(name.size() + sequence.size() + comment.size());
    slot.name = copyText(block, name);
    slot.sequence = copyText(block, sequence);
    slot.comment = copyText(block, comment);
  }
  slot.blockAndFlag = block | (selected ? kSelectedBit : 0);
  live_ += textBytes(slot);
  return slot;
}

void PrimerList::emplace_back(bool selected, std::string_view name, std::string_view sequence,
                              std::string_view comment) {
  slots_.push_back(makeSlot(PrimerID::random(), selected, name, sequence, comment));
}

void PrimerList::push_back(const PrimerView& primer) {
  slots_.push_back(makeSlot(primer.id, primer.selected, primer.name, primer.sequence, primer.comment));
}

void PrimerList::set(std::size_t index, const PrimerView& primer) {
  Slot replacement = makeSlot(primer.id, primer.selected, primer.name, primer.sequence, primer.comment);
  live_ -= textBytes(slots_[index]);
  slots_[index] = replacement;
  compactIfWasteful();
}

void PrimerList::setSelected(std::size_t index, bool selected) {
  std::uint32_t& bits = slots_[index].blockAndFlag;
  bits = selected ? (bits | kSelectedBit) : (bits & ~kSelectedBit);
}

std::uint32_t PrimerList::blockIndexIn(const PrimerList& other, std::uint32_t otherBlock,
                                       std::vector<std::int64_t>& map) {
  std::int64_t& mapped = map[otherBlock];
  if (mapped >= 0) return static_cast<std::uint32_t>(mapped);
  const Block& source = other.blocks_[otherBlock];
  for (std::size_t b = 0; b < blocks_.size(); ++b) {
    if (blocks_[b].owner == source.owner) {
      // The same storage: this list sees at least as much of it when it made it.
      blocks_[b].used = std::max(blocks_[b].used, source.used);
      mapped = static_cast<std::int64_t>(b);
      return static_cast<std::uint32_t>(b);
    }
  }
  Block shared = source;
  shared.writable = false;
  blocks_.push_back(std::move(shared));
  mapped = static_cast<std::int64_t>(blocks_.size() - 1);
  return static_cast<std::uint32_t>(mapped);
}

void PrimerList::insert(std::size_t position, const PrimerList& other) {
  if (&other == this) {
    const PrimerList copy(other);
    insert(position, copy);
    return;
  }
  std::vector<std::int64_t> map(other.blocks_.size(), -1);
  std::vector<Slot> inserted;
  inserted.reserve(other.slots_.size());
  for (Slot slot : other.slots_) {
    const std::uint32_t flag = slot.blockAndFlag & kSelectedBit;
    slot.blockAndFlag = blockIndexIn(other, slot.blockAndFlag & ~kSelectedBit, map) | flag;
    live_ += textBytes(slot);
    inserted.push_back(slot);
  }
  slots_.insert(slots_.begin() + static_cast<std::ptrdiff_t>(position), inserted.begin(), inserted.end());
  compactIfWasteful();
}

void PrimerList::erase(std::size_t first, std::size_t count) {
  const auto begin = slots_.begin() + static_cast<std::ptrdiff_t>(first);
  const auto end = begin + static_cast<std::ptrdiff_t>(count);
  for (auto it = begin; it != end; ++it) live_ -= textBytes(*it);
  slots_.erase(begin, end);
  compactIfWasteful();
}

PrimerList PrimerList::pick(std::span<const int> positions) const {
  PrimerList picked;
  picked.blocks_ = blocks_;
  for (Block& block : picked.blocks_) block.writable = false;
  picked.slots_.reserve(positions.size());
  for (int position : positions) {
    const Slot& slot = slots_[static_cast<std::size_t>(position)];
    picked.live_ += textBytes(slot);
    picked.slots_.push_back(slot);
  }
  return picked;
}

void PrimerList::permute(std::span<const int> order) {
  std::vector<Slot> permuted;
  permuted.reserve(order.size());
  for (int from : order) permuted.push_back(slots_[static_cast<std::size_t>(from)]);
  slots_ = std::move(permuted);
}

std::size_t PrimerList::memoryBytes() const {
  std::size_t bytes = slots_.capacity() * sizeof(Slot) + blocks_.capacity() * sizeof(Block);
  for (const Block& block : blocks_) bytes += block.writable ? block.capacity : block.used;
  return bytes;
}

std::size_t PrimerList::heldBytes() const {
  std::size_t held = 0;
  for (const Block& block : blocks_) held += block.used;
  return held;
}

void PrimerList::releaseUnreferencedBlocks() {
  std::vector<bool> referenced(blocks_.size(), false);
  for (const Slot& slot : slots_) {
    if (textBytes(slot) > 0) referenced[slot.blockAndFlag & ~kSelectedBit] = true;
  }
  for (std::size_t b = 0; b < blocks_.size(); ++b) {
    // An own block may still take texts; another list may share the bytes.
    if (!referenced[b] && !blocks_[b].writable) blocks_[b] = Block{};
  }
}

void PrimerList::compactIfWasteful() {
  if (heldBytes() <= 2 * live_ + kFirstBlockBytes) return;
  // Bytes no primer refers to (a file whose texts were all copied) are simply
  // let go; only when the rest still wastes half is anything copied.
  releaseUnreferencedBlocks();
  if (heldBytes() <= 2 * live_ + kFirstBlockBytes) return;
  PrimerList compact;
  compact.reserve(slots_.size(), live_);
  for (std::size_t i = 0; i < slots_.size(); ++i) compact.push_back((*this)[i]);
  *this = std::move(compact);
}

}  // namespace tamsel
