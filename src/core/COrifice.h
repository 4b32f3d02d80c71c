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
    double dChosen = 0; // diameter of the opening to be built, m; 0: none chosen
};

enum class OrificeStatus {
    Ok,
    NegativeDischarge, // Q < 0: no diameter
    NoHead,            // h <= 0: nothing flows out
    NoCoefficient,     // mu <= 0: nothing flows out
    NotDeterminable,   // a head beyond any number (2 g h overflows): no finite area
};

struct OrificeResult {
    OrificeStatus status = OrificeStatus::Ok;
    double v = 0; // outflow velocity, m/s
    double A = 0; // required flow area, m²
    double d = 0; // required diameter, m
    // The outflow through the chosen opening at the same velocity, l/s; 0
    // without a chosen diameter.
    double Qchosen = 0;
};

// The throttle diameter for the discharge Q and, for a chosen diameter
// d_gew > 0, the outflow Q_gew = v · π d_gew² / 4 that opening lets through.
// Inputs that are refused record no steps; a result that is not
// determinable has recorded its steps, which the caller drops. Values are
// set only with the status Ok.
OrificeResult ComputeOrifice(const OrificeInput& in, CSteps& steps = NoSteps());

} // namespace dralun
