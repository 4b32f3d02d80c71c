#include "generators/PipeTables.h"

#include <cmath>
#include <numbers>

#include "core/Format.h"

namespace dralun::gen {

namespace {

// Standard gravity, m/s² (the conventional value fixed by the CGPM in 1901).
constexpr double kG = 9.80665;
// Kinematic viscosity of water at about 10 °C, m²/s, the value of sewer
// design in German practice (worksheet ATV-DVWK-A 110).
constexpr double kNu = 1.31e-6;
// The constants of the Prandtl-Colebrook law for rough and smooth turbulent
// pipe flow: 2.51 (smooth, viscous part), 3.71 (rough part), factor -2.
constexpr double kSmooth = 2.51;
constexpr double kRough = 3.71;

constexpr double kHalfPi = std::numbers::pi / 2;

// The reference pipe of all three tables: kb = 1.5 mm is the operational
// roughness that worksheet A 110 gives for sewers with manholes (and the
// default of the pipe run form); J = 1 : 200 is a middle sewer slope.
constexpr ReferencePipe kReference{0.005, 1.5};

// Reference sizes: circle DN 1000, mouth profile 1600/1200, egg profile
// 800/1200 (width/height in mm), all common nominal sizes.
constexpr double kCircleD = 1.0;
constexpr double kMouthWidth = 1.6;
constexpr double kEggWidth = 0.8;

// Rows of a part-filling table: Q/Qv = i / 100 for i = 1 to 100.
constexpr int kRows = 100;

double Height(const Arc& arc, double angle) { return arc.cy + arc.r * std::sin(angle); }

} // namespace

// ---- outlines --------------------------------------------------------------

Profile CircleProfile(double d)
{
    const double r = d / 2;
    return {"Kreisprofil", d, d, {{0, r, r, -kHalfPi, kHalfPi}}};
}

Profile MouthProfile(double b)
{
    const double r = b / 2;
    const double side = 3 * r / 8; // tangent to the crown at the springing line and to the invert arc
    const double sideX = r - side;
    // Invert arc (centre (0, 2r), radius 2r) and side arc meet on the line
    // through both centres.
    const double joint = std::atan2(r / 2 - 2 * r, sideX);
    return {"Maulprofil",
            b,
            1.5 * r,
            {{0, 2 * r, 2 * r, -kHalfPi, joint}, {sideX, r / 2, side, joint, 0}, {0, r / 2, r, 0, kHalfPi}}};
}

Profile EggProfile(double b)
{
    const double r = b / 2;
    // Side arc (centre (-2r, 2r), radius 3r) and invert arc (centre (0, r/2),
    // radius r/2) meet on the line through both centres.
    const double joint = std::atan2(r / 2 - 2 * r, 2 * r);
    return {"Eiprofil",
            b,
            3 * r,
            {{0, r / 2, r / 2, -kHalfPi, joint}, {-2 * r, 2 * r, 3 * r, joint, 0}, {0, 2 * r, r, 0, kHalfPi}}};
}

Section SectionAt(const Profile& profile, double h)
{
    if (!(h > 0))
        return {};
    // The right half from the invert up to the water line: its length is
    // half the wetted perimeter; its area follows from Green's theorem,
    // A/2 = 1/2 (sum over the arcs of the integral of x dy - y dx, plus h x
    // along the water line back to the axis). For an arc,
    // x dy - y dx = r (cx cos t + cy sin t + r) dt.
    double green = 0;
    double length = 0;
    double x = 0;
    for (const Arc& arc : profile.rightHalf) {
        if (h <= Height(arc, arc.a))
            break;
        double end = arc.b;
        if (h < Height(arc, arc.b))
            end = std::asin(std::fmin(1.0, std::fmax(-1.0, (h - arc.cy) / arc.r)));
        green += arc.r * (arc.cx * (std::sin(end) - std::sin(arc.a)) - arc.cy * (std::cos(end) - std::cos(arc.a)) +
                          arc.r * (end - arc.a));
        length += arc.r * (end - arc.a);
        x = arc.cx + arc.r * std::cos(end);
    }
    const double water = std::fmin(h, profile.height);
    return {green + water * x, 2 * length};
}

// ---- hydraulics ------------------------------------------------------------

double Velocity(const Section& section, const ReferencePipe& pipe)
{
    const double d = 4 * section.area / section.wettedPerimeter; // hydraulic diameter 4R
    const double s = std::sqrt(2 * kG * d * pipe.slope);
    return -2.0 * std::log10(kSmooth * kNu / (d * s) + pipe.kbMm * 0.001 / (kRough * d)) * s;
}

double Discharge(const Profile& profile, double h, const ReferencePipe& pipe)
{
    const Section section = SectionAt(profile, h);
    if (!(section.area > 0))
        return 0;
    return Velocity(section, pipe) * section.area;
}

double DepthOfLargestDischarge(const Profile& profile, const ReferencePipe& pipe)
{
    // Scan, then narrow down by golden section around the best point.
    const int steps = 2000;
    int best = steps;
    double most = Discharge(profile, profile.height, pipe);
    for (int k = 1; k < steps; ++k) {
        const double q = Discharge(profile, profile.height * k / steps, pipe);
        if (q > most) {
            most = q;
            best = k;
        }
    }
    double lo = profile.height * (best - 1) / steps;
    double hi = profile.height * std::fmin(best + 1, steps) / steps;
    const double g = (std::sqrt(5.0) - 1) / 2;
    for (int i = 0; i < 200 && hi - lo > 1e-15 * profile.height; ++i) {
        const double m1 = hi - g * (hi - lo);
        const double m2 = lo + g * (hi - lo);
        if (Discharge(profile, m1, pipe) < Discharge(profile, m2, pipe))
            lo = m1;
        else
            hi = m2;
    }
    return (lo + hi) / 2;
}

std::vector<PartFillingRow> PartFillingRows(const Profile& profile, const ReferencePipe& pipe)
{
    const Section full = SectionAt(profile, profile.height);
    const double vv = Velocity(full, pipe);
    const double Qv = vv * full.area;
    const double top = DepthOfLargestDischarge(profile, pipe);

    std::vector<PartFillingRow> rows;
    for (int i = 1; i <= kRows; ++i) {
        // Below the largest discharge Q rises with the depth: bisection
        // finds the one depth on that branch that carries i / 100 Qv.
        const double target = Qv * i / kRows;
        double lo = 0;
        double hi = top;
        for (int k = 0; k < 200 && hi - lo > 1e-15 * profile.height; ++k) {
            const double mid = (lo + hi) / 2;
            if (Discharge(profile, mid, pipe) < target)
                lo = mid;
            else
                hi = mid;
        }
        const double h = (lo + hi) / 2;
        rows.push_back({static_cast<double>(i) / kRows, Velocity(SectionAt(profile, h), pipe) / vv,
                        h / profile.height});
    }
    return rows;
}

// ---- the files ---------------------------------------------------------------

namespace {

std::string DiameterFile()
{
    // Usual nominal sizes of sewer pipes (concrete, reinforced concrete and
    // vitrified clay), DN in mm, from house connection size up to large
    // trunk sewers: 19 sizes, the most the program takes.
    static const int kSizes[] = {150, 200, 250, 300, 350, 400, 500, 600, 700, 800,
                                 900, 1000, 1200, 1400, 1600, 1800, 2000, 2500, 3000};
    std::string text = "; DN.ASC - Nennweiten der Rohre in mm, eine je Zeile\n"
                       "; Übliche Nennweiten von Abwasserkanälen, DN 150 bis DN 3000\n"
                       "; Zulässig sind 50 bis 3000, höchstens 19 Nennweiten.\n"
                       "; Zeilen, die mit ; oder : beginnen, sind Kommentare.\n";
    for (int dn : kSizes)
        text += Format("%d\n", dn);
    return text;
}

std::string PartFillingFile(const std::string& file, const Profile& profile, const std::string& size,
                            const char* depthName)
{
    const std::vector<PartFillingRow> rows = PartFillingRows(profile, kReference);
    const double top = DepthOfLargestDischarge(profile, kReference) / profile.height;
    std::string text;
    text += Format("; %s - Teilfüllungstabelle %s\n", file.c_str(),
                   profile.name == "Kreisprofil" ? "des Kreisprofils"
                   : profile.name == "Maulprofil" ? "des Maulprofils 2:1,5"
                                                  : "des Eiprofils 2:3");
    text += Format("; Spalten: Q/Qv  v/vv  %s; Zeile i hat Q/Qv = i/100\n", depthName);
    text += "; Prandtl-Colebrook mit dem hydraulischen Durchmesser 4R des\n";
    text += Format("; teilgefüllten Querschnitts, Bezugsprofil %s,\n", size.c_str());
    text += Format("; kb = %.1f mm, J = 1:%.0f, nu = 1.31e-6 m²/s, g = 9.80665 m/s².\n", kReference.kbMm,
                   1 / kReference.slope);
    text += Format("; Je Q/Qv die kleinere der beiden Fülltiefen (größter Abfluss\n"
                   "; bei %s = %.2f wird nicht genommen).\n",
                   depthName, top);
    for (const PartFillingRow& row : rows)
        text += Format("%.2f %.4f %.4f\n", row.fill, row.velocity, row.depth);
    return text;
}

} // namespace

std::vector<DataFile> PipeDataFiles()
{
    return {
        {"DN.ASC", DiameterFile()},
        {"A110KR.ASC", PartFillingFile("A110KR.ASC", CircleProfile(kCircleD), "DN 1000", "h/D")},
        {"A110MA.ASC", PartFillingFile("A110MA.ASC", MouthProfile(kMouthWidth), "1600/1200", "h/H")},
        {"A110EI.ASC", PartFillingFile("A110EI.ASC", EggProfile(kEggWidth), "800/1200", "h/H")},
    };
}

} // namespace dralun::gen
