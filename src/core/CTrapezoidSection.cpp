#include "core/CTrapezoidSection.h"

#include <cmath>

namespace dralun {

CTrapezoidSection ComputeTrapezoidSection(const TrapezoidSectionInput& in)
{
    const double b = in.b, t = in.t, m1 = in.m1, m2 = in.m2;
    CTrapezoidSection s;
    if (t == 0) {
        s.surfaceWidth = b;
        return s;
    }
    s.leftBank = std::sqrt(t * t + (m1 * t) * (m1 * t));
    s.rightBank = std::sqrt(t * t + (m2 * t) * (m2 * t));
    s.perimeter = s.leftBank + b + s.rightBank;
    s.area = b * t + 0.5 * t * t * m1 + 0.5 * t * t * m2;
    s.hydraulicRadius = s.area / s.perimeter;
    s.surfaceWidth = m1 * t + b + m2 * t;
    return s;
}

} // namespace dralun
