#pragma once

// The characters XML 1.0 allows, and character references, for the tokenizer.

#include <cstddef>
#include <optional>
#include <string_view>

namespace tamsel::xml {

// The offset of the first byte that does not start a valid UTF-8 sequence of
// an XML character (tab, line feed, carriage return, U+0020 to U+D7FF,
// U+E000 to U+FFFD, U+10000 up); the size when there is none.
std::size_t firstNonXMLCharacter(std::string_view text);

// The character of a reference's name between "&" and ";": "#65" or "#x41".
// Nothing when it is malformed or not an XML character.
std::optional<char32_t> characterReference(std::string_view name);

}  // namespace tamsel::xml
