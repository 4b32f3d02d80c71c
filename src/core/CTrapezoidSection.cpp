#include "core/CTrapezoidSection.h"

#include <cmath>

namespace dralun {

void CTrapezoidSection::evaluate(double b, double t, double m1, double m2)
{
    if (t == 0) {
        area = perimeter = hydraulicRadius = leftBank = rightBank = 0;
        surfaceWidth = b;
        return;
    }
    leftBank = std::sqrt(t * t + (m1 * t) * (m1 * t));
    rightBank = std::sqrt(t * t + (m2 * t) * (m2 * t));
    perimeter = leftBank + b + rightBank;
    area = b * t + 0.5 * t * t * m1 + 0.5 * t * t * m2;
    hydraulicRadius = area / perimeter;
    surfaceWidth = m1 * t + b + m2 * t;
}

} // namespace dralun
