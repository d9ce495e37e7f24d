#pragma once

// Marks, per character of a sequence, the bases that must match: "X" for a
// base that must, a space for one that need not. By default the last
// `endMatches` characters; mixed letter case overrides that.

#include <string>
#include <string_view>

namespace tamsel {

std::string endMatchMask(std::string_view sequence, int endMatches);

}  // namespace tamsel
