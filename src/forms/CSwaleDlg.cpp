#include "forms/CSwaleDlg.h"

#include <string>

#include "core/CSwaleFlow.h"

namespace dralun {

namespace {

// What the user is told when the swale carries no computed discharge.
const char* RefusalText(SwaleFlowStatus status)
{
    switch (status) {
    case SwaleFlowStatus::DepthAboveBrim:
        return "Unzulässige Eingabe!\n\nWassertiefe darf nicht größer als Muldenhöhe sein.";
    case SwaleFlowStatus::NoSwale:
        // Without width or depth there is no circle and no parabola.
        return "Unzulässige Eingabe!\n\nBreite B und Muldenhöhe h müssen größer als 0 m sein.";
    case SwaleFlowStatus::FallingSlope:
        return "Unzulässige Eingabe!\n\nDas Gefälle darf nicht negativ sein.";
    case SwaleFlowStatus::NotDeterminable:
    case SwaleFlowStatus::Ok:
        break;
    }
    return "Unzulässige Eingabe!\n\nMit diesen Eingaben ist kein Abfluss bestimmbar.";
}

} // namespace

CSwaleDlg::CSwaleDlg(IMessageSink& sink) : CForm(kDescription, sink)
{
    using D = CSwaleDlg;
    // In the order the fields are exchanged.
    static const Field<D> fields[] = {
        {kIdH, "h", "Muldenhöhe h [m]", "m", Role::In, "0.3", Range{0, 0.6}, &D::m_h},
        {kIdB, "B", "Breite B [m]", "m", Role::In, "2", Range{0.5, 4.0}, &D::m_B},
        {kIdT, "t", "Wassertiefe t [m]", "m", Role::In, "0.3", Range{0, 0.6}, &D::m_t},
        {kIdI, "I", "Gefälle [%o]", "‰", Role::In, "1", Range{0.001, 100}, &D::m_I},
        {kIdKSt, "kSt", "kSt [m1/3/s]", "m^(1/3)/s", Role::In, "20", Range{1, 95}, &D::m_kSt},
        {kIdAKreis, "A_Kreis", "A (t) [m²]", "m²", Role::Out, "0", {}, &D::m_circleA},
        {kIdLuKreis, "lu_Kreis", "lu (t) [m]", "m", Role::Out, "0", {}, &D::m_circleLu},
        {kIdRKreis, "r_Kreis", "r [m]", "m", Role::Out, "0", {}, &D::m_circleR},
        {kIdVKreis, "v_Kreis", "v [m/s]", "m/s", Role::Out, "0", {}, &D::m_circleV},
        {kIdAParabel, "A_Parabel", "A (t) [m²]", "m²", Role::Out, "0", {}, &D::m_parabolaA},
        {kIdLuParabel, "lu_Parabel", "lu (t) [m]", "m", Role::Out, "0", {}, &D::m_parabolaLu},
        {kIdVParabel, "v_Parabel", "v [m/s]", "m/s", Role::Out, "0", {}, &D::m_parabolaV},
        {kIdQParabel, "Q_Parabel", "Q [m³/s]", "m³/s", Role::Out, "0", {}, &D::m_parabolaQ},
        {kIdQGl7, "Q_Gl7", "Q [m³/s]", "m³/s", Role::Out, "0", {}, &D::m_Q7},
        {kIdQKreis, "Q_Kreis", "Q [m³/s]", "m³/s", Role::Out, "0", {}, &D::m_circleQ},
        {kIdBKreis, "b_Kreis", "wsp b (t) [m]", "m", Role::Out, "0", {}, &D::m_circleWidth},
        {kIdBParabel, "b_Parabel", "wsp b (t) [m]", "m", Role::Out, "0", {}, &D::m_parabolaWidth},
        {kIdQerf, "Qerf", "Q erforderlich [m³/s]", "m³/s", Role::In, "0", Range{0, 100}, &D::m_Qerf},
    };
    static const ControlDef controls[] = {
        {kIdTEqualsH, Ctl::Check, "t = h"},
        {kIdBPlus, Ctl::Step, "+"},
        {kIdBMinus, Ctl::Step, "-"},
        {kIdHPlus, Ctl::Step, "+"},
        {kIdHMinus, Ctl::Step, "-"},
        {kIdTPlus, Ctl::Step, "+"},
        {kIdTMinus, Ctl::Step, "-"},
        {kIdIPlus, Ctl::Step, "+"},
        {kIdIMinus, Ctl::Step, "-"},
        {kIdKStPlus, Ctl::Step, "+"},
        {kIdKStMinus, Ctl::Step, "-"},
    };
    static const Handler<D> handlers[] = {
        {Ev::Click, kIdTEqualsH, &D::OnTEqualsH},
        {Ev::Click, kIdBPlus, &D::OnBPlus},
        {Ev::Click, kIdBMinus, &D::OnBMinus},
        {Ev::Click, kIdHPlus, &D::OnHPlus},
        {Ev::Click, kIdHMinus, &D::OnHMinus},
        {Ev::Click, kIdTPlus, &D::OnTPlus},
        {Ev::Click, kIdTMinus, &D::OnTMinus},
        {Ev::Click, kIdIPlus, &D::OnIPlus},
        {Ev::Click, kIdIMinus, &D::OnIMinus},
        {Ev::Click, kIdKStPlus, &D::OnKStPlus},
        {Ev::Click, kIdKStMinus, &D::OnKStMinus},
    };
    Bind<D>(this, fields);
    AddControls(controls);
    SetDemandField(kIdQerf);
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
    // one message; the engine checks the values the ranges let through.
    // With "t = h" the locked water depth is the swale depth: it is read as
    // such, so that it is refused (or not) exactly as the depth is.
    if (IsChecked(kIdTEqualsH))
        SetText(kIdT, Text(kIdH));
    if (!ReadForComputation())
        return;
    // With "t = h" ticked the water stands at the brim: a depth typed since
    // the box was ticked counts for the water depth too.
    if (IsChecked(kIdTEqualsH))
        m_t = m_h;

    CSteps steps(RecordingSteps());
    const SwaleFlowResult flow = ComputeSwaleFlow({m_B, m_h, m_t, m_I, m_kSt, m_Qerf}, steps);
    if (flow.status != SwaleFlowStatus::Ok) {
        // Water above the brim is a plain note; the rest are warnings.
        Refuse(RefusalText(flow.status),
               flow.status == SwaleFlowStatus::DepthAboveBrim ? MsgIcon::None : MsgIcon::Exclamation);
        UpdateData(false);
        return;
    }

    const CSwaleSection& section = flow.section;
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
    if (m_Qerf > 0)
        SetVerdict(CheckDemand(steps,
                               {"Leistungsfähigkeit der Mulde", "erforderlicher Abfluss", "Qerf",
                                flow.brimFull ? "kleinste Leistungsfähigkeit (Kreis, Parabel, Gleichung (7))"
                                              : "kleinste Leistungsfähigkeit (Kreis, Parabel)",
                                "Q_min", "m³/s"},
                               m_Qerf, flow.capacity));
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
    Enable(kIdT, enable);
    Enable(kIdTPlus, enable);
    Enable(kIdTMinus, enable);
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
                    FieldAt(kIdB, 0, 0, 10), ControlAt(kIdBPlus, 0, 2), ControlAt(kIdBMinus, 0, 3),
                    FieldAt(kIdH, 1, 0, 10), ControlAt(kIdHPlus, 1, 2), ControlAt(kIdHMinus, 1, 3),
                    FieldAt(kIdT, 2, 0, 10), ControlAt(kIdTPlus, 2, 2), ControlAt(kIdTMinus, 2, 3),
                    ControlAt(kIdTEqualsH, 2, 4),
                    FieldAt(kIdI, 3, 0, 10), ControlAt(kIdIPlus, 3, 2), ControlAt(kIdIMinus, 3, 3),
                    FieldAt(kIdKSt, 4, 0, 10), ControlAt(kIdKStPlus, 4, 2), ControlAt(kIdKStMinus, 4, 3),
                    FieldAt(kIdQerf, 5, 0, 10),
                    StretchAt(6, 0),
                }),
        PictureAt(kPicture, 0, 1, 1, 1),
        PanelAt(1, 0, 1, 2,
                {
                    GroupAt("Kreis", 0, 0, 1, 1,
                            {
                                LabelAt("A (t) [m²]", 0, 0), EditAt(kIdAKreis, 0, 1),
                                LabelAt("lu (t) [m]", 1, 0), EditAt(kIdLuKreis, 1, 1),
                                LabelAt("wsp b (t) [m]", 2, 0), EditAt(kIdBKreis, 2, 1),
                                LabelAt("r [m]", 3, 0), EditAt(kIdRKreis, 3, 1),
                                LabelAt("v [m/s]", 4, 0), EditAt(kIdVKreis, 4, 1),
                                LabelAt("Q [m³/s]", 5, 0), EditAt(kIdQKreis, 5, 1),
                            }),
                    GroupAt("Parabel", 0, 1, 1, 1,
                            {
                                EditAt(kIdAParabel, 0, 0),
                                EditAt(kIdLuParabel, 1, 0),
                                EditAt(kIdBParabel, 2, 0),
                                StretchAt(3, 0),
                                EditAt(kIdVParabel, 4, 0),
                                EditAt(kIdQParabel, 5, 0),
                            }),
                    GroupAt("Dralun", 0, 2, 1, 1,
                            {
                                StretchAt(0, 0, 4, 1),
                                LabelAt("Gleichung. (7)", 4, 0, 1, 1, Align::Center),
                                EditAt(kIdQGl7, 5, 0),
                            }),
                }),
        ButtonColumn(0, 2, 2, {kIdOk, kIdCancel}),
    };
    return layout;
}

} // namespace dralun
