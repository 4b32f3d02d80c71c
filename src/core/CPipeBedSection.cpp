#include "core/CPipeBedSection.h"

#include <cmath>

namespace dralun {

namespace {
constexpr double kPi = 3.141592654;

// Arc length of a circle of radius r over the angle theta (radians), in the
// degree form the culvert has always used.
double Arc(double r, double theta) { return 2 * kPi * r * theta * 180 / kPi / 360; }

// Circular segment of radius r over the angle theta.
double Segment(double r, double theta) { return (r * r / 2) * (theta - std::sin(theta)); }
} // namespace

void CPipeBedSection::evaluate(double DN, double y, double t)
{
    D = DN / 1000;
    r = D / 2;
    fullArea = kPi * D * D / 4;
    fullPerimeter = kPi * D;

    if (t <= 0) {
        bedArea = bedWidth = bedArc = 0;
    } else {
        const double thetaBed = 2 * std::acos((r - t) / r);
        bedArea = Segment(r, thetaBed);
        bedArc = Arc(r, thetaBed);
        bedWidth = 2 * std::sqrt(r * r - (r - t) * (r - t));
    }

    // Water level above the invert; up to it the circle is filled, the bed
    // is taken off afterwards.
    const double h = y + t;
    double A = fullArea;
    double s = fullPerimeter;
    if (h == r) {
        A = fullArea / 2;
        s = fullPerimeter / 2;
    } else if (h < r) {
        const double theta = 2 * std::acos((r - h) / r);
        s = Arc(r, theta);
        A = Segment(r, theta);
    } else if (h < D) {
        // More than half full: the whole circle less the dry segment at the crown.
        const double theta = 360 * kPi / 180 - 2 * std::acos((r - (D - h)) / r);
        s = Arc(r, theta);
        A = Segment(r, theta);
    } // h >= D: the culvert runs full

    if (t > 0) {
        A -= bedArea;
        s -= bedArc;
    }
    flowArea = A;
    wallPerimeter = s;
}

} // namespace dralun
