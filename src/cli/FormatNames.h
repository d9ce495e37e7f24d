#pragma once

// The format names tamsel-cli accepts after --from and --to: the extensions
// (without the dot) that choose a reader or a writer.

#include <string>
#include <string_view>
#include <vector>

namespace tamsel::cli {

const std::vector<std::string>& readFormatNames();
const std::vector<std::string>& writeFormatNames();

// Formats that are not text, which a terminal would show as garbage.
bool isBinaryFormat(std::string_view name);

// "a, b, c"
std::string joined(const std::vector<std::string>& names, std::string_view separator = ", ");

}  // namespace tamsel::cli
