#include "core/PipeBedSection.h"

#include <cmath>
#include <string>

#include "core/CircularArc.h"
#include "core/Constants.h"

namespace dralun {

namespace {

// Circular segment of radius r over the angle theta.
double Segment(double r, double theta) { return (r * r / 2) * (theta - std::sin(theta)); }

// The segment the bed fills in the invert; a bed of t <= 0 takes nothing.
void Bed(PipeBedSection& s, double t, CSteps& steps)
{
    if (t <= 0) {
        steps.Taken("Fläche der Sohle (ohne Sohle, t = 0)", "A_Sohle", s.bedArea, "m²");
        steps.Taken("Benetzter Umfang der Sohle (ohne Sohle, t = 0)", "lu_Sohle", s.bedWidth, "m");
        return;
    }
    const double r = s.r;
    s.bedAngle = steps.Step("Mittelpunktswinkel der Sohle", "theta_S", "2 * acos((r - t) / r)",
                            2 * std::acos((r - t) / r), "rad");
    s.bedArea = steps.Step("Fläche der Sohle (Kreisabschnitt)", "A_Sohle", "(r * r / 2) * (theta_S - sin(theta_S))",
                           Segment(r, s.bedAngle), "m²");
    s.bedArc = CircularArcStep(steps, "Von der Sohle bedeckter Bogen der Rohrwand", "lu_S", "r", "theta_S", r,
                               s.bedAngle);
    s.bedWidth = steps.Step("Breite der Sohlfläche (Sehne in der Höhe t) = benetzter Umfang der Sohle", "lu_Sohle",
                            "2 * sqrt(r * r - (r - t) * (r - t))", 2 * std::sqrt(r * r - (r - t) * (r - t)), "m");
}

// The area and the wetted arc of the circle up to the water level, the bed
// not yet taken off. Without a bed they are the results and take their names.
void UpToTheLevel(PipeBedSection& s, bool bed, CSteps& steps)
{
    const double r = s.r, D = s.D, h = s.waterLevel;
    const char* A = bed ? "A_W" : "A";
    const char* lu = bed ? "lu_W" : "lu_Wand";
    const std::string area = bed ? "Fläche bis zum Wasserspiegel" : "Fließquerschnitt";
    const std::string arc = bed ? "Benetzter Bogen bis zum Wasserspiegel" : "Benetzter Umfang der Rohrwand";
    // A circular segment over the wetted angle.
    auto segment = [&] {
        s.levelArc = CircularArcStep(steps, arc + " (Kreisbogen)", lu, "r", "theta", r, s.waterAngle);
        s.levelArea = steps.Step(area + " (Kreisabschnitt)", A, "(r * r / 2) * (theta - sin(theta))",
                                 Segment(r, s.waterAngle), "m²");
    };
    if (h == r) {
        s.level = PipeBedSection::Level::Half;
        s.levelArea = steps.Step(area + " (h_W = r: halbes Rohr)", A, "A_voll / 2", s.fullArea / 2, "m²");
        s.levelArc = steps.Step(arc + " (h_W = r: halbes Rohr)", lu, "lu_voll / 2", s.fullPerimeter / 2, "m");
    } else if (h < r) {
        s.level = PipeBedSection::Level::BelowHalf;
        s.waterAngle = steps.Step("Mittelpunktswinkel des benetzten Bogens (h_W < r)", "theta",
                                  "2 * acos((r - h_W) / r)", 2 * std::acos((r - h) / r), "rad");
        segment();
    } else if (h < D) {
        // More than half full: the whole circle less the dry segment at the crown.
        s.level = PipeBedSection::Level::AboveHalf;
        s.waterAngle = steps.Step("Mittelpunktswinkel des benetzten Bogens (r < h_W < D)", "theta",
                                  "360 * pi / 180 - 2 * acos((r - (D - h_W)) / r)",
                                  360 * kPi / 180 - 2 * std::acos((r - (D - h)) / r), "rad");
        segment();
    } else {
        s.level = PipeBedSection::Level::Full; // the culvert runs full
        s.levelArea = steps.Step(area + " (h_W ≥ D: Rohr läuft voll)", A, "A_voll", s.fullArea, "m²");
        s.levelArc = steps.Step(arc + " (h_W ≥ D: Rohr läuft voll)", lu, "lu_voll", s.fullPerimeter, "m");
    }
}

} // namespace

PipeBedSection ComputePipeBedSection(const PipeBedInput& in, CSteps& steps)
{
    PipeBedSection s;
    s.D = steps.Step("Innendurchmesser", "D", "DN / 1000", in.DN / 1000, "m");
    s.r = steps.Step("Radius", "r", "D / 2", s.D / 2, "m");
    s.fullArea = steps.Step("Querschnitt des vollen Rohres", "A_voll", "pi * D * D / 4", kPi * s.D * s.D / 4, "m²");
    s.fullPerimeter = steps.Step("Umfang des vollen Rohres", "lu_voll", "pi * D", kPi * s.D, "m");
    Bed(s, in.t, steps);

    // Up to the water level above the invert the circle is filled; the bed
    // is taken off afterwards.
    s.waterLevel = steps.Step("Wasserstand über dem Rohrtiefpunkt", "h_W", "h2 + t", in.y + in.t, "m");
    const bool bed = in.t > 0;
    UpToTheLevel(s, bed, steps);
    s.flowArea = s.levelArea;
    s.wallPerimeter = s.levelArc;
    if (bed) {
        s.flowArea =
            steps.Step("Fließquerschnitt über der Sohle", "A", "A_W - A_Sohle", s.levelArea - s.bedArea, "m²");
        s.wallPerimeter = steps.Step("Benetzter Umfang der Rohrwand über der Sohle", "lu_Wand", "lu_W - lu_S",
                                     s.levelArc - s.bedArc, "m");
    }
    return s;
}

} // namespace dralun
