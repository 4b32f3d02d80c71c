#pragma once
// Trapezoidal channel of bottom width b with bank slopes 1 : m1 (left) and
// 1 : m2 (right), filled to the water depth t. Lengths in m, areas in m².
namespace dralun {

struct TrapezoidSectionInput {
    double b = 0;  // bottom width, m
    double t = 0;  // water depth, m
    double m1 = 0; // left bank: horizontal run per unit height
    double m2 = 0; // right bank: horizontal run per unit height
};

struct CTrapezoidSection {
    double area = 0;
    double perimeter = 0;       // wetted perimeter: both banks and the bottom
    double hydraulicRadius = 0; // area / perimeter
    double surfaceWidth = 0;
    double leftBank = 0;        // wetted length of the left bank
    double rightBank = 0;       // wetted length of the right bank
};

// t = 0 gives an empty section of surface width b; any other t, negative
// included, takes the formulas. The steps are the caller's: the ditch and
// the infiltration trench name them differently.
CTrapezoidSection ComputeTrapezoidSection(const TrapezoidSectionInput& in);

} // namespace dralun
