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
// ("Ausnutzung η = 40.8 %") and the word ("erfüllt" / "nicht erfüllt").
std::vector<std::string> VerdictTextLines(const Verdict& verdict);

// The line dralun-calc prints after the fields, tab-separated:
// verdict, word, utilisation in % (%.15g, "-" where there is none), the
// relation in ASCII ("Q <= Qv" or "Q > Qv"), demand, limit (%.15g), unit.
std::string VerdictLine(const Verdict& verdict);

// {question, demand{text,symbol,value}, limit{...}, unit, utilisation (null
// where there is none), met, word}; numbers with 15 significant digits.
nlohmann::ordered_json VerdictJsonValue(const Verdict& verdict);

} // namespace dralun
