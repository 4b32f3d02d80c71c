#pragma once
// Cross-section of a rectangular (frame) culvert of clear width b and clear
// height h with a bed fill of depth t on its floor. Lengths in m, areas in m².
#include "core/CalcSteps.h"

namespace dralun {

struct BoxBedInput {
    double b = 0; // clear width, m
    double h = 0; // clear height, m
    double t = 0; // depth of the bed fill, m
    double y = 0; // water depth above the bed surface (above the floor without a bed), m
};

struct BoxBedSection {
    double bedArea = 0;           // b t
    double bedWidth = 0;          // wetted perimeter of the bed surface
    double waterLevel = 0;        // water level above the floor, y + t
    bool full = false;            // the water reaches the soffit
    double flowArea = 0;          // between bed surface and water level, at most up to the soffit
    double wallPerimeter = 0;     // wetted walls, with the soffit when full
    double concretePerimeter = 0; // wetted walls, the soffit when full, the floor without a bed
};

// The steps name the inputs b, h, t and h2 (for y), as the culvert form
// does; the caller binds them.
BoxBedSection ComputeBoxBedSection(const BoxBedInput& in, CSteps& steps = NoSteps());

} // namespace dralun
