#include "forms/CPipeRunDlg.h"

#include <cmath>

#include "core/CPipeRunFlow.h"
#include "core/Format.h"

namespace dralun {

namespace {

// A result as its field shows it: printf "%<width>.<decimals>f", or "-"
// when it cannot be determined.
std::string Result(int width, int decimals, double value)
{
    return std::isfinite(value) ? FormatFixed(width, decimals, value) : std::string("-");
}

} // namespace

CPipeRunDlg::CPipeRunDlg(IMessageSink& sink) : CForm(kDescription, sink)
{
    using D = CPipeRunDlg;
    // The input fields are the members of the reach input, a private base.
    auto input = [](double PipeReachInput::*member) { return static_cast<double D::*>(member); };
    // In the order of the field exchange.
    static const Field<D> fields[] = {
        // id   name   label                         unit  role      default range
        {kIdZo, "zo", "Sohle oben / unten in mNN", "m", Role::In, "0", {}, input(&D::levelTop)},
        {kIdZu, "zu", "Sohle oben / unten in mNN", "m", Role::In, "0", {}, input(&D::levelBottom)},
        {kIdL, "L", "Länge Haltung", "m", Role::In, "10", {}, input(&D::L)},
        {kIdKb, "kb", "kb in mm", "mm", Role::In, "1.5", Range{0.25, 3}, input(&D::kb)},
        {kIdI, "I", "Gefälle &%", "%", Role::In, "1", Range{0, 100}, input(&D::slopePercent)},
        {kIdN, "n", "Gefälle 1 : &n", "-", Role::In, "100", {}, input(&D::slopeN)},
        {kIdDN, "DN", "DN", "mm", Role::In, "300", {}, input(&D::DN)},
        {kIdQ, "Q", "Q in l/s", "l/s", Role::In, "40", {}, input(&D::Q)},
        // The criteria beside Q <= Qv: 100 % and 0 ask nothing more.
        {kIdEtaMax, "eta_max", "ηmax in %", "%", Role::In, "100", Range{1, 100}, &D::m_etaMax},
        {kIdVMin, "v_min", "vmin in m/s (0: ohne)", "m/s", Role::In, "0", Range{0, 10}, &D::m_vMin},
        {kIdHdMax, "hd_max", "(h/d)max (0: ohne)", "-", Role::In, "0", Range{0, 1}, &D::m_hdMax},
        {kIdDrH, "DrH", "DrH m", "m", Role::Out, "", {}, &D::m_DrHText},
        {kIdQt, "Qt", "Qt l/s", "l/s", Role::Out, "", {}, &D::m_QtText},
        {kIdVt, "vt", "vt m/s", "m/s", Role::Out, "", {}, &D::m_vtText},
        {kIdQv, "Qv", "Qv l/s", "l/s", Role::Out, "", {}, &D::m_QvText},
        {kIdVv, "vv", "vv m/s", "m/s", Role::Out, "", {}, &D::m_vvText},
    };
    static const ControlDef controls[] = {
        {kIdModeLevels, Ctl::Radio, "Schachtsohlen &mNN", 1},
        {kIdModePercent, Ctl::Radio, "Gefälle in &%", 1},
        {kIdModeOneIn, Ctl::Radio, "Neigung 1: &?", 1},
        {kIdListDiameters, Ctl::List, ""},
        {kIdListVv, Ctl::List, "", 0, {}, true},
        {kIdListQv, Ctl::List, "", 0, {}, true},
        {kIdRefreshList, Ctl::Button, "Liste aktualisieren"},
        {kIdAppendRow, Ctl::Button, "Zeile in Rohr.txt"},
    };
    static const Handler<D> handlers[] = {
        // The lists are results: refreshing them computes the whole reach.
        {Ev::Click, kIdRefreshList, &D::OnCompute},
        {Ev::Leave, kIdI, &D::OnCompute},
        {Ev::Leave, kIdN, &D::OnCompute},
        {Ev::Click, kIdModeLevels, &D::OnSlopeFromLevels},
        {Ev::Click, kIdModePercent, &D::OnSlopeInPercent},
        {Ev::Click, kIdModeOneIn, &D::OnSlopeOneIn},
        {Ev::DblClk, kIdListDiameters, &D::OnTakeDiameter},
        {Ev::Click, kIdAppendRow, &D::OnAppendReportRow},
    };
    Bind<D>(this, fields);
    AddControls(controls);
    Connect<D>(this, handlers);
    SetDefaultCommand(kIdCompute);
    CompletesInputs({kIdI, kIdN});
}

void CPipeRunDlg::OnInitDialog()
{
    for (const std::string& message : LoadPipeRunTables(m_tables))
        MessageBox(message, MsgIcon::Exclamation);

    CheckRadio(kIdModeOneIn);
    mode = PipeSlopeMode::OneIn;
    Enable(kIdZo, false);
    Enable(kIdZu, false);
    Enable(kIdI, false);
    Enable(kIdN, true);

    OnCompute();
}

// Why the inputs read cannot be computed ("" when they can).
std::string CPipeRunDlg::InputProblem() const
{
    std::string problem;
    auto add = [&problem](const std::string& text) { problem += (problem.empty() ? "" : "\n") + text; };
    if (Q < 0)
        add("Der Abfluss Q darf nicht negativ sein.");
    if (m_tables.diameterCount > 0 && !m_tables.HasDiameter(DN)) {
        std::string diameters;
        for (int i = 1; i <= m_tables.diameterCount; ++i)
            diameters += (i > 1 ? ", " : "") + std::to_string(m_tables.diameters[i]);
        add("Die Nennweite DN " + FormatG15(DN) + " steht nicht in der Durchmessertabelle DN.ASC (" + diameters +
            " mm).");
    } else if (m_tables.diameterCount == 0 &&
               !(DN >= PipeTables::kSmallestDN && DN <= PipeTables::kLargestDN)) {
        // Without the table any diameter it could hold is taken.
        add(Format("Die Nennweite DN %s liegt nicht zwischen %d und %d mm (die Durchmessertabelle DN.ASC ist nicht "
                   "geladen).",
                   FormatG15(DN).c_str(), PipeTables::kSmallestDN, PipeTables::kLargestDN));
    }
    return problem;
}

void CPipeRunDlg::OnCompute()
{
    BeginComputation();
    SetCompleted(kIdI, true);
    SetCompleted(kIdN, true);
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
    const PipeReachInput& input = *this;
    const PipeReachResult reach = ComputePipeReach(m_tables, input, steps);
    if (reach.Computed())
        m_lastReach = PipeRunReach{input, reach};

    // Overloaded, the pipe has no part filling: its fields show 0 as before,
    // and the refusal says why they hold no values.
    if (reach.status == PipeReachStatus::Overloaded)
        RefuseFields("überlastet: Q > Qv, keine Teilfüllung", {kIdDrH, kIdQt, kIdVt}, MsgIcon::Exclamation, false);
    m_vvText = Result(5, 2, reach.vv);
    m_QvText = Result(5, 1, reach.Qv);
    m_vtText = Result(5, 2, reach.vt);
    m_QtText = Result(5, 1, reach.Qt);
    m_DrHText = Result(7, 3, reach.DrH);
    // The slope fields that the mode does not use show the same slope in
    // their own form.
    slopePercent = reach.slopePercent;
    slopeN = reach.slopeN;

    // The reach carries Q when Q <= Qv; without a full-flow capacity (no
    // fall) nothing can be checked.
    if (reach.Computed() && std::isfinite(reach.Qv)) {
        Verdict verdict = CheckDemand(steps,
                                      {"Leistungsfähigkeit der Haltung", "Abfluss", "Q",
                                       "Leistungsfähigkeit bei Vollfüllung", "Qv", "l/s"},
                                      Q, reach.Qv);
        CheckPipeRunCriteria(verdict, {m_etaMax, m_vMin, m_hdMax}, reach, steps);
        SetVerdict(std::move(verdict));
    }
    if (reach.Computed())
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
        {kIdModeLevels, "aus den Schachtsohlen und der Länge"},
        {kIdModePercent, "in %"},
        {kIdModeOneIn, "als Neigung 1 : n"},
    };
    for (const auto& [id, text] : modes)
        if (IsChecked(id))
            choices.push_back({id, "Eingabe des Gefälles", text});
    const int index = Selection(kIdListDiameters);
    if (index >= 0 && index < m_tables.diameterCount) {
        const int dn = m_tables.diameters[static_cast<size_t>(index) + 1];
        choices.push_back({kIdListDiameters, "Gewählte Nennweite aus DN.ASC",
                           "DN " + std::to_string(dn) + (dn == DN ? "" : " (nicht in das Feld DN übernommen)")});
    }
    return choices;
}

std::vector<ListMark> CPipeRunDlg::ListMarks() const
{
    // The last reach holds Q, slope and kb of the computation the list shows.
    if (!m_listsHaveValues || !m_lastReach)
        return {};
    const double shownQ = m_lastReach->input.Q;
    const auto found = SmallestSufficientDiameter(m_tables, shownQ, m_lastReach->result.J, m_lastReach->input.kb);
    if (!found)
        return {};
    return {{kIdListDiameters, found->entry - 1,
             Format("kleinste Nennweite, die Q = %s l/s ohne Überlastung abführt (Qv = %.1f l/s)",
                    FormatG15(shownQ).c_str(), found->Qv)}};
}

// The three lists anew: with the full flow of every diameter at the slope
// and kb of the reach just computed, or, for a refused computation,
// the diameters alone (to pick one from) with "-" beside them. The chosen
// diameter stays chosen.
void CPipeRunDlg::ShowLists(bool withValues)
{
    // The values depend on the slope and kb alone: a computation with the
    // same ones (another Q or DN, as a rating table varies them) finds them
    // shown already.
    const double shownJ = m_lastReach ? m_lastReach->result.J : 0;
    const double shownKb = m_lastReach ? m_lastReach->input.kb : 0;
    if (withValues && m_listsHaveValues && shownJ == m_listJ && shownKb == m_listKb)
        return;
    // A copy of the form that computes the rows of a rating table without
    // recording steps is never shown: it leaves its lists without values.
    if (withValues && !RecordingSteps())
        withValues = false;
    if (!withValues && !m_listsHaveValues && !Items(kIdListDiameters).empty())
        return;
    const int chosen = Selection(kIdListDiameters);
    ResetList(kIdListDiameters);
    ResetList(kIdListVv);
    ResetList(kIdListQv);
    for (const PipeListRow& row : PipeDiameterList(m_tables, withValues ? shownJ : std::nan(""), shownKb)) {
        AddItem(kIdListDiameters, row.dnText);
        AddItem(kIdListVv, row.vvText);
        AddItem(kIdListQv, row.QvText);
    }
    SetSelection(kIdListDiameters, chosen);
    Enable(kIdListVv, false);
    Enable(kIdListQv, false);
    m_listsHaveValues = withValues;
    m_listJ = shownJ;
    m_listKb = shownKb;
}

// The inputs of the mode enabled, the others not; the bottom levels belong
// to their own mode and are cleared for the others.
void CPipeRunDlg::UseSlopeMode(PipeSlopeMode chosen)
{
    mode = chosen;
    const bool levels = chosen == PipeSlopeMode::FromLevels;
    Enable(kIdZo, levels);
    Enable(kIdZu, levels);
    Enable(kIdL, levels);
    Enable(kIdI, chosen == PipeSlopeMode::Percent);
    Enable(kIdN, chosen == PipeSlopeMode::OneIn);
    if (levels)
        return;
    levelTop = 0;
    levelBottom = 0;
    UpdateData(false);
}

void CPipeRunDlg::OnSlopeFromLevels() { UseSlopeMode(PipeSlopeMode::FromLevels); }

void CPipeRunDlg::OnSlopeInPercent() { UseSlopeMode(PipeSlopeMode::Percent); }

void CPipeRunDlg::OnSlopeOneIn() { UseSlopeMode(PipeSlopeMode::OneIn); }

void CPipeRunDlg::OnTakeDiameter()
{
    const int index = Selection(kIdListDiameters);
    if (index < 0 || index >= m_tables.diameterCount)
        return;
    SetText(kIdDN, std::to_string(m_tables.diameters[static_cast<size_t>(index) + 1]));
    OnCompute();
}

// The slope fields the mode completes show the slope of a computation: a
// refused one completes none, so they hold no slope rather than an earlier
// one (their text is 0).
void CPipeRunDlg::OnRefusedWhole()
{
    if (mode != PipeSlopeMode::Percent) {
        slopePercent = 0;
        SetCompleted(kIdI, false);
    }
    if (mode != PipeSlopeMode::OneIn) {
        slopeN = 0;
        SetCompleted(kIdN, false);
    }
}

// The row belongs to the inputs shown: they are computed first, and a
// refused computation writes no row.
void CPipeRunDlg::OnAppendReportRow()
{
    OnCompute();
    if (!RefusedWhole() && m_lastReach)
        m_report.Append(*m_lastReach);
}

const FormLayout& CPipeRunDlg::Layout() const
{
    static const FormLayout layout = [] {
        constexpr int in = 9;     // width of an input, characters
        constexpr int slope = 16; // the completed slopes may have 15 digits
        constexpr int out = 8;    // width of a result
        const FormLayout inputs = {
            FieldAt(kIdQ, 0, 0, in),
            LabelAt("Sohle oben / unten in mNN", 1, 0),
            PanelAt(1, 1, 1, 1, {EditAt(kIdZo, 0, 0, 1, in), EditAt(kIdZu, 0, 1, 1, in), StretchAt(0, 2)}),
            FieldAt(kIdI, 2, 0, slope),
            FieldAt(kIdN, 3, 0, slope),
            FieldAt(kIdKb, 4, 0, in),
            FieldAt(kIdEtaMax, 5, 0, in),
            FieldAt(kIdVMin, 6, 0, in),
            FieldAt(kIdHdMax, 7, 0, in),
        };
        const FormLayout modes = {
            ControlAt(kIdModeLevels, 0, 0),
            ControlAt(kIdModePercent, 1, 0),
            ControlAt(kIdModeOneIn, 2, 0),
        };
        const FormLayout results = {
            GroupAt("vv m/s", 0, 1, 1, 1, {EditAt(kIdVv, 0, 0, 1, out)}),
            GroupAt("Qv l/s", 0, 2, 1, 1, {EditAt(kIdQv, 0, 0, 1, out)}),
            LabelAt("vv und Qv", 0, 0),
            GroupAt("vt m/s", 1, 1, 1, 1, {EditAt(kIdVt, 0, 0, 1, out)}),
            GroupAt("Qt l/s", 1, 2, 1, 1, {EditAt(kIdQt, 0, 0, 1, out)}),
            GroupAt("DrH m", 1, 3, 1, 1, {EditAt(kIdDrH, 0, 0, 1, out)}),
            LabelAt("vt Qt und DrH", 1, 0),
        };
        const FormLayout lists = {
            LabelAt("DN", 0, 0, 1, 1, Align::Center),
            LabelAt("vv", 0, 1, 1, 1, Align::Center),
            LabelAt("Qv", 0, 2, 1, 1, Align::Center),
            ControlAt(kIdListDiameters, 1, 0),
            ControlAt(kIdListVv, 1, 1),
            ControlAt(kIdListQv, 1, 2),
            StretchAt(1, 3, 1, 1, 0, 22), // all 19 diameters in view, so the lists stay row-aligned
            ControlAt(kIdRefreshList, 2, 0, 1, 3),
        };
        return FormLayout{
            PanelAt(0, 0, 1, 1, inputs),
            PanelAt(1, 0, 1, 1,
                    {GroupAt("Länge Haltung", 0, 0, 1, 1, {EditAt(kIdL, 0, 0, 1, in)}),
                     GroupAt("DN", 1, 0, 1, 1, {EditAt(kIdDN, 0, 0, 1, in)}),
                     GroupAt("Eingabe des Gefälles", 0, 1, 2, 1, modes)}),
            PanelAt(2, 0, 1, 1, results),
            PictureAt(kPicture, 0, 1, 2, 1),
            StretchAt(3, 0),
            PanelAt(0, 2, 4, 1, lists),
            ButtonColumn(0, 3, 4, {kIdCompute, kIdAppendRow, kIdCancel}),
        };
    }();
    return layout;
}

} // namespace dralun
