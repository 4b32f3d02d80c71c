#include "core/CircularArc.h"

#include "core/Constants.h"

namespace dralun {

double CircularArc(double r, double theta) { return 2 * kPi * r * theta * 180 / kPi / 360; }

std::string CircularArcFormula(std::string_view r, std::string_view theta)
{
    return "2 * pi * " + std::string(r) + " * " + std::string(theta) + " * 180 / pi / 360";
}

double CircularArcStep(CSteps& steps, std::string_view text, std::string_view symbol, std::string_view rSymbol,
                       std::string_view thetaSymbol, double r, double theta)
{
    const double arc = CircularArc(r, theta);
    if (!steps.Recording())
        return arc;
    return steps.Step(text, symbol, CircularArcFormula(rSymbol, thetaSymbol), arc, "m");
}

} // namespace dralun
