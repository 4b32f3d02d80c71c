#pragma once
// Throttle orifice with free outflow: Torricelli's velocity times the
// discharge coefficient, the flow area that passes the throttle discharge
// at that velocity, and the diameter of a circle of that area.
namespace dralun {

struct OrificeFlow {
    double v = 0; // outflow velocity, m/s
    double A = 0; // required flow area, m²
    double d = 0; // required diameter, m
};

class COrifice {
public:
    // Q in l/s, h in m, mu dimensionless. Values that are not finite (a
    // head so large that 2 g h overflows) are passed on for the caller to
    // refuse.
    static OrificeFlow Flow(double Q, double h, double mu);
};

} // namespace dralun
