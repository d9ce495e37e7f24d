#pragma once

// A growable array of plain values (trivially copyable) that grows with
// realloc instead of allocate-copy-free. A large array lives in pages of its
// own, which the allocator can move to a larger place without copying them:
// growing a table of millions of entries so touches each page once, and never
// holds the old and the new array at once.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>

namespace tamsel {

template <typename T>
class FlatArray {
  static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>);

 public:
  FlatArray() = default;
  FlatArray(const FlatArray& other) { *this = other; }
  FlatArray& operator=(const FlatArray& other) {
    if (this != &other) {
      clear();
      reserve(other.size_);
      if (other.size_ > 0) std::memcpy(data_, other.data_, other.size_ * sizeof(T));
      size_ = other.size_;
    }
    return *this;
  }
  FlatArray(FlatArray&& other) noexcept { swap(other); }
  FlatArray& operator=(FlatArray&& other) noexcept {
    FlatArray(std::move(other)).swap(*this);
    return *this;
  }
  ~FlatArray() { std::free(data_); }

  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  std::size_t capacity() const { return capacity_; }
  T* data() { return data_; }
  const T* data() const { return data_; }
  T* begin() { return data_; }
  T* end() { return data_ + size_; }
  const T* begin() const { return data_; }
  const T* end() const { return data_ + size_; }
  T& operator[](std::size_t i) { return data_[i]; }
  const T& operator[](std::size_t i) const { return data_[i]; }
  T& back() { return data_[size_ - 1]; }
  const T& back() const { return data_[size_ - 1]; }

  void push_back(const T& value) {
    if (size_ == capacity_) grow(size_ + 1);
    data_[size_++] = value;
  }
  // For callers that checked size() < capacity().
  void pushWithinCapacity(const T& value) { data_[size_++] = value; }
  // Keeps the first `size` values (no more than there are).
  void shrinkTo(std::size_t size) {
    if (size < size_) size_ = size;
  }
  void clear() { size_ = 0; }
  void reserve(std::size_t capacity) {
    if (capacity > capacity_) resizeStorage(capacity);
  }
  void swap(FlatArray& other) noexcept {
    std::swap(data_, other.data_);
    std::swap(size_, other.size_);
    std::swap(capacity_, other.capacity_);
  }

 private:
  void grow(std::size_t needed) {
    std::size_t capacity = capacity_ < 16 ? 16 : capacity_ * 2;
    resizeStorage(capacity < needed ? needed : capacity);
  }
  void resizeStorage(std::size_t capacity) {
    if (capacity > SIZE_MAX / sizeof(T)) throw std::bad_alloc();
    void* grown = std::realloc(data_, capacity * sizeof(T));
    if (grown == nullptr) throw std::bad_alloc();
    data_ = static_cast<T*>(grown);
    capacity_ = capacity;
  }

  T* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

}  // namespace tamsel
