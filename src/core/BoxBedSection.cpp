#include "core/BoxBedSection.h"

namespace dralun {

BoxBedSection ComputeBoxBedSection(const BoxBedInput& in, CSteps& steps)
{
    const double b = in.b, h = in.h, t = in.t, y = in.y;
    BoxBedSection s;
    if (t <= 0) {
        s.bedArea = steps.Taken("Fläche der Sohle (ohne Sohle, t ≤ 0)", "A_Sohle", 0, "m²");
        s.bedWidth = steps.Taken("Benetzter Umfang der Sohle (ohne Sohle, t ≤ 0)", "lu_Sohle", 0, "m");
    } else {
        s.bedArea = steps.Step("Fläche der Sohle", "A_Sohle", "b * t", b * t, "m²");
        s.bedWidth = steps.Step("Benetzter Umfang der Sohle (Breite der Sohlfläche)", "lu_Sohle", "b", b, "m");
    }

    s.waterLevel = steps.Step("Wasserstand über dem Durchlassboden", "h_W", "h2 + t", y + t, "m");
    s.full = !(s.waterLevel < h);
    // With a bare floor the floor is added to the walls afterwards.
    const char* walls = t == 0 ? "lu_W" : "lu_Beton";
    if (!s.full) {
        s.flowArea = steps.Step("Fließquerschnitt (h_W < h: teilgefüllt)", "A", "h2 * b", y * b, "m²");
        s.wallPerimeter = steps.Step("Benetzter Umfang der beiden Wände (teilgefüllt)", walls, "2 * h2", 2 * y, "m");
    } else {
        // Running full: the water touches the soffit as well.
        s.flowArea = steps.Step("Fließquerschnitt (h_W ≥ h: Durchlass läuft voll)", "A", "(h - t) * b", (h - t) * b,
                                "m²");
        s.wallPerimeter = steps.Step("Benetzter Umfang der Wände und der Decke (voll)", walls, "2 * (h - t) + b",
                                     2 * (h - t) + b, "m");
    }
    s.concretePerimeter = s.wallPerimeter;
    if (t == 0) // the bare floor is concrete
        s.concretePerimeter = steps.Step("Benetzter Umfang Beton mit dem Boden (ohne Sohle)", "lu_Beton", "lu_W + b",
                                         s.wallPerimeter + b, "m");
    return s;
}

} // namespace dralun
