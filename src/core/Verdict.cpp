#include "core/Verdict.h"

#include <cmath>
#include <limits>

#include "core/NumberPresentation.h"

namespace dralun {

Verdict CheckDemand(CSteps& steps, const VerdictTerms& terms, double demand, double limit)
{
    Verdict v;
    v.terms = terms;
    v.demand = demand;
    v.limit = limit;
    const bool carries = std::isfinite(limit) && limit > 0;
    if (carries) {
        steps.Let(terms.demandSymbol, demand);
        steps.Let(terms.limitSymbol, limit);
        const std::string ratio = ShownSymbol(terms.demandSymbol) + " / " + ShownSymbol(terms.limitSymbol);
        v.utilisation = steps.Step("Ausnutzung " + ratio, "eta",
                                   terms.demandSymbol + " / " + terms.limitSymbol + " * 100",
                                   demand / limit * 100, "%");
    } else {
        v.utilisation = std::numeric_limits<double>::quiet_NaN();
    }
    v.met = carries && std::isfinite(demand) && (terms.strict ? demand < limit : demand <= limit);
    return v;
}

const char* VerdictWord(bool met) { return met ? "erfüllt" : "nicht erfüllt"; }

const char* ComparisonSign(const Verdict& v)
{
    if (v.terms.strict)
        return v.demand < v.limit ? "<" : "≥";
    return v.demand <= v.limit ? "≤" : ">";
}

} // namespace dralun
