#include "forms/CBoxCulvertDlg.h"

#include <string>

#include "core/CCulvertFlow.h"
#include "core/Finite.h"
#include "core/Format.h"

namespace dralun {

CBoxCulvertDlg::CBoxCulvertDlg(IMessageSink& sink) : CCulvertDlg(kTemplateId, sink, {1015, 1006, 1049})
{
    using D = CBoxCulvertDlg;
    // In the order the fields are exchanged.
    static const Field<D> fields[] = {
        {1000, "b", "b [m]", "m", Role::In, "1", Range{0.2, 5.0}, &D::m_b},
        {1001, "h", "h [m]", "m", Role::In, "2", Range{0.4, 3.0}, &D::m_h},
        {1002, "t", "t [m]", "m", Role::In, "0.2", Range{0, 1.0}, &D::m_t},
        {1003, "kStS", "kSt-Sohle", "m1/3/s", Role::In, "30", {}, &D::m_kStBed},
        {1004, "kStB", "kSt-D-lasswand", "m1/3/s", Role::In, "65", {}, &D::m_kStConcrete},
        {1006, "I", "Gefälle [%o]", "‰", Role::In, "0", {}, &D::m_I},
        {1013, "Q", "Q [m³/s]", "m³/s", Role::Out, "0", {}, &D::m_Q},
        {1014, "v", "v [m/s]", "m/s", Role::Out, "0", {}, &D::m_v},
        {1015, "h1", "h1  [m]", "m", Role::In, "1.1", {}, &D::m_h1},
        {1016, "h2", "h2 Wasserstand (2)  [m]", "m", Role::In, "1", {}, &D::m_h2},
        {1018, "zeta_e", "Eintrittsverlustbeiwert", "-", Role::In, "0.5", Range{0.01, 1.0}, &D::m_zetaIn},
        {1019, "zeta_a", "Austrittsverlustbeiwert", "-", Role::In, "1", Range{0.01, 1.0}, &D::m_zetaOut},
        {1030, "A_Sohle", "A Sohle (t) [m²]", "m²", Role::Out, "0", {}, &D::m_bedArea},
        {1031, "lu_Sohle", "lu Sohle (t) [m]", "m", Role::Out, "0", {}, &D::m_bedWidth},
        {1032, "A", "A Abfluss [m²]", "m²", Role::Out, "0", {}, &D::m_flowArea},
        {1043, "lu_Beton", "lu Beton [m]", "m", Role::Out, "0", {}, &D::m_concretePerimeter},
        {1049, "Aufstau", "Aufstau [cm]", "cm", Role::In, "3", Range{0, 200}, &D::m_rise},
        {1005, "L", "Länge [m]", "m", Role::In, "10", Range{0.5, 1000}, &D::m_L},
    };
    static const ControlDef controls[] = {
        {kIdOk, Ctl::Button, "Rechne"},
        {kIdCancel, Ctl::Button, "Abbruch"},
        {kIdMode1, Ctl::Radio, "", 1},
        {kIdMode2, Ctl::Radio, "", 1},
    };
    static const Handler<D> handlers[] = {
        {Ev::Click, kIdOk, &D::OnCompute},
        {Ev::Click, kIdMode1, &D::OnMode},
        {Ev::Click, kIdMode2, &D::OnMode},
    };
    Bind<D>(this, fields);
    AddControls(controls);
    Connect<D>(this, handlers);
}

void CBoxCulvertDlg::OnCompute()
{
    BeginComputation();
    // Read before the levels are completed: no level is completed from a
    // number outside its range.
    if (!ReadForComputation())
        return;
    CSteps steps(RecordingSteps());
    if (!UpdateMode(steps)) {
        Refuse("Unzulässige Eingabe!\n\n" + LevelsRefusal());
        UpdateData(false);
        return;
    }
    UpdateData(true);

    // Inputs for which the culvert has no flow area are refused; no result
    // of an earlier computation stays beside them.
    std::string refusal;
    if (!(m_b > 0))
        refusal = "Die lichte Weite b muss größer als 0 m sein.";
    else if (m_t >= m_h)
        refusal = Format("Die Sohle füllt den Durchlass aus: die Höhe der Sohle t muss kleiner als die "
                         "lichte Höhe h = %g m sein.",
                         m_h);
    else if (!(m_h2 > 0))
        refusal = "Der Wasserstand h2 über der Sohle muss größer als 0 m sein.\n"
                  "Ohne Wassertiefe gibt es keinen Fließquerschnitt.";
    else if (!(m_L > 0))
        refusal = "Die Länge des Durchlasses muss größer als 0 m sein.";

    if (refusal.empty()) {
        const BoxCulvertResult r = ComputeBoxCulvert(
            {m_b, m_h, m_t, {m_h1, m_h2, m_L, m_zetaIn, m_zetaOut, m_kStBed, m_kStConcrete}}, steps);
        const CBoxBedSection& section = r.section;
        if (AllFinite({r.flow.Q2, r.flow.Q, r.flow.v, section.bedArea, section.flowArea, section.concretePerimeter})) {
            m_Q = r.flow.Q;
            m_v = r.flow.v;
            m_bedArea = section.bedArea;
            m_bedWidth = section.bedWidth;
            m_flowArea = section.flowArea;
            m_concretePerimeter = section.concretePerimeter;
            Record(steps);
        } else {
            refusal = kNoDischarge;
        }
    }
    if (!refusal.empty())
        Refuse("Unzulässige Eingabe!\n\n" + refusal);
    UpdateData(false);
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
                    FieldAt(1000, 0, 0, 10),
                    FieldAt(1001, 1, 0, 10),
                    FieldAt(1002, 2, 0, 10),
                    FieldAt(1003, 3, 0, 10),
                    FieldAt(1004, 4, 0, 10),
                    FieldAt(1005, 5, 0, 10),
                    FieldAt(1018, 6, 0, 10),
                    FieldAt(1019, 7, 0, 10),
                    FieldAt(1016, 8, 0, 10),
                    GroupAt("", 9, 0, 1, 2,
                            {
                                ControlAt(kIdMode1, 0, 0),
                                FieldAt(1015, 0, 1),
                                ControlAt(kIdMode2, 1, 0),
                                GroupAt("", 1, 1, 1, 2, {FieldAt(1006, 0, 0), FieldAt(1049, 1, 0)}),
                            }),
                    StretchAt(10, 0),
                }),
        PanelAt(0, 1, 1, 1,
                {
                    PictureAt(162, 0, 0, 1, 2),
                    FieldAt(1013, 1, 0),
                    FieldAt(1014, 2, 0),
                    GroupAt("Fläche, benetzter Umfang", 3, 0, 1, 2,
                            {FieldAt(1030, 0, 0), FieldAt(1031, 1, 0), FieldAt(1032, 2, 0), FieldAt(1043, 3, 0)}),
                    StretchAt(4, 0),
                }),
        ButtonColumn(0, 2, 1, {kIdOk, kIdCancel}),
    };
    return layout;
}

} // namespace dralun
