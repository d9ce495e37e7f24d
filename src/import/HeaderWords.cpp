#include "import/HeaderWords.h"

#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/uscript.h>

#include <algorithm>
#include <array>
#include <unordered_map>

#include "model/Unicode.h"

namespace tamsel {
namespace {

enum class Term { sequence, name, nameOrSequence, purpose, comment, selected, forward, reverse, other };

struct TableWord {
  Term term;
  std::string_view text;  // normalised by headerWords before use
};

// The header words of every role, in English, German, French, Spanish,
// Italian, Portuguese and Chinese. Accents need not be written (they are
// removed before comparing), and a phrase matches the same words in a cell
// ("oligo name" matches "Oligo_Name" and "OligoName"). Add a word here and
// every reader with cells knows it.
constexpr TableWord kTable[] = {
    // Sequence.
    {Term::sequence, "sequence"},
    {Term::sequence, "sequences"},
    {Term::sequence, "seq"},
    {Term::sequence, "seqs"},
    {Term::sequence, "oligo sequence"},
    {Term::sequence, "primer sequence"},
    {Term::sequence, "nucleotide sequence"},
    {Term::sequence, "bases"},
    {Term::sequence, "oligonucleotide"},
    {Term::sequence, "sgRNA"},
    {Term::sequence, "gRNA"},
    {Term::sequence, "crRNA"},
    {Term::sequence, "spacer"},
    {Term::sequence, "protospacer"},
    {Term::sequence, "guide"},
    {Term::sequence, "probe sequence"},
    {Term::sequence, "Sequenz"},
    {Term::sequence, "Sequenzen"},
    {Term::sequence, "Primersequenz"},
    {Term::sequence, "Oligosequenz"},
    {Term::sequence, "Basenfolge"},
    {Term::sequence, "secuencia"},
    {Term::sequence, "secuencias"},
    {Term::sequence, "sequenza"},
    {Term::sequence, "sequenze"},
    {Term::sequence, "sequência"},
    {Term::sequence, "sequências"},
    {Term::sequence, "序列"},
    {Term::sequence, "碱基"},
    // Name.
    {Term::name, "name"},
    {Term::name, "names"},
    {Term::name, "primer name"},
    {Term::name, "oligo name"},
    {Term::name, "sequence name"},
    {Term::name, "sequence id"},
    {Term::name, "seq name"},
    {Term::name, "seq id"},
    {Term::name, "primer id"},
    {Term::name, "oligo id"},
    {Term::name, "id"},
    {Term::name, "code"},
    {Term::name, "label"},
    {Term::name, "identifier"},
    {Term::name, "oligoname"},
    {Term::name, "primername"},
    {Term::name, "primerid"},
    {Term::name, "oligoid"},
    {Term::name, "seqname"},
    {Term::name, "Bezeichnung"},
    {Term::name, "Primerbezeichnung"},
    {Term::name, "nom"},
    {Term::name, "identifiant"},
    {Term::name, "nombre"},
    {Term::name, "nome"},
    {Term::name, "名称"},
    {Term::name, "名字"},
    {Term::name, "编号"},
    // Either a name or a sequence, as the column's cells show.
    {Term::nameOrSequence, "primer"},
    {Term::nameOrSequence, "primers"},
    {Term::nameOrSequence, "oligo"},
    {Term::nameOrSequence, "oligos"},
    {Term::nameOrSequence, "amorce"},
    {Term::nameOrSequence, "amorces"},
    {Term::nameOrSequence, "cebador"},
    {Term::nameOrSequence, "cebadores"},
    {Term::nameOrSequence, "iniciador"},
    {Term::nameOrSequence, "iniciadores"},
    {Term::nameOrSequence, "引物"},
    // What a primer is for.
    {Term::purpose, "gene"},
    {Term::purpose, "genes"},
    {Term::purpose, "target"},
    {Term::purpose, "region"},
    {Term::purpose, "amplicon"},
    {Term::purpose, "locus"},
    {Term::purpose, "assay"},
    {Term::purpose, "Zielgen"},
    {Term::purpose, "cible"},
    {Term::purpose, "gen"},
    {Term::purpose, "diana"},
    {Term::purpose, "alvo"},
    {Term::purpose, "基因"},
    {Term::purpose, "靶标"},
    // Comment.
    {Term::comment, "comment"},
    {Term::comment, "comments"},
    {Term::comment, "note"},
    {Term::comment, "notes"},
    {Term::comment, "description"},
    {Term::comment, "remark"},
    {Term::comment, "remarks"},
    {Term::comment, "info"},
    {Term::comment, "infos"},
    {Term::comment, "information"},
    {Term::comment, "purpose"},
    {Term::comment, "Bemerkung"},
    {Term::comment, "Bemerkungen"},
    {Term::comment, "Kommentar"},
    {Term::comment, "Anmerkung"},
    {Term::comment, "Beschreibung"},
    {Term::comment, "commentaire"},
    {Term::comment, "commentaires"},
    {Term::comment, "remarque"},
    {Term::comment, "comentario"},
    {Term::comment, "comentarios"},
    {Term::comment, "observaciones"},
    {Term::comment, "descripción"},
    {Term::comment, "commento"},
    {Term::comment, "descrizione"},
    {Term::comment, "observação"},
    {Term::comment, "observações"},
    {Term::comment, "descrição"},
    {Term::comment, "备注"},
    {Term::comment, "注释"},
    {Term::comment, "说明"},
    // Selected.
    {Term::selected, "selected"},
    {Term::selected, "ausgewählt"},
    {Term::selected, "sélectionné"},
    {Term::selected, "seleccionado"},
    {Term::selected, "selezionato"},
    {Term::selected, "selecionado"},
    {Term::selected, "选中"},
    // Strand of a primer.
    {Term::forward, "forward"},
    {Term::forward, "fwd"},
    {Term::forward, "fw"},
    {Term::forward, "f"},
    {Term::forward, "left"},
    {Term::forward, "sense"},
    {Term::forward, "vorwärts"},
    {Term::forward, "sens"},
    {Term::forward, "directo"},
    {Term::forward, "diretto"},
    {Term::forward, "direto"},
    {Term::forward, "正向"},
    {Term::forward, "上游"},
    {Term::reverse, "reverse"},
    {Term::reverse, "rev"},
    {Term::reverse, "rv"},
    {Term::reverse, "r"},
    {Term::reverse, "right"},
    {Term::reverse, "antisense"},
    {Term::reverse, "rückwärts"},
    {Term::reverse, "antisens"},
    {Term::reverse, "inverso"},
    {Term::reverse, "reverso"},
    {Term::reverse, "antisentido"},
    {Term::reverse, "antisenso"},
    {Term::reverse, "反向"},
    {Term::reverse, "下游"},
    // Columns that hold something else, though their words look like a role's.
    {Term::other, "strand"},
    {Term::other, "complement"},
    {Term::other, "length"},
    {Term::other, "amplicon sequence"},
    {Term::other, "template sequence"},
    {Term::other, "product sequence"},
    {Term::other, "amplicon size"},
    {Term::other, "product size"},
    {Term::other, "Strang"},
    {Term::other, "brin"},
    {Term::other, "hebra"},
    {Term::other, "filamento"},
};

bool isHan(UChar32 c) {
  UErrorCode status = U_ZERO_ERROR;
  return uscript_getScript(c, &status) == USCRIPT_HAN;
}

class WordSplitter {
 public:
  std::vector<std::string> words;

  void letter(UChar32 c) {
    bool upper = u_isupper(c);
    if (isHan(c) || (upper && previousLower_)) end();
    unicode::appendUTF8(current_, static_cast<char32_t>(u_tolower(c)));
    previousLower_ = u_islower(c);
    if (isHan(c)) end();
  }
  void separator() { end(); }
  void end() {
    if (!current_.empty()) words.push_back(std::move(current_));
    current_.clear();
    previousLower_ = false;
  }

 private:
  std::string current_;
  bool previousLower_ = false;
};

// One normalised phrase of the table.
struct Phrase {
  std::vector<std::string> words;
  Term term;
};

// The table's phrases by their first word, longest first, built once.
const std::unordered_map<std::string, std::vector<Phrase>>& phrasesByFirstWord() {
  static const std::unordered_map<std::string, std::vector<Phrase>> table = [] {
    std::unordered_map<std::string, std::vector<Phrase>> byWord;
    for (const TableWord& entry : kTable) {
      std::vector<std::string> words = headerWords(entry.text);
      if (words.empty()) continue;
      std::string first = words.front();
      byWord[first].push_back({std::move(words), entry.term});
    }
    for (auto& [word, phrases] : byWord) {
      std::stable_sort(phrases.begin(), phrases.end(),
                       [](const Phrase& a, const Phrase& b) { return a.words.size() > b.words.size(); });
    }
    return byWord;
  }();
  return table;
}

// Longer cells are sentences or data, never a header.
constexpr std::size_t kMaxHeaderBytes = 200;

}  // namespace

std::vector<std::string> headerWords(std::string_view cell) {
  UErrorCode status = U_ZERO_ERROR;
  const icu::Normalizer2* nfd = icu::Normalizer2::getNFDInstance(status);
  icu::UnicodeString text =
      icu::UnicodeString::fromUTF8(icu::StringPiece(cell.data(), static_cast<int32_t>(cell.size())));
  if (nfd != nullptr && U_SUCCESS(status)) {
    icu::UnicodeString decomposed = nfd->normalize(text, status);
    if (U_SUCCESS(status)) text = decomposed;
  }
  WordSplitter splitter;
  for (int32_t i = 0; i < text.length(); i = text.moveIndex32(i, 1)) {
    UChar32 c = text.char32At(i);
    if (u_charType(c) == U_NON_SPACING_MARK) continue;  // the accents of "séquence"
    if (u_isalpha(c)) {
      splitter.letter(c);
    } else {
      splitter.separator();
    }
  }
  splitter.end();
  return std::move(splitter.words);
}

HeaderMeaning headerMeaning(std::string_view cell) {
  using Kind = HeaderMeaning::Kind;
  HeaderMeaning meaning;
  if (cell.size() > kMaxHeaderBytes) return meaning;
  const std::vector<std::string> words = headerWords(cell);
  if (words.empty()) return meaning;

  std::array<bool, 9> has{};
  const auto& phrases = phrasesByFirstWord();
  for (std::size_t i = 0; i < words.size();) {
    const Phrase* match = nullptr;
    if (auto found = phrases.find(words[i]); found != phrases.end()) {
      for (const Phrase& phrase : found->second) {
        if (phrase.words.size() <= words.size() - i &&
            std::equal(phrase.words.begin(), phrase.words.end(), words.begin() + static_cast<std::ptrdiff_t>(i))) {
          match = &phrase;
          break;
        }
      }
    }
    if (match == nullptr) {
      ++meaning.unknownWords;
      ++i;
      continue;
    }
    has[static_cast<std::size_t>(match->term)] = true;
    i += match->words.size();
  }
  auto found = [&](Term term) { return has[static_cast<std::size_t>(term)]; };
  meaning.onlyKnownWords = meaning.unknownWords == 0;

  const bool forward = found(Term::forward) && !found(Term::reverse);
  const bool reverse = found(Term::reverse) && !found(Term::forward);
  const bool sequence = found(Term::sequence), name = found(Term::name);
  if (found(Term::other)) {
    meaning.kind = Kind::none;
  } else if (found(Term::comment)) {
    meaning.kind = Kind::comment;
  } else if (sequence && name) {
    meaning.kind = Kind::nameOrSequence;
  } else if (sequence) {
    meaning.kind = Kind::sequence;
  } else if (name) {
    // "Gene name" names the gene, not the primer.
    meaning.kind = found(Term::purpose) ? Kind::purpose : Kind::name;
  } else if (found(Term::nameOrSequence)) {
    meaning.kind = Kind::nameOrSequence;
  } else if (found(Term::purpose)) {
    meaning.kind = Kind::purpose;
  } else if (found(Term::selected)) {
    meaning.kind = Kind::selected;
  } else if ((forward || reverse) && meaning.unknownWords == 0) {
    meaning.kind = Kind::sequence;  // "Forward", "F", "Rev"
    meaning.onlyStrandWords = true;
  }
  if (meaning.kind == Kind::sequence || meaning.kind == Kind::name || meaning.kind == Kind::nameOrSequence) {
    if (forward) meaning.orientation = HeaderMeaning::Orientation::forward;
    if (reverse) meaning.orientation = HeaderMeaning::Orientation::reverse;
  }
  return meaning;
}

}  // namespace tamsel
