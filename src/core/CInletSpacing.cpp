#include "core/CInletSpacing.h"

namespace dralun {

InletSpacingResult ComputeInletSpacing(const InletSpacingInput& in, const CInletTables& tables, CSteps& steps)
{
    InletSpacingResult r;
    steps.Let("gamma", in.gamma);
    steps.Let("q", in.q);
    r.qd = steps.Step("Bemessungszufluss je Meter Straße", "qd", "gamma * q", in.gamma * in.q, "l/(s·m)");

    // The curb gutter and the inlet bay have tables up to 6 %, the V-gutter
    // from 7 %.
    const bool table = ((in.family == 0 || in.family == 1) && in.crossFall < 7.0) ||
                       (in.family == 2 && in.crossFall > 6.0);
    if (in.tablesLoaded && in.s >= 0 && in.s <= 8 && table) {
        const CInletTables::LookUpResult found = tables.LookUp({in.family, in.crossFall, in.s}, steps);
        r.lookedUp = found.found;
        for (int n = 0; n < CInletTables::kResults; ++n)
            r.capacity[static_cast<std::size_t>(n)] = found.results[static_cast<std::size_t>(n)];
    }
    r.shown = r.capacity;
    if (!in.spacings)
        return r;

    // An inflow below its range still reaches this point; the spacings are
    // never divided by less than 0.01 l/(s m). The field keeps its value.
    const double qd = r.qd >= kLeastDesignInflow
                          ? r.qd
                          : steps.Taken("Bemessungszufluss für die Abstände, nicht kleiner als 0.01 l/(s·m)", "qd",
                                        kLeastDesignInflow, "l/(s·m)");
    for (int n = 0; n < CInletTables::kResults; ++n) {
        double& shown = r.shown[static_cast<std::size_t>(n)];
        shown = shown / qd;
        if (r.lookedUp) {
            const InletResultName name = InletResultNameOf(in.family, n);
            steps.Step("Ablaufabstand zur " + name.text, "L" + name.symbol, "Q" + name.symbol + " / qd", shown, "m");
        }
    }
    return r;
}

} // namespace dralun
