#include "formats/xlsx/SharedStringsParser.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <new>

#include "formats/xlsx/EscapeDecoding.h"
#include "formats/xlsx/SpreadsheetMLNames.h"

namespace tamsel::xlsx {

// What a reader on another thread waits on while the table is filled.
struct SharedStringTable::Filling {
  std::atomic<std::size_t> published{0};
  std::mutex mutex;
  std::condition_variable added;
  bool complete = false;  // guarded by the mutex
};

SharedStringTable::SharedStringTable(ByteView source)
    : source_(asText(source)),
      segments_(new std::unique_ptr<Item[]>[kSegments]),
      blocks_(new std::unique_ptr<char[]>[kSlots]) {}

SharedStringTable::SharedStringTable(SharedStringTable&&) noexcept = default;
SharedStringTable& SharedStringTable::operator=(SharedStringTable&&) noexcept = default;
SharedStringTable::~SharedStringTable() = default;

void SharedStringTable::append(Item item) {
  if (count_ == kSegments << kSegmentBits) throw std::bad_alloc();
  std::unique_ptr<Item[]>& segment = segments_[count_ >> kSegmentBits];
  if (!segment) segment.reset(new Item[std::size_t{1} << kSegmentBits]);
  segment[count_ & ((std::size_t{1} << kSegmentBits) - 1)] = item;
  ++count_;
  if (!filling_) return;
  filling_->published.store(count_, std::memory_order_release);
  // A reader waiting for a later item is woken now and then, and at the end.
  if ((count_ & 1023) == 0) {
    { std::lock_guard lock(filling_->mutex); }
    filling_->added.notify_all();
  }
}

void SharedStringTable::add(std::string_view text) {
  // A text of 2 GiB, or copies beyond 4 GiB, would not fit the offsets: a
  // part that large is refused as too large to read.
  if (text.size() >= kCopied) throw std::bad_alloc();
  if (text.empty()) return append({0, kCopied});
  std::size_t at = copiesEnd_;
  const std::size_t within = at & (kBlockBytes - 1);
  if (within == 0 || kBlockBytes - within < text.size()) {
    // A new block at the next slot; a long text has a block of its size,
    // which takes as many slots.
    if (within != 0) at += kBlockBytes - within;
    const std::size_t size = std::max(text.size(), kBlockBytes);
    if ((at >> kBlockBits) + ((size + kBlockBytes - 1) >> kBlockBits) > kSlots) throw std::bad_alloc();
    blocks_[at >> kBlockBits].reset(new char[size]);
  }
  text.copy(blocks_[at >> kBlockBits].get() + (at & (kBlockBytes - 1)), text.size());
  copiesEnd_ = at + text.size();
  // After a long text the next copy starts a block of its own.
  if (text.size() > kBlockBytes) copiesEnd_ = (copiesEnd_ + kBlockBytes - 1) & ~(kBlockBytes - 1);
  append({static_cast<std::uint32_t>(at), static_cast<std::uint32_t>(text.size()) | kCopied});
}

bool SharedStringTable::canView(std::string_view text) const {
  return source_.size() < kCopied && liesWithin(text, source_);
}

void SharedStringTable::addView(std::string_view text) {
  append({static_cast<std::uint32_t>(text.data() - source_.data()), static_cast<std::uint32_t>(text.size())});
}

std::string_view SharedStringTable::copied(Item item) const {
  const std::size_t length = item.length & ~kCopied;
  if (length == 0) return {};
  return {blocks_[item.begin >> kBlockBits].get() + (item.begin & (kBlockBytes - 1)), length};
}

void SharedStringTable::startFilling() {
  filling_ = std::make_unique<Filling>();
  filling_->published.store(count_);
  published_ = &filling_->published;
}

void SharedStringTable::finishFilling() {
  if (!filling_) return;
  {
    std::lock_guard lock(filling_->mutex);
    filling_->complete = true;
  }
  filling_->added.notify_all();
}

std::optional<std::string_view> SharedStringTable::findLater(std::size_t index) const {
  if (!filling_) return std::nullopt;
  std::unique_lock lock(filling_->mutex);
  filling_->added.wait(lock, [&] {
    return filling_->complete || index < filling_->published.load(std::memory_order_acquire);
  });
  if (index >= filling_->published.load(std::memory_order_acquire)) return std::nullopt;
  return (*this)[index];
}

void SharedStringsParser::startElement(const xml::XMLElementStart& element) {
  const std::string_view local = spreadsheetMLLocalName(element.name);
  if (local == "si") {
    inSI_ = true;
    gathered_ = Gathered::nothing;
    joined_.clear();
  } else if (local == "t" && inSI_) {
    inT_ = true;
  }
}

void SharedStringsParser::characters(std::string_view text) {
  if (!inT_) return;
  switch (gathered_) {
    case Gathered::nothing:
      if (strings_.canView(text)) {
        view_ = text;
        gathered_ = Gathered::view;
        return;
      }
      break;
    case Gathered::view:
      joined_.assign(view_);
      break;
    case Gathered::joined:
      break;
  }
  gathered_ = Gathered::joined;
  joined_.append(text);
}

void SharedStringsParser::endElement(const xml::XMLName& name) {
  const std::string_view local = spreadsheetMLLocalName(name);
  if (local == "t") {
    inT_ = false;
  } else if (local == "si") {
    const std::string_view text = gathered_ == Gathered::view ? view_ : std::string_view(joined_);
    if (gathered_ == Gathered::view && text.find("_x") == std::string_view::npos) {
      strings_.addView(text);
    } else {
      unescaped_.clear();
      appendUnescaped(unescaped_, text);
      strings_.add(unescaped_);
    }
    inSI_ = false;
  }
}

SharedStringTable parseSharedStrings(ByteView part) {
  SharedStringsParser parser(part);
  xml::parseXML(part, parser);
  return parser.takeStrings();
}

}  // namespace tamsel::xlsx
