#pragma once

// Counts the bytes that operator new hands out while a scope is open, so a
// test can bound what one import allocates. Memory from C libraries (expat,
// the inflaters) is not counted; the CLI measurement covers it.

#include <cstddef>

namespace tamsel::hostile {

class AllocationScope {
 public:
  // Past `hardLimit` live bytes, operator new throws std::bad_alloc instead of
  // letting a runaway reader take the machine's memory.
  explicit AllocationScope(std::size_t hardLimit);
  ~AllocationScope();
  AllocationScope(const AllocationScope&) = delete;
  AllocationScope& operator=(const AllocationScope&) = delete;

  // The most bytes live at once since the scope opened, above those live then.
  std::size_t peakBytes() const;

 private:
  std::ptrdiff_t baseline_ = 0;
};

}  // namespace tamsel::hostile
