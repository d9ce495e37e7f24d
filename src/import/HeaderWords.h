#pragma once

// What a header cell says about its column. The words of every role live in
// one table (HeaderWords.cpp); a cell is compared word by word after
// normalising, so "Primer Name", "primer_name" and "PrimerName" read alike.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tamsel {

// The words of a header cell as they are compared: accents removed and
// lower-cased; split at every character that is not a letter (so "5'-3'",
// arrows, brackets and underscores drop out) and where a lower-case letter is
// followed by an upper-case one ("fwdSequence", "Name_PrimerF"); each Han
// character is a word of its own, so that "引物序列" is "引物" + "序列".
std::vector<std::string> headerWords(std::string_view cell);

struct HeaderMeaning {
  enum class Kind {
    none,
    selected,
    name,
    sequence,
    nameOrSequence,  // "primer", "oligo": the column's cells decide
    purpose,         // "gene", "target": the name when no column is named so, else a comment
    comment,
  };
  enum class Orientation { none, forward, reverse };

  Kind kind = Kind::none;
  Orientation orientation = Orientation::none;
  // Words that are not in the table: 0 for an exact header such as "Oligo Name".
  std::size_t unknownWords = 0;
  // Every word is in the table ("Strand" and "sgRNA" too): such a cell is a
  // header word even where its letters would pass for a sequence.
  bool onlyKnownWords = false;
  // Only strand words ("F", "Reverse"): a sequence column, but one letter is
  // too weak a sign of a header on its own.
  bool onlyStrandWords = false;

  friend bool operator==(const HeaderMeaning&, const HeaderMeaning&) = default;
};

HeaderMeaning headerMeaning(std::string_view cell);

}  // namespace tamsel
