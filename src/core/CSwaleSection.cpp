#include "core/CSwaleSection.h"

#include <algorithm>
#include <cmath>

#include "core/CircularArc.h"

namespace dralun {

CSwaleSection ComputeSwaleSection(const SwaleSectionInput& in)
{
    const double B = in.B, h = in.h, t = in.t;
    const double b = B / 2;
    CSwaleSection s;

    // Circle through both edges and the bottom point.
    const double Rc = (B * B / 4 + h * h) / 2 / h;
    s.circleRadius = Rc;
    if (t > 0) {
        const double w = 2 * std::sqrt(2 * Rc * t - t * t);
        // Up to the centre of the circle the angle follows from the chord.
        // Deeper (narrow swales with h > B/2) the segment is larger than a
        // half circle, which asin cannot give: its angle exceeds pi.
        double theta;
        if (t <= Rc)
            theta = 2 * std::asin(std::min(w / 2 / Rc, 1.0));
        else
            theta = 2 * std::acos(std::max((Rc - t) / Rc, -1.0));
        s.circleWidth = w;
        s.circleAngle = theta;
        s.circleArea = (Rc * Rc / 2) * (theta - std::sin(theta));
        s.circlePerimeter = CircularArc(Rc, theta);
    }

    // Parabola x² = 2 p y through both edges.
    const double p = b * b / 2 / h;
    s.parabolaParameter = p;
    s.parabolaCoefficient = 1 / (2 * p);
    if (t <= 0)
        return s;
    const double x = std::sqrt(2 * p * t);
    s.parabolaWidth = 2 * x;
    s.parabolaArea = 1.3333333333333333 * t * x;
    // The series in t/x is the arc of a flat parabola; its next term is
    // about 8/7 (t/x)^6 of x, so it strays fast once the water is deep for
    // its width (at t/x = 1 by 14 %, and it runs below zero for narrow,
    // deep swales). Beyond the tolerance the exact arc of y = a x² is taken.
    s.parabolaArcSeries = 2 * x * (1 + 0.6666666666666666 * t * t / (x * x) - 0.4 * t * t * t * t / (x * x * x * x));
    const double a = s.parabolaCoefficient;
    s.parabolaArcExact = x * std::sqrt(1 + 4 * a * a * x * x) + std::asinh(2 * a * x) / (2 * a);
    s.parabolaSeries =
        std::fabs(s.parabolaArcSeries - s.parabolaArcExact) <= CSwaleSection::kSeriesTolerance * s.parabolaArcExact;
    s.parabolaPerimeter = s.parabolaSeries ? s.parabolaArcSeries : s.parabolaArcExact;
    return s;
}

const char* ParabolaArcText(const CSwaleSection& s)
{
    return s.parabolaSeries ? "Benetzter Umfang (Parabel, Reihe)" : "Benetzter Umfang (Parabel, exakte Bogenlänge)";
}

std::string ParabolaArcFormula(const CSwaleSection& s, const std::string& x, const std::string& t,
                               const std::string& a)
{
    if (s.parabolaSeries)
        return "2 * " + x + " * (1 + 0.666666666666667 * " + t + " * " + t + " / " + x + "^2 - 0.4 * " + t + "^4 / " +
               x + "^4)";
    return x + " * sqrt(1 + 4 * " + a + "^2 * " + x + "^2) + asinh(2 * " + a + " * " + x + ") / (2 * " + a + ")";
}

} // namespace dralun
