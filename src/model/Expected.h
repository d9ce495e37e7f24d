#pragma once

// A value or an error, the way readers report their outcome without
// exceptions. Modelled on std::expected (not yet usable with every compiler
// this project builds with).

#include <cassert>
#include <type_traits>
#include <utility>
#include <variant>

namespace tamsel {

template <class E>
struct Unexpected {
  E error;
};

template <class E>
Unexpected<std::decay_t<E>> unexpected(E&& error) {
  return {std::forward<E>(error)};
}

template <class T, class E>
class [[nodiscard]] Expected {
 public:
  Expected(const T& value) : storage_(std::in_place_index<0>, value) {}
  Expected(T&& value) : storage_(std::in_place_index<0>, std::move(value)) {}
  template <class G>
  Expected(Unexpected<G> error)
      : storage_(std::in_place_index<1>, E(std::move(error.error))) {}

  bool hasValue() const { return storage_.index() == 0; }
  explicit operator bool() const { return hasValue(); }

  T& value() & {
    assert(hasValue());
    return std::get<0>(storage_);
  }
  const T& value() const& {
    assert(hasValue());
    return std::get<0>(storage_);
  }
  T&& value() && {
    assert(hasValue());
    return std::get<0>(std::move(storage_));
  }
  const E& error() const {
    assert(!hasValue());
    return std::get<1>(storage_);
  }

  T& operator*() & { return value(); }
  const T& operator*() const& { return value(); }
  T&& operator*() && { return std::move(*this).value(); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }

 private:
  std::variant<T, E> storage_;
};

}  // namespace tamsel
