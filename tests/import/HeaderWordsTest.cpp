#include <gtest/gtest.h>

#include "import/HeaderWords.h"

namespace tamsel {
namespace {

using Kind = HeaderMeaning::Kind;
using Orientation = HeaderMeaning::Orientation;
using Words = std::vector<std::string>;

TEST(HeaderWords, NormalisingSplitsAtNonLettersAndCaseChanges) {
  const std::pair<std::string, Words> cases[] = {
      {"", {}}, {"  Sequence  ", {"sequence"}}, {"5' - Oligo Seq - 3'", {"oligo", "seq"}},
      {"Sequence (5'->3')", {"sequence"}},
      {"Sequence 5\xE2\x80\xB2\xE2\x86\x92" "3\xE2\x80\xB2", {"sequence"}},  // primes and an arrow
      {"Name_PrimerF", {"name", "primer", "f"}}, {"fwdSequence", {"fwd", "sequence"}}, {"primer_id", {"primer", "id"}},
      {"GC%", {"gc"}}, {"sgRNA", {"sg", "rna"}},
      {"S\xC3\xA9quence", {"sequence"}},   // precomposed é
      {"Se\xCC\x81quence", {"sequence"}},  // e + combining acute
      {"R\xC3\x9C" "CKW\xC3\x84RTS", {"ruckwarts"}},
      {"\xE5\xBC\x95\xE7\x89\xA9\xE5\xBA\x8F\xE5\x88\x97",
       {"\xE5\xBC\x95", "\xE7\x89\xA9", "\xE5\xBA\x8F", "\xE5\x88\x97"}},
  };
  for (const auto& [cell, words] : cases) EXPECT_EQ(headerWords(cell), words) << cell;
}

struct MeaningCase {
  const char* cell;
  Kind kind;
  Orientation orientation = Orientation::none;
  std::size_t unknownWords = 0;
};

TEST(HeaderWords, RoleTable) {
  constexpr Kind S = Kind::sequence, N = Kind::name, C = Kind::comment, E = Kind::nameOrSequence;
  constexpr Orientation F = Orientation::forward, R = Orientation::reverse, O = Orientation::none;
  const MeaningCase cases[] = {
      // Sequence, in every language of the table.
      {"Sequence", S}, {"SEQUENCES", S}, {"Oligo Seq", S}, {"Primer sequence (5'-3')", S},
      {"sgRNA Sequence (5'-3')", S}, {"Spacer", S}, {"Bases", S}, {"Sequenz", S}, {"s\xC3\xA9quence", S},
      {"Secuencia", S}, {"sequenza", S}, {"Sequ\xC3\xAAncia", S}, {"\xE5\xBA\x8F\xE5\x88\x97", S},
      {"\xE5\xBC\x95\xE7\x89\xA9\xE5\xBA\x8F\xE5\x88\x97", S}, {"Sequence with modifications", S, O, 2},
      // Name.
      {"Name", N}, {"Primer Name", N}, {"oligoname", N}, {"Oligo_ID", N}, {"ID", N}, {"Sequence name", N},
      {"Bezeichnung", N}, {"Nom", N}, {"nombre", N}, {"Nome", N}, {"\xE5\x90\x8D\xE7\xA7\xB0", N},
      {"\xE5\xBC\x95\xE7\x89\xA9\xE5\x90\x8D\xE7\xA7\xB0", N},
      // The cells decide; what a primer is for.
      {"Primer", E}, {"Oligos", E}, {"Gene", Kind::purpose}, {"Target", Kind::purpose},
      {"Gene name", Kind::purpose}, {"Assay", Kind::purpose},
      // Comment and selected.
      {"Comments", C}, {"Notes", C}, {"Description", C}, {"Bemerkung", C}, {"Commentaire", C}, {"Comentario", C},
      {"\xE5\xA4\x87\xE6\xB3\xA8", C}, {"Primer description", C}, {"Selected", Kind::selected},
      {"Ausgew\xC3\xA4hlt", Kind::selected},
      // Strands.
      {"Forward", S, F}, {"F", S, F}, {"Reverse primer", E, R}, {"left_oligo", E, F}, {"fwd_sequence", S, F},
      {"rev_name", N, R}, {"Name R", N, R}, {"Antisense", S, R},
      {"\xE6\xAD\xA3\xE5\x90\x91\xE5\xBC\x95\xE7\x89\xA9", E, F},
      {"Name (F/R)", N},
      // Not a primer column.
      {"F/R", Kind::none}, {"Tm (F)", Kind::none, O, 1}, {"Strand", Kind::none}, {"Reverse complement", Kind::none},
      {"Amplicon sequence", Kind::none}, {"Length", Kind::none}, {"Orientation", Kind::none, O, 1},
      {"No.", Kind::none, O, 1},
  };
  for (const MeaningCase& c : cases) {
    const HeaderMeaning meaning = headerMeaning(c.cell);
    EXPECT_EQ(meaning.kind, c.kind) << c.cell;
    EXPECT_EQ(meaning.orientation, c.orientation) << c.cell;
    EXPECT_EQ(meaning.unknownWords, c.unknownWords) << c.cell;
  }
  EXPECT_TRUE(headerMeaning("Strand").onlyKnownWords);
  EXPECT_FALSE(headerMeaning("Primers used in this study").onlyKnownWords);
}

}  // namespace
}  // namespace tamsel
