#pragma once
// Outflow of a short throttle pipe that drains a retention basin. The flow
// velocity is found by stepping an estimated velocity vu upwards until the
// Prandtl-Colebrook velocity v of the energy balance falls below it; the
// step with the smallest |vu - v| gives the result. Every step is written
// into dump-DrosselA111.txt in the data directory; the calculation report
// gets the energy balance of the step taken and its neighbours.
#include <string>
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

struct ThrottleResult {
    std::vector<ThrottleStep> steps; // every step that was computed, in order
    int best = -1;                   // index of the step taken; -1: none
    double v = 0;                    // velocity in the throttle, m/s
    double Q = 0;                    // throttle discharge, m³/s
    std::vector<std::string> warnings; // message texts, in the order they arose
};

class CThrottleSection {
public:
    static constexpr const char* kDumpFile = "dump-DrosselA111.txt";
    static constexpr const char* kCrownWarning = " WSP unterschreitet Rohrscheitel + 0,05 m ";
    static constexpr const char* kAbortWarning = " IE wird <= 0  - Berechnung abgebrochen";
    static constexpr const char* kNoStepWarning =
        "Mit diesen Werten ist keine Fließgeschwindigkeit bestimmbar: in keinem Schritt kommt v nach "
        "Prandtl-Colebrook der geschätzten Geschwindigkeit vu nahe.\n"
        "Bitte prüfen Sie die Wasserspiegel H max Wsp und H Rs Auslauf.";
    static constexpr double kStart = 0.1;   // first estimate of vu, m/s
    static constexpr double kStep = 0.01;   // m/s
    static constexpr int kMaxSteps = 1000;

    // Runs the whole computation and writes the dump file (skipped without
    // a message when it cannot be created). Steps are recorded only when a
    // step is taken.
    static ThrottleResult Compute(const ThrottleInput& in, CSteps& steps = NoSteps());
    // The first step with the smallest |vu - v| below 1e12; -1 for none.
    static int ClosestStep(const std::vector<ThrottleStep>& steps);
};

} // namespace dralun
