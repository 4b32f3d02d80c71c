#pragma once
// Storage and water balance of one section of an infiltration swale or
// trench between two thresholds (low weirs across the bed, every L_s metres).
//
// Behind the lower threshold the water is retained up to its crest, h_s
// above the bed, and reaches upstream along the bed, falling with J, over
// L_max = h_s / (J/1000); at the upper threshold it stands t_E deep. The
// storage volume lies between the water cross-sections at the lower
// threshold (depth h_s) and at the upper one (depth t_E); it seeps away
// through the infiltration area As with the rate kf·kfu·As. The balance
// compares the inflow of a design rain from the impervious catchment with
// what seeps away during the rain.
//
// Lengths in m, areas in m², volumes in m³, J in per mille, kf in m/s, rain
// intensities in l/(s·ha), durations in min.
//
// Each step records itself in the calculation report's log, with the
// symbols of the form's fields (J, hs, Ls, tE, kf, ...) and of its results
// (A_u, V, Asmax, V_genutzt, ...); the water cross-sections come from the
// form's shape (CInfiltrationSections).
#include "core/CalcSteps.h"

namespace dralun {

class CRainfallTable;

enum class InfiltrationMode {
    Spacing,   // L_s given, t_E follows
    Immersion, // t_E given, L_s follows
};

// Why the thresholds cannot be worked out.
enum class InfiltrationThresholdStatus {
    Ok,
    FallingSlopeInSpacingMode, // J < 0 with L_s given (where the form refuses it)
    SlopeInImmersionMode,      // J <= 0 with t_E given: the water would reach no end
    ImmersionNegative,         // t_E < 0
    ImmersionNotBelowThreshold // t_E >= h_s: spacing <= 0
};

struct InfiltrationThresholdInput {
    InfiltrationMode mode = InfiltrationMode::Immersion;
    double J = 0;  // bed slope
    double hs = 0; // threshold height
    double Ls = 0; // spacing, taken in spacing mode
    double tE = 0; // immersion depth, taken in immersion mode
    bool refuseFallingSlope = true;
};

struct InfiltrationThresholds {
    InfiltrationThresholdStatus status = InfiltrationThresholdStatus::Ok;
    double Ls = 0;   // spacing of the thresholds
    double tE = 0;   // water depth at the upper threshold
    double Lmax = 0; // reach of the retained water
};

// The spacing or the immersion depth, whichever the mode leaves open.
InfiltrationThresholds ComputeInfiltrationThresholds(const InfiltrationThresholdInput& in, CSteps& steps = NoSteps());

// Water cross-sections at the lower (u) and the upper (o) threshold.
struct InfiltrationSections {
    double Au = 0, luU = 0, bU = 0; // area, wetted perimeter, surface width
    double Ao = 0, luO = 0, bO = 0;
};

struct InfiltrationStorageInput {
    InfiltrationThresholds thresholds;
    double hs = 0; // threshold height
    InfiltrationSections sections;
};

struct InfiltrationStorage {
    double L = 0;         // length over which the water stands
    double V = 0;         // storage volume of the section
    double Asmax = 0;     // mean surface width times L
    double Asmittel = 0;  // half of it
    double AsmaxR = 0;    // the same with the wetted threshold faces h_s and t_E
    double AsmittelR = 0; // half of it
};

// Volume (a frustum between the two sections, a wedge when the upper one is
// empty) and the four infiltration areas.
InfiltrationStorage ComputeInfiltrationStorage(const InfiltrationStorageInput& in, CSteps& steps = NoSteps());

// The infiltration area the balance uses: one of the four, or one typed in.
enum class InfiltrationArea { Max, MaxR, Mean, MeanR, Typed, None };
double ChooseInfiltrationArea(const InfiltrationStorage& storage, InfiltrationArea area, double typed,
                              CSteps& steps = NoSteps());

// What the balance needs besides the rain.
struct InfiltrationCatchment {
    double kf = 0;         // permeability
    double kfu = 0;        // factor on kf
    double As = 0;         // infiltration area
    double Ls = 0;         // the catchment belongs to the whole spacing, not to L
    double AuPerMetre = 0; // impervious area per metre of swale, m²/m
    double Au1 = 0;        // further impervious areas
    double Au2 = 0;
};

struct InfiltrationBalanceInput {
    InfiltrationCatchment catchment;
    double V = 0; // storage volume of the section
    double r = 0; // the design rain typed in: intensity ...
    double D = 0; // ... for the duration D
    // The rows of a rainfall series instead of the typed rain (nullptr: the typed rain).
    const CRainfallTable* table = nullptr;
};

enum class InfiltrationBalanceStatus {
    Ok,
    NotDeterminable, // a value of the balance is no number
};

struct InfiltrationBalanceResult {
    InfiltrationBalanceStatus status = InfiltrationBalanceStatus::Ok;
    double Vused = 0;             // storage needed after infiltration (may be negative)
    double overflow = 0;          // V - needed when that is <= 0, else 0
    double governingDuration = 0; // min
};

// With the typed rain: intensity r for the duration D. With the 18 rows of
// the rainfall table: the row that needs the most storage governs (strictly
// larger wins, ties keep the earlier row); the report writes out the
// governing row and lists every row with its volume. Either balance records
// its steps only when its results are numbers.
InfiltrationBalanceResult ComputeInfiltrationBalance(const InfiltrationBalanceInput& in, CSteps& steps = NoSteps());

} // namespace dralun
