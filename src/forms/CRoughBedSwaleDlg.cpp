#include "forms/CRoughBedSwaleDlg.h"

#include <cmath>
#include <string>

#include "core/CStoneSizeTables.h"
#include "core/Format.h"

namespace dralun {

namespace {
constexpr double kG = 9.80665;
} // namespace

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
    UpdateData(true);

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

    double A = 0, vm = 0, vM = 0, Qm = 0, c = 0;
    if (refusal.empty()) {
        const double alpha = std::atan(m_I / 1000);
        const double s = std::sin(alpha);
        const double K1 = CStoneSizeTables::K1(m_d);
        const double K2 = CStoneSizeTables::K2(m_d);
        const double K3 = CStoneSizeTables::K3(m_d);

        c = 1.0 - 1.3 * s + 0.08 * m_h / K3;
        const double X = (8.1 * K2 * std::sqrt(K1) * s + 1.7) * c;
        const double Y = 0.25 * X * K3 / m_h;
        A = 0.6666666666666666 * m_h * m_B;
        // The logarithmic law needs 0 < Y < 1: Y >= 1 gives no or a negative
        // velocity, Y <= 0 (no air-water mixture left, c <= 0) none at all.
        // A value is named in the message only where it is a number.
        if (!(c > 0))
            refusal = (std::isfinite(c) ? Format("Der Luftbeimischungsfaktor wird %.4f (nicht größer als 0).\n", c)
                                        : std::string("Der Luftbeimischungsfaktor ist nicht bestimmbar.\n")) +
                      "Für dieses Sohlengefälle ist das Verfahren nicht anwendbar.";
        else if (!(Y < 1))
            refusal = "Die Wassertiefe ist zu gering für diese Steingröße (" +
                      (std::isfinite(Y) ? Format("Y = %.4g, ", Y) : std::string()) +
                      "Y muss kleiner als 1 sein).\nDie maximale Geschwindigkeit wäre nicht größer als 0.";
        else {
            vm = std::sqrt(8.0 * kG * m_h * s) * (std::log10(Y) * (-3.2));
            vM = 0.75 * vm;
            Qm = c * vM * A;
            if (!std::isfinite(A) || !std::isfinite(vm) || !std::isfinite(Qm) || !std::isfinite(c))
                refusal = "Mit diesen Eingaben ist kein Abfluss bestimmbar.";
        }
    }

    if (!refusal.empty()) {
        Refuse("Unzulässige Eingabe!\n\n" + refusal);
    } else {
        m_A = A;
        m_vm = vm;
        m_vM = vM;
        m_Qm = Qm;
        m_c = c;
    }
    UpdateData(false);
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
