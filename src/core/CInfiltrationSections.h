#pragma once
// The water cross-sections at the two thresholds of one section of an
// infiltration swale or trench: at the lower threshold the water stands h_s
// deep, at the upper one t_E. The swale takes the circular segment or the
// parabola through its edges (CSwaleSection), the trench its trapezoid of
// bottom width b and bank slopes 1 : m1 and 1 : m2 (CTrapezoidSection).
// Lengths in m, areas in m².
#include "core/CInfiltrationBalance.h"
#include "core/CalcSteps.h"

namespace dralun {

struct SwaleThresholdInput {
    double B = 0;  // swale width
    double T = 0;  // swale depth
    double hs = 0; // threshold height, 0 < h_s <= T
    double tE = 0; // water depth at the upper threshold; 0 and below: no water there
    bool parabola = false; // else the circular segment
};

struct SwaleThresholdSections {
    InfiltrationSections sections;
};

// B > 0 and T > 0 (the form refuses the rest).
SwaleThresholdSections ComputeSwaleThresholdSections(const SwaleThresholdInput& in, CSteps& steps = NoSteps());

struct TrenchThresholdInput {
    double b = 0;  // bottom width
    double m1 = 0; // left bank 1 : m1
    double m2 = 0; // right bank 1 : m2
    double hs = 0; // threshold height
    double tE = 0; // water depth at the upper threshold
};

InfiltrationSections ComputeTrenchThresholdSections(const TrenchThresholdInput& in, CSteps& steps = NoSteps());

} // namespace dralun
