#include "core/CPipeBedSection.h"

#include <cmath>
#include <string>

#include "core/Constants.h"

namespace dralun {

namespace {
// Arc length of a circle of radius r over the angle theta (radians), in the
// degree form the culvert has always used.
double Arc(double r, double theta) { return 2 * kPi * r * theta * 180 / kPi / 360; }

// Circular segment of radius r over the angle theta.
double Segment(double r, double theta) { return (r * r / 2) * (theta - std::sin(theta)); }

} // namespace

void CPipeBedSection::evaluate(double DN, double y, double t, CSteps& steps)
{
    D = DN / 1000;
    r = D / 2;
    fullArea = kPi * D * D / 4;
    fullPerimeter = kPi * D;

    if (t <= 0) {
        bedAngle = bedArea = bedWidth = bedArc = 0;
    } else {
        bedAngle = 2 * std::acos((r - t) / r);
        bedArea = Segment(r, bedAngle);
        bedArc = Arc(r, bedAngle);
        bedWidth = 2 * std::sqrt(r * r - (r - t) * (r - t));
    }

    // Water level above the invert; up to it the circle is filled, the bed
    // is taken off afterwards.
    const double h = y + t;
    waterLevel = h;
    double A = fullArea;
    double s = fullPerimeter;
    waterAngle = 0;
    if (h == r) {
        level = Level::Half;
        A = fullArea / 2;
        s = fullPerimeter / 2;
    } else if (h < r) {
        level = Level::BelowHalf;
        waterAngle = 2 * std::acos((r - h) / r);
        s = Arc(r, waterAngle);
        A = Segment(r, waterAngle);
    } else if (h < D) {
        // More than half full: the whole circle less the dry segment at the crown.
        level = Level::AboveHalf;
        waterAngle = 360 * kPi / 180 - 2 * std::acos((r - (D - h)) / r);
        s = Arc(r, waterAngle);
        A = Segment(r, waterAngle);
    } else {
        level = Level::Full; // the culvert runs full
    }
    levelArea = A;
    levelArc = s;

    if (t > 0) {
        A -= bedArea;
        s -= bedArc;
    }
    flowArea = A;
    wallPerimeter = s;
    if (steps.Recording())
        record(t, steps);
}

void CPipeBedSection::record(double t, CSteps& steps) const
{
    steps.Step("Innendurchmesser", "D", "DN / 1000", D, "m");
    steps.Step("Radius", "r", "D / 2", r, "m");
    steps.Step("Querschnitt des vollen Rohres", "A_voll", "3.141592654 * D * D / 4", fullArea, "m²");
    steps.Step("Umfang des vollen Rohres", "lu_voll", "3.141592654 * D", fullPerimeter, "m");

    const bool bed = t > 0;
    if (bed) {
        steps.Step("Mittelpunktswinkel der Sohle", "theta_S", "2 * acos((r - t) / r)", bedAngle, "rad");
        steps.Step("Fläche der Sohle (Kreisabschnitt)", "A_Sohle", "(r * r / 2) * (theta_S - sin(theta_S))", bedArea,
                   "m²");
        steps.Step("Von der Sohle bedeckter Bogen der Rohrwand", "lu_S",
                   "2 * 3.141592654 * r * theta_S * 180 / 3.141592654 / 360", bedArc, "m");
        steps.Step("Breite der Sohlfläche (Sehne in der Höhe t) = benetzter Umfang der Sohle", "lu_Sohle",
                   "2 * sqrt(r * r - (r - t) * (r - t))", bedWidth, "m");
    } else {
        steps.Taken("Fläche der Sohle (ohne Sohle, t = 0)", "A_Sohle", bedArea, "m²");
        steps.Taken("Benetzter Umfang der Sohle (ohne Sohle, t = 0)", "lu_Sohle", bedWidth, "m");
    }

    steps.Step("Wasserstand über dem Rohrtiefpunkt", "h_W", "h2 + t", waterLevel, "m");
    // Without a bed the values up to the water level are the results.
    const char* A = bed ? "A_W" : "A";
    const char* s = bed ? "lu_W" : "lu_Wand";
    const std::string area = bed ? "Fläche bis zum Wasserspiegel" : "Fließquerschnitt";
    const std::string arc = bed ? "Benetzter Bogen bis zum Wasserspiegel" : "Benetzter Umfang der Rohrwand";
    switch (level) {
    case Level::Half:
        steps.Step(area + " (h_W = r: halbes Rohr)", A, "A_voll / 2", levelArea, "m²");
        steps.Step(arc + " (h_W = r: halbes Rohr)", s, "lu_voll / 2", levelArc, "m");
        break;
    case Level::BelowHalf:
    case Level::AboveHalf:
        if (level == Level::BelowHalf)
            steps.Step("Mittelpunktswinkel des benetzten Bogens (h_W < r)", "theta", "2 * acos((r - h_W) / r)",
                       waterAngle, "rad");
        else
            steps.Step("Mittelpunktswinkel des benetzten Bogens (r < h_W < D)", "theta",
                       "360 * 3.141592654 / 180 - 2 * acos((r - (D - h_W)) / r)", waterAngle, "rad");
        steps.Step(arc + " (Kreisbogen)", s, "2 * 3.141592654 * r * theta * 180 / 3.141592654 / 360", levelArc, "m");
        steps.Step(area + " (Kreisabschnitt)", A, "(r * r / 2) * (theta - sin(theta))", levelArea, "m²");
        break;
    case Level::Full:
        steps.Step(area + " (h_W ≥ D: Rohr läuft voll)", A, "A_voll", levelArea, "m²");
        steps.Step(arc + " (h_W ≥ D: Rohr läuft voll)", s, "lu_voll", levelArc, "m");
        break;
    }
    if (bed) {
        steps.Step("Fließquerschnitt über der Sohle", "A", "A_W - A_Sohle", flowArea, "m²");
        steps.Step("Benetzter Umfang der Rohrwand über der Sohle", "lu_Wand", "lu_W - lu_S", wallPerimeter, "m");
    }
}

} // namespace dralun
