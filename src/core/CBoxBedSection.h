#pragma once
// Cross-section of a rectangular (frame) culvert of clear width b and clear
// height h with a bed fill of depth t on its floor. Lengths in m, areas in m².
namespace dralun {

class CBoxBedSection {
public:
    // y: water depth above the bed surface (above the floor without a bed).
    void evaluate(double b, double h, double t, double y);

    double bedArea = 0;           // b t
    double bedWidth = 0;          // wetted perimeter of the bed surface
    double flowArea = 0;          // between bed surface and water level, at most up to the soffit
    double concretePerimeter = 0; // wetted walls, the soffit when full, the floor without a bed
};

} // namespace dralun
