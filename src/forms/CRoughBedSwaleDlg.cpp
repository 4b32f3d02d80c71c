#include "forms/CRoughBedSwaleDlg.h"

#include <cmath>
#include <string>

#include "core/CRoughBedFlow.h"
#include "core/CStoneSizeTables.h"
#include "core/Format.h"

namespace dralun {

namespace {

// What the user is told when the swale carries no computed discharge; a
// value is named in the message only where it is a number.
std::string RefusalText(const RoughBedFlowResult& flow)
{
    switch (flow.status) {
    case RoughBedFlowStatus::StoneSizeOutsideTables:
        return Format("Die mittlere Steingröße muss zwischen %g m und %g m liegen.\n"
                      "Für andere Steingrößen gibt es keine Beiwerte.",
                      CStoneSizeTables::kSmallest, CStoneSizeTables::kLargest);
    case RoughBedFlowStatus::NoWaterDepth:
        return "Die Wassertiefe muss größer als 0 m sein.";
    case RoughBedFlowStatus::NegativeWidth:
        return "Die Muldenbreite darf nicht negativ sein.";
    case RoughBedFlowStatus::NegativeSlope:
        return "Das Sohlengefälle darf nicht negativ sein.";
    case RoughBedFlowStatus::NoAir:
        return (std::isfinite(flow.c) ? Format("Der Luftbeimischungsfaktor wird %.4f (nicht größer als 0).\n", flow.c)
                                      : std::string("Der Luftbeimischungsfaktor ist nicht bestimmbar.\n")) +
               "Für dieses Sohlengefälle ist das Verfahren nicht anwendbar.";
    case RoughBedFlowStatus::YNotBelow1:
        return "Die Wassertiefe ist zu gering für diese Steingröße (" +
               (std::isfinite(flow.Y) ? Format("Y = %.4g, ", flow.Y) : std::string()) +
               "Y muss kleiner als 1 sein).\nDie maximale Geschwindigkeit wäre nicht größer als 0.";
    case RoughBedFlowStatus::NotDeterminable:
    case RoughBedFlowStatus::Ok:
        break;
    }
    return "Mit diesen Eingaben ist kein Abfluss bestimmbar.";
}

} // namespace

CRoughBedSwaleDlg::CRoughBedSwaleDlg(IMessageSink& sink) : CForm(kDescription, sink)
{
    using D = CRoughBedSwaleDlg;
    // In the order the fields are exchanged.
    static const Field<D> fields[] = {
        {kIdH, "h", "Wassertiefe [m]", "m", Role::In, "0.14", {}, &D::m_h},
        {kIdB, "B", "Muldenbreite [m]", "m", Role::In, "5.85", {}, &D::m_B},
        {kIdA, "A", "Durchflussquerschnitt [m²]", "m²", Role::Out, "0", {}, &D::m_A},
        {kIdVm, "vm", "vm [m/s]", "m/s", Role::Out, "0", {}, &D::m_vm},
        {kIdVM, "vM", "vM [m/s]", "m/s", Role::Out, "0", {}, &D::m_vM},
        {kIdQm, "Qm", "Qm [m³/s]", "m³/s", Role::Out, "0", {}, &D::m_Qm},
        {kIdC, "c", "Luftbeimischungsfaktor", "-", Role::Out, "0", {}, &D::m_c},
        {kIdD, "d", "mittlere Steingröße [m]", "m", Role::In, "0.18", Range{0, 0.41}, &D::m_d},
        {kIdI, "I", "Sohlengefälle [%o]", "‰", Role::In, "150", {}, &D::m_I},
        {kIdQerf, "Qerf", "Q erforderlich [m³/s]", "m³/s", Role::In, "0", Range{0, 1000}, &D::m_Qerf},
    };
    Bind<D>(this, fields);
    SetDemandField(kIdQerf);
}

void CRoughBedSwaleDlg::OnCompute()
{
    BeginComputation();
    if (!ReadForComputation())
        return;

    CSteps steps(RecordingSteps());
    const RoughBedFlowResult flow = ComputeRoughBedFlow({m_h, m_B, m_d, m_I}, steps);
    if (flow.status != RoughBedFlowStatus::Ok) {
        Refuse("Unzulässige Eingabe!\n\n" + RefusalText(flow));
    } else {
        m_A = flow.A;
        m_vm = flow.vm;
        m_vM = flow.vM;
        m_Qm = flow.Qm;
        m_c = flow.c;
        if (m_Qerf > 0)
            SetVerdict(CheckDemand(steps,
                                   {"Leistungsfähigkeit der Raubettmulde", "erforderlicher Abfluss", "Qerf",
                                    "Abfluss der Raubettmulde", "Qm", "m³/s"},
                                   m_Qerf, m_Qm));
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
                    FieldAt(kIdH, 1, 0, 10),
                    FieldAt(kIdB, 2, 0, 10),
                    FieldAt(kIdD, 3, 0, 10),
                    FieldAt(kIdI, 4, 0, 10),
                    FieldAt(kIdQerf, 5, 0, 10),
                    PictureAt(kPicture, 0, 2, 6, 1),
                    FieldAt(kIdA, 6, 0),
                    FieldAt(kIdC, 7, 0),
                    FieldAt(kIdVm, 8, 0),
                    LabelAt("vm..  maximale Geschwindigkeit [m/s]", 8, 2),
                    FieldAt(kIdVM, 9, 0),
                    LabelAt("vM..  mittlere Geschwindigkeit im gesamten Querschnitt [m/s]", 9, 2),
                    FieldAt(kIdQm, 10, 0),
                }),
        ButtonColumn(0, 1, 1, {kIdOk, kIdCancel}),
    };
    return layout;
}

} // namespace dralun
