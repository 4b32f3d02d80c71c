#include "core/CBoxBedSection.h"

namespace dralun {

void CBoxBedSection::evaluate(double b, double h, double t, double y)
{
    if (t <= 0) {
        bedArea = 0;
        bedWidth = 0;
    } else {
        bedArea = b * t;
        bedWidth = b;
    }

    if (y + t < h) {
        flowArea = y * b;
        concretePerimeter = 2 * y; // the two walls
    } else {
        // Running full: the water touches the soffit as well.
        flowArea = (h - t) * b;
        concretePerimeter = 2 * (h - t) + b;
    }
    if (t == 0)
        concretePerimeter += b; // the bare floor is concrete
}

} // namespace dralun
