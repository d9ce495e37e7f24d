#include <gtest/gtest.h>

#include "import/HeaderWords.h"

namespace tamsel {
namespace {

using Kind = HeaderMeaning::Kind;
using Orientation = HeaderMeaning::Orientation;
using Words = std::vector<std::string>;

TEST(HeaderWords, NormalisingSplitsAtNonLettersAndCaseChanges) {
  const std::pair<std::string, Words> cases[] = {
      {"", {}},
      {"  Sequence  ", {"sequence"}},
      {"5' - Oligo Seq - 3'", {"oligo", "seq"}},
      {"Sequence (5'->3')", {"sequence"}},
      {"Sequence 5\xE2\x80\xB2\xE2\x86\x92"
       "3\xE2\x80\xB2",
       {"sequence"}},  // primes and an arrow
      {"Name_PrimerF", {"name", "primer", "f"}},
      {"fwdSequence", {"fwd", "sequence"}},
      {"primer_id", {"primer", "id"}},
      {"GC%", {"gc"}},
      {"sgRNA", {"sg", "rna"}},
      {"S\xC3\xA9quence", {"sequence"}},   // precomposed é
      {"Se\xCC\x81quence", {"sequence"}},  // e + combining acute
      {"R\xC3\x9C"
       "CKW\xC3\x84RTS",
       {"ruckwarts"}},
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
  const MeaningCase cases[] = {
      // Sequence, in every language of the table.
      {"Sequence", Kind::sequence},
      {"SEQUENCES", Kind::sequence},
      {"Oligo Seq", Kind::sequence},
      {"Primer sequence (5'-3')", Kind::sequence},
      {"sgRNA Sequence (5'-3')", Kind::sequence},
      {"Spacer", Kind::sequence},
      {"Bases", Kind::sequence},
      {"Sequenz", Kind::sequence},
      {"s\xC3\xA9quence", Kind::sequence},
      {"Secuencia", Kind::sequence},
      {"sequenza", Kind::sequence},
      {"Sequ\xC3\xAAncia", Kind::sequence},
      {"\xE5\xBA\x8F\xE5\x88\x97", Kind::sequence},
      {"\xE5\xBC\x95\xE7\x89\xA9\xE5\xBA\x8F\xE5\x88\x97", Kind::sequence},
      {"Sequence with modifications", Kind::sequence, Orientation::none, 2},
      // Name.
      {"Name", Kind::name},
      {"Primer Name", Kind::name},
      {"oligoname", Kind::name},
      {"Oligo_ID", Kind::name},
      {"ID", Kind::name},
      {"Sequence name", Kind::name},
      {"Bezeichnung", Kind::name},
      {"Nom", Kind::name},
      {"nombre", Kind::name},
      {"Nome", Kind::name},
      {"\xE5\x90\x8D\xE7\xA7\xB0", Kind::name},
      {"\xE5\xBC\x95\xE7\x89\xA9\xE5\x90\x8D\xE7\xA7\xB0", Kind::name},
      // The cells decide; what a primer is for.
      {"Primer", Kind::nameOrSequence},
      {"Oligos", Kind::nameOrSequence},
      {"Gene", Kind::purpose},
      {"Target", Kind::purpose},
      {"Gene name", Kind::purpose},
      {"Assay", Kind::purpose},
      // Comment and selected.
      {"Comments", Kind::comment},
      {"Notes", Kind::comment},
      {"Description", Kind::comment},
      {"Bemerkung", Kind::comment},
      {"Commentaire", Kind::comment},
      {"Comentario", Kind::comment},
      {"\xE5\xA4\x87\xE6\xB3\xA8", Kind::comment},
      {"Primer description", Kind::comment},
      {"Selected", Kind::selected},
      {"Ausgew\xC3\xA4hlt", Kind::selected},
      // Strands.
      {"Forward", Kind::sequence, Orientation::forward},
      {"F", Kind::sequence, Orientation::forward},
      {"Reverse primer", Kind::nameOrSequence, Orientation::reverse},
      {"left_oligo", Kind::nameOrSequence, Orientation::forward},
      {"fwd_sequence", Kind::sequence, Orientation::forward},
      {"rev_name", Kind::name, Orientation::reverse},
      {"Name R", Kind::name, Orientation::reverse},
      {"Antisense", Kind::sequence, Orientation::reverse},
      {"\xE6\xAD\xA3\xE5\x90\x91\xE5\xBC\x95\xE7\x89\xA9", Kind::nameOrSequence, Orientation::forward},
      {"Name (F/R)", Kind::name},
      // Not a primer column.
      {"F/R", Kind::none},
      {"Tm (F)", Kind::none, Orientation::none, 1},
      {"Strand", Kind::none},
      {"Reverse complement", Kind::none},
      {"Amplicon sequence", Kind::none},
      {"Length", Kind::none},
      {"Orientation", Kind::none, Orientation::none, 1},
      {"No.", Kind::none, Orientation::none, 1},
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
