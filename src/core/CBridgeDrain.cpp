#include "core/CBridgeDrain.h"

#include <cmath>
#include <limits>

namespace dralun {

BridgeDrainResult ComputeBridgeDrain(const BridgeDrainInput& in, CSteps& steps)
{
    const bool small = in.grating == BridgeGrating::Small300x500;
    steps.Let("qf", in.qf);
    steps.Let("s", in.s);
    steps.Let("BSt", in.BSt);
    BridgeDrainResult r;
    r.k = small ? steps.Step("Klammerwert für den Aufsatz 300 x 500", "k", "155 * qf - 132", 155 * in.qf - 132, "m²")
                : steps.Step("Klammerwert für den Aufsatz 500 x 500", "k", "185 * qf - 170", 185 * in.qf - 170, "m²");
    if (!(in.s >= 0) || !(in.BSt > 0)) {
        r.status = !(in.BSt > 0) ? BridgeDrainStatus::NoWidth : BridgeDrainStatus::NegativeSlope;
        r.L = std::numeric_limits<double>::quiet_NaN();
        return r;
    }
    r.L = small ? steps.Step("Abstand der Brückenabläufe", "L", "k * s^0.4 / BSt", r.k * std::pow(in.s, 0.4) / in.BSt,
                             "m")
                : steps.Step("Abstand der Brückenabläufe", "L", "k * s^0.48 / BSt",
                             r.k * std::pow(in.s, 0.48) / in.BSt, "m");
    return r;
}

} // namespace dralun
