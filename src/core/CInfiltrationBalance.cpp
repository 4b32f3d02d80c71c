#include "core/CInfiltrationBalance.h"

#include <array>
#include <cmath>

#include "core/CRainfallTable.h"

namespace dralun {

CInfiltrationBalance::Thresholds CInfiltrationBalance::Reach(Mode mode, double J, double hs, double Ls, double tE,
                                                             bool refuseFallingSlope)
{
    Thresholds result{Refusal::None, Ls, tE, 0};
    // On a level bed the water stands h_s deep over the whole spacing.
    if (J == 0) {
        result.Lmax = Ls;
        result.tE = hs;
    } else {
        result.Lmax = hs / (J / 1000);
    }

    if (mode == Mode::Spacing) {
        if (refuseFallingSlope && J < 0)
            return {Refusal::FallingSlopeInSpacingMode, Ls, tE, result.Lmax};
        if (Ls < result.Lmax)
            result.tE = hs - (J / 1000) * Ls; // the water reaches the upper threshold
        else if (J != 0)
            result.tE = 0; // it ends on the bed before it
        return result;
    }

    if (J <= 0)
        return {Refusal::SlopeInImmersionMode, Ls, tE, result.Lmax};
    if (tE < 0)
        return {Refusal::ImmersionNegative, Ls, tE, result.Lmax};
    if (tE >= hs)
        return {Refusal::ImmersionNotBelowThreshold, Ls, tE, result.Lmax};
    result.Ls = (hs - tE) / (J / 1000);
    return result;
}

CInfiltrationBalance::Storage CInfiltrationBalance::Store(const Thresholds& thresholds, double hs,
                                                          const Sections& s)
{
    Storage result;
    result.L = thresholds.Ls;
    if (thresholds.Ls > thresholds.Lmax)
        result.L = thresholds.Lmax;
    const double L = result.L;

    if (s.Ao > 0)
        result.V = (L / 3) * (s.Au + s.Ao + std::sqrt(s.Au * s.Ao)); // frustum between the two sections
    else
        result.V = (s.Au + s.Ao) * L * 0.5; // wedge

    // The wetted faces of the thresholds count in the areas marked R.
    const double tEWetted = thresholds.tE > 0 ? thresholds.tE : 0.0;
    result.Asmax = (s.bU + s.bO) * L * 0.5;
    result.Asmittel = result.Asmax * 0.5;
    result.AsmaxR = (s.bU + hs + s.bO + tEWetted) * L * 0.5;
    result.AsmittelR = result.AsmaxR * 0.5;
    return result;
}

CInfiltrationBalance::Result CInfiltrationBalance::WithTypedRain(const Catchment& c, double V, double r, double D)
{
    const double Qs = c.kf * c.kfu * c.As; // m³/s
    // r/10000 is l/(s·m²); the catchment of one section uses the spacing L_s.
    const double inflow = (r / 10000 * (c.Ls * c.AuPerMetre) + r / 10000 * (c.Au1 + c.Au2)) / 1000 * D * 60;
    Result result;
    result.Vused = inflow - Qs * D * 60;
    result.overflow = V - result.Vused <= 0 ? V - result.Vused : 0.0;
    result.governingDuration = D;
    return result;
}

CInfiltrationBalance::Result CInfiltrationBalance::WithRainfallTable(const Catchment& c, double V,
                                                                     const CRainfallTable& table)
{
    const double Qs = c.kf * c.kfu * c.As;
    std::array<double, CRainfallTable::kRows> needed{};
    double best = 0;
    int chosen = 1;
    for (int i = 1; i <= CRainfallTable::kRows; ++i) {
        const CRainfallTable::Rain rain = table.RainOfRow(i);
        const double q = rain.intensity / 10000 / 1000; // m³/(s·m²)
        const double Vi =
            (c.Ls * c.AuPerMetre * q + (c.Au1 + c.Au2) * q) * rain.durationMinutes * 60 - Qs * rain.durationMinutes * 60;
        needed[static_cast<size_t>(i - 1)] = Vi;
        if (Vi > best) {
            best = Vi;
            chosen = i;
        }
    }
    Result result;
    result.Vused = needed[static_cast<size_t>(chosen - 1)];
    result.overflow = V - best <= 0 ? V - best : 0.0;
    result.governingDuration = table.RainOfRow(chosen).durationMinutes;
    return result;
}

} // namespace dralun
