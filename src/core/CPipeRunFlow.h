#pragma once
// One reach of the pipe run form: the inputs of the form go into the pipe
// engine, the reach is computed, and the slope fields that the mode does not
// use are completed with the same slope in their own form.
#include "core/CPipeFlow.h"
#include "core/CalcSteps.h"

namespace dralun {

struct PipeReachInput {
    int mode = CPipeFlow::kNoSlope; // how the slope is given (CPipeFlow::Mode)
    double Q = 0;                   // design discharge, l/s
    double levelTop = 0;            // bottom level at the upper manhole, m above datum
    double levelBottom = 0;         // bottom level at the lower manhole, m above datum
    double L = 0;                   // length of the reach, m
    double slopePercent = 0;        // %
    double slopeN = 0;              // slope 1 : n
    double kb = 0;                  // operational roughness, mm
    double DN = 0;                  // nominal diameter, mm
};

struct PipeReachResult {
    bool computed = false; // false in mode 0
    // Not finite when they cannot be determined.
    double vv = 0, Qv = 0, Qt = 0, vt = 0, DrH = 0;
    // Q > Qv: the pipe does not carry Q part-full, and Qt, vt and DrH are
    // 0 for want of a part filling, not values of one.
    bool overloaded = false;
    // The slope fields as the form shows them after the computation: the
    // one the mode uses as given, the others completed (0 for a slope that
    // does not fall).
    double slopePercent = 0, slopeN = 0;
};

PipeReachResult ComputePipeReach(CPipeFlow& pipe, const PipeReachInput& in, CSteps& steps);

} // namespace dralun
