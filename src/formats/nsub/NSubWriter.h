#pragma once

// Writes a primer list as a Helmvard primer file (.nsub): the header, then one
// record per primer with its name, settings, selected flag, cleaned sequence,
// base codes, end-match mask and comment.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/ByteSink.h"
#include "model/PrimerList.h"

namespace tamsel {

class NSubWriter {
 public:
  // Writes the whole file to `out`. A text over the format's limits is cut
  // to fit, so the result is always well formed; use writeChecked to refuse
  // such a list.
  static void write(const PrimerList& primers, std::uint8_t defaultMismatches, std::uint8_t endMatches,
                    ByteSink& out);
  // The whole file's bytes.
  static Bytes write(const PrimerList& primers, std::uint8_t defaultMismatches, std::uint8_t endMatches);

  // Writes the whole file, or gives the reason the list cannot be stored
  // before writing anything: a setting outside 0 to 255, or a primer whose
  // sequence or comment has more than 65535 bytes of UTF-8, named by its row
  // number (from 1) and name.
  static std::optional<std::string> writeChecked(const PrimerList& primers, const ListSettings& settings,
                                                 ByteSink& out);

  // The reason of writeChecked, or nothing when every primer fits.
  static std::optional<std::string> findUnstorablePrimer(const PrimerList& primers);

  // The sequence with every character (user-perceived) outside the IUPAC
  // letters replaced by "N": one ASCII byte per character.
  static std::string sanitizedSequence(std::string_view sequence);

  // The 4-bit nucleotide set of a letter (A=1, C=2, G=4, T=U=8, ambiguity
  // codes their sums), either case; 0 for any other character.
  static std::uint8_t baseCode(char letter);

  // The longest prefix of `name` of at most 127 bytes that ends between two
  // characters, so a multi-byte character is never cut in half.
  static std::string_view storedName(std::string_view name);
};

}  // namespace tamsel
