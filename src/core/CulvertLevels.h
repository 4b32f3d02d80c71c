#pragma once
// The two ways a culvert's upstream level is tied to its slope and the
// backwater rise ("Aufstau"), shared by the pipe and the box culvert.
#include "core/CalcSteps.h"

namespace dralun {

// Which of the levels the user gives.
enum class CulvertMode {
    H1Given,    // h1 given, the slope follows
    SlopeGiven, // slope and rise given, h1 follows
};

struct CulvertLevels {
    double h1 = 0;   // upstream water level, m
    double h2 = 0;   // downstream water level, m
    double rise = 0; // backwater rise, cm
    double L = 0;    // culvert length, m
    double I = 0;    // culvert slope, per mille
};

struct CulvertLevelsInput {
    CulvertMode mode = CulvertMode::H1Given;
    CulvertLevels levels;
};

// The levels completed for the mode.
// H1Given: the rise cannot exceed the head difference; the slope is what is
// left of the head difference over the length.
// SlopeGiven: h1 follows from the slope and the rise.
// A value that cannot be determined (a length of 0) keeps its given value.
// The steps name the levels h1, h2, Aufstau, L and I.
CulvertLevels ComputeCulvertLevels(const CulvertLevelsInput& in, CSteps& steps = NoSteps());

} // namespace dralun
