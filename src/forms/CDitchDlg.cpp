#include "forms/CDitchDlg.h"

#include "core/CDitchFlow.h"

namespace dralun {

CDitchDlg::CDitchDlg(IMessageSink& sink) : CForm(kDescription, sink)
{
    using D = CDitchDlg;
    // In the order the fields are exchanged.
    static const Field<D> fields[] = {
        {kIdM1, "m1", "Bö. Neigung links 1 :", "-", Role::In, "1.5", Range{0.5, 5.0}, &D::m_m1},
        {kIdB, "b", "Sohlenbreite b [m]", "m", Role::In, "0.5", Range{0.3, 3.0}, &D::m_b},
        {kIdH, "h", "Böschungshöhe h [m]", "m", Role::Out, "0.5", {}, &D::m_h},
        {kIdT, "t", "Wassertiefe t [m]", "m", Role::In, "0.5", Range{0.03, 3.0}, &D::m_t},
        {kIdKSt, "kSt", "kSt [m1/3/s]", "m^(1/3)/s", Role::In, "25", Range{1, 90}, &D::m_kSt},
        {kIdI, "I", "Sohlengefälle [%o]", "‰", Role::In, "1", Range{0.01, 50}, &D::m_I},
        {kIdA, "A", "A [m²]", "m²", Role::Out, "0", {}, &D::m_A},
        {kIdLu, "lu", "lu [m]", "m", Role::Out, "0", {}, &D::m_lu},
        {kIdRhy, "rhy", "rhy [m]", "m", Role::Out, "0", {}, &D::m_R},
        {kIdV, "v", "v [m/s]", "m/s", Role::Out, "0", {}, &D::m_v},
        {kIdQ, "Q", "Q [m³/s]", "m³/s", Role::Out, "0", {}, &D::m_Q},
        {kIdM2, "m2", "Bö-Neigung rechts 1 : ", "-", Role::In, "1.5", Range{0.5, 5.0}, &D::m_m2},
        {kIdWsp, "wsp", "wsp b (t) [m]", "m", Role::Out, "0", {}, &D::m_surfaceWidth},
        {kIdQerf, "Qerf", "Q erforderlich [m³/s]", "m³/s", Role::In, "0", Range{0, 1000}, &D::m_Qerf},
    };
    static const ControlDef controls[] = {
        {kIdBPlus, Ctl::Step, "+"},   {kIdBMinus, Ctl::Step, "-"},   {kIdHPlus, Ctl::Step, "+"},
        {kIdHMinus, Ctl::Step, "-"},  {kIdM1Plus, Ctl::Step, "+"},  {kIdM1Minus, Ctl::Step, "-"},
        {kIdM2Plus, Ctl::Step, "+"},  {kIdM2Minus, Ctl::Step, "-"},  {kIdTPlus, Ctl::Step, "+"},
        {kIdTMinus, Ctl::Step, "-"},  {kIdIPlus, Ctl::Step, "+"},   {kIdIMinus, Ctl::Step, "-"},
        {kIdKStPlus, Ctl::Step, "+"}, {kIdKStMinus, Ctl::Step, "-"},
    };
    // The bank height is a result: its step buttons do nothing. The bank
    // height follows the water depth with "Rechne".
    static const Stepper<D> steppers[] = {
        {kIdBPlus, kIdBMinus, &D::m_b, 0.01, 2.99, 0.3099},
        {kIdM1Plus, kIdM1Minus, &D::m_m1, 0.1, 4.8999, 0.50999},
        {kIdM2Plus, kIdM2Minus, &D::m_m2, 0.1, 4.8999, 0.50999},
        {kIdTPlus, kIdTMinus, &D::m_t, 0.01, 2.89999, 0.20999},
        {kIdIPlus, kIdIMinus, &D::m_I, 0.1, 49.900001, 0.11},
        {kIdKStPlus, kIdKStMinus, &D::m_kSt, 1, 88.999, 5.999},
    };
    Bind<D>(this, fields);
    AddControls(controls);
    SetDemandField(kIdQerf);
    ConnectSteppers<D>(this, steppers);
    KeepOnRefusal({kIdH}); // the bank height follows the water depth alone
}

// The bank height is a result: its step buttons can never change it.
void CDitchDlg::OnInitDialog()
{
    Enable(kIdHPlus, false);
    Enable(kIdHMinus, false);
}

void CDitchDlg::OnCompute()
{
    BeginComputation();
    // A number outside its range refuses the computation with the read's
    // one message; then no bank height either.
    if (!ReadForComputation()) {
        m_h = 0;
        UpdateData(false);
        return;
    }

    CSteps steps(RecordingSteps());
    const DitchFlowResult flow = ComputeDitchFlow({m_b, m_t, m_m1, m_m2, m_I, m_kSt}, steps);
    m_h = flow.bankHeight; // kept on a refusal
    if (flow.status != DitchFlowStatus::Ok) {
        Refuse(flow.status == DitchFlowStatus::NegativeInput
                   ? "Unzulässige Eingabe!\n\nSohlenbreite, Böschungsneigungen, Wassertiefe und Gefälle "
                     "dürfen nicht negativ sein."
                   : "Unzulässige Eingabe!\n\nMit diesen Eingaben ist kein Abfluss bestimmbar.");
        UpdateData(false);
        return;
    }
    const CTrapezoidSection& section = flow.section;
    m_A = section.area;
    m_lu = section.perimeter;
    m_R = section.hydraulicRadius;
    m_v = flow.v;
    m_Q = flow.Q;
    m_surfaceWidth = section.surfaceWidth;
    if (m_Qerf > 0)
        SetVerdict(CheckDemand(steps,
                               {"Leistungsfähigkeit des Grabens", "erforderlicher Abfluss", "Qerf",
                                "Leistungsfähigkeit des Grabens", "Q", "m³/s"},
                               m_Qerf, m_Q));
    Record(steps);
    UpdateData(false);
}

std::string CDitchDlg::Method() const
{
    return "Leistungsfähigkeit eines Straßenseitengrabens (Trapezprofil) nach Manning-Strickler";
}

const FormLayout& CDitchDlg::Layout() const
{
    static const FormLayout layout = {
        PanelAt(0, 0, 1, 1,
                {
                    LabelAt("\nLeistungsfähigkeit\neines Trapezprofils\nnach Manning-Strickler", 0, 0, 1, 4),
                    FieldAt(kIdB, 1, 0, 10), ControlAt(kIdBPlus, 1, 2), ControlAt(kIdBMinus, 1, 3),
                    FieldAt(kIdH, 2, 0, 10), ControlAt(kIdHPlus, 2, 2), ControlAt(kIdHMinus, 2, 3),
                    FieldAt(kIdM1, 3, 0, 10), ControlAt(kIdM1Plus, 3, 2), ControlAt(kIdM1Minus, 3, 3),
                    FieldAt(kIdM2, 4, 0, 10), ControlAt(kIdM2Plus, 4, 2), ControlAt(kIdM2Minus, 4, 3),
                    FieldAt(kIdT, 5, 0, 10), ControlAt(kIdTPlus, 5, 2), ControlAt(kIdTMinus, 5, 3),
                    FieldAt(kIdI, 6, 0, 10), ControlAt(kIdIPlus, 6, 2), ControlAt(kIdIMinus, 6, 3),
                    FieldAt(kIdKSt, 7, 0, 10), ControlAt(kIdKStPlus, 7, 2), ControlAt(kIdKStMinus, 7, 3),
                    FieldAt(kIdQerf, 8, 0, 10),
                    StretchAt(9, 0),
                }),
        PanelAt(0, 1, 1, 1,
                {
                    PictureAt(kPicture, 0, 0, 1, 2),
                    FieldAt(kIdA, 1, 0),
                    FieldAt(kIdLu, 2, 0),
                    FieldAt(kIdRhy, 3, 0),
                    FieldAt(kIdWsp, 4, 0),
                    FieldAt(kIdV, 5, 0),
                    FieldAt(kIdQ, 6, 0),
                    StretchAt(7, 0),
                }),
        ButtonColumn(0, 2, 1, {kIdOk, kIdCancel}),
    };
    return layout;
}

} // namespace dralun
