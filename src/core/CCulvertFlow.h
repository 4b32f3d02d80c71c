#pragma once
// Discharge of a short culvert under the head difference h1 - h2: the energy
// balance of inlet loss, outlet loss and friction loss after
// Manning-Strickler over the culvert length, with one Strickler coefficient
// for bed and wall weighted by their wetted perimeters. For the round pipe
// and the rectangular (frame) culvert with a bed fill.
#include "core/BoxBedSection.h"
#include "core/CalcSteps.h"
#include "core/PipeBedSection.h"

namespace dralun {

// What both culverts share.
struct CulvertBalanceInput {
    double h1 = 0;      // upstream water level, m
    double h2 = 0;      // downstream water depth above the bed surface, m
    double L = 0;       // culvert length, m
    double zetaIn = 0;  // inlet loss coefficient
    double zetaOut = 0; // outlet loss coefficient
    double kStBed = 0;  // Strickler coefficient of the bed, m^(1/3)/s
    double kStWall = 0; // Strickler coefficient of the pipe wall or the concrete, m^(1/3)/s
};

// Whether the culvert passes a discharge that can be stated, and if not, why.
enum class CulvertStatus {
    Ok,
    NoDiameter,   // DN <= 0 (pipe)
    NoWidth,      // b <= 0 (box)
    NegativeBed,  // t < 0 (pipe)
    BedFillsPipe, // t >= D
    BedFillsBox,  // t >= h
    NoWater,      // h2 <= 0: no flow section
    NoLength,     // L <= 0
    NoDischarge,  // the section is sound, the balance gives no finite discharge
};

// The status of a computation and the clear height D or h the bed must stay
// below (for BedFillsPipe and BedFillsBox), m.
struct CulvertCheck {
    CulvertStatus status = CulvertStatus::Ok;
    double clearHeight = 0;
};

struct CulvertFlowResult {
    double wetted = 0;       // wetted perimeter of bed and wall, m
    double k = 0;            // composite Strickler coefficient, m^(1/3)/s
    double R = 0;            // hydraulic radius, m
    double inOutLoss = 0;    // (ζe + ζa) / (2 g A²), s²/m⁵
    double frictionLoss = 0; // L / (A² k² R^(4/3)), s²/m⁵
    double Q2 = 0;           // Q², m⁶/s²
    double Q = 0;            // discharge, m³/s (0 when Q² <= 0)
    double v = 0;            // mean velocity, m/s
};

struct PipeCulvertInput {
    double DN = 0; // nominal diameter, mm
    double t = 0;  // depth of the bed fill above the invert, m
    CulvertBalanceInput balance;
};

// Section and flow are computed only for inputs that give a flow section.
struct PipeCulvertResult {
    CulvertCheck check;
    PipeBedSection section;
    CulvertFlowResult flow;
};

struct BoxCulvertInput {
    double b = 0; // clear width, m
    double h = 0; // clear height, m
    double t = 0; // depth of the bed fill, m
    CulvertBalanceInput balance;
};

struct BoxCulvertResult {
    CulvertCheck check;
    BoxBedSection section;
    CulvertFlowResult flow;
};

// "DN/10": the bed fill takes a tenth of the diameter DN (mm); in m.
double DnTenthBed(double DN, CSteps& steps = NoSteps());

// A flow section needs DN > 0, 0 <= t < D, h2 > 0 and L > 0; the status
// names the first of them that fails.
PipeCulvertResult ComputePipeCulvert(const PipeCulvertInput& in, CSteps& steps);
// A flow section needs b > 0, t < h, h2 > 0 and L > 0.
BoxCulvertResult ComputeBoxCulvert(const BoxCulvertInput& in, CSteps& steps);

} // namespace dralun
