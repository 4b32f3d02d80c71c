#include "core/CPipeRunFlow.h"

#include <cmath>
#include <string>

namespace dralun {

namespace {

// A completed slope field: only a falling slope has one; otherwise the field
// shows 0, so that the next reading of the fields still passes.
double Completed(double value, CSteps& steps, const std::string& text, const char* symbol, const char* formula,
                 const char* unit)
{
    if (std::isfinite(value) && value > 0)
        return steps.Step(text + " (für die Anzeige)", symbol, formula, value, unit);
    return steps.Taken(text + " (kein fallendes Gefälle: 0)", symbol, 0.0, unit);
}

void CompleteSlopes(const PipeReachInput& in, PipeReachResult& r, CSteps& steps)
{
    r.slopePercent = in.slopePercent;
    r.slopeN = in.slopeN;
    switch (in.mode) {
    case CPipeFlow::kFromLevels:
        if (in.L > 0 && in.levelTop > in.levelBottom) {
            r.slopePercent = Completed((in.levelTop - in.levelBottom) / in.L * 100, steps, "Gefälle in %", "I",
                                       "(z_o - z_u) / L * 100", "%");
            r.slopeN = Completed(1 / ((in.levelTop - in.levelBottom) / in.L), steps, "Neigung 1 : n", "n",
                                 "1 / ((z_o - z_u) / L)", "-");
        } else {
            r.slopePercent = steps.Taken("Gefälle in % (Sohlen fallen nicht oder L = 0: 0)", "I", 0.0, "%");
            r.slopeN = steps.Taken("Neigung 1 : n (Sohlen fallen nicht oder L = 0: 0)", "n", 0.0, "-");
        }
        break;
    case CPipeFlow::kPercent:
        r.slopeN = Completed(1 / in.slopePercent * 100, steps, "Neigung 1 : n", "n", "1 / I * 100", "-");
        break;
    case CPipeFlow::kOneIn:
        r.slopePercent = Completed(1 / in.slopeN * 100, steps, "Gefälle in %", "I", "1 / n * 100", "%");
        break;
    default:
        break;
    }
}

} // namespace

PipeReachResult ComputePipeReach(CPipeFlow& pipe, const PipeReachInput& in, CSteps& steps)
{
    pipe.m_mode = in.mode;
    pipe.m_Q = in.Q;
    pipe.m_Qt = in.Q;
    pipe.m_levelTop = in.levelTop;
    pipe.m_levelBottom = in.levelBottom;
    pipe.m_L = in.L;
    pipe.m_slopePercent = in.slopePercent;
    pipe.m_slopeN = in.slopeN;
    pipe.m_kb = in.kb;
    pipe.m_DN = in.DN;

    PipeReachResult r;
    r.computed = pipe.ComputeReach(steps);
    r.vv = pipe.m_vv;
    r.Qv = pipe.m_Qv;
    r.Qt = pipe.m_Qt;
    r.vt = pipe.m_vt;
    r.DrH = pipe.m_DrH;
    r.overloaded = r.computed && std::isfinite(pipe.m_Qv) && pipe.m_Q > pipe.m_Qv;
    CompleteSlopes(in, r, steps);
    return r;
}

} // namespace dralun
