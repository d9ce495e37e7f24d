#pragma once

// What a primer's sequence tells at a glance: its length, GC content and
// melting temperature. Only the IUPAC letters count (as cleanSequence keeps
// them); U reads as T and lower case as upper case.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "model/MeltingTemperature.h"

namespace tamsel {

struct PrimerProperties {
  std::size_t length = 0;                // IUPAC letters
  std::optional<ValueRange> gcPercent;   // none without letters; a range for degenerate letters
  TmResult tm;
};

PrimerProperties primerProperties(std::string_view sequence, const TmConditions& conditions = {});

// Texts as tables show them: one decimal, a range as "40.0-60.0"; a Tm that
// was not computed names the reason ("outside 8-60 letters").
std::string gcText(const PrimerProperties& properties);
std::string tmText(const TmResult& tm);

}  // namespace tamsel
