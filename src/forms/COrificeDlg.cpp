#include "forms/COrificeDlg.h"

#include "core/COrifice.h"

namespace dralun {

COrificeDlg::COrificeDlg(IMessageSink& sink) : CForm(kDescription, sink)
{
    using D = COrificeDlg;
    static const Field<D> fields[] = {
        // id   name  label                                   unit   role       default range
        {kIdQ, "Q", "Drosselabfluss Q in [l/s]", "l/s", Role::In, "50", {}, &D::m_Q},
        {kIdH, "h", "Druckhöhe in [m]", "m", Role::In, "0.6", {}, &D::m_h},
        {kIdMu, "mu", "Ausflussbeiwert mü [1]", "1", Role::In, "0.67", Range{0, 1}, &D::m_mu},
        {kIdA, "A", "erf. Durchflussquerschnitt in [m²]", "m²", Role::Out, "0", {}, &D::m_A},
        {kIdD, "d", "erf. Drosseldurchmesser in [m]", "m", Role::Out, "0", {}, &D::m_d},
        {kIdV, "v", "Fließgeschwindigkeit v [m/s]", "m/s", Role::Out, "0", {}, &D::m_v},
        {kIdDGew, "d_gew", "gewählter Drosseldurchmesser d [m]", "m", Role::In, "0", Range{0, 10}, &D::m_dChosen},
    };
    Bind<D>(this, fields);
    SetDemandField(kIdDGew);
}

void COrificeDlg::OnCompute()
{
    BeginComputation();
    if (!ReadForComputation())
        return;

    CSteps steps(RecordingSteps());
    const OrificeResult result = ComputeOrifice({m_Q, m_h, m_mu, m_dChosen}, steps);
    switch (result.status) {
    case OrificeStatus::Ok:
        m_v = result.v;
        m_A = result.A;
        m_d = result.d;
        if (m_dChosen > 0)
            SetVerdict(CheckDemand(steps,
                                   {"Drosselabfluss der gewählten Öffnung", "Abfluss bei gewähltem Durchmesser",
                                    "Q_gew", "Drosselabfluss", "Q", "l/s"},
                                   result.Qchosen, m_Q));
        Record(steps);
        break;
    case OrificeStatus::NegativeDischarge:
        Refuse("Der Drosselabfluss Q darf nicht negativ sein.");
        break;
    case OrificeStatus::NoHead:
        Refuse("Die Druckhöhe muss größer als 0 m sein.\nOhne Druckhöhe fließt durch die Drossel nichts ab.");
        break;
    case OrificeStatus::NoCoefficient:
        Refuse("Der Ausflussbeiwert mü muss größer als 0 sein.");
        break;
    case OrificeStatus::NotDeterminable:
        Refuse("Mit diesen Eingaben ist kein Ergebnis bestimmbar.\n"
               "Bitte prüfen Sie Drosselabfluss, Druckhöhe und Ausflussbeiwert.");
        break;
    }
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
        FieldAt(kIdQ, 1, 0),
        FieldAt(kIdH, 2, 0),
        FieldAt(kIdMu, 3, 0),
        FieldAt(kIdDGew, 4, 0),
        FieldAt(kIdA, 5, 0),
        FieldAt(kIdD, 6, 0),
        FieldAt(kIdV, 7, 0),
        PictureAt(kPicture, 0, 2, 8, 1),
        ButtonColumn(0, 3, 8, {kIdOk, kIdCancel}),
    };
    return layout;
}

} // namespace dralun
