#pragma once
// Flow in a road gutter after Manning-Strickler, for the two gutter forms
// beside a vertical curb face:
// - the curb gutter, the triangle between the curb and the carriageway that
//   falls towards the curb with the cross-fall qf;
// - the V-gutter, a strip of width bS with its own cross-fall qS (depth hS
//   at the curb) in front of the curb; water above hS spreads onto the
//   carriageway with qf.
// Either the water depth h at the curb or the water-spread width b is given.
// Depths h are in cm, widths in m, slopes and cross-falls in per cent. The
// curb face of height h belongs to the wetted perimeter, the water surface
// does not.
//
// For the calculation report the flows record their steps: the road data
// first (RecordRoadData), then each gutter form under the symbols of its
// column, h1, b1, lu1 ... for the curb gutter, h2, b2, lu2 ... for the
// V-gutter.
#include <string>

#include "core/CalcSteps.h"

namespace dralun {

struct GutterData {
    double kSt = 70; // Strickler coefficient, m^(1/3)/s
    double qf = 2.5; // cross-fall of the carriageway, %
    double s = 1.0;  // longitudinal slope of the gutter, %
    double bS = 0.5; // width of the V-gutter strip, m
    double qS = 7.0; // cross-fall of the V-gutter strip, %
};

struct GutterFlow {
    double h = 0;  // water depth at the curb, cm
    double b = 0;  // water-spread width, m
    double lu = 0; // wetted perimeter, m
    double A = 0;  // flow area, m²
    double R = 0;  // hydraulic radius, m
    double v = 0;  // mean velocity, m/s; NaN without a flow section or with a negative slope
    double Q = 0;  // discharge, l/s; NaN with a negative slope
};

class CGutterSection {
public:
    explicit CGutterSection(const GutterData& data) : m_d(data) {}

    // Depth of the V-gutter strip at the curb, m.
    double HS() const { return m_d.qS / 100 * m_d.bS; }
    // Binds kSt, qf, s, bS and qS and records the strip depth hS: the steps
    // of both gutter forms name them.
    void RecordRoadData(CSteps& steps) const;

    GutterFlow CurbAtDepth(double hCm, CSteps& steps = NoSteps()) const;
    GutterFlow CurbAtWidth(double b, CSteps& steps = NoSteps()) const;
    GutterFlow VAtDepth(double hCm, CSteps& steps = NoSteps()) const;
    GutterFlow VAtWidth(double b, CSteps& steps = NoSteps()) const;

    // Why the road data describe no gutter (empty when they do): a
    // carriageway without cross-fall, a strip of negative width or fall.
    std::string DataProblem() const;
    // The slope is negative: the cross-section is known, v and Q are not.
    bool SlopeNegative() const { return m_d.s < 0; }

private:
    struct Symbols; // of one gutter form's column in the report
    static const Symbols& CurbSymbols();
    static const Symbols& VSymbols();

    GutterFlow Triangle(double hCm, double b, CSteps& steps, const Symbols& n) const;
    GutterFlow Spread(double hCm, double c, double e, bool widthFound, CSteps& steps, const Symbols& n) const;
    GutterFlow Finish(GutterFlow flow, CSteps& steps, const Symbols& n) const;

    GutterData m_d;
};

} // namespace dralun
