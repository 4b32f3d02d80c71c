#pragma once
// The verdict of a check as the report and dralun-calc write it: in words
// for a reader, as a tab-separated line and as JSON for a script.
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "core/Verdict.h"

namespace dralun {

// The lines under the heading "Nachweis": the question, the symbols in
// words, the comparison with numbers and units ("Q = 40 l/s ≤ Qv = 97.942
// l/s", ">" where the demand exceeds the limit), the utilisation
// ("Ausnutzung η = 40.8 %"), a line for each criterion chosen beside the
// check and the word for all of them ("erfüllt" / "nicht erfüllt").
std::vector<std::string> VerdictTextLines(const Verdict& verdict);

// The line dralun-calc prints after the fields, tab-separated:
// verdict, word, utilisation in % (%.15g, "-" where there is none), the
// relation in ASCII ("Q <= Qv" or "Q > Qv"), demand, limit (%.15g), unit.
std::string VerdictLine(const Verdict& verdict);

// A criterion in words with its numbers: "η = Q / Qv = 91.4 % > ηmax = 90
// %: nicht erfüllt", "vt = 0.42 m/s < vmin = 0.5 m/s: nicht erfüllt".
std::string CriterionTextLine(const Criterion& criterion);

// The lines dralun-calc prints before the verdict line, one per criterion:
// criterion, word, the relation in ASCII ("eta > eta_max", "vt >= v_min"),
// value ("-" where there is none), limit (%.15g), unit.
std::vector<std::string> CriterionLines(const Verdict& verdict);

// [{text, symbol, limitSymbol, relation, value (null where there is none),
// limit, unit, met, word}]; empty without criteria.
nlohmann::ordered_json CriteriaJsonValue(const Verdict& verdict);

// {question, demand{text,symbol,value}, limit{...}, unit, utilisation (null
// where there is none), met, word}; numbers with 15 significant digits.
nlohmann::ordered_json VerdictJsonValue(const Verdict& verdict);

} // namespace dralun
