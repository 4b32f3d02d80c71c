#include "core/CBridgeDrain.h"

#include <cmath>
#include <limits>

namespace dralun {

double CBridgeDrain::Spacing(Grating grating, double qf, double s, double BSt)
{
    if (!(s >= 0) || !(BSt > 0))
        return std::numeric_limits<double>::quiet_NaN();
    // The bracket first, then the power of s, then the width.
    if (grating == Grating::Small300x500)
        return (155 * qf - 132) * std::pow(s, 0.4) / BSt;
    return (185 * qf - 170) * std::pow(s, 0.48) / BSt;
}

} // namespace dralun
