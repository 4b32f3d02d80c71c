#pragma once
// Spacing of the drains on a bridge deck from the cross-fall qf and the
// longitudinal slope s of the carriageway (both in per cent) and the drained
// width BSt (m), for the two grating sizes:
//   300 x 500: L = (155 qf - 132) s^0.4  / BSt
//   500 x 500: L = (185 qf - 170) s^0.48 / BSt
#include "core/CalcSteps.h"

namespace dralun {

class CBridgeDrain {
public:
    enum class Grating { Small300x500, Large500x500 };

    struct Input {
        Grating grating = Grating::Small300x500;
        double qf = 0;  // cross-fall, %
        double s = 0;   // longitudinal slope, %
        double BSt = 0; // drained width, m
    };
    struct Result {
        double k = 0; // the bracket of the grating's equation
        double L = 0; // spacing, m; NaN for a negative slope or a width that is not positive
    };

    // The spacing with the steps of the calculation report.
    static Result Compute(const Input& in, CSteps& steps = NoSteps());
    // The spacing in m; NaN for a negative slope or a width that is not
    // positive (the form refuses those before).
    static double Spacing(Grating grating, double qf, double s, double BSt);
};

} // namespace dralun
