#include "core/CPipeRunFlow.h"

#include <cmath>
#include <limits>
#include <string>

#include "core/Constants.h"

namespace dralun {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// J from the slope inputs of the mode (one is given).
double Slope(const PipeReachInput& in, CSteps& steps)
{
    switch (in.mode) {
    case PipeSlopeMode::FromLevels: {
        const double J = (in.levelTop - in.levelBottom) / in.L;
        if (steps.Recording()) {
            steps.Let("z_o", in.levelTop);
            steps.Let("z_u", in.levelBottom);
            steps.Let("L", in.L);
            if (std::isfinite(J))
                steps.Step("Gefälle aus den Schachtsohlen und der Länge", "J", "(z_o - z_u) / L", J, "m/m");
        }
        return J;
    }
    case PipeSlopeMode::Percent: {
        const double J = in.slopePercent / 100;
        steps.Let("I", in.slopePercent);
        steps.Step("Gefälle aus der Angabe in %", "J", "I / 100", J, "m/m");
        return J;
    }
    default: { // PipeSlopeMode::OneIn
        const double J = 1 / in.slopeN;
        steps.Let("n", in.slopeN);
        if (std::isfinite(J))
            steps.Step("Gefälle aus der Neigung 1 : n", "J", "1 / n", J, "m/m");
        return J;
    }
    }
}

// A completed slope input: only a falling slope has one; otherwise it is 0,
// so that the next reading of the fields still passes.
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
    case PipeSlopeMode::FromLevels:
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
    case PipeSlopeMode::Percent:
        r.slopeN = Completed(1 / in.slopePercent * 100, steps, "Neigung 1 : n", "n", "1 / I * 100", "-");
        break;
    case PipeSlopeMode::OneIn:
        r.slopePercent = Completed(1 / in.slopeN * 100, steps, "Gefälle in %", "I", "1 / n * 100", "%");
        break;
    default:
        break;
    }
}

// Full flow, then overload or part filling, at the slope r.J.
void Hydraulics(const PipeTables& tables, const PipeReachInput& in, PipeReachResult& r, CSteps& steps)
{
    r.D = in.DN / 1000;
    steps.Step("Innendurchmesser", "D", "DN / 1000", r.D, "m");
    UsePipeDiameterRow(tables, in.DN, steps);
    const PipeFullFlow full = ComputePipeFullFlow(r.D, r.J, in.kb, steps);
    r.vv = full.vv;
    r.Qv = full.Qv;
    if (!std::isfinite(r.vv) || !std::isfinite(r.Qv)) {
        // A slope of zero or below, or no diameter: the pipe has no full-flow
        // capacity, so neither overload nor part filling can be decided.
        r.status = PipeReachStatus::NoFullFlow;
        r.Qt = r.ratio = r.vt = r.DrH = kNaN;
        return;
    }
    if (in.Q > r.Qv) {
        // Overloaded: the pipe does not carry Q part-full.
        r.status = PipeReachStatus::Overloaded;
        r.ratio = kNaN;
        r.DrH = 0;
        r.Qt = 0;
        r.vt = 0;
        steps.Taken("Abfluss bei Teilfüllung (überlastet: Q > Qv, keine Teilfüllung)", "Qt", r.Qt, "l/s");
        steps.Taken("Fließgeschwindigkeit bei Teilfüllung (überlastet)", "vt", r.vt, "m/s");
        steps.Taken("Fülltiefe (überlastet)", "DrH", r.DrH, "m");
        return;
    }
    r.status = PipeReachStatus::Carried;
    r.Qt = steps.Step("Abfluss bei Teilfüllung (Q ≤ Qv)", "Qt", "Q", in.Q, "l/s");
    const PipePartFilling part = ComputePipePartFilling(tables, {r.Qt, r.Qv, r.vv, r.D}, steps);
    r.ratio = part.ratio;
    r.vt = part.vt;
    r.DrH = part.DrH;
}

} // namespace

PipeReachResult ComputePipeReach(const PipeTables& tables, const PipeReachInput& in, CSteps& steps)
{
    PipeReachResult r;
    if (steps.Recording()) {
        steps.Let("Q", in.Q);
        steps.Let("kb", in.kb);
        steps.Let("DN", in.DN);
        steps.Let("g", kG);
        steps.Let("pi", kPi);
        steps.Let("nu", kNu);
    }
    if (in.mode != PipeSlopeMode::None) {
        r.J = Slope(in, steps);
        Hydraulics(tables, in, r, steps);
    }
    CompleteSlopes(in, r, steps);
    return r;
}

} // namespace dralun
