#pragma once
// Discharge capacity of a road swale after Manning-Strickler: the swale of
// width B and depth h, filled to the water depth t, as circular segment and
// as parabola, and after the guideline's equation (7) for a swale running
// brim-full.
#include "core/CSwaleSection.h"
#include "core/CalcSteps.h"

namespace dralun {

struct SwaleFlowInput {
    double B = 0;   // swale width, m
    double h = 0;   // swale depth, m
    double t = 0;   // water depth, m (0 <= t <= h)
    double I = 0;   // slope, per mille
    double kSt = 0; // Strickler coefficient, m^(1/3)/s
};

struct SwaleFlowResult {
    CSwaleSection section;
    double circleV = 0, circleQ = 0;
    double parabolaLu = 0, parabolaV = 0, parabolaQ = 0;
    double Q7 = 0; // 0 unless t = h
};

// Manning-Strickler velocity, m/s, for the slope I in per mille, area A and
// wetted perimeter lu; an empty section (t = 0) carries nothing.
double ManningStricklerVelocity(double I, double kSt, double A, double lu);

// B > 0, h > 0, I >= 0, t <= h (the form refuses the rest).
SwaleFlowResult ComputeSwaleFlow(const SwaleFlowInput& in, CSteps& steps);

} // namespace dralun
