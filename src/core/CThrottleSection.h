#pragma once
// Outflow of a short throttle pipe that drains a retention basin. The flow
// velocity is found by stepping an estimated velocity vu upwards until the
// Prandtl-Colebrook velocity v of the energy balance falls below it; the
// step with the smallest |vu - v| gives the result. The result keeps every
// step for the form's dump file; the calculation report gets the energy
// balance of the step taken and its neighbours.
#include <vector>

#include "core/CalcSteps.h"

namespace dralun {

struct ThrottleInput {
    double kb = 0.25;          // operational roughness, mm
    double zeta = 0.45;        // inlet loss coefficient
    double mD = 1.0;           // outlet water level as a fraction of the diameter
    double du = 200;           // throttle diameter, mm
    double L = 4.0;            // throttle length, m
    double I = 0;              // throttle slope, per mille
    double outletInvert = 0;   // invert level at the outlet, m above datum
    double maxLevel = 1.0;     // highest water level in the basin, m above datum
    double va = 0;             // approach velocity in the basin, m/s
};

struct ThrottleStep {
    double vu; // estimated velocity, m/s
    double v;  // Prandtl-Colebrook velocity, m/s
};

// Inputs for which the friction law has no value at all.
enum class ThrottleStatus {
    Ok,
    DiameterNotPositive, // du <= 0
    LengthNotPositive,   // L <= 0
    RoughnessNegative,   // kb < 0
};

// Why the search stopped.
enum class ThrottleSearchEnd {
    Crossed,    // v fell below vu
    NoEnergy,   // the friction slope IE became <= 0
    NoVelocity, // v had no value (only absurd magnitudes)
    AllSteps,   // the highest number of steps was reached
};

struct ThrottleResult {
    ThrottleStatus status = ThrottleStatus::Ok; // anything else: no search ran
    bool belowCrown = false; // the basin level lies below the outlet crown + 0.05 m
    ThrottleSearchEnd end = ThrottleSearchEnd::AllSteps;
    std::vector<ThrottleStep> steps; // every step that was computed, in order
    int best = -1;                   // index of the step taken; -1: none
    double v = 0;                    // velocity in the throttle, m/s
    double Q = 0;                    // throttle discharge, m³/s
};

inline constexpr double kThrottleStart = 0.1; // first estimate of vu, m/s
inline constexpr double kThrottleStep = 0.01; // m/s
inline constexpr int kThrottleMaxSteps = 1000;

// Runs the whole search. Steps are recorded only when a step is taken.
ThrottleResult ComputeThrottleSection(const ThrottleInput& in, CSteps& steps = NoSteps());
// The first step with the smallest |vu - v| below 1e12; -1 for none.
int ClosestThrottleStep(const std::vector<ThrottleStep>& steps);

} // namespace dralun
