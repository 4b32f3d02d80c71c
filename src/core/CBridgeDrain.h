#pragma once
// Spacing of the drains on a bridge deck from the cross-fall qf and the
// longitudinal slope s of the carriageway (both in per cent) and the drained
// width BSt (m), for the two grating sizes:
//   300 x 500: L = (155 qf - 132) s^0.4  / BSt
//   500 x 500: L = (185 qf - 170) s^0.48 / BSt
namespace dralun {

class CBridgeDrain {
public:
    enum class Grating { Small300x500, Large500x500 };

    // The spacing in m; NaN for a negative slope or a width that is not
    // positive (the form refuses those before).
    static double Spacing(Grating grating, double qf, double s, double BSt);
};

} // namespace dralun
