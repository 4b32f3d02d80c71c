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

class CInfiltrationBalance {
public:
    enum class Mode {
        Spacing,   // L_s given, t_E follows
        Immersion, // t_E given, L_s follows
    };

    // Why the thresholds cannot be worked out.
    enum class Refusal {
        None,
        FallingSlopeInSpacingMode, // J < 0 with L_s given (where the form refuses it)
        SlopeInImmersionMode,      // J <= 0 with t_E given: the water would reach no end
        ImmersionNegative,         // t_E < 0
        ImmersionNotBelowThreshold // t_E >= h_s: spacing <= 0
    };

    struct Thresholds {
        Refusal refusal = Refusal::None;
        double Ls = 0;   // spacing of the thresholds
        double tE = 0;   // water depth at the upper threshold
        double Lmax = 0; // reach of the retained water
    };

    // The spacing or the immersion depth, whichever the mode leaves open.
    static Thresholds Reach(Mode mode, double J, double hs, double Ls, double tE, bool refuseFallingSlope,
                            CSteps& steps = NoSteps());

    // Water cross-sections at the lower (u) and the upper (o) threshold.
    struct Sections {
        double Au = 0, luU = 0, bU = 0; // area, wetted perimeter, surface width
        double Ao = 0, luO = 0, bO = 0;
    };

    struct Storage {
        double L = 0;         // length over which the water stands
        double V = 0;         // storage volume of the section
        double Asmax = 0;     // mean surface width times L
        double Asmittel = 0;  // half of it
        double AsmaxR = 0;    // the same with the wetted threshold faces h_s and t_E
        double AsmittelR = 0; // half of it
    };

    // Volume (a frustum between the two sections, a wedge when the upper
    // one is empty) and the four infiltration areas.
    static Storage Store(const Thresholds& thresholds, double hs, const Sections& sections,
                         CSteps& steps = NoSteps());

    // The infiltration area the balance uses: one of the four, or one typed in.
    enum class Area { Max, MaxR, Mean, MeanR, Typed, None };
    static double ChooseArea(const Storage& storage, Area area, double typed, CSteps& steps = NoSteps());

    // What the balance needs besides the rain.
    struct Catchment {
        double kf = 0;         // permeability
        double kfu = 0;        // factor on kf
        double As = 0;         // infiltration area
        double Ls = 0;         // the catchment belongs to the whole spacing, not to L
        double AuPerMetre = 0; // impervious area per metre of swale, m²/m
        double Au1 = 0;        // further impervious areas
        double Au2 = 0;
    };

    struct Result {
        double Vused = 0;             // storage needed after infiltration (may be negative)
        double overflow = 0;          // V - needed when that is <= 0, else 0
        double governingDuration = 0; // min
    };

    // The design rain typed in: intensity r for the duration D.
    static Result WithTypedRain(const Catchment& catchment, double V, double r, double D, CSteps& steps = NoSteps());
    // The 18 rows of the rainfall table: the row that needs the most storage
    // governs (strictly larger wins, ties keep the earlier row). The report
    // writes out the governing row and lists every row with its volume.
    // Either balance records its steps only when its results are numbers.
    static Result WithRainfallTable(const Catchment& catchment, double V, const CRainfallTable& table,
                                    CSteps& steps = NoSteps());
};

} // namespace dralun
