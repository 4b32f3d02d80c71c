#pragma once
// The arc of a circle: its length over a central angle, in the degree form
// the guidelines write it in, 2 π r · θ° / 360 with θ° = θ · 180 / π. Any
// section with a circular wall (pipe, swale, infiltration swale) measures its
// wetted arc this way.
#include <string>
#include <string_view>

#include "core/CalcSteps.h"

namespace dralun {

// Arc length of a circle of radius r over the central angle theta (rad).
double CircularArc(double r, double theta);

// Its formula in symbols, "2 * pi * r * theta * 180 / pi / 360", with the
// radius and the angle named as given.
std::string CircularArcFormula(std::string_view r, std::string_view theta);

// The arc as one step: computes it from r and theta and records it as
// `symbol`, its formula naming the radius rSymbol and the angle thetaSymbol.
// The computation binds pi (steps.Let("pi", kPi)) as it binds g.
double CircularArcStep(CSteps& steps, std::string_view text, std::string_view symbol, std::string_view rSymbol,
                       std::string_view thetaSymbol, double r, double theta);

} // namespace dralun
