#include "AllocationTracker.h"

#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>

namespace tamsel::hostile {
namespace {

std::atomic<bool> armed{false};
std::atomic<std::ptrdiff_t> live{0};
std::atomic<std::ptrdiff_t> peak{0};
std::atomic<std::ptrdiff_t> limit{0};

void* allocate(std::size_t size) {
  // A request past the limit never reaches malloc, which under the sanitizers
  // would end the process instead of failing.
  if (armed.load(std::memory_order_relaxed) &&
      size > static_cast<std::size_t>(std::max<std::ptrdiff_t>(0, limit.load() - live.load()))) {
    return nullptr;
  }
  void* p = std::malloc(size == 0 ? 1 : size);
  if (!p) return nullptr;
  // Counted by usable size, so that the release below subtracts the same amount.
  const auto bytes = static_cast<std::ptrdiff_t>(::malloc_usable_size(p));
  const std::ptrdiff_t now = live.fetch_add(bytes) + bytes;
  if (armed.load(std::memory_order_relaxed)) {
    if (now > limit.load()) {
      live.fetch_sub(bytes);
      std::free(p);
      return nullptr;
    }
    std::ptrdiff_t seen = peak.load();
    while (now > seen && !peak.compare_exchange_weak(seen, now)) {
    }
  }
  return p;
}

void release(void* p) noexcept {
  if (!p) return;
  live.fetch_sub(static_cast<std::ptrdiff_t>(::malloc_usable_size(p)));
  std::free(p);
}

}  // namespace

AllocationScope::AllocationScope(std::size_t hardLimit) {
  const std::ptrdiff_t base = live.load();
  peak.store(base);
  limit.store(base + static_cast<std::ptrdiff_t>(hardLimit));
  baseline_ = base;
  armed.store(true);
}

AllocationScope::~AllocationScope() { armed.store(false); }

std::size_t AllocationScope::peakBytes() const {
  return static_cast<std::size_t>(std::max<std::ptrdiff_t>(0, peak.load() - baseline_));
}

}  // namespace tamsel::hostile

void* operator new(std::size_t size) {
  if (void* p = tamsel::hostile::allocate(size)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return ::operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return tamsel::hostile::allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return tamsel::hostile::allocate(size); }
void operator delete(void* p) noexcept { tamsel::hostile::release(p); }
void operator delete[](void* p) noexcept { tamsel::hostile::release(p); }
void operator delete(void* p, std::size_t) noexcept { tamsel::hostile::release(p); }
void operator delete[](void* p, std::size_t) noexcept { tamsel::hostile::release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { tamsel::hostile::release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { tamsel::hostile::release(p); }
