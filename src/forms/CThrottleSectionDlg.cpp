#include "forms/CThrottleSectionDlg.h"

#include "core/CThrottleSection.h"

namespace dralun {

CThrottleSectionDlg::CThrottleSectionDlg(IMessageSink& sink) : CForm(kTemplateId, sink)
{
    using D = CThrottleSectionDlg;
    static const Field<D> fields[] = {
        // id   name    label                      unit    role       default range
        {1000, "kb", "kb [mm]", "mm", Role::In, "0.25", Range{0.01, 2.0}, &D::m_kb},
        {1001, "zeta", "zeta(1)", "-", Role::In, "0.45", Range{0.01, 1.0}, &D::m_zeta},
        {1002, "mD", "mD", "-", Role::In, "1.0", Range{0.1, 1.0}, &D::m_mD},
        {1003, "du", "Drosseldurchmesser [mm]", "mm", Role::In, "200", Range{50, 600}, &D::m_du},
        {1004, "L", "Drossellänge [m]", "m", Role::In, "4.0", Range{0.1, 100}, &D::m_L},
        // The slope stays disabled: it keeps 0 and still enters the crown check.
        {1005, "I", "Drosselneigung [%o]", "‰", Role::Off, "0", {}, &D::m_I},
        {1006, "HRs", "H Rs Auslauf [m NN]", "m NN", Role::In, "0", {}, &D::m_outlet},
        {1013, "Hmax", "H max Wsp [m NN]", "m NN", Role::In, "1.0", {}, &D::m_hmax},
        {1014, "v", "v [m/s]", "m/s", Role::Out, "0", {}, &D::m_v},
        {1015, "Q", "Q [m³/s]", "m³/s", Role::Out, "0", {}, &D::m_Q},
        {1016, "va", "v Anström [m/s]", "m/s", Role::In, "0", Range{0, 5}, &D::m_va},
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

void CThrottleSectionDlg::OnCompute()
{
    BeginComputation();
    if (!ReadForComputation())
        return;

    ThrottleInput in;
    in.kb = m_kb;
    in.zeta = m_zeta;
    in.mD = m_mD;
    in.du = m_du;
    in.L = m_L;
    in.I = m_I;
    in.outletInvert = m_outlet;
    in.maxLevel = m_hmax;
    in.va = m_va;
    CSteps steps(RecordingSteps());
    const ThrottleResult result = CThrottleSection::Compute(in, steps);
    m_v = result.v;
    m_Q = result.Q;
    // Without a step the search found no velocity: the last warning says why.
    for (size_t i = 0; i < result.warnings.size(); ++i) {
        if (result.best < 0 && i + 1 == result.warnings.size())
            Refuse(result.warnings[i]);
        else
            MessageBox(result.warnings[i], MsgIcon::Exclamation);
    }
    if (result.best >= 0)
        Record(steps);
    UpdateData(false);
}

std::string CThrottleSectionDlg::Method() const
{
    return "Abfluss einer Rohrdrossel nach ATV-A 111: Energiebilanz mit Prandtl-Colebrook, Fließgeschwindigkeit "
           "schrittweise gesucht";
}

const FormLayout& CThrottleSectionDlg::Layout() const
{
    static const FormLayout layout = {
        LabelAt("\nHydraulischer Nachweis  einer Drosselstrecke nach \nATV A 111", 0, 0, 1, 2),
        GroupAt("Becken und Auslauf", 1, 0, 1, 1,
                {
                    FieldAt(1013, 0, 0),
                    FieldAt(1016, 1, 0),
                    FieldAt(1006, 2, 0),
                    FieldAt(1002, 3, 0),
                }),
        GroupAt("Drossel", 2, 0, 1, 2,
                {
                    FieldAt(1003, 0, 0),
                    LabelAt("Mindestdurchmesser du 200 mm", 0, 2),
                    FieldAt(1004, 1, 0),
                    LabelAt("Mindestlänge 20 du, max. 100 m", 1, 2),
                    FieldAt(1005, 2, 0),
                    LabelAt("maximales Sohlengefälle 3,0 %o", 2, 2),
                    FieldAt(1000, 3, 0),
                    FieldAt(1001, 4, 0),
                }),
        GroupAt("Ergebnis", 1, 1, 1, 1,
                {
                    FieldAt(1014, 0, 0),
                    FieldAt(1015, 1, 0),
                    StretchAt(2, 0),
                }),
        PictureAt(kPicture, 0, 2, 4, 1),
        StretchAt(3, 0, 1, 2),
        ButtonColumn(0, 3, 4, {kIdOk, kIdCancel}),
    };
    return layout;
}

} // namespace dralun
