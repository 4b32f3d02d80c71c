#pragma once
// Cross-section of a circular culvert with a bed fill lying in its invert:
// the circular segment taken by the bed, and the flow area and wetted wall
// between the bed surface and the water level. Lengths in m, areas in m².
#include "core/CalcSteps.h"

namespace dralun {

struct PipeBedInput {
    double DN = 0; // nominal diameter, mm
    double y = 0;  // water depth above the bed surface, m
    double t = 0;  // depth of the bed fill above the invert, m (0: no bed)
};

struct PipeBedSection {
    // Where the water level stands in the circle.
    enum class Level { Half, BelowHalf, AboveHalf, Full };

    double D = 0;             // inner diameter
    double r = 0;             // radius
    double fullArea = 0;      // area of the full circle
    double fullPerimeter = 0; // circumference
    double bedAngle = 0;      // central angle of the bed's segment, rad
    double bedArea = 0;       // circular segment filled by the bed
    double bedWidth = 0;      // chord at height t: width of the bed surface
    double bedArc = 0;        // arc of the pipe wall covered by the bed
    double waterLevel = 0;    // water level above the invert, y + t
    Level level = Level::Full;
    double waterAngle = 0;    // central angle of the wetted arc up to the water level, rad
    double levelArea = 0;     // area up to the water level, the bed not yet taken off
    double levelArc = 0;      // wetted arc up to the water level, the bed not yet taken off
    double flowArea = 0;      // area between bed surface and water level
    double wallPerimeter = 0; // wetted arc of the pipe wall above the bed
};

// The formulas need 0 <= t < D and y + t > 0; the culvert form refuses
// anything else. The steps name the inputs DN, h2 (for y) and t, as the
// culvert form does, and use pi; the caller binds them.
PipeBedSection ComputePipeBedSection(const PipeBedInput& in, CSteps& steps = NoSteps());

} // namespace dralun
