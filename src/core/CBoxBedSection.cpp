#include "core/CBoxBedSection.h"

namespace dralun {

void CBoxBedSection::evaluate(double b, double h, double t, double y, CSteps& steps)
{
    if (t <= 0) {
        bedArea = 0;
        bedWidth = 0;
    } else {
        bedArea = b * t;
        bedWidth = b;
    }

    waterLevel = y + t;
    full = !(waterLevel < h);
    if (!full) {
        flowArea = y * b;
        wallPerimeter = 2 * y; // the two walls
    } else {
        // Running full: the water touches the soffit as well.
        flowArea = (h - t) * b;
        wallPerimeter = 2 * (h - t) + b;
    }
    concretePerimeter = wallPerimeter;
    if (t == 0)
        concretePerimeter += b; // the bare floor is concrete
    if (steps.Recording())
        record(t, steps);
}

void CBoxBedSection::record(double t, CSteps& steps) const
{
    if (t <= 0) {
        steps.Taken("Fläche der Sohle (ohne Sohle, t ≤ 0)", "A_Sohle", bedArea, "m²");
        steps.Taken("Benetzter Umfang der Sohle (ohne Sohle, t ≤ 0)", "lu_Sohle", bedWidth, "m");
    } else {
        steps.Step("Fläche der Sohle", "A_Sohle", "b * t", bedArea, "m²");
        steps.Step("Benetzter Umfang der Sohle (Breite der Sohlfläche)", "lu_Sohle", "b", bedWidth, "m");
    }
    steps.Step("Wasserstand über dem Durchlassboden", "h_W", "h2 + t", waterLevel, "m");
    // With a bare floor the floor is added to the walls afterwards.
    const char* walls = t == 0 ? "lu_W" : "lu_Beton";
    if (!full) {
        steps.Step("Fließquerschnitt (h_W < h: teilgefüllt)", "A", "h2 * b", flowArea, "m²");
        steps.Step("Benetzter Umfang der beiden Wände (teilgefüllt)", walls, "2 * h2", wallPerimeter, "m");
    } else {
        steps.Step("Fließquerschnitt (h_W ≥ h: Durchlass läuft voll)", "A", "(h - t) * b", flowArea, "m²");
        steps.Step("Benetzter Umfang der Wände und der Decke (voll)", walls, "2 * (h - t) + b", wallPerimeter, "m");
    }
    if (t == 0)
        steps.Step("Benetzter Umfang Beton mit dem Boden (ohne Sohle)", "lu_Beton", "lu_W + b", concretePerimeter, "m");
}

} // namespace dralun
