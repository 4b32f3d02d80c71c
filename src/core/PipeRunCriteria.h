#pragma once
// The criteria an engineer's rules may ask of a pipe run beside carrying the
// design discharge: a margin to full capacity (the utilisation Q / Qv at
// most eta_max), self-cleansing (the part-filling velocity at least v_min)
// and a largest filling ratio h/d.
#include "core/CPipeRunFlow.h"
#include "core/CalcSteps.h"
#include "core/Verdict.h"

namespace dralun {

struct PipeRunCriteria {
    double etaMax = 100; // %; 100 asks no more than Q <= Qv, no criterion of its own
    double vMin = 0;     // m/s; 0: not asked
    double hdMax = 0;    // h/d, a fraction; 0: not asked
};

// Adds each criterion asked to the verdict of Q against Qv, each a step
// with its value, formula and limit. Without a part filling
// (overloaded, or no full flow) the velocity and the filling ratio have no
// value: such a criterion is not met.
void CheckPipeRunCriteria(Verdict& verdict, const PipeRunCriteria& criteria, const PipeReachResult& reach,
                          CSteps& steps);

} // namespace dralun
