#pragma once
// Cross-section of a swale of width B and depth h, filled to the water
// depth t, in two idealisations: the circular segment through both swale
// edges and the bottom, and the parabola with its vertex at the bottom
// through both edges. Lengths in m, areas in m².
namespace dralun {

class CSwaleSection {
public:
    // B > 0 and h > 0; 0 <= t <= h. A depth t <= 0 gives empty sections.
    void evaluate(double B, double h, double t);

    double circleRadius = 0;      // circle through (-B/2, h), (0, 0), (B/2, h)
    double circleArea = 0;        // circular segment filled to t
    double circlePerimeter = 0;   // wetted arc of that segment
    double circleWidth = 0;       // water surface width (chord at t)
    double circleAngle = 0;       // central angle of the wetted arc, rad
    double parabolaParameter = 0; // p of x² = 2 p y
    double parabolaArea = 0;      // parabola filled to t
    double parabolaPerimeter = 0; // wetted arc (first three terms of its series)
    double parabolaWidth = 0;     // water surface width at t
};

} // namespace dralun
