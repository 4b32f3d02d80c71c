#pragma once
// Cross-section of a swale of width B and depth h, filled to the water
// depth t, in two idealisations: the circular segment through both swale
// edges and the bottom, and the parabola with its vertex at the bottom
// through both edges. Lengths in m, areas in m².
#include <string>

namespace dralun {

struct SwaleSectionInput {
    double B = 0; // swale width, m (> 0)
    double h = 0; // swale depth, m (> 0)
    double t = 0; // water depth, m (0 <= t <= h; t <= 0 gives empty sections)
};

struct CSwaleSection {
    // How far the three-term series of the parabola's arc may stray from the
    // exact arc (relative) and still be taken.
    static constexpr double kSeriesTolerance = 0.001;

    double circleRadius = 0;        // circle through (-B/2, h), (0, 0), (B/2, h)
    double circleArea = 0;          // circular segment filled to t
    double circlePerimeter = 0;     // wetted arc of that segment
    double circleWidth = 0;         // water surface width (chord at t)
    double circleAngle = 0;         // central angle of the wetted arc, rad
    double parabolaParameter = 0;   // p of x² = 2 p y
    double parabolaCoefficient = 0; // a of y = a x², 1 / (2 p)
    double parabolaArea = 0;        // parabola filled to t
    // Wetted arc of the parabola: the first three terms of its series where
    // they agree with the exact arc to kSeriesTolerance (flat, wide
    // swales), the exact arc beyond (parabolaSeries says which).
    double parabolaPerimeter = 0;
    double parabolaWidth = 0;     // water surface width at t
    double parabolaArcSeries = 0; // the three-term series
    double parabolaArcExact = 0;  // the exact arc of y = a x² from -x to x
    bool parabolaSeries = true;   // whether parabolaPerimeter is the series
};

// Both idealisations of the section at the water depth in.t. The steps are
// the caller's: the swale and the infiltration swale name them differently.
CSwaleSection ComputeSwaleSection(const SwaleSectionInput& in);

// The parabola's wetted perimeter as a calculation step states it: the
// text says whether the series or the exact arc was taken; the formula is
// written with the given symbols (or bracketed expressions) for the half
// width x, the depth t and the coefficient a of y = a x² (a = 1 / (2 p)).
const char* ParabolaArcText(const CSwaleSection& s);
std::string ParabolaArcFormula(const CSwaleSection& s, const std::string& x, const std::string& t,
                               const std::string& a);

} // namespace dralun
