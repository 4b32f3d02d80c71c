#include "core/CCulvertFlow.h"

#include <cmath>
#include <string>

#include "core/Constants.h"
#include "core/Finite.h"

namespace dralun {

namespace {

// How a culvert names its wall in the steps: the Strickler coefficient and
// the wetted perimeter of the pipe wall or the concrete, and whether the
// section runs full.
struct WallNames {
    const char* kSt;
    const char* lu;
    const char* word; // "Rohrwand", "Beton"
    bool full;
};

void LetBalance(const CulvertBalanceInput& in, const char* kStWall, CSteps& steps)
{
    steps.Let("h1", in.h1);
    steps.Let("h2", in.h2);
    steps.Let("L", in.L);
    steps.Let("zeta_e", in.zetaIn);
    steps.Let("zeta_a", in.zetaOut);
    steps.Let("kStS", in.kStBed);
    steps.Let(kStWall, in.kStWall);
    steps.Let("g", kG);
}

void RecordBalance(const CulvertFlowResult& f, const WallNames& names, CSteps& steps)
{
    const std::string lu = names.lu;
    steps.Step(std::string("Benetzter Umfang von Sohle und ") + names.word, "lu", "lu_Sohle + " + lu, f.wetted, "m");
    steps.Step("Mittlerer Stricklerbeiwert (nach den benetzten Umfängen gewichtet)", "k",
               "(kStS * lu_Sohle + " + std::string(names.kSt) + " * " + lu + ") / lu", f.k, "m^(1/3)/s");
    steps.Step(names.full ? "Hydraulischer Radius (voll laufend)" : "Hydraulischer Radius (teilgefüllt)", "R",
               "A / lu", f.R, "m");
    steps.Step("Beiwert der Ein- und Auslaufverluste", "K_EA", "(zeta_e + zeta_a) / A / A / 2 / g", f.inOutLoss,
               "s²/m⁵");
    steps.Step("Beiwert des Reibungsverlusts nach Manning-Strickler", "K_R",
               "L / A / A / k / k / R^1.33333333333333", f.frictionLoss, "s²/m⁵");
    steps.Step("Energiebilanz: Quadrat des Abflusses", "Q2", "(h1 - h2) / (K_EA + K_R)", f.Q2, "m⁶/s²");
    if (f.Q2 > 0)
        steps.Step("Abfluss", "Q", "sqrt(Q2)", f.Q, "m³/s");
    else
        steps.Taken("Abfluss (Q² ≤ 0: kein Abfluss)", "Q", f.Q, "m³/s");
    steps.Step("Mittlere Fließgeschwindigkeit", "v", "Q / A", f.v, "m/s");
}

// The energy balance over the flow area A, the wetted bed and the wetted wall.
CulvertFlowResult Balance(const CulvertBalanceInput& in, double A, double bed, double wall)
{
    CulvertFlowResult f;
    f.wetted = bed + wall;
    f.k = (in.kStBed * bed + in.kStWall * wall) / f.wetted;
    f.R = A / f.wetted;
    f.inOutLoss = (in.zetaIn + in.zetaOut) / A / A / 2 / kG;
    f.frictionLoss = in.L / A / A / f.k / f.k / std::pow(f.R, 1.33333333333333);
    f.Q2 = (in.h1 - in.h2) / (f.inOutLoss + f.frictionLoss);
    f.Q = f.Q2 > 0 ? std::sqrt(f.Q2) : 0;
    f.v = f.Q / A;
    return f;
}

// What both culverts need of the water and the length; Ok when they give a flow.
CulvertStatus CheckBalance(const CulvertBalanceInput& in)
{
    if (!(in.h2 > 0))
        return CulvertStatus::NoWater;
    if (!(in.L > 0))
        return CulvertStatus::NoLength;
    return CulvertStatus::Ok;
}

CulvertCheck CheckPipe(const PipeCulvertInput& in)
{
    const double D = in.DN / 1000;
    if (!(in.DN > 0))
        return {CulvertStatus::NoDiameter};
    if (in.t < 0)
        return {CulvertStatus::NegativeBed};
    if (in.t >= D)
        return {CulvertStatus::BedFillsPipe, D};
    return {CheckBalance(in.balance)};
}

CulvertCheck CheckBox(const BoxCulvertInput& in)
{
    if (!(in.b > 0))
        return {CulvertStatus::NoWidth};
    if (in.t >= in.h)
        return {CulvertStatus::BedFillsBox, in.h};
    return {CheckBalance(in.balance)};
}

} // namespace

double DnTenthBed(double DN, CSteps& steps)
{
    steps.Let("DN", DN);
    return steps.Step("Höhe der Sohle (DN/10)", "t", "DN / 1000 / 10", DN / 1000 / 10, "m");
}

PipeCulvertResult ComputePipeCulvert(const PipeCulvertInput& in, CSteps& steps)
{
    PipeCulvertResult r;
    r.check = CheckPipe(in);
    if (r.check.status != CulvertStatus::Ok)
        return r;
    steps.Let("DN", in.DN);
    steps.Let("t", in.t);
    LetBalance(in.balance, "kStW", steps);
    steps.Let("pi", kPi);
    r.section = ComputePipeBedSection({in.DN, in.balance.h2, in.t}, steps);
    const PipeBedSection& s = r.section;
    const WallNames names{"kStW", "lu_Wand", "Rohrwand", s.level == PipeBedSection::Level::Full};
    r.flow = Balance(in.balance, s.flowArea, s.bedWidth, s.wallPerimeter);
    if (steps.Recording())
        RecordBalance(r.flow, names, steps);
    if (!AllFinite({r.flow.Q2, r.flow.Q, r.flow.v, s.bedArea, s.bedWidth, s.flowArea, s.wallPerimeter}))
        r.check.status = CulvertStatus::NoDischarge;
    return r;
}

BoxCulvertResult ComputeBoxCulvert(const BoxCulvertInput& in, CSteps& steps)
{
    BoxCulvertResult r;
    r.check = CheckBox(in);
    if (r.check.status != CulvertStatus::Ok)
        return r;
    steps.Let("b", in.b);
    steps.Let("h", in.h);
    steps.Let("t", in.t);
    LetBalance(in.balance, "kStB", steps);
    r.section = ComputeBoxBedSection({in.b, in.h, in.t, in.balance.h2}, steps);
    const BoxBedSection& s = r.section;
    const WallNames names{"kStB", "lu_Beton", "Beton", s.full};
    r.flow = Balance(in.balance, s.flowArea, s.bedWidth, s.concretePerimeter);
    if (steps.Recording())
        RecordBalance(r.flow, names, steps);
    if (!AllFinite({r.flow.Q2, r.flow.Q, r.flow.v, s.bedArea, s.flowArea, s.concretePerimeter}))
        r.check.status = CulvertStatus::NoDischarge;
    return r;
}

} // namespace dralun
