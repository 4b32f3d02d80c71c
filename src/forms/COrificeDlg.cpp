#include "forms/COrificeDlg.h"

#include "core/COrifice.h"
#include "core/Finite.h"

namespace dralun {

COrificeDlg::COrificeDlg(IMessageSink& sink) : CForm(kTemplateId, sink)
{
    using D = COrificeDlg;
    static const Field<D> fields[] = {
        // id   name  label                                   unit   role       default range
        {1000, "Q", "Drosselabfluss Q in [l/s]", "l/s", Role::In, "50", {}, &D::m_Q},
        {1001, "h", "Druckhöhe in [m]", "m", Role::In, "0.6", {}, &D::m_h},
        {1002, "mu", "Ausflussbeiwert mü [1]", "1", Role::In, "0.67", Range{0, 1}, &D::m_mu},
        {1003, "A", "erf. Durchflussquerschnitt in [m²]", "m²", Role::Out, "0", {}, &D::m_A},
        {1004, "d", "erf. Drosseldurchmesser in [m]", "m", Role::Out, "0", {}, &D::m_d},
        {1005, "v", "Fließgeschwindigkeit v [m/s]", "m/s", Role::Out, "0", {}, &D::m_v},
    };
    static const ControlDef controls[] = {
        {kIdOk, Ctl::Button, "Rechne"},
        {kIdCancel, Ctl::Button, "Abbruch"},
    };
    static const Handler<D> handlers[] = {
        {Ev::Click, kIdOk, &D::OnCompute},
    };
    Bind<D>(this, fields);
    AddControls(controls);
    Connect<D>(this, handlers);
}

void COrificeDlg::OnCompute()
{
    BeginComputation();
    if (!ReadForComputation())
        return;

    // Without a head, or with a coefficient of zero, nothing flows out and
    // the flow area has no finite value; a negative discharge has no diameter.
    const char* refusal = nullptr;
    if (m_Q < 0)
        refusal = "Der Drosselabfluss Q darf nicht negativ sein.";
    else if (m_h <= 0)
        refusal = "Die Druckhöhe muss größer als 0 m sein.\nOhne Druckhöhe fließt durch die Drossel nichts ab.";
    else if (m_mu <= 0)
        refusal = "Der Ausflussbeiwert mü muss größer als 0 sein.";

    if (!refusal) {
        CSteps steps(RecordingSteps());
        const OrificeFlow flow = COrifice::Flow({m_Q, m_h, m_mu}, steps);
        // A head beyond any number (2 g h overflows) gives an infinite
        // velocity and so an area and a diameter of 0 for any discharge.
        if (AllFinite({flow.v, flow.A, flow.d}) && (flow.d > 0 || m_Q == 0)) {
            m_v = flow.v;
            m_A = flow.A;
            m_d = flow.d;
            Record(steps);
        } else {
            refusal = "Mit diesen Eingaben ist kein Ergebnis bestimmbar.\n"
                      "Bitte prüfen Sie Drosselabfluss, Druckhöhe und Ausflussbeiwert.";
        }
    }
    if (refusal)
        Refuse(refusal);
    UpdateData(false);
}

std::string COrificeDlg::Method() const
{
    return "Bemessung einer Drossel/Drosselblende mit freiem Ausfluss (Torricelli mit Ausflussbeiwert)";
}

const FormLayout& COrificeDlg::Layout() const
{
    static const FormLayout layout = {
        LabelAt("\n      Drossel/Drosselblende \n            freier Ausfluss", 0, 0, 1, 2),
        FieldAt(1000, 1, 0),
        FieldAt(1001, 2, 0),
        FieldAt(1002, 3, 0),
        FieldAt(1003, 5, 0),
        FieldAt(1004, 6, 0),
        FieldAt(1005, 7, 0),
        PictureAt(195, 0, 2, 8, 1),
        ButtonColumn(0, 3, 8, {kIdOk, kIdCancel}),
    };
    return layout;
}

} // namespace dralun
