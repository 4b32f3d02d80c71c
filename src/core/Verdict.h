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
#include <vector>

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

// A further criterion the engineer chose beside the check: a value of the
// result that must stay within a limit (the utilisation at most eta_max) or
// reach it (the part-filling velocity at least v_min).
struct Criterion {
    std::string text;        // "Ausnutzung"
    std::string symbol;      // of the value: "eta"
    std::string formula;     // in symbols, as the steps evaluate it: "Q / Qv * 100"
    std::string shown;       // the formula as the verdict writes it ("Q / Qv"); "" for a result itself
    std::string limitSymbol; // the short name of the limit's field: "eta_max"
    std::string unit;        // of both: "%"
    double value = 0;        // NaN where the result has none (no part filling)
    double limit = 0;
    bool atLeast = false; // the value must reach the limit, not stay within it
    bool met = false;
};

struct Verdict {
    VerdictTerms terms;
    double demand = 0;
    double limit = 0;
    double utilisation = 0; // per cent; NaN when the capacity is zero or below
    bool met = false;       // the check and every criterion
    std::vector<Criterion> criteria;
};

// Decides the check and records the utilisation as the computation's last
// step ("Ausnutzung", symbol "eta", in %), so the report shows its formula
// and numbers like every other step.
Verdict CheckDemand(CSteps& steps, const VerdictTerms& terms, double demand, double limit);

// Decides a criterion from its value and limit, records it as a step of
// its own (its formula, the numbers put in, the value; the text names the
// limit and the outcome) and adds it to the verdict, which is then met only
// when the check and all its criteria are. A value that is not a number
// meets no criterion and records no step.
void AddCriterion(CSteps& steps, Verdict& verdict, Criterion criterion);

// The sign between a criterion's value and its limit as found: "≤" or ">",
// for a least value "≥" or "<".
const char* CriterionSign(const Criterion& c);

// The sign between demand and limit as the check found them: "≤" or ">",
// for a strict check "<" or "≥".
const char* ComparisonSign(const Verdict& v);

// The comparison the check makes, for a column head: "≤", a strict one "<".
inline const char* CheckSign(const VerdictTerms& terms) { return terms.strict ? "<" : "≤"; }

// "erfüllt" / "nicht erfüllt".
const char* VerdictWord(bool met);

} // namespace dralun
