#include "core/CInletSpacing.h"

#include <limits>
#include <string>

namespace dralun {

namespace {

InletSpacingStatus Checked(const InletSpacingInput& in)
{
    if (!in.tablesLoaded)
        return InletSpacingStatus::NoTables;
    if (!InletTableCovers(in.family, in.crossFall))
        return InletSpacingStatus::NoTableForCrossFall;
    if (!(in.s >= 0 && in.s <= 8))
        return InletSpacingStatus::SlopeOutsideTables;
    return InletSpacingStatus::Ok;
}

// The smallest capacity of the inlets chosen (results 5 + 3 width +
// variant, after the five gutter values) over q_d.
double AllowedSpacing(const InletSpacingInput& in, const InletSpacingResult& r, CSteps& steps)
{
    std::size_t smallest = r.capacity.size();
    for (int width = 0; width < 4; ++width)
        for (int variant = 0; variant < 3; ++variant) {
            if ((in.width >= 0 && width != in.width) || (in.variant >= 0 && variant != in.variant))
                continue;
            const auto n = static_cast<std::size_t>(5 + 3 * width + variant);
            if (smallest == r.capacity.size() || r.capacity[n] < r.capacity[smallest])
                smallest = n;
        }
    if (smallest == r.capacity.size()) // a variant or width the table does not list
        return std::numeric_limits<double>::quiet_NaN();
    const double allowed = r.capacity[smallest] / r.qd;
    if (!(in.aPlan > 0))
        return allowed;
    const InletResultName name = InletResultNameOf(in.family, static_cast<int>(smallest));
    steps.Let("qd", r.qd);
    const int chosen = (in.variant >= 0 ? 1 : 0) + (in.width >= 0 ? 1 : 0);
    const char* what = chosen == 2   ? "Zulässiger Ablaufabstand des gewählten Ablaufs"
                       : chosen == 1 ? "Kleinster zulässiger Ablaufabstand der gewählten Abläufe"
                                     : "Kleinster zulässiger Ablaufabstand der Tabelle";
    return steps.Step(std::string(what) + ", aus der " + name.text,
                      "a_zul", "Q" + name.symbol + " / qd", allowed, "m");
}

} // namespace

bool InletTableCovers(int family, double crossFall)
{
    // The curb gutter and the inlet bay have tables up to 6 %, the V-gutter
    // from 7 %.
    const bool side = ((family == 0 || family == 1) && crossFall < 7.0) || (family == 2 && crossFall > 6.0);
    return side && CInletTables::TableIndex(family, crossFall) >= 0;
}

InletSpacingResult ComputeInletSpacing(const InletSpacingInput& in, const CInletTables& tables, CSteps& steps)
{
    InletSpacingResult r;
    steps.Let("gamma", in.gamma);
    steps.Let("q", in.q);
    r.qd = steps.Step("Bemessungszufluss je Meter Straße", "qd", "gamma * q", in.gamma * in.q, "l/(s·m)");

    r.status = Checked(in);
    if (r.status == InletSpacingStatus::Ok) {
        const CInletTables::LookUpResult found = tables.LookUp({in.family, in.crossFall, in.s}, steps);
        for (int n = 0; n < CInletTables::kResults; ++n)
            r.capacity[static_cast<std::size_t>(n)] = found.results[static_cast<std::size_t>(n)];
    }
    r.shown = r.capacity;
    if (r.status != InletSpacingStatus::Ok)
        r.shown.fill(std::numeric_limits<double>::quiet_NaN()); // no capacities, no spacings
    if (in.spacings) {
        // An inflow below its range still reaches this point; the spacings
        // are never divided by less than 0.01 l/(s m). The field keeps its value.
        const double qd = r.qd >= kLeastDesignInflow
                              ? r.qd
                              : steps.Taken("Bemessungszufluss für die Abstände, nicht kleiner als 0.01 l/(s·m)",
                                            "qd", kLeastDesignInflow, "l/(s·m)");
        for (int n = 0; n < CInletTables::kResults; ++n) {
            double& shown = r.shown[static_cast<std::size_t>(n)];
            shown = shown / qd;
            if (r.status == InletSpacingStatus::Ok) {
                const InletResultName name = InletResultNameOf(in.family, n);
                steps.Step("Ablaufabstand zur " + name.text, "L" + name.symbol, "Q" + name.symbol + " / qd", shown,
                           "m");
            }
        }
    }
    if (r.status == InletSpacingStatus::Ok && r.qd >= kLeastDesignInflow)
        r.allowed = AllowedSpacing(in, r, steps);
    return r;
}

} // namespace dralun
