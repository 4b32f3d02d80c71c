#include "forms/CSwaleDlg.h"

#include <cmath>
#include <initializer_list>
#include <string>

#include "core/CSwaleFlow.h"
#include "core/Finite.h"

namespace dralun {

namespace {
constexpr int kFieldT = 1002;
constexpr int kBPlus = 1012, kBMinus = 1020;
constexpr int kHPlus = 1017, kHMinus = 1021;
constexpr int kTPlus = 1022, kTMinus = 1023;
constexpr int kIPlus = 1026, kIMinus = 1027;
constexpr int kKStPlus = 1037, kKStMinus = 1038;

} // namespace

CSwaleDlg::CSwaleDlg(IMessageSink& sink) : CForm(kTemplateId, sink)
{
    using D = CSwaleDlg;
    // In the order the fields are exchanged.
    static const Field<D> fields[] = {
        {1001, "h", "Muldenhöhe h [m]", "m", Role::In, "0.3", Range{0, 0.6}, &D::m_h},
        {1000, "B", "Breite B [m]", "m", Role::In, "2", Range{0.5, 4.0}, &D::m_B},
        {1002, "t", "Wassertiefe t [m]", "m", Role::In, "0.3", Range{0, 0.6}, &D::m_t},
        {1003, "I", "Gefälle [%o]", "‰", Role::In, "1", Range{0.001, 100}, &D::m_I},
        {1004, "kSt", "kSt [m1/3/s]", "m1/3/s", Role::In, "20", Range{1, 95}, &D::m_kSt},
        {1005, "A_Kreis", "A (t) [m²]", "m²", Role::Out, "0", {}, &D::m_circleA},
        {1006, "lu_Kreis", "lu (t) [m]", "m", Role::Out, "0", {}, &D::m_circleLu},
        {1013, "r_Kreis", "r [m]", "m", Role::Out, "0", {}, &D::m_circleR},
        {1014, "v_Kreis", "v [m/s]", "m/s", Role::Out, "0", {}, &D::m_circleV},
        {1016, "A_Parabel", "A (t) [m²]", "m²", Role::Out, "0", {}, &D::m_parabolaA},
        {1018, "lu_Parabel", "lu (t) [m]", "m", Role::Out, "0", {}, &D::m_parabolaLu},
        {1019, "v_Parabel", "v [m/s]", "m/s", Role::Out, "0", {}, &D::m_parabolaV},
        {1030, "Q_Parabel", "Q [m³/s]", "m³/s", Role::Out, "0", {}, &D::m_parabolaQ},
        {1032, "Q_Gl7", "Q [m³/s]", "m³/s", Role::Out, "0", {}, &D::m_Q7},
        {1015, "Q_Kreis", "Q [m³/s]", "m³/s", Role::Out, "0", {}, &D::m_circleQ},
        {1031, "b_Kreis", "wsp b (t) [m]", "m", Role::Out, "0", {}, &D::m_circleWidth},
        {1043, "b_Parabel", "wsp b (t) [m]", "m", Role::Out, "0", {}, &D::m_parabolaWidth},
    };
    static const ControlDef controls[] = {
        {kIdOk, Ctl::Button, "Rechne"},
        {kIdCancel, Ctl::Button, "Abbruch"},
        {kIdTEqualsH, Ctl::Check, "t = h"},
        {kBPlus, Ctl::Step, "+"},
        {kBMinus, Ctl::Step, "-"},
        {kHPlus, Ctl::Step, "+"},
        {kHMinus, Ctl::Step, "-"},
        {kTPlus, Ctl::Step, "+"},
        {kTMinus, Ctl::Step, "-"},
        {kIPlus, Ctl::Step, "+"},
        {kIMinus, Ctl::Step, "-"},
        {kKStPlus, Ctl::Step, "+"},
        {kKStMinus, Ctl::Step, "-"},
    };
    static const Handler<D> handlers[] = {
        {Ev::Click, kIdOk, &D::OnCompute},
        {Ev::Click, kIdTEqualsH, &D::OnTEqualsH},
        {Ev::Click, kBPlus, &D::OnBPlus},
        {Ev::Click, kBMinus, &D::OnBMinus},
        {Ev::Click, kHPlus, &D::OnHPlus},
        {Ev::Click, kHMinus, &D::OnHMinus},
        {Ev::Click, kTPlus, &D::OnTPlus},
        {Ev::Click, kTMinus, &D::OnTMinus},
        {Ev::Click, kIPlus, &D::OnIPlus},
        {Ev::Click, kIMinus, &D::OnIMinus},
        {Ev::Click, kKStPlus, &D::OnKStPlus},
        {Ev::Click, kKStMinus, &D::OnKStMinus},
    };
    Bind<D>(this, fields);
    AddControls(controls);
    Connect<D>(this, handlers);
}

void CSwaleDlg::OnInitDialog()
{
    SetCheck(kIdTEqualsH, true);
    EnableDepth(false);
    OnCompute();
}

void CSwaleDlg::OnCompute()
{
    BeginComputation();
    // A number outside its range refuses the computation with the read's
    // one message; the checks below are for values the ranges let through.
    // With "t = h" the locked water depth is the swale depth: it is read as
    // such, so that it is refused (or not) exactly as the depth is.
    if (IsChecked(kIdTEqualsH))
        SetText(kFieldT, Text(1001));
    if (!ReadForComputation())
        return;
    // With "t = h" ticked the water stands at the brim: a depth typed since
    // the box was ticked counts for the water depth too.
    if (IsChecked(kIdTEqualsH))
        m_t = m_h;

    if (m_t > m_h) {
        Refuse("Unzulässige Eingabe!\n\nWassertiefe darf nicht größer als Muldenhöhe sein.", MsgIcon::None);
        UpdateData(false);
        return;
    }
    // Without width or depth there is no swale (the circle's radius and the
    // parabola's parameter divide by them); a falling slope has no velocity.
    const char* refusal = nullptr;
    if (!(m_B > 0) || !(m_h > 0))
        refusal = "Unzulässige Eingabe!\n\nBreite B und Muldenhöhe h müssen größer als 0 m sein.";
    else if (m_I < 0)
        refusal = "Unzulässige Eingabe!\n\nDas Gefälle darf nicht negativ sein.";
    if (refusal) {
        Refuse(refusal);
        UpdateData(false);
        return;
    }

    CSteps steps(RecordingSteps());
    const SwaleFlowResult flow = ComputeSwaleFlow({m_B, m_h, m_t, m_I, m_kSt}, steps);
    const CSwaleSection& section = flow.section;

    if (!AllFinite({section.circleRadius, section.circleArea, section.circlePerimeter, section.circleWidth,
                    flow.circleV, flow.circleQ, section.parabolaArea, flow.parabolaLu, section.parabolaWidth,
                    flow.parabolaV, flow.parabolaQ, flow.Q7})) {
        Refuse("Unzulässige Eingabe!\n\nMit diesen Eingaben ist kein Abfluss bestimmbar.");
        UpdateData(false);
        return;
    }

    m_circleA = section.circleArea;
    m_circleLu = section.circlePerimeter;
    m_circleR = section.circleRadius;
    m_circleV = flow.circleV;
    m_circleQ = flow.circleQ;
    m_circleWidth = section.circleWidth;
    m_parabolaA = section.parabolaArea;
    m_parabolaLu = flow.parabolaLu;
    m_parabolaV = flow.parabolaV;
    m_parabolaQ = flow.parabolaQ;
    m_parabolaWidth = section.parabolaWidth;
    m_Q7 = flow.Q7;
    Record(steps);
    UpdateData(false);
}

std::string CSwaleDlg::Method() const { return "Leistungsfähigkeit einer Straßenmulde nach Manning-Strickler"; }

// The box rewrites the water depth from the swale depth as typed.
void CSwaleDlg::OnTEqualsH()
{
    if (IsChecked(kIdTEqualsH))
        UpdateData(true);
    ApplyTEqualsHRule();
}

// The water depth's field and its step buttons are locked while "t = h".
void CSwaleDlg::EnableDepth(bool enable)
{
    Enable(kFieldT, enable);
    Enable(kTPlus, enable);
    Enable(kTMinus, enable);
}

// "t = h": the swale runs brim-full and the water depth field is locked.
void CSwaleDlg::ApplyTEqualsHRule()
{
    if (!IsChecked(kIdTEqualsH)) {
        EnableDepth(true);
        return;
    }
    EnableDepth(false);
    m_t = m_h;
    UpdateData(false);
}

// A step button reads the fields first, so that nothing typed is lost, and
// steps from the value as typed (one outside its range stays refused until
// a step brings it back); it writes the fields and does not compute.
void CSwaleDlg::OnBPlus()
{
    UpdateData(true);
    if (m_B < 3.90001)
        m_B += 0.1;
    UpdateData(false);
}

void CSwaleDlg::OnBMinus()
{
    UpdateData(true);
    if (m_B >= 0.6)
        m_B -= 0.1;
    UpdateData(false);
}

void CSwaleDlg::OnHPlus()
{
    UpdateData(true);
    if (m_h < 0.490001)
        m_h += 0.01;
    ApplyTEqualsHRule();
    UpdateData(false);
}

void CSwaleDlg::OnHMinus()
{
    UpdateData(true);
    if (m_h > 0.05)
        m_h -= 0.01;
    ApplyTEqualsHRule();
    UpdateData(false);
}

// The t buttons are locked while "t = h"; the check stays for safety.
void CSwaleDlg::OnTPlus()
{
    UpdateData(true);
    if (!IsChecked(kIdTEqualsH) && m_h - 0.01 >= m_t)
        m_t += 0.01;
    UpdateData(false);
}

void CSwaleDlg::OnTMinus()
{
    UpdateData(true);
    if (!IsChecked(kIdTEqualsH) && m_t > 0.04)
        m_t -= 0.01;
    UpdateData(false);
}

void CSwaleDlg::OnIPlus()
{
    UpdateData(true);
    if (m_I < 49.900001)
        m_I += 0.1;
    UpdateData(false);
}

void CSwaleDlg::OnIMinus()
{
    UpdateData(true);
    if (m_I > 0.11)
        m_I -= 0.1;
    UpdateData(false);
}

void CSwaleDlg::OnKStPlus()
{
    UpdateData(true);
    if (m_kSt < 89.00001)
        m_kSt += 1;
    UpdateData(false);
}

void CSwaleDlg::OnKStMinus()
{
    UpdateData(true);
    if (m_kSt > 5.999999)
        m_kSt -= 1;
    UpdateData(false);
}

const FormLayout& CSwaleDlg::Layout() const
{
    // Inputs with their step buttons; below them the three columns of
    // results, the row labels once at the left inside "Kreis".
    static const FormLayout layout = {
        PanelAt(0, 0, 1, 1,
                {
                    FieldAt(1000, 0, 0, 10), ControlAt(kBPlus, 0, 2), ControlAt(kBMinus, 0, 3),
                    FieldAt(1001, 1, 0, 10), ControlAt(kHPlus, 1, 2), ControlAt(kHMinus, 1, 3),
                    FieldAt(1002, 2, 0, 10), ControlAt(kTPlus, 2, 2), ControlAt(kTMinus, 2, 3),
                    ControlAt(kIdTEqualsH, 2, 4),
                    FieldAt(1003, 3, 0, 10), ControlAt(kIPlus, 3, 2), ControlAt(kIMinus, 3, 3),
                    FieldAt(1004, 4, 0, 10), ControlAt(kKStPlus, 4, 2), ControlAt(kKStMinus, 4, 3),
                    StretchAt(5, 0),
                }),
        PictureAt(149, 0, 1, 1, 1),
        PanelAt(1, 0, 1, 2,
                {
                    GroupAt("Kreis", 0, 0, 1, 1,
                            {
                                LabelAt("A (t) [m²]", 0, 0), EditAt(1005, 0, 1),
                                LabelAt("lu (t) [m]", 1, 0), EditAt(1006, 1, 1),
                                LabelAt("wsp b (t) [m]", 2, 0), EditAt(1031, 2, 1),
                                LabelAt("r [m]", 3, 0), EditAt(1013, 3, 1),
                                LabelAt("v [m/s]", 4, 0), EditAt(1014, 4, 1),
                                LabelAt("Q [m³/s]", 5, 0), EditAt(1015, 5, 1),
                            }),
                    GroupAt("Parabel", 0, 1, 1, 1,
                            {
                                EditAt(1016, 0, 0),
                                EditAt(1018, 1, 0),
                                EditAt(1043, 2, 0),
                                StretchAt(3, 0),
                                EditAt(1019, 4, 0),
                                EditAt(1030, 5, 0),
                            }),
                    GroupAt("Dralun", 0, 2, 1, 1,
                            {
                                StretchAt(0, 0, 4, 1),
                                LabelAt("Gleichung. (7)", 4, 0, 1, 1, Align::Center),
                                EditAt(1032, 5, 0),
                            }),
                }),
        ButtonColumn(0, 2, 2, {kIdOk, kIdCancel}),
    };
    return layout;
}

} // namespace dralun
