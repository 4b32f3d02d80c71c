#pragma once
// Trapezoidal channel of bottom width b with bank slopes 1 : m1 (left) and
// 1 : m2 (right), filled to the water depth t. Lengths in m, areas in m².
namespace dralun {

class CTrapezoidSection {
public:
    // m1, m2: horizontal run per unit height. t = 0 gives an empty section
    // of surface width b; any other t, negative included, takes the formulas.
    void evaluate(double b, double t, double m1, double m2);

    double area = 0;
    double perimeter = 0;       // wetted perimeter: both banks and the bottom
    double hydraulicRadius = 0; // area / perimeter
    double surfaceWidth = 0;
    double leftBank = 0;        // wetted length of the left bank
    double rightBank = 0;       // wetted length of the right bank
};

} // namespace dralun
