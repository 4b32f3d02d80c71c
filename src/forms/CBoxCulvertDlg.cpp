#include "forms/CBoxCulvertDlg.h"

#include <string>

namespace dralun {

CBoxCulvertDlg::CBoxCulvertDlg(IMessageSink& sink) : CCulvertDlg(kDescription, sink, {kIdH1, kIdI, kIdAufstau})
{
    using D = CBoxCulvertDlg;
    // In the order the fields are exchanged.
    static const Field<D> fields[] = {
        {kIdB, "b", "b [m]", "m", Role::In, "1", Range{0.2, 5.0}, &D::m_b},
        {kIdH, "h", "h [m]", "m", Role::In, "2", Range{0.4, 3.0}, &D::m_h},
        {kIdT, "t", "t [m]", "m", Role::In, "0.2", Range{0, 1.0}, &D::m_t},
        {kIdKStS, "kStS", "kSt-Sohle", "m^(1/3)/s", Role::In, "30", {}, &D::m_kStBed},
        {kIdKStB, "kStB", "kSt-D-lasswand", "m^(1/3)/s", Role::In, "65", {}, &D::m_kStConcrete},
        {kIdI, "I", "Gefälle [%o]", "‰", Role::In, "0", {}, &D::m_I},
        {kIdQ, "Q", "Q [m³/s]", "m³/s", Role::Out, "0", {}, &D::m_Q},
        {kIdV, "v", "v [m/s]", "m/s", Role::Out, "0", {}, &D::m_v},
        {kIdH1, "h1", "h1  [m]", "m", Role::In, "1.1", {}, &D::m_h1},
        {kIdH2, "h2", "h2 Wasserstand (2)  [m]", "m", Role::In, "1", {}, &D::m_h2},
        {kIdZetaE, "zeta_e", "Eintrittsverlustbeiwert", "-", Role::In, "0.5", Range{0.01, 1.0}, &D::m_zetaIn},
        {kIdZetaA, "zeta_a", "Austrittsverlustbeiwert", "-", Role::In, "1", Range{0.01, 1.0}, &D::m_zetaOut},
        {kIdASohle, "A_Sohle", "A Sohle (t) [m²]", "m²", Role::Out, "0", {}, &D::m_bedArea},
        {kIdLuSohle, "lu_Sohle", "lu Sohle (t) [m]", "m", Role::Out, "0", {}, &D::m_bedWidth},
        {kIdA, "A", "A Abfluss [m²]", "m²", Role::Out, "0", {}, &D::m_flowArea},
        {kIdLuBeton, "lu_Beton", "lu Beton [m]", "m", Role::Out, "0", {}, &D::m_concretePerimeter},
        {kIdAufstau, "Aufstau", "Aufstau [cm]", "cm", Role::In, "3", Range{0, 200}, &D::m_rise},
        {kIdL, "L", "Länge [m]", "m", Role::In, "10", Range{0.5, 1000}, &D::m_L},
        {kIdQerf, "Qerf", "Q erforderlich [m³/s]", "m³/s", Role::In, "0", Range{0, 1000}, &D::m_Qerf},
    };
    static const ControlDef controls[] = {
        {kIdMode1, Ctl::Radio, "", 1},
        {kIdMode2, Ctl::Radio, "", 1},
    };
    static const Handler<D> handlers[] = {
        {Ev::Click, kIdMode1, &D::OnMode},
        {Ev::Click, kIdMode2, &D::OnMode},
    };
    Bind<D>(this, fields);
    AddControls(controls);
    Connect<D>(this, handlers);
}

CulvertCheck CBoxCulvertDlg::Evaluate(CSteps& steps)
{
    const BoxCulvertResult r = ComputeBoxCulvert({m_b, m_h, m_t, Balance(m_kStConcrete)}, steps);
    if (r.check.status == CulvertStatus::Ok) {
        TakeResults(r.flow, r.section.bedArea, r.section.bedWidth, r.section.flowArea);
        m_concretePerimeter = r.section.concretePerimeter;
    }
    return r.check;
}

std::string CBoxCulvertDlg::Method() const
{
    return "Leistungsfähigkeit eines Rahmen-/Rechteckdurchlasses mit Sohle (Energiebilanz mit Ein- und "
           "Auslaufverlusten, Reibungsverlust nach Manning-Strickler)";
}

const FormLayout& CBoxCulvertDlg::Layout() const
{
    static const FormLayout layout = {
        PanelAt(0, 0, 1, 1,
                {
                    FieldAt(kIdB, 0, 0, 10),
                    FieldAt(kIdH, 1, 0, 10),
                    FieldAt(kIdT, 2, 0, 10),
                    FieldAt(kIdKStS, 3, 0, 10),
                    FieldAt(kIdKStB, 4, 0, 10),
                    FieldAt(kIdL, 5, 0, 10),
                    FieldAt(kIdZetaE, 6, 0, 10),
                    FieldAt(kIdZetaA, 7, 0, 10),
                    FieldAt(kIdH2, 8, 0, 10),
                    GroupAt("", 9, 0, 1, 2,
                            {
                                ControlAt(kIdMode1, 0, 0),
                                FieldAt(kIdH1, 0, 1),
                                ControlAt(kIdMode2, 1, 0),
                                GroupAt("", 1, 1, 1, 2, {FieldAt(kIdI, 0, 0), FieldAt(kIdAufstau, 1, 0)}),
                            }),
                    FieldAt(kIdQerf, 10, 0, 10),
                    StretchAt(11, 0),
                }),
        ResultPanel(kPicture, {kIdQ, kIdV, kIdASohle, kIdLuSohle, kIdA, kIdLuBeton}),
        ButtonColumn(0, 2, 1, {kIdOk, kIdCancel}),
    };
    return layout;
}

} // namespace dralun
