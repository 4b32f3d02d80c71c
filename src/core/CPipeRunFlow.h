#pragma once
// One reach of a gravity sewer: the slope from the way it is given, full
// flow, then overload or part filling; the slope inputs the mode does not
// use are completed with the same slope in their own form.
#include "core/CPipeFlow.h"
#include "core/CalcSteps.h"
#include "core/PipeTables.h"

namespace dralun {

// How the slope is given: none, bottom levels and length, per cent, 1 : n.
enum class PipeSlopeMode { None, FromLevels, Percent, OneIn };

struct PipeReachInput {
    PipeSlopeMode mode = PipeSlopeMode::None;
    double Q = 0;            // design discharge, l/s
    double levelTop = 0;     // bottom level at the upper manhole, m above datum
    double levelBottom = 0;  // bottom level at the lower manhole, m above datum
    double L = 0;            // length of the reach, m
    double slopePercent = 0; // %
    double slopeN = 0;       // slope 1 : n
    double kb = 0;           // operational roughness, mm
    double DN = 0;           // nominal diameter, mm
};

enum class PipeReachStatus {
    NoSlope,    // no slope mode: nothing computed
    NoFullFlow, // a slope of zero or below, or no diameter: vv and Qv not finite, the rest NaN
    Overloaded, // Q > Qv: Qt, vt and DrH are 0 for want of a part filling
    Carried,    // Q <= Qv: part filling (vt, DrH NaN where the table lacks the rows)
};

struct PipeReachResult {
    PipeReachStatus status = PipeReachStatus::NoSlope;
    // NaN (or infinite) where they cannot be determined.
    double J = 0;     // slope of the energy line, m/m
    double D = 0;     // inner diameter, m
    double vv = 0;    // full-flow velocity, m/s
    double Qv = 0;    // full-flow discharge, l/s
    double ratio = 0; // Qt / Qv
    double Qt = 0;    // discharge carried part-full, l/s
    double vt = 0;    // part-filling velocity, m/s
    double DrH = 0;   // flow depth, m
    // The slope inputs as the form shows them after the computation: the
    // one the mode uses as given, the others completed (0 for a slope that
    // does not fall).
    double slopePercent = 0, slopeN = 0;

    bool Computed() const { return status != PipeReachStatus::NoSlope; }
};

PipeReachResult ComputePipeReach(const PipeTables& tables, const PipeReachInput& in, CSteps& steps = NoSteps());

} // namespace dralun
