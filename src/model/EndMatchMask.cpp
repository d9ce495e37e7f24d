#include "model/EndMatchMask.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "model/Unicode.h"

namespace tamsel {
namespace {

constexpr std::uint8_t kUpper = 1;
constexpr std::uint8_t kLower = 2;

// The letter case of each user-perceived character, as kUpper | kLower bits.
std::vector<std::uint8_t> letterCases(std::string_view sequence) {
  std::vector<std::uint8_t> cases;
  if (unicode::isOneBytePerCharacter(sequence)) {
    cases.reserve(sequence.size());
    for (char c : sequence) {
      cases.push_back(c >= 'A' && c <= 'Z' ? kUpper : c >= 'a' && c <= 'z' ? kLower : 0);
    }
    return cases;
  }
  for (const unicode::ByteRange& range : unicode::graphemeRanges(sequence)) {
    unicode::LetterCase letterCase = unicode::letterCase(sequence.substr(range.begin, range.end - range.begin));
    cases.push_back(static_cast<std::uint8_t>((letterCase.upper ? kUpper : 0) | (letterCase.lower ? kLower : 0)));
  }
  return cases;
}

std::string endMask(std::size_t length, int endMatches) {
  std::size_t marked = std::min<std::size_t>(static_cast<std::size_t>(std::max(endMatches, 0)), length);
  std::string mask(length - marked, ' ');
  mask.append(marked, 'X');
  return mask;
}

}  // namespace

std::string endMatchMask(std::string_view sequence, int endMatches) {
  const std::vector<std::uint8_t> cases = letterCases(sequence);
  const std::size_t upperCount = std::count_if(cases.begin(), cases.end(), [](auto c) { return c & kUpper; });
  const std::size_t lowerCount = std::count_if(cases.begin(), cases.end(), [](auto c) { return c & kLower; });
  if (upperCount == 0 || lowerCount == 0) return endMask(cases.size(), endMatches);

  // An upper-case run that reaches the end marks the 3' end in the usual way;
  // whatever comes before it (a lower-case tail, digits) does not matter.
  auto firstUpper = std::find_if(cases.begin(), cases.end(), [](auto c) { return c & kUpper; });
  if (std::all_of(firstUpper, cases.end(), [](auto c) { return c & kUpper; })) {
    return endMask(cases.size(), endMatches);
  }

  // Otherwise the characters of the more frequent case are marked; a tie
  // marks the upper-case ones.
  const std::uint8_t markedCase = lowerCount > upperCount ? kLower : kUpper;
  std::string mask;
  mask.reserve(cases.size());
  for (std::uint8_t c : cases) mask.push_back(c & markedCase ? 'X' : ' ');
  return mask;
}

}  // namespace tamsel
