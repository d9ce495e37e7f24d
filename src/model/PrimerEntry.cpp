#include "model/PrimerEntry.h"

#include <random>

namespace tamsel {
namespace {

// splitmix64: fast, and seeded once per thread from the system's entropy.
std::uint64_t nextRandom() {
  thread_local std::uint64_t state = [] {
    std::random_device device;
    return (std::uint64_t{device()} << 32) ^ device();
  }();
  std::uint64_t z = (state += 0x9e3779b97f4a7c15ULL);
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
  return z ^ (z >> 31);
}

}  // namespace

PrimerID PrimerID::random() {
  PrimerID id;
  for (int half = 0; half < 2; ++half) {
    std::uint64_t bits = nextRandom();
    for (int i = 0; i < 8; ++i) id.bytes[half * 8 + i] = static_cast<std::uint8_t>(bits >> (8 * i));
  }
  id.bytes[6] = static_cast<std::uint8_t>((id.bytes[6] & 0x0F) | 0x40);  // version 4
  id.bytes[8] = static_cast<std::uint8_t>((id.bytes[8] & 0x3F) | 0x80);  // RFC 4122 variant
  return id;
}

}  // namespace tamsel
