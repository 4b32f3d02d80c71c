#pragma once
// The two ways a culvert's upstream level is tied to its slope and the
// backwater rise ("Aufstau"), shared by the pipe and the box culvert.
#include "core/CalcSteps.h"

namespace dralun {

struct CulvertLevels {
    double h1;   // upstream water level, m
    double h2;   // downstream water level, m
    double rise; // backwater rise, cm
    double L;    // culvert length, m
    double I;    // culvert slope, per mille
};

// Mode 1 (h1 given): the rise cannot exceed the head difference; the slope
// is what is left of the head difference over the length.
// Mode 2 (slope and rise given): h1 follows from them.
// A value that cannot be determined (a length of 0) keeps its old value.
// The steps name the levels h1, h2, Aufstau, L and I.
void UpdateCulvertLevels(int mode, CulvertLevels& levels, CSteps& steps = NoSteps());

} // namespace dralun
