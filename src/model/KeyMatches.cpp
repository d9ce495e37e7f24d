#include "model/KeyMatches.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>

namespace tamsel {
namespace {

using Hashed = std::pair<std::size_t, std::size_t>;  // hash, position

std::vector<Hashed> sortedHashes(std::span<const std::string_view> texts) {
  std::vector<Hashed> hashed;
  hashed.reserve(texts.size());
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (!texts[i].empty()) hashed.emplace_back(std::hash<std::string_view>{}(texts[i]), i);
  }
  std::ranges::sort(hashed);
  return hashed;
}

}  // namespace

std::vector<std::size_t> firstMatches(std::span<const std::string_view> keys,
                                      std::span<const std::string_view> probes) {
  const std::vector<Hashed> sortedKeys = sortedHashes(keys);
  std::vector<std::size_t> matches(probes.size(), std::string_view::npos);
  std::size_t run = 0;  // the first key with the probe's hash or a larger one
  for (const auto& [hash, probe] : sortedHashes(probes)) {
    while (run < sortedKeys.size() && sortedKeys[run].first < hash) ++run;
    // Within one hash, keys are in position order: the first equal one wins.
    for (std::size_t k = run; k < sortedKeys.size() && sortedKeys[k].first == hash; ++k) {
      if (keys[sortedKeys[k].second] == probes[probe]) {
        matches[probe] = sortedKeys[k].second;
        break;
      }
    }
  }
  return matches;
}

}  // namespace tamsel
