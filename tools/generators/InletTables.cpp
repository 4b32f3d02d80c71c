#include "generators/InletTables.h"

#include <algorithm>
#include <cmath>

#include "core/CGutterSection.h"
#include "core/TextCase.h"

namespace dralun::gen {

namespace {

// ---- gutter -------------------------------------------------------------------
//
// Strickler coefficient of the gutter, m^(1/3)/s. HEC-22 (FHWA, Urban
// Drainage Design Manual, 3rd edition, FHWA-NHI-10-009, 2009, revised 2013),
// Table 4-1, gives Manning's n for street and pavement gutters between 0.012
// (concrete gutter, troweled finish) and 0.016 (rough asphalt, broomed
// concrete); kSt = 1/n = 70 is n = 0.0143, the middle of that range, and the
// default of the curb and V-gutter calculator of this program.
constexpr double kStrickler = 70.0;

// The V-gutter: a strip of 0.50 m in front of the curb with the table's
// cross-fall; beyond it the carriageway with 2.5 %, the usual cross-fall of
// a carriageway in a straight in German road design and the cross-fall the
// gutter and inlet forms of this program start with.
constexpr double kStripWidth = 0.50;
constexpr double kCarriagewayBesideStrip = 2.5;

// Row r of a table is the longitudinal slope 0.2 r %.
constexpr double kSlopeStep = 0.2;

// ---- interception, FHWA HEC-22 3rd edition, chapter 4, grate inlets on grade --
//
// Frontal efficiency, Eq. 4-18: Rf = 1 - Ku (V - Vo) for V > Vo, else 1,
// with Ku = 0.295 in SI units (0.09 in English units: 0.09 / 0.3048).
constexpr double kFrontalKu = 0.295;
// Side-flow efficiency, Eq. 4-19: Rs = 1 / (1 + Ku V^1.8 / (Sx L^2.3)),
// with Ku = 0.0828 in SI units (0.15 in English units: 0.15 * 0.3048^0.5).
constexpr double kSideKu = 0.0828;
constexpr double kSideVelocityExponent = 1.8;
constexpr double kSideLengthExponent = 2.3;
// Frontal flow ratio, Eq. 4-16: Eo = 1 - (1 - W/T)^2.67 for a straight
// cross-fall. HEC-22 obtains it by Izzard's method, integrating the flow of
// a strip of depth y, proportional to y^(5/3) (Manning-Strickler on a wide
// strip), across the spread; 2.67 is the rounded 8/3 of that integral. The
// same integral is taken here across the broken section of the V-gutter,
// which gives HEC-22's composite-gutter ratio (Eq. 4-4) for W equal to the
// strip width.
constexpr double kStripExponent = 5.0 / 3.0;

// Splash-over velocity against grate length, HEC-22 Chart 5B, in the cubic
// fit of the Urban Storm Drainage Criteria Manual of the Urban Drainage and
// Flood Control District (Denver): Vo = a + b L - c L^2 + d L^3 with L in
// feet and Vo in feet per second. The grate type is the 45-degree tilt-bar
// grate, bars across the flow as in the usual cast-iron gully gratings; of
// the grates tested for HEC-22 its splash-over velocity lies between those
// of the parallel-bar grates and that of the reticuline grate.
constexpr double kSplashA = 0.99;
constexpr double kSplashB = 2.64;
constexpr double kSplashC = 0.36;
constexpr double kSplashD = 0.03;
constexpr double kFoot = 0.3048; // m, exact by definition

// The gratings, width across the gutter x length along it (m): I 300x500,
// II 500x500, III 500x800, the second dimension lying along the curb.
constexpr Grate kGrates[3] = {{0.30, 0.50}, {0.50, 0.50}, {0.50, 0.80}};
// The inlet bays: a 500x500 grating at the low end of a bay of the grating's
// width and of the length LB (1.80, 2.70, 4.20 m) set into the gutter. The
// frontal flow reaches the grating as at a grating in the gutter (splash-over
// of the 0.50 m grating, no credit for the water slowing down in the bay);
// the side flow enters the bay over its whole length LB.
constexpr double kBayLengths[3] = {1.80, 2.70, 4.20};

// ---- files -------------------------------------------------------------------
//
// Header bytes: the family (0, 1, 2), the cross-fall in tenths of a per cent
// (10 ... 60, 70 ... 150) and the version of the table layout (1). The
// program does not read them; they say which table a file holds.
constexpr unsigned char kLayoutVersion = 1;

// Bed height above the curb invert at distance x from the curb, m.
double Bed(const Road& road, double x)
{
    if (road.family != kVGutter)
        return x * road.crossFall / 100;
    if (x <= kStripWidth)
        return x * road.crossFall / 100;
    return kStripWidth * road.crossFall / 100 + (x - kStripWidth) * kCarriagewayBesideStrip / 100;
}

// Integral of y^(5/3) from x0 to x1 over a bed that rises linearly with the
// fall m (m/m) between them; y = level - bed.
double StripFlow(double level, double bed0, double bed1, double x0, double x1)
{
    const double y0 = std::max(level - bed0, 0.0);
    const double y1 = std::max(level - bed1, 0.0);
    const double m = (bed1 - bed0) / (x1 - x0);
    const double e = kStripExponent + 1;
    if (m <= 0) // a flat piece (never in the tables): constant depth
        return std::pow(y0, kStripExponent) * (x1 - x0);
    return (std::pow(y0, e) - std::pow(y1, e)) / (e * m);
}

// Integral of y^(5/3) from the curb to x across the section filled to level.
double StripFlowUpTo(const Road& road, double level, double x)
{
    double sum = 0;
    double from = 0;
    if (road.family == kVGutter && x > kStripWidth) {
        sum += StripFlow(level, 0, Bed(road, kStripWidth), 0, kStripWidth);
        from = kStripWidth;
    }
    if (x > from)
        sum += StripFlow(level, Bed(road, from), Bed(road, x), from, x);
    return sum;
}

GutterFlow Flow(const Road& road, double b)
{
    GutterData data;
    data.kSt = kStrickler;
    data.s = road.slope;
    if (road.family == kVGutter) {
        data.qf = kCarriagewayBesideStrip;
        data.bS = kStripWidth;
        data.qS = road.crossFall;
        return ComputeGutterFlow({data, GutterForm::V, GutterGiven::Width, b});
    }
    data.qf = road.crossFall;
    return ComputeGutterFlow({data, GutterForm::Curb, GutterGiven::Width, b});
}

} // namespace

int FamilyOf(int table) { return table < 11 ? kCurbGutter : table < 22 ? kInletBay : kVGutter; }

double CrossFallOf(int table)
{
    if (table < 22)
        return 1.0 + 0.5 * (table % 11);
    return 7.0 + (table - 22);
}

double SlopeOfRow(int row)
{
    // Row 0 is the level gutter, s = 0 %. Manning-Strickler carries nothing
    // without a slope (the gutter flow gives v = 0 and Q = 0 there, without
    // dividing by the slope), and an inlet intercepts nothing of no flow, so
    // every capacity of row 0 is 0. A level gutter does drain, its water
    // surface falling towards the inlet, but how much it carries then
    // depends on the spacing of the inlets itself and is no part of the
    // method; assuming some fall would put capacities into the table that
    // the method does not give, and spacings larger than it supports. Below
    // 0.2 % the look-up interpolates linearly towards 0, which stays under
    // the method's growth with the square root of the slope (at 0.1 % half
    // the capacity of 0.2 % against 71 % of it): on the safe side.
    return kSlopeStep * row;
}

double GutterCapacity(const Road& road, double b) { return Flow(road, b).Q; }

double FrontalFlowRatio(const Road& road, double b, double w)
{
    if (w >= b)
        return 1.0;
    const double level = Bed(road, b); // the water reaches the bed at the spread
    const double all = StripFlowUpTo(road, level, b);
    if (!(all > 0))
        return 1.0;
    return std::clamp(StripFlowUpTo(road, level, w) / all, 0.0, 1.0);
}

double SplashOverVelocity(double length)
{
    const double L = length / kFoot;
    return (kSplashA + kSplashB * L - kSplashC * L * L + kSplashD * L * L * L) * kFoot;
}

double FrontalEfficiency(double v, double splashOver)
{
    if (v <= splashOver)
        return 1.0;
    return std::max(0.0, 1.0 - kFrontalKu * (v - splashOver));
}

double SideFlowEfficiency(double v, double sx, double length)
{
    return 1.0 / (1.0 + kSideKu * std::pow(v, kSideVelocityExponent) / (sx * std::pow(length, kSideLengthExponent)));
}

Grate GrateOf(int family, int variant) { return family == kInletBay ? kGrates[1] : kGrates[variant]; }

double SideFlowLength(int family, int variant)
{
    return family == kInletBay ? kBayLengths[variant] : kGrates[variant].length;
}

double InletCapacity(const Road& road, double b, int variant)
{
    const GutterFlow flow = Flow(road, b);
    const Grate grate = GrateOf(road.family, variant);
    // The side flow runs in towards the grating down the cross-fall at the
    // grating's outer edge: the strip's for a grating narrower than the
    // V-gutter strip, else the carriageway's.
    double sx = road.crossFall / 100;
    if (road.family == kVGutter && grate.width >= kStripWidth)
        sx = kCarriagewayBesideStrip / 100;
    const double eo = FrontalFlowRatio(road, b, grate.width);
    const double rf = FrontalEfficiency(flow.v, SplashOverVelocity(grate.length));
    const double rs = SideFlowEfficiency(flow.v, sx, SideFlowLength(road.family, variant));
    const double e = rf * eo + rs * (1 - eo);
    return std::min(e * flow.Q, flow.Q);
}

std::int16_t Tenths(double litresPerSecond)
{
    const double tenths = std::round(litresPerSecond * 10);
    if (!(tenths >= 0 && tenths <= 32767))
        return CInletTables::kNoValue;
    return static_cast<std::int16_t>(tenths);
}

std::array<std::int16_t, CInletTables::kWords> PlainTable(int table)
{
    std::array<std::int16_t, CInletTables::kWords> words{};
    const int family = FamilyOf(table);
    const double crossFall = CrossFallOf(table);
    for (int r = 0; r < CInletTables::kRows; ++r) {
        const Road road{family, crossFall, SlopeOfRow(r)};
        std::int16_t* row = words.data() + r * CInletTables::kColumns;
        // Columns: gutter at 0.30 m; then per width 0.50 ... 1.00 m the
        // gutter and the three inlets.
        row[0] = Tenths(GutterCapacity(road, kSpreads[0]));
        for (int j = 1; j < 5; ++j) {
            const int c = 1 + 4 * (j - 1);
            row[c] = Tenths(GutterCapacity(road, kSpreads[j]));
            for (int k = 0; k < 3; ++k)
                row[c + 1 + k] = Tenths(InletCapacity(road, kSpreads[j], k));
        }
    }
    return words;
}

std::vector<DataFile> InletTableFiles()
{
    std::vector<DataFile> files;
    for (int t = 0; t < CInletTables::kTables; ++t) {
        std::array<std::int16_t, CInletTables::kWords> words = PlainTable(t);
        int keyPosition = 0;
        CInletTables::ApplyKey(words.data(), words.size(), keyPosition);

        DataFile file;
        for (const char* c = CInletTables::kFileNames[static_cast<std::size_t>(t)]; *c; ++c)
            file.name += LowerAscii(*c);
        file.bytes.push_back(static_cast<char>(FamilyOf(t)));
        file.bytes.push_back(static_cast<char>(std::lround(CrossFallOf(t) * 10)));
        file.bytes.push_back(static_cast<char>(kLayoutVersion));
        for (const std::int16_t w : words) {
            const auto u = static_cast<std::uint16_t>(w);
            file.bytes.push_back(static_cast<char>(u & 0xFF));
            file.bytes.push_back(static_cast<char>(u >> 8));
        }
        files.push_back(std::move(file));
    }
    return files;
}

} // namespace dralun::gen
