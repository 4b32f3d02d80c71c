#include "core/PipeRunCriteria.h"

#include <limits>

namespace dralun {

void CheckPipeRunCriteria(Verdict& verdict, const PipeRunCriteria& criteria, const PipeReachResult& reach,
                          CSteps& steps)
{
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    // Overloaded, the reach shows 0 for vt and DrH: no part filling to judge.
    const bool partFull = reach.status == PipeReachStatus::Carried;
    if (criteria.etaMax < 100)
        AddCriterion(steps, verdict,
                     {"Ausnutzung", "eta", verdict.terms.demandSymbol + " / " + verdict.terms.limitSymbol + " * 100",
                      verdict.terms.demandSymbol + " / " + verdict.terms.limitSymbol, "eta_max", "%",
                      verdict.utilisation, criteria.etaMax});
    if (criteria.vMin > 0)
        AddCriterion(steps, verdict,
                     {"Fließgeschwindigkeit bei Teilfüllung (Selbstreinigung)", "vt", "vt", "", "v_min", "m/s",
                      partFull ? reach.vt : kNaN, criteria.vMin, true});
    if (criteria.hdMax > 0)
        AddCriterion(steps, verdict,
                     {"Füllungsgrad", "hd", "DrH / D", "DrH / D", "hd_max", "-",
                      partFull && reach.D > 0 ? reach.DrH / reach.D : kNaN, criteria.hdMax});
}

} // namespace dralun
