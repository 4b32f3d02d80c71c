#include "forms/CPipeCulvertDlg.h"

namespace dralun {

CPipeCulvertDlg::CPipeCulvertDlg(IMessageSink& sink)
    : CCulvertDlg(kDescription, sink, {kIdH1, kIdI, kIdAufstau, kIdH1Plus, kIdH1Minus})
{
    using D = CPipeCulvertDlg;
    // In the order the fields are exchanged.
    static const Field<D> fields[] = {
        {kIdDN, "DN", "DN [mm]", "mm", Role::In, "400", Range{80, 2000}, &D::m_DN},
        {kIdT, "t", "t [m]", "m", Role::In, "0", {}, &D::m_t},
        {kIdKStS, "kStS", "kSt-Sohle", "m^(1/3)/s", Role::In, "40", Range{1, 100}, &D::m_kStBed},
        {kIdKStW, "kStW", "kSt-D-lasswand", "m^(1/3)/s", Role::In, "65", Range{1, 100}, &D::m_kStWall},
        {kIdQ, "Q", "Q [m³/s]", "m³/s", Role::Out, "0", {}, &D::m_Q},
        {kIdV, "v", "v [m/s]", "m/s", Role::Out, "0", {}, &D::m_v},
        {kIdH1, "h1", "h1  [m]", "m", Role::In, "0.6", {}, &D::m_h1},
        {kIdH2, "h2", "h2 Wasserstand (2)  [m]", "m", Role::In, "0.5", {}, &D::m_h2},
        {kIdZetaE, "zeta_e", "Eintrittsverlustbeiwert", "-", Role::In, "0.5", Range{0, 1}, &D::m_zetaIn},
        {kIdZetaA, "zeta_a", "Austrittsverlustbeiwert", "-", Role::In, "1", Range{0, 1}, &D::m_zetaOut},
        {kIdASohle, "A_Sohle", "A Sohle (t) [m²]", "m²", Role::Out, "0", {}, &D::m_bedArea},
        {kIdLuSohle, "lu_Sohle", "lu Sohle (t) [m]", "m", Role::Out, "0", {}, &D::m_bedWidth},
        {kIdA, "A", "A Abfluss [m²]", "m²", Role::Out, "0", {}, &D::m_flowArea},
        {kIdLuWand, "lu_Wand", "lu Rohrwand [m]", "m", Role::Out, "0", {}, &D::m_wallPerimeter},
        {kIdAufstau, "Aufstau", "Aufstau [cm]", "cm", Role::In, "3", Range{0, 200}, &D::m_rise},
        {kIdL, "L", "Länge [m]", "m", Role::In, "5", Range{0.5, 1000}, &D::m_L},
        {kIdI, "I", "Gefälle [%o]", "‰", Role::In, "0", Range{0, 1000}, &D::m_I},
        {kIdQerf, "Qerf", "Q erforderlich [m³/s]", "m³/s", Role::In, "0", Range{0, 1000}, &D::m_Qerf},
    };
    static const ControlDef controls[] = {
        {kIdDn10, Ctl::Check, "DN/10"},
        {kIdMode1, Ctl::Radio, "", 1},
        {kIdMode2, Ctl::Radio, "", 1},
        {kIdDnPlus, Ctl::Step, "+"},
        {kIdDnMinus, Ctl::Step, "-"},
        {kIdTPlus, Ctl::Step, "+"},
        {kIdTMinus, Ctl::Step, "-"},
        {kIdH1Plus, Ctl::Step, "+"},
        {kIdH1Minus, Ctl::Step, "-"},
        {kIdH2Plus, Ctl::Step, "+"},
        {kIdH2Minus, Ctl::Step, "-"},
    };
    static const Handler<D> handlers[] = {
        {Ev::Click, kIdOk, &D::OnCompute}, // Enter: the form has no button 1
        {Ev::Click, kIdMode1, &D::OnMode},
        {Ev::Click, kIdMode2, &D::OnMode},
        {Ev::Click, kIdDn10, &D::OnDn10},
        {Ev::Click, kIdDnPlus, &D::OnDnPlus},
        {Ev::Click, kIdDnMinus, &D::OnDnMinus},
        {Ev::Click, kIdTPlus, &D::OnTPlus},
        {Ev::Click, kIdTMinus, &D::OnTMinus},
        {Ev::Click, kIdH1Plus, &D::OnH1Plus},
        {Ev::Click, kIdH1Minus, &D::OnH1Minus},
        {Ev::Click, kIdH2Plus, &D::OnH2Plus},
        {Ev::Click, kIdH2Minus, &D::OnH2Minus},
    };
    Bind<D>(this, fields);
    AddControls(controls);
    Connect<D>(this, handlers);
    SetDefaultCommand(kIdOk);
}

// "DN/10" takes the bed from the diameter before the culvert is computed.
CulvertCheck CPipeCulvertDlg::Evaluate(CSteps& steps)
{
    if (IsChecked(kIdDn10))
        m_t = DnTenthBed(m_DN, steps);
    const PipeCulvertResult r = ComputePipeCulvert({m_DN, m_t, Balance(m_kStWall)}, steps);
    if (r.check.status == CulvertStatus::Ok) {
        TakeResults(r.flow, r.section.bedArea, r.section.bedWidth, r.section.flowArea);
        m_wallPerimeter = r.section.wallPerimeter;
    }
    return r.check;
}

std::string CPipeCulvertDlg::Method() const
{
    return "Leistungsfähigkeit eines Rohrdurchlasses mit Sohle (Energiebilanz mit Ein- und Auslaufverlusten, "
           "Reibungsverlust nach Manning-Strickler)";
}

std::vector<FormChoice> CPipeCulvertDlg::Choices() const
{
    std::vector<FormChoice> choices = CCulvertDlg::Choices();
    choices.push_back({kIdDn10, "Höhe der Sohle t = DN/10", IsChecked(kIdDn10) ? "ja" : "nein"});
    return choices;
}

// Ticking the box takes a tenth of the diameter as typed.
void CPipeCulvertDlg::OnDn10()
{
    if (IsChecked(kIdDn10))
        UpdateData(true);
    ApplyDn10Rule();
}

// "DN/10": the bed fill takes a tenth of the diameter; its field and its
// step buttons are locked.
void CPipeCulvertDlg::ApplyDn10Rule()
{
    const bool tenth = IsChecked(kIdDn10);
    Enable(kIdT, !tenth);
    Enable(kIdTPlus, !tenth);
    Enable(kIdTMinus, !tenth);
    if (!tenth)
        return;
    m_t = DnTenthBed(m_DN);
    UpdateData(false);
}

// A step button reads the fields first, so that nothing typed is lost, and
// steps from the value as typed (one outside its range stays refused until
// a step brings it back); it writes the fields and does not compute.
void CPipeCulvertDlg::OnDnPlus()
{
    UpdateData(true);
    if (m_DN < 2000)
        m_DN += 100;
    ApplyDn10Rule();
    UpdateData(false);
}

void CPipeCulvertDlg::OnDnMinus()
{
    UpdateData(true);
    if (m_DN >= 200)
        m_DN -= 100;
    ApplyDn10Rule();
    UpdateData(false);
}

// The t buttons are locked while "DN/10" is ticked, the h1 buttons in mode
// 2; the checks stay for safety.
void CPipeCulvertDlg::OnTPlus()
{
    UpdateData(true);
    if (!IsChecked(kIdDn10) && m_DN / 1000 - 0.05 >= m_t)
        m_t += 0.01;
    UpdateData(false);
}

void CPipeCulvertDlg::OnTMinus()
{
    UpdateData(true);
    if (!IsChecked(kIdDn10)) {
        if (m_t > 0.01)
            m_t -= 0.01;
        else
            m_t = 0;
    }
    UpdateData(false);
}

void CPipeCulvertDlg::OnH1Plus()
{
    if (m_mode != CulvertMode::H1Given)
        return;
    UpdateData(true);
    m_h1 += 0.01;
    UpdateData(false);
}

void CPipeCulvertDlg::OnH1Minus()
{
    if (m_mode != CulvertMode::H1Given)
        return;
    UpdateData(true);
    if (m_h1 >= 0.02)
        m_h1 -= 0.01;
    UpdateData(false);
}

void CPipeCulvertDlg::OnH2Plus()
{
    UpdateData(true);
    m_h2 += 0.01;
    UpdateData(false);
}

void CPipeCulvertDlg::OnH2Minus()
{
    UpdateData(true);
    if (m_h2 >= 0.02)
        m_h2 -= 0.01;
    UpdateData(false);
}

const FormLayout& CPipeCulvertDlg::Layout() const
{
    static const FormLayout layout = {
        PanelAt(0, 0, 1, 1,
                {
                    FieldAt(kIdDN, 0, 0, 10), ControlAt(kIdDnPlus, 0, 2), ControlAt(kIdDnMinus, 0, 3),
                    FieldAt(kIdT, 1, 0, 10), ControlAt(kIdTPlus, 1, 2), ControlAt(kIdTMinus, 1, 3),
                    ControlAt(kIdDn10, 1, 4),
                    FieldAt(kIdKStS, 2, 0, 10),
                    FieldAt(kIdKStW, 3, 0, 10),
                    FieldAt(kIdL, 4, 0, 10),
                    FieldAt(kIdZetaE, 5, 0, 10),
                    FieldAt(kIdZetaA, 6, 0, 10),
                    FieldAt(kIdH2, 7, 0, 10), ControlAt(kIdH2Plus, 7, 2), ControlAt(kIdH2Minus, 7, 3),
                    GroupAt("", 8, 0, 1, 5,
                            {
                                ControlAt(kIdMode1, 0, 0),
                                FieldAt(kIdH1, 0, 1),
                                ControlAt(kIdH1Plus, 0, 3),
                                ControlAt(kIdH1Minus, 0, 4),
                                ControlAt(kIdMode2, 1, 0),
                                GroupAt("", 1, 1, 1, 4, {FieldAt(kIdI, 0, 0), FieldAt(kIdAufstau, 1, 0)}),
                            }),
                    FieldAt(kIdQerf, 9, 0, 10),
                    StretchAt(10, 0),
                }),
        ResultPanel(kPicture, {kIdQ, kIdV, kIdASohle, kIdLuSohle, kIdA, kIdLuWand}),
        ButtonColumn(0, 2, 1, {kIdRechne, kIdCancel}),
    };
    return layout;
}

} // namespace dralun
