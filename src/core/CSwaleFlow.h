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
    double Qerf = 0; // discharge asked for, m³/s; 0: none
};

// Why a swale carries no computed discharge; the form says it to the user.
enum class SwaleFlowStatus {
    Ok,
    DepthAboveBrim,  // t > h: the water stands above the swale
    NoSwale,         // B or h not above 0: no circle, no parabola
    FallingSlope,    // I < 0: no velocity
    NotDeterminable  // a result is not a finite number
};

struct SwaleFlowResult {
    SwaleFlowStatus status = SwaleFlowStatus::Ok; // the values count only when Ok
    CSwaleSection section;
    double circleV = 0, circleQ = 0;
    double parabolaLu = 0, parabolaV = 0, parabolaQ = 0;
    double Q7 = 0; // 0 unless t = h
    bool brimFull = false; // t = h: equation (7) holds
    // The three shapes approximate one swale: the safe capacity is the
    // smallest of them, equation (7) among them only brim-full; an empty
    // swale (t = 0) carries nothing. m³/s.
    double capacity = 0;
};

// Manning-Strickler velocity, m/s, for the slope I in per mille, area A and
// wetted perimeter lu; an empty section (t = 0) carries nothing.
double ManningStricklerVelocity(double I, double kSt, double A, double lu);

// Inputs are checked in this order: t <= h, B > 0 and h > 0, I >= 0; the
// first that fails is the status, and nothing is computed or recorded. With
// a discharge asked for (Qerf > 0) the capacity gets a step of its own.
SwaleFlowResult ComputeSwaleFlow(const SwaleFlowInput& in, CSteps& steps);

} // namespace dralun
