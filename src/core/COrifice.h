#pragma once
// Throttle orifice with free outflow: Torricelli's velocity times the
// discharge coefficient, the flow area that passes the throttle discharge
// at that velocity, and the diameter of a circle of that area.
#include "core/CalcSteps.h"

namespace dralun {

struct OrificeInput {
    double Q = 0;  // throttle discharge, l/s
    double h = 0;  // pressure head, m
    double mu = 0; // discharge coefficient
};

struct OrificeFlow {
    double v = 0; // outflow velocity, m/s
    double A = 0; // required flow area, m²
    double d = 0; // required diameter, m
};

class COrifice {
public:
    // Values that are not finite (a head so large that 2 g h overflows) are
    // passed on for the caller to refuse.
    static OrificeFlow Flow(const OrificeInput& in, CSteps& steps = NoSteps());
};

} // namespace dralun
