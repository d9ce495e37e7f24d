#pragma once

// The workbook's shared strings, addressed by 0-based index. The table has
// the SST's stored unique count of entries; entries beyond the strings
// actually stored read as the empty text, without costing memory.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tamsel::xls {

class SharedStringTable {
 public:
  void setSize(std::uint32_t size) { size_ = size; }
  // For readers that append straight into the text arena.
  std::string& arena() { return text_; }
  void closeEntry() { ends_.push_back(text_.size()); }

  std::uint32_t size() const { return size_; }
  std::size_t storedCount() const { return ends_.size(); }
  // The text at `index`; nothing when the index is not below size().
  std::optional<std::string_view> at(std::uint32_t index) const {
    if (index >= size_) return std::nullopt;
    if (index >= ends_.size()) return std::string_view{};
    std::size_t begin = index == 0 ? 0 : ends_[index - 1];
    return std::string_view(text_).substr(begin, ends_[index] - begin);
  }

 private:
  std::string text_;
  std::vector<std::size_t> ends_;
  std::uint32_t size_ = 0;
};

}  // namespace tamsel::xls
