#pragma once
#include "generators/DataFile.h"
// The 31 inlet capacity tables of the installation medium (b1-0.bin ...
// sp15-0.bin): for each gutter form and cross-fall, the capacity of the
// gutter at the water-spread widths b = 0.30, 0.50, 0.70, 0.85 and 1.00 m
// and the flow that three inlet variants intercept from that gutter flow,
// for the longitudinal slopes 0 %, 0.2 %, ... 8 %.
//
// Gutter flow: Manning-Strickler over the gutter section of the curb and
// V-gutter calculator (ComputeGutterFlow, water-spread width given).
// Interception: the grate-inlet-on-grade method of FHWA HEC-22 (frontal flow
// ratio, frontal efficiency with the splash-over velocity, side-flow
// efficiency). Every constant is stated with its source in InletTables.cpp.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/CInletTables.h"

namespace dralun::gen {

// Gutter form, the table family: 0 curb gutter, 1 inlet bay (curb gutter
// with a bay), 2 V-gutter.
enum Family { kCurbGutter = 0, kInletBay = 1, kVGutter = 2 };

// A grating: width across the gutter (from the curb) and length along it, m.
struct Grate {
    double width;
    double length;
};

// One cell's road: gutter form, the table's cross-fall (%: of the
// carriageway for families 0 and 1, of the V-gutter strip for family 2) and
// the longitudinal slope (%).
struct Road {
    int family;
    double crossFall;
    double slope;
};

// The water-spread widths of the five gutter columns, m.
inline constexpr std::array<double, 5> kSpreads = {0.30, 0.50, 0.70, 0.85, 1.00};

// Cross-fall of table t (%) and its family.
int FamilyOf(int table);
double CrossFallOf(int table);

// Gutter capacity at spread b, l/s (Manning-Strickler).
double GutterCapacity(const Road& road, double b);
// Flow the inlet variant (0, 1, 2) intercepts at spread b, l/s; never more
// than the gutter capacity.
double InletCapacity(const Road& road, double b, int variant);

// The pieces of the interception method, for the checks.
// Share of the gutter flow that runs within the width w from the curb.
double FrontalFlowRatio(const Road& road, double b, double w);
// Splash-over velocity of the grate type used, m/s, for a grate length in m.
double SplashOverVelocity(double length);
// Share of the frontal flow a grate intercepts at the mean velocity v (m/s).
double FrontalEfficiency(double v, double splashOver);
// Share of the side flow intercepted along the length L (m) at the mean
// velocity v (m/s) and the cross-fall sx (m/m).
double SideFlowEfficiency(double v, double sx, double length);

// The grating and the side-flow length of an inlet variant of a family.
Grate GrateOf(int family, int variant);
double SideFlowLength(int family, int variant);

// The slope at which row r is computed, %: 0.2 r, so row 0 is the level
// gutter, where the method gives 0 (see InletTables.cpp).
double SlopeOfRow(int row);

// A value in tenths of a litre per second as the file holds it, or the
// sentinel -9 where the method gives no value a word can hold.
std::int16_t Tenths(double litresPerSecond);

// Table t unscrambled, 697 words row after row.
std::array<std::int16_t, CInletTables::kWords> PlainTable(int table);

// The 31 files as they go onto the installation medium.
std::vector<DataFile> InletTableFiles();

} // namespace dralun::gen
