#include "forms/CPipeRunDlg.h"

#include <cmath>

#include "core/CPipeRunFlow.h"
#include "core/Format.h"

namespace dralun {

namespace {

enum : int {
    kQ = 1000,
    kLevelTop = 1001,
    kLevelBottom = 1002,
    kLength = 1003,
    kSlopePercent = 1004,
    kSlopeN = 1005,
    kKb = 1006,
    kModeLevels = 1007,
    kModePercent = 1008,
    kModeOneIn = 1009,
    kListDN = 1011,
    kRefresh = 1012,
    kVv = 1013,
    kQv = 1014,
    kVt = 1015,
    kQt = 1016,
    kCompute = 1017,
    kDrH = 1018,
    kDN = 1019,
    kAppendRow = 1020,
    kListVv = 1066,
    kListQv = 1067,
};

// A result as its field shows it: printf "%<width>.<decimals>f", or "-"
// when it cannot be determined.
std::string Result(int width, int decimals, double value)
{
    return std::isfinite(value) ? FormatFixed(width, decimals, value) : std::string("-");
}

} // namespace

CPipeRunDlg::CPipeRunDlg(IMessageSink& sink) : CForm(kTemplateId, sink)
{
    using D = CPipeRunDlg;
    // In the order of the field exchange.
    static const Field<D> fields[] = {
        // id   name   label                         unit  role      default range
        {kLevelTop, "zo", "Sohle oben / unten in mNN", "m", Role::In, "0", {}, &D::m_levelTop},
        {kLevelBottom, "zu", "Sohle oben / unten in mNN", "m", Role::In, "0", {}, &D::m_levelBottom},
        {kLength, "L", "Länge Haltung", "m", Role::In, "10", {}, &D::m_L},
        {kKb, "kb", "kb in mm", "mm", Role::In, "1.5", Range{0.25, 3}, &D::m_kb},
        {kSlopePercent, "I", "Gefälle &%", "%", Role::In, "1", Range{0, 100}, &D::m_slopePercent},
        {kSlopeN, "n", "Gefälle 1 : &n", "-", Role::In, "100", {}, &D::m_slopeN},
        {kDN, "DN", "DN", "mm", Role::In, "300", {}, &D::m_DN},
        {kQ, "Q", "Q in l/s", "l/s", Role::In, "40", {}, &D::m_Q},
        {kDrH, "DrH", "DrH m", "m", Role::Out, "", {}, &D::m_DrHText},
        {kQt, "Qt", "Qt l/s", "l/s", Role::Out, "", {}, &D::m_QtText},
        {kVt, "vt", "vt m/s", "m/s", Role::Out, "", {}, &D::m_vtText},
        {kQv, "Qv", "Qv l/s", "l/s", Role::Out, "", {}, &D::m_QvText},
        {kVv, "vv", "vv m/s", "m/s", Role::Out, "", {}, &D::m_vvText},
    };
    static const ControlDef controls[] = {
        {kModeLevels, Ctl::Radio, "Schachtsohlen &mNN", 1},
        {kModePercent, Ctl::Radio, "Gefälle in &%", 1},
        {kModeOneIn, Ctl::Radio, "Neigung 1: &?", 1},
        {kListDN, Ctl::List, ""},
        {kListVv, Ctl::List, "", 0, {}, true},
        {kListQv, Ctl::List, "", 0, {}, true},
        {kRefresh, Ctl::Button, "Liste aktualisieren"},
        {kCompute, Ctl::Button, "Rechne"},
        {kAppendRow, Ctl::Button, "Zeile in Rohr.txt"},
        {kIdCancel, Ctl::Button, "Abbruch"},
    };
    static const Handler<D> handlers[] = {
        {Ev::Click, kCompute, &D::OnCompute},
        // The lists are results: refreshing them computes the whole reach.
        {Ev::Click, kRefresh, &D::OnCompute},
        {Ev::Leave, kSlopePercent, &D::OnCompute},
        {Ev::Leave, kSlopeN, &D::OnCompute},
        {Ev::Click, kModeLevels, &D::OnSlopeFromLevels},
        {Ev::Click, kModePercent, &D::OnSlopeInPercent},
        {Ev::Click, kModeOneIn, &D::OnSlopeOneIn},
        {Ev::DblClk, kListDN, &D::OnTakeDiameter},
        {Ev::Click, kAppendRow, &D::OnAppendReportRow},
    };
    Bind<D>(this, fields);
    AddControls(controls);
    Connect<D>(this, handlers);
    SetDefaultCommand(kCompute);
}

void CPipeRunDlg::OnInitDialog()
{
    for (const std::string& message : m_pipe.LoadTables())
        MessageBox(message, MsgIcon::Exclamation);

    CheckRadio(kModeOneIn);
    m_pipe.m_mode = CPipeFlow::kOneIn;
    Enable(kLevelTop, false);
    Enable(kLevelBottom, false);
    Enable(kSlopePercent, false);
    Enable(kSlopeN, true);

    OnCompute();
}

// Why the inputs read cannot be computed ("" when they can).
std::string CPipeRunDlg::InputProblem() const
{
    std::string problem;
    auto add = [&problem](const std::string& text) { problem += (problem.empty() ? "" : "\n") + text; };
    if (m_Q < 0)
        add("Der Abfluss Q darf nicht negativ sein.");
    if (m_pipe.m_diameterCount > 0 && !m_pipe.HasDiameter(m_DN)) {
        std::string diameters;
        for (int i = 1; i <= m_pipe.m_diameterCount; ++i)
            diameters += (i > 1 ? ", " : "") + std::to_string(m_pipe.m_diameters[i]);
        add("Die Nennweite DN " + FormatG15(m_DN) + " steht nicht in der Durchmessertabelle DN.ASC (" + diameters +
            " mm).");
    } else if (m_pipe.m_diameterCount == 0 &&
               !(m_DN >= CPipeFlow::kSmallestDN && m_DN <= CPipeFlow::kLargestDN)) {
        // Without the table any diameter it could hold is taken.
        add(Format("Die Nennweite DN %s liegt nicht zwischen %d und %d mm (die Durchmessertabelle DN.ASC ist nicht "
                   "geladen).",
                   FormatG15(m_DN).c_str(), CPipeFlow::kSmallestDN, CPipeFlow::kLargestDN));
    }
    return problem;
}

void CPipeRunDlg::OnCompute()
{
    BeginComputation();
    // A text that is not a number keeps its value; a number out of range
    // refuses the computation.
    if (!ReadForComputation()) {
        ShowLists(false);
        return;
    }
    if (const std::string problem = InputProblem(); !problem.empty()) {
        Refuse(problem);
        ShowLists(false);
        UpdateData(false);
        return;
    }

    CSteps steps(RecordingSteps());
    const PipeReachResult reach = ComputePipeReach(
        m_pipe, {m_pipe.m_mode, m_Q, m_levelTop, m_levelBottom, m_L, m_slopePercent, m_slopeN, m_kb, m_DN}, steps);

    // Overloaded, the pipe has no part filling: its fields show 0 as before,
    // and the refusal says why they hold no values.
    if (reach.overloaded)
        RefuseFields("überlastet: Q > Qv, keine Teilfüllung", {kDrH, kQt, kVt}, MsgIcon::Exclamation, false);
    m_vvText = Result(5, 2, reach.vv);
    m_QvText = Result(5, 1, reach.Qv);
    m_vtText = Result(5, 2, reach.vt);
    m_QtText = Result(5, 1, reach.Qt);
    m_DrHText = Result(7, 3, reach.DrH);
    // The slope fields that the mode does not use show the same slope in
    // their own form.
    m_slopePercent = reach.slopePercent;
    m_slopeN = reach.slopeN;

    if (reach.computed)
        Record(steps);
    ShowLists(true);
    UpdateData(false);
}

std::string CPipeRunDlg::Method() const
{
    return "Leistungsfähigkeit einer Rohrhaltung nach Prandtl-Colebrook (Vollfüllung), Teilfüllung nach der "
           "Teilfüllungstabelle des Kreisprofils";
}

std::vector<FormChoice> CPipeRunDlg::Choices() const
{
    std::vector<FormChoice> choices;
    const std::pair<int, const char*> modes[] = {
        {kModeLevels, "aus den Schachtsohlen und der Länge"},
        {kModePercent, "in %"},
        {kModeOneIn, "als Neigung 1 : n"},
    };
    for (const auto& [id, text] : modes)
        if (IsChecked(id))
            choices.push_back({id, "Eingabe des Gefälles", text});
    const int index = Selection(kListDN);
    if (index >= 0 && index < m_pipe.m_diameterCount) {
        const int dn = m_pipe.m_diameters[static_cast<size_t>(index) + 1];
        choices.push_back({kListDN, "Gewählte Nennweite aus DN.ASC",
                           "DN " + std::to_string(dn) + (dn == m_DN ? "" : " (nicht in das Feld DN übernommen)")});
    }
    return choices;
}

std::vector<ListMark> CPipeRunDlg::ListMarks() const
{
    // The engine holds Q, slope and kb of the computation the list shows.
    if (!m_listsHaveValues)
        return {};
    const double Q = m_pipe.m_Q;
    const auto found = m_pipe.SmallestSufficientDiameter(Q);
    if (!found)
        return {};
    return {{kListDN, found->entry - 1,
             Format("kleinste Nennweite, die Q = %s l/s ohne Überlastung abführt (Qv = %.1f l/s)",
                    FormatG15(Q).c_str(), found->Qv)}};
}

// The three lists anew: with the full flow of every diameter at the slope
// and kb the engine has just computed with, or, for a refused computation,
// the diameters alone (to pick one from) with "-" beside them. The chosen
// diameter stays chosen.
void CPipeRunDlg::ShowLists(bool withValues)
{
    // The values depend on the slope and kb alone: a computation with the
    // same ones (another Q or DN, as a rating table varies them) finds them
    // shown already.
    if (withValues && m_listsHaveValues && m_pipe.m_J == m_listJ && m_pipe.m_kb == m_listKb)
        return;
    // A copy of the form that computes the rows of a rating table without
    // recording steps is never shown: it leaves its lists without values.
    if (withValues && !RecordingSteps())
        withValues = false;
    if (!withValues && !m_listsHaveValues && !Items(kListDN).empty())
        return;
    const int chosen = Selection(kListDN);
    ResetList(kListDN);
    ResetList(kListVv);
    ResetList(kListQv);
    if (withValues)
        m_pipe.FillDiameterList();
    else
        m_pipe.BlankDiameterList();
    for (int i = 1; i <= m_pipe.m_diameterCount; ++i) {
        AddItem(kListDN, m_pipe.m_dnText[i]);
        AddItem(kListVv, m_pipe.m_vvText[i]);
        AddItem(kListQv, m_pipe.m_QvText[i]);
    }
    SetSelection(kListDN, chosen);
    Enable(kListVv, false);
    Enable(kListQv, false);
    m_listsHaveValues = withValues;
    m_listJ = m_pipe.m_J;
    m_listKb = m_pipe.m_kb;
}

void CPipeRunDlg::OnSlopeFromLevels()
{
    m_pipe.m_mode = CPipeFlow::kFromLevels;
    Enable(kLevelTop, true);
    Enable(kLevelBottom, true);
    Enable(kLength, true);
    Enable(kSlopePercent, false);
    Enable(kSlopeN, false);
}

void CPipeRunDlg::OnSlopeInPercent()
{
    m_pipe.m_mode = CPipeFlow::kPercent;
    Enable(kLevelTop, false);
    Enable(kLevelBottom, false);
    Enable(kLength, false);
    Enable(kSlopePercent, true);
    Enable(kSlopeN, false);
    m_levelTop = 0;
    m_levelBottom = 0;
    UpdateData(false);
}

void CPipeRunDlg::OnSlopeOneIn()
{
    m_pipe.m_mode = CPipeFlow::kOneIn;
    Enable(kLevelTop, false);
    Enable(kLevelBottom, false);
    Enable(kLength, false);
    Enable(kSlopePercent, false);
    Enable(kSlopeN, true);
    m_levelTop = 0;
    m_levelBottom = 0;
    UpdateData(false);
}

void CPipeRunDlg::OnTakeDiameter()
{
    const int index = Selection(kListDN);
    if (index < 0 || index >= m_pipe.m_diameterCount)
        return;
    SetText(kDN, std::to_string(m_pipe.m_diameters[static_cast<size_t>(index) + 1]));
    OnCompute();
}

// The slope fields the mode completes show the slope of a computation: a
// refused one completes none, so they show 0 rather than an earlier slope.
void CPipeRunDlg::OnRefusedWhole()
{
    if (m_pipe.m_mode != CPipeFlow::kPercent)
        m_slopePercent = 0;
    if (m_pipe.m_mode != CPipeFlow::kOneIn)
        m_slopeN = 0;
}

// The row belongs to the inputs shown: they are computed first, and a
// refused computation writes no row.
void CPipeRunDlg::OnAppendReportRow()
{
    OnCompute();
    if (!RefusedWhole())
        m_pipe.AppendReportRow();
}

const FormLayout& CPipeRunDlg::Layout() const
{
    static const FormLayout layout = [] {
        constexpr int in = 9;     // width of an input, characters
        constexpr int slope = 16; // the completed slopes may have 15 digits
        constexpr int out = 8;    // width of a result
        const FormLayout inputs = {
            FieldAt(kQ, 0, 0, in),
            LabelAt("Sohle oben / unten in mNN", 1, 0),
            PanelAt(1, 1, 1, 1, {EditAt(kLevelTop, 0, 0, 1, in), EditAt(kLevelBottom, 0, 1, 1, in), StretchAt(0, 2)}),
            FieldAt(kSlopePercent, 2, 0, slope),
            FieldAt(kSlopeN, 3, 0, slope),
            FieldAt(kKb, 4, 0, in),
        };
        const FormLayout modes = {
            ControlAt(kModeLevels, 0, 0),
            ControlAt(kModePercent, 1, 0),
            ControlAt(kModeOneIn, 2, 0),
        };
        const FormLayout results = {
            GroupAt("vv m/s", 0, 1, 1, 1, {EditAt(kVv, 0, 0, 1, out)}),
            GroupAt("Qv l/s", 0, 2, 1, 1, {EditAt(kQv, 0, 0, 1, out)}),
            LabelAt("vv und Qv", 0, 0),
            GroupAt("vt m/s", 1, 1, 1, 1, {EditAt(kVt, 0, 0, 1, out)}),
            GroupAt("Qt l/s", 1, 2, 1, 1, {EditAt(kQt, 0, 0, 1, out)}),
            GroupAt("DrH m", 1, 3, 1, 1, {EditAt(kDrH, 0, 0, 1, out)}),
            LabelAt("vt Qt und DrH", 1, 0),
        };
        const FormLayout lists = {
            LabelAt("DN", 0, 0, 1, 1, Align::Center),
            LabelAt("vv", 0, 1, 1, 1, Align::Center),
            LabelAt("Qv", 0, 2, 1, 1, Align::Center),
            ControlAt(kListDN, 1, 0),
            ControlAt(kListVv, 1, 1),
            ControlAt(kListQv, 1, 2),
            StretchAt(1, 3, 1, 1, 0, 22), // all 19 diameters in view, so the lists stay row-aligned
            ControlAt(kRefresh, 2, 0, 1, 3),
        };
        return FormLayout{
            PanelAt(0, 0, 1, 1, inputs),
            PanelAt(1, 0, 1, 1,
                    {GroupAt("Länge Haltung", 0, 0, 1, 1, {EditAt(kLength, 0, 0, 1, in)}),
                     GroupAt("DN", 1, 0, 1, 1, {EditAt(kDN, 0, 0, 1, in)}),
                     GroupAt("Eingabe des Gefälles", 0, 1, 2, 1, modes)}),
            PanelAt(2, 0, 1, 1, results),
            PictureAt(kPictureId, 0, 1, 2, 1),
            StretchAt(3, 0),
            PanelAt(0, 2, 4, 1, lists),
            ButtonColumn(0, 3, 4, {kCompute, kAppendRow, kIdCancel}),
        };
    }();
    return layout;
}

} // namespace dralun
