#pragma once
// Spacing of the drains on a bridge deck from the cross-fall qf and the
// longitudinal slope s of the carriageway (both in per cent) and the drained
// width BSt (m), for the two grating sizes:
//   300 x 500: L = (155 qf - 132) s^0.4  / BSt
//   500 x 500: L = (185 qf - 170) s^0.48 / BSt
#include "core/CalcSteps.h"

namespace dralun {

enum class BridgeGrating { Small300x500, Large500x500 };

// Why the spacing has no value.
enum class BridgeDrainStatus {
    Ok,
    NegativeSlope, // s < 0 has no power
    NoWidth,       // BSt is not positive
};

struct BridgeDrainInput {
    BridgeGrating grating = BridgeGrating::Small300x500;
    double qf = 0;  // cross-fall, %
    double s = 0;   // longitudinal slope, %
    double BSt = 0; // drained width, m
};

struct BridgeDrainResult {
    double k = 0; // the bracket of the grating's equation
    double L = 0; // spacing, m; NaN unless the status is Ok
    BridgeDrainStatus status = BridgeDrainStatus::Ok;
};

// The spacing with the steps of the calculation report: the bracket first,
// then the power of s and the width.
BridgeDrainResult ComputeBridgeDrain(const BridgeDrainInput& in, CSteps& steps = NoSteps());

} // namespace dralun
