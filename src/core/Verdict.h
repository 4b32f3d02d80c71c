#pragma once
// The verdict of a verification ("Nachweis"): the quantity a design asks
// for (a discharge, a volume, a spacing) against what the design can give
// (the capacity, the volume available, the spacing allowed). The check is
// fulfilled when the demand does not exceed the capacity (a strict check:
// when it stays below it); the utilisation is the demand as a percentage of
// the capacity. A capacity of zero or
// below carries nothing: such a check is not fulfilled and has no
// utilisation.
#include <string>

#include "core/CalcSteps.h"

namespace dralun {

struct VerdictTerms {
    std::string question; // what the form checks: "Leistungsfähigkeit der Haltung"
    std::string demandText;  // "Abfluss"
    std::string demandSymbol; // "Q"
    std::string limitText;   // "Leistungsfähigkeit bei Vollfüllung"
    std::string limitSymbol; // "Qv"
    std::string unit;        // of both, "l/s"
    // The check demands less than the limit (qtmin < qT), not at most.
    bool strict = false;
};

struct Verdict {
    VerdictTerms terms;
    double demand = 0;
    double limit = 0;
    double utilisation = 0; // per cent; NaN when the capacity is zero or below
    bool met = false;
};

// Decides the check and records the utilisation as the computation's last
// step ("Ausnutzung", symbol "eta", in %), so the report shows its formula
// and numbers like every other step.
Verdict CheckDemand(CSteps& steps, const VerdictTerms& terms, double demand, double limit);

// The sign between demand and limit as the check found them: "≤" or ">",
// for a strict check "<" or "≥".
const char* ComparisonSign(const Verdict& v);

// The comparison the check makes, for a column head: "≤", a strict one "<".
inline const char* CheckSign(const VerdictTerms& terms) { return terms.strict ? "<" : "≤"; }

// "erfüllt" / "nicht erfüllt".
const char* VerdictWord(bool met);

} // namespace dralun
