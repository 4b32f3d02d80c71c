#include "forms/CPipeCulvertDlg.h"

#include "core/CCulvertFlow.h"
#include "core/Finite.h"
#include "core/Format.h"

namespace dralun {

namespace {
constexpr int kDnPlus = 1012, kDnMinus = 1020;
constexpr int kTPlus = 1017, kTMinus = 1021;
constexpr int kH1Plus = 1022, kH1Minus = 1023;
constexpr int kH2Plus = 1026, kH2Minus = 1027;
constexpr int kFieldT = 1001;
} // namespace

CPipeCulvertDlg::CPipeCulvertDlg(IMessageSink& sink)
    : CCulvertDlg(kTemplateId, sink, {1014, 1005, 1043, kH1Plus, kH1Minus})
{
    using D = CPipeCulvertDlg;
    // In the order the fields are exchanged.
    static const Field<D> fields[] = {
        {1000, "DN", "DN [mm]", "mm", Role::In, "400", Range{80, 2000}, &D::m_DN},
        {1001, "t", "t [m]", "m", Role::In, "0", {}, &D::m_t},
        {1002, "kStS", "kSt-Sohle", "m1/3/s", Role::In, "40", Range{1, 100}, &D::m_kStBed},
        {1003, "kStW", "kSt-D-lasswand", "m1/3/s", Role::In, "65", Range{1, 100}, &D::m_kStWall},
        {1006, "Q", "Q [m³/s]", "m³/s", Role::Out, "0", {}, &D::m_Q},
        {1013, "v", "v [m/s]", "m/s", Role::Out, "0", {}, &D::m_v},
        {1014, "h1", "h1  [m]", "m", Role::In, "0.6", {}, &D::m_h1},
        {1015, "h2", "h2 Wasserstand (2)  [m]", "m", Role::In, "0.5", {}, &D::m_h2},
        {1016, "zeta_e", "Eintrittsverlustbeiwert", "-", Role::In, "0.5", Range{0, 1}, &D::m_zetaIn},
        {1018, "zeta_a", "Austrittsverlustbeiwert", "-", Role::In, "1", Range{0, 1}, &D::m_zetaOut},
        {1019, "A_Sohle", "A Sohle (t) [m²]", "m²", Role::Out, "0", {}, &D::m_bedArea},
        {1030, "lu_Sohle", "lu Sohle (t) [m]", "m", Role::Out, "0", {}, &D::m_bedWidth},
        {1031, "A", "A Abfluss [m²]", "m²", Role::Out, "0", {}, &D::m_flowArea},
        {1032, "lu_Wand", "lu Rohrwand [m]", "m", Role::Out, "0", {}, &D::m_wallPerimeter},
        {1043, "Aufstau", "Aufstau [cm]", "cm", Role::In, "3", Range{0, 200}, &D::m_rise},
        {1004, "L", "Länge [m]", "m", Role::In, "5", Range{0.5, 1000}, &D::m_L},
        {1005, "I", "Gefälle [%o]", "‰", Role::In, "0", Range{0, 1000}, &D::m_I},
    };
    static const ControlDef controls[] = {
        {kIdRechne, Ctl::Button, "Rechne"},
        {kIdCancel, Ctl::Button, "Abbruch"},
        {kIdDn10, Ctl::Check, "DN/10"},
        {kIdMode1, Ctl::Radio, "", 1},
        {kIdMode2, Ctl::Radio, "", 1},
        {kDnPlus, Ctl::Step, "+"},
        {kDnMinus, Ctl::Step, "-"},
        {kTPlus, Ctl::Step, "+"},
        {kTMinus, Ctl::Step, "-"},
        {kH1Plus, Ctl::Step, "+"},
        {kH1Minus, Ctl::Step, "-"},
        {kH2Plus, Ctl::Step, "+"},
        {kH2Minus, Ctl::Step, "-"},
    };
    static const Handler<D> handlers[] = {
        {Ev::Click, kIdRechne, &D::OnCompute},
        {Ev::Click, kIdOk, &D::OnCompute}, // Enter: the form has no button 1
        {Ev::Click, kIdMode1, &D::OnMode},
        {Ev::Click, kIdMode2, &D::OnMode},
        {Ev::Click, kIdDn10, &D::OnDn10},
        {Ev::Click, kDnPlus, &D::OnDnPlus},
        {Ev::Click, kDnMinus, &D::OnDnMinus},
        {Ev::Click, kTPlus, &D::OnTPlus},
        {Ev::Click, kTMinus, &D::OnTMinus},
        {Ev::Click, kH1Plus, &D::OnH1Plus},
        {Ev::Click, kH1Minus, &D::OnH1Minus},
        {Ev::Click, kH2Plus, &D::OnH2Plus},
        {Ev::Click, kH2Minus, &D::OnH2Minus},
    };
    Bind<D>(this, fields);
    AddControls(controls);
    Connect<D>(this, handlers);
    SetDefaultCommand(kIdOk);
}

void CPipeCulvertDlg::OnCompute()
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
    if (IsChecked(kIdDn10))
        m_t = DnTenthBed(m_DN, steps);

    // Inputs for which the section has no flow area are refused; no result
    // of an earlier computation stays beside them.
    std::string refusal;
    const double D = m_DN / 1000;
    if (!(m_DN > 0))
        refusal = "Der Durchmesser DN muss größer als 0 mm sein.";
    else if (m_t < 0)
        refusal = "Die Höhe der Sohle t darf nicht negativ sein.";
    else if (m_t >= D)
        refusal = Format("Die Sohle füllt das Rohr aus: die Höhe der Sohle t muss kleiner als der "
                         "Durchmesser D = %g m sein.",
                         D);
    else if (!(m_h2 > 0))
        refusal = "Der Wasserstand h2 über der Sohle muss größer als 0 m sein.\n"
                  "Ohne Wassertiefe gibt es keinen Fließquerschnitt.";
    else if (!(m_L > 0))
        refusal = "Die Länge des Durchlasses muss größer als 0 m sein.";

    if (refusal.empty()) {
        const PipeCulvertResult r = ComputePipeCulvert(
            {m_DN, m_t, {m_h1, m_h2, m_L, m_zetaIn, m_zetaOut, m_kStBed, m_kStWall}}, steps);
        const CPipeBedSection& section = r.section;
        if (AllFinite({r.flow.Q2, r.flow.Q, r.flow.v, section.bedArea, section.bedWidth, section.flowArea,
                       section.wallPerimeter})) {
            m_Q = r.flow.Q;
            m_v = r.flow.v;
            m_bedArea = section.bedArea;
            m_bedWidth = section.bedWidth;
            m_flowArea = section.flowArea;
            m_wallPerimeter = section.wallPerimeter;
            Record(steps);
        } else {
            refusal = kNoDischarge;
        }
    }
    if (!refusal.empty())
        Refuse("Unzulässige Eingabe!\n\n" + refusal);
    UpdateData(false);
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
    Enable(kFieldT, !tenth);
    Enable(kTPlus, !tenth);
    Enable(kTMinus, !tenth);
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
    if (m_mode != 1)
        return;
    UpdateData(true);
    m_h1 += 0.01;
    UpdateData(false);
}

void CPipeCulvertDlg::OnH1Minus()
{
    if (m_mode != 1)
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
                    FieldAt(1000, 0, 0, 10), ControlAt(kDnPlus, 0, 2), ControlAt(kDnMinus, 0, 3),
                    FieldAt(1001, 1, 0, 10), ControlAt(kTPlus, 1, 2), ControlAt(kTMinus, 1, 3),
                    ControlAt(kIdDn10, 1, 4),
                    FieldAt(1002, 2, 0, 10),
                    FieldAt(1003, 3, 0, 10),
                    FieldAt(1004, 4, 0, 10),
                    FieldAt(1016, 5, 0, 10),
                    FieldAt(1018, 6, 0, 10),
                    FieldAt(1015, 7, 0, 10), ControlAt(kH2Plus, 7, 2), ControlAt(kH2Minus, 7, 3),
                    GroupAt("", 8, 0, 1, 5,
                            {
                                ControlAt(kIdMode1, 0, 0),
                                FieldAt(1014, 0, 1),
                                ControlAt(kH1Plus, 0, 3),
                                ControlAt(kH1Minus, 0, 4),
                                ControlAt(kIdMode2, 1, 0),
                                GroupAt("", 1, 1, 1, 4, {FieldAt(1005, 0, 0), FieldAt(1043, 1, 0)}),
                            }),
                    StretchAt(9, 0),
                }),
        PanelAt(0, 1, 1, 1,
                {
                    PictureAt(142, 0, 0, 1, 2),
                    FieldAt(1006, 1, 0),
                    FieldAt(1013, 2, 0),
                    GroupAt("Fläche, benetzter Umfang", 3, 0, 1, 2,
                            {FieldAt(1019, 0, 0), FieldAt(1030, 1, 0), FieldAt(1031, 2, 0), FieldAt(1032, 3, 0)}),
                    StretchAt(4, 0),
                }),
        ButtonColumn(0, 2, 1, {kIdRechne, kIdCancel}),
    };
    return layout;
}

} // namespace dralun
