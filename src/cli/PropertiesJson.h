#pragma once

// The JSON of primer properties and list findings: the Tm method and
// conditions once, then one object per primer or finding.

#include <nlohmann/json.hpp>

#include <string_view>

#include "model/ListChecks.h"
#include "model/PrimerProperties.h"

namespace tamsel::cli {

// {"tmMethod":S,"divalentConversion":S,"conditions":{"monovalentMilliMolar":N,...}}
nlohmann::ordered_json tmMethodJson(const TmConditions& conditions);

// {"length":N,"gcPercent":{"min":N,"max":N}|null,"tm":{"min":N,"max":N}|null[,"tmNotComputed":S]}
nlohmann::ordered_json propertiesJson(const PrimerProperties& properties);

// {"file":S,"row":N,"kind":S,"message":S[,"otherRow":N]}, rows from 1
nlohmann::ordered_json findingJson(std::string_view file, const ListFinding& finding);

}  // namespace tamsel::cli
