#include "core/Verdict.h"

#include <cmath>
#include <limits>

#include "core/Format.h"
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

void AddCriterion(CSteps& steps, Verdict& verdict, Criterion c)
{
    const bool known = std::isfinite(c.value) && std::isfinite(c.limit);
    c.met = known && (c.atLeast ? c.value >= c.limit : c.value <= c.limit);
    if (known) {
        steps.Let(c.limitSymbol, c.limit);
        const std::string unit = c.unit.empty() || c.unit == "-" ? "" : " " + c.unit;
        steps.Step("Kriterium " + c.text + ": " + ShownSymbol(c.symbol) + " " + (c.atLeast ? "≥ " : "≤ ") +
                       ShownSymbol(c.limitSymbol) + " = " + FormatG15(c.limit) + unit + ", " + VerdictWord(c.met),
                   c.symbol, c.formula, c.value, c.unit);
    }
    verdict.met = verdict.met && c.met;
    verdict.criteria.push_back(std::move(c));
}

const char* CriterionSign(const Criterion& c)
{
    if (c.atLeast)
        return c.value >= c.limit ? "≥" : "<";
    return c.value <= c.limit ? "≤" : ">";
}

const char* VerdictWord(bool met) { return met ? "erfüllt" : "nicht erfüllt"; }

const char* ComparisonSign(const Verdict& v)
{
    if (v.terms.strict)
        return v.demand < v.limit ? "<" : "≥";
    return v.demand <= v.limit ? "≤" : ">";
}

} // namespace dralun
