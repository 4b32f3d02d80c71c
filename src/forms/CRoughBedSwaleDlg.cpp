#include "forms/CRoughBedSwaleDlg.h"

#include <cmath>
#include <string>

#include "core/CRoughBedFlow.h"
#include "core/CStoneSizeTables.h"
#include "core/Format.h"

namespace dralun {

CRoughBedSwaleDlg::CRoughBedSwaleDlg(IMessageSink& sink) : CForm(kTemplateId, sink)
{
    using D = CRoughBedSwaleDlg;
    // In the order the fields are exchanged.
    static const Field<D> fields[] = {
        {1000, "h", "Wassertiefe [m]", "m", Role::In, "0.14", {}, &D::m_h},
        {1001, "B", "Muldenbreite [m]", "m", Role::In, "5.85", {}, &D::m_B},
        {1004, "A", "Durchflussquerschnitt [m²]", "m²", Role::Out, "0", {}, &D::m_A},
        {1005, "vm", "vm [m/s]", "m/s", Role::Out, "0", {}, &D::m_vm},
        {1006, "vM", "vM [m/s]", "m/s", Role::Out, "0", {}, &D::m_vM},
        {1013, "Qm", "Qm [m³/s]", "m³/s", Role::Out, "0", {}, &D::m_Qm},
        {1014, "c", "Luftbeimischungsfaktor", "-", Role::Out, "0", {}, &D::m_c},
        {1002, "d", "mittlere Steingröße [m]", "m", Role::In, "0.18", Range{0, 0.41}, &D::m_d},
        {1003, "I", "Sohlengefälle [%o]", "‰", Role::In, "150", {}, &D::m_I},
    };
    static const ControlDef controls[] = {
        {kIdOk, Ctl::Button, "Rechne"},
        {kIdCancel, Ctl::Button, "Abbrechen"},
    };
    static const Handler<D> handlers[] = {
        {Ev::Click, kIdOk, &D::OnCompute},
    };
    Bind<D>(this, fields);
    AddControls(controls);
    Connect<D>(this, handlers);
}

void CRoughBedSwaleDlg::OnCompute()
{
    BeginComputation();
    if (!ReadForComputation())
        return;

    // The stone tables cover 0.08 m to 0.41 m; outside them the coefficients
    // are 0 and the method divides by zero.
    std::string refusal;
    if (!(m_d >= CStoneSizeTables::kSmallest && m_d <= CStoneSizeTables::kLargest))
        refusal = Format("Die mittlere Steingröße muss zwischen %g m und %g m liegen.\n"
                         "Für andere Steingrößen gibt es keine Beiwerte.",
                         CStoneSizeTables::kSmallest, CStoneSizeTables::kLargest);
    else if (!(m_h > 0))
        refusal = "Die Wassertiefe muss größer als 0 m sein.";
    else if (m_B < 0)
        refusal = "Die Muldenbreite darf nicht negativ sein.";
    else if (m_I < 0)
        refusal = "Das Sohlengefälle darf nicht negativ sein.";

    CSteps steps(RecordingSteps());
    RoughBedFlowResult flow;
    if (refusal.empty()) {
        flow = ComputeRoughBedFlow({m_h, m_B, m_d, m_I}, steps);
        // A value is named in the message only where it is a number.
        if (flow.law == RoughBedLaw::NoAir)
            refusal =
                (std::isfinite(flow.c) ? Format("Der Luftbeimischungsfaktor wird %.4f (nicht größer als 0).\n", flow.c)
                                       : std::string("Der Luftbeimischungsfaktor ist nicht bestimmbar.\n")) +
                "Für dieses Sohlengefälle ist das Verfahren nicht anwendbar.";
        else if (flow.law == RoughBedLaw::YNotBelow1)
            refusal = "Die Wassertiefe ist zu gering für diese Steingröße (" +
                      (std::isfinite(flow.Y) ? Format("Y = %.4g, ", flow.Y) : std::string()) +
                      "Y muss kleiner als 1 sein).\nDie maximale Geschwindigkeit wäre nicht größer als 0.";
        else if (!std::isfinite(flow.A) || !std::isfinite(flow.vm) || !std::isfinite(flow.Qm) ||
                 !std::isfinite(flow.c))
            refusal = "Mit diesen Eingaben ist kein Abfluss bestimmbar.";
    }

    if (!refusal.empty()) {
        Refuse("Unzulässige Eingabe!\n\n" + refusal);
    } else {
        m_A = flow.A;
        m_vm = flow.vm;
        m_vM = flow.vM;
        m_Qm = flow.Qm;
        m_c = flow.c;
        Record(steps);
    }
    UpdateData(false);
}

std::string CRoughBedSwaleDlg::Method() const
{
    return "Nachweis einer Raubettmulde nach Scheuerlein (Steinbeiwerte, Luftbeimischung, Geschwindigkeiten "
           "und Abfluss)";
}

const FormLayout& CRoughBedSwaleDlg::Layout() const
{
    // Inputs and results one under the other; the picture beside the
    // inputs, the two explanations beside the velocities.
    static const FormLayout layout = {
        PanelAt(0, 0, 1, 1,
                {
                    LabelAt("\nNachweis einer Raubettmulde nach Scheuerlein", 0, 0, 1, 3),
                    FieldAt(1000, 1, 0, 10),
                    FieldAt(1001, 2, 0, 10),
                    FieldAt(1002, 3, 0, 10),
                    FieldAt(1003, 4, 0, 10),
                    PictureAt(176, 0, 2, 6, 1),
                    FieldAt(1004, 6, 0),
                    FieldAt(1014, 7, 0),
                    FieldAt(1005, 8, 0),
                    LabelAt("vm..  maximale Geschwindigkeit [m/s]", 8, 2),
                    FieldAt(1006, 9, 0),
                    LabelAt("vM..  mittlere Geschwindigkeit im gesamten Querschnitt [m/s]", 9, 2),
                    FieldAt(1013, 10, 0),
                }),
        ButtonColumn(0, 1, 1, {kIdOk, kIdCancel}),
    };
    return layout;
}

} // namespace dralun
