#include "forms/CGutterDlg.h"

#include <cmath>
#include <string>
#include <vector>

#include "core/CGutterSection.h"

namespace dralun {

namespace {

// Control ids of one gutter form's column.
struct Column {
    int b, h, lu, A, v, Q;
};
using G = CGutterDlg;
constexpr Column kCurb{G::kIdB1, G::kIdH1, G::kIdLu1, G::kIdA1, G::kIdV1, G::kIdQ1};
constexpr Column kV{G::kIdB2, G::kIdH2, G::kIdLu2, G::kIdA2, G::kIdV2, G::kIdQ2};

// Why the road data describe no gutter, as the form says it.
std::string RoadDataProblem(GutterDataStatus status)
{
    switch (status) {
    case GutterDataStatus::NoCrossFall: return "Die Querneigung der Fahrbahn qf muss größer als 0 % sein.";
    case GutterDataStatus::NegativeStripWidth: return "Die Breite der Spitzrinne bS darf nicht negativ sein.";
    case GutterDataStatus::NegativeStripFall: return "Die Querneigung der Spitzrinne darf nicht negativ sein.";
    case GutterDataStatus::Ok: break;
    }
    return {};
}

// Why one gutter form was not computed.
std::string ColumnProblem(GutterFlowStatus status, bool depth, const char* gutter)
{
    if (status == GutterFlowStatus::NegativeGiven)
        return std::string(depth ? "Die Wasserstandshöhe h der " : "Die Wasserspiegelbreite b der ") + gutter +
               " darf nicht negativ sein.";
    return std::string("Die Werte der ") + gutter + " liegen außerhalb des darstellbaren Bereichs.";
}

} // namespace

CGutterDlg::CGutterDlg(IMessageSink& sink) : CForm(kDescription, sink)
{
    using D = CGutterDlg;
    static const Field<D> fields[] = {
        // id      name   label                                unit   role  default range
        {kIdKSt, "kSt", "Rauheitsbeiwert kSt", "m^(1/3)/s", Role::In, "70", Range{1, 95}, &D::m_kSt},
        {kIdQf, "qf", "Querneigung Fahrbahn qf [%]", "%", Role::In, "2.5", Range{1, 7}, &D::m_qf},
        {kIdHS, "hS", "Höhe Spitzrinne hS [m]", "m", Role::Out, "0", {}, &D::m_hS},
        {kIdLu1, "lu1", "lu [m]", "m", Role::Out, "0", {}, &D::m_lu1},
        {kIdLu2, "lu2", "lu [m]", "m", Role::Out, "0", {}, &D::m_lu2},
        {kIdA1, "A1", "A [m²]", "m²", Role::Out, "0", {}, &D::m_A1},
        {kIdA2, "A2", "A [m²]", "m²", Role::Out, "0", {}, &D::m_A2},
        {kIdV1, "v1", "v [m/s]", "m/s", Role::Out, "0", {}, &D::m_v1},
        {kIdQ1, "Q1", "Q [l/s]", "l/s", Role::Out, "0", {}, &D::m_Q1},
        {kIdQ2, "Q2", "Q [l/s]", "l/s", Role::Out, "0", {}, &D::m_Q2},
        {kIdV2, "v2", "v [m/s]", "m/s", Role::Out, "0", {}, &D::m_v2},
        {kIdS, "s", "Längsneigung Rinne s [%]", "%", Role::In, "1.0", {}, &D::m_s},
        {kIdBS, "bS", "Breite Spitzrinne bS [m]", "m", Role::In, "0.5", {}, &D::m_bS},
        {kIdQS, "qS", "Querneigung Spitzrinne [%]", "%", Role::In, "7.0", {}, &D::m_qS},
        {kIdB1, "b1", "Wasserspiegel-\nbreite b [m]", "m", Role::In, "0.5", {}, &D::m_b1},
        {kIdB2, "b2", "Wasserspiegel-\nbreite b [m]", "m", Role::In, "0.5", {}, &D::m_b2},
        {kIdH1, "h1", "Wasserstands-\nhöhe h [cm]", "cm", Role::Off, "0", {}, &D::m_h1},
        {kIdH2, "h2", "Wasserstands-\nhöhe h [cm]", "cm", Role::Off, "0", {}, &D::m_h2},
        {kIdQerf, "Qerf", "Q erforderlich [l/s]", "l/s", Role::In, "0", Range{0, 10000}, &D::m_Qerf},
    };
    static const ControlDef controls[] = {
        {kIdDepthGiven, Ctl::Radio, "h vorgeben b ermitteln", 1},
        {kIdWidthGiven, Ctl::Radio, "b vorgeben h ermitteln", 1},
    };
    static const Handler<D> handlers[] = {
        {Ev::Click, kIdDepthGiven, &D::OnDepthGiven},
        {Ev::Click, kIdWidthGiven, &D::OnWidthGiven},
    };
    Bind<D>(this, fields);
    AddControls(controls);
    SetDemandField(kIdQerf);
    Connect<D>(this, handlers);
}

void CGutterDlg::OnInitDialog()
{
    SetMode(kIdWidthGiven);
    // The results for the defaults are there as soon as the form is shown.
    OnCompute();
}

void CGutterDlg::SetMode(int mode)
{
    m_mode = mode;
    CheckRadio(mode);
    const bool depth = mode == kIdDepthGiven;
    for (const Column& c : {kCurb, kV}) {
        Enable(c.h, depth);
        Enable(c.b, !depth);
    }
}

// A mode change computes again, so the results always belong to the mode shown.
void CGutterDlg::OnDepthGiven()
{
    SetMode(kIdDepthGiven);
    OnCompute();
}

void CGutterDlg::OnWidthGiven()
{
    SetMode(kIdWidthGiven);
    OnCompute();
}

void CGutterDlg::OnCompute()
{
    BeginComputation();
    if (!ReadForComputation())
        return;
    Compute();
    UpdateData(false);
}

void CGutterDlg::Compute()
{
    const bool depth = DepthGiven();
    CSteps steps(RecordingSteps());
    const GutterResult result =
        ComputeGutter({{m_kSt, m_qf, m_s, m_bS, m_qS}, depth ? GutterGiven::Depth : GutterGiven::Width,
                       depth ? m_h1 : m_b1, depth ? m_h2 : m_b2, m_Qerf},
                      steps);
    m_hS = result.hS;

    struct Target {
        double &b, &h, &lu, &A, &v, &Q;
        Column ids;
        const char* name;
        const GutterFlow& flow;
    };
    const Target targets[] = {{m_b1, m_h1, m_lu1, m_A1, m_v1, m_Q1, kCurb, "Bordrinne", result.curb},
                              {m_b2, m_h2, m_lu2, m_A2, m_v2, m_Q2, kV, "Spitzrinne", result.vee}};

    // What cannot be computed is refused with its reason, in one message;
    // the results of that gutter form then show 0.
    std::vector<std::string> problems;
    std::vector<int> refused;
    const bool dataProblem = result.status != GutterDataStatus::Ok;
    if (dataProblem) {
        problems.push_back(RoadDataProblem(result.status));
    } else {
        for (const Target& t : targets) {
            if (t.flow.status != GutterFlowStatus::Ok) {
                problems.push_back(ColumnProblem(t.flow.status, depth, t.name));
                for (int id : {depth ? t.ids.b : t.ids.h, t.ids.lu, t.ids.A, t.ids.v, t.ids.Q})
                    refused.push_back(id);
                continue;
            }
            (depth ? t.b : t.h) = depth ? t.flow.b : t.flow.h;
            t.lu = t.flow.lu;
            t.A = t.flow.A;
            t.v = t.flow.v; // not determinable ("-") where the gutter is dry
            t.Q = t.flow.Q;
        }
        if (result.slopeNegative)
            problems.push_back("Die Längsneigung der Rinne s darf nicht negativ sein.\n"
                               "v und Q sind nicht bestimmbar.");
        // The form sets both gutter forms side by side for one road: the
        // discharge asked for is checked against the smaller of the two. A
        // gutter form refused, or one without a discharge (negative slope),
        // leaves nothing to check.
        if (m_Qerf > 0 && std::isfinite(result.Qmin))
            SetVerdict(CheckDemand(steps,
                                   {"Leistungsfähigkeit der Rinne", "erforderlicher Abfluss", "Qerf",
                                    "kleinere Leistungsfähigkeit (Bordrinne, Spitzrinne)", "Q_min", "l/s"},
                                   m_Qerf, result.Qmin));
        Record(steps);
    }

    if (problems.empty())
        return;
    std::string text;
    for (const std::string& p : problems)
        text += (text.empty() ? "" : "\n") + p;
    if (dataProblem) {
        Refuse(text);
    } else if (!refused.empty()) {
        RefuseFields(text, refused);
    } else {
        MessageBox(text, MsgIcon::Exclamation);
    }
}

// The computed one of b and h is an input field of the other mode.
void CGutterDlg::OnRefusedWhole()
{
    (DepthGiven() ? m_b1 : m_h1) = 0;
    (DepthGiven() ? m_b2 : m_h2) = 0;
    UpdateData(false);
}

std::string CGutterDlg::Method() const
{
    return "Leistungsfähigkeit einer Bord- und einer Spitzrinne nach Manning-Strickler";
}

std::vector<FormChoice> CGutterDlg::Choices() const
{
    if (DepthGiven())
        return {{kIdDepthGiven, "Vorgabe", "Wasserstandshöhe h vorgegeben, Wasserspiegelbreite b ermittelt"}};
    return {{kIdWidthGiven, "Vorgabe", "Wasserspiegelbreite b vorgegeben, Wasserstandshöhe h ermittelt"}};
}

const FormLayout& CGutterDlg::Layout() const
{
    static const FormLayout layout = [] {
        FormLayout table;
        table.push_back(LabelAt("Bordrinne", 0, 1, 1, 1, Align::Center));
        table.push_back(LabelAt("Spitzrinne", 0, 2, 1, 1, Align::Center));
        const struct {
            const char* label;
            int curb, vee;
        } rows[] = {
            {"Wasserspiegel-\nbreite b [m]", kCurb.b, kV.b}, {"Wasserstands-\nhöhe h [cm]", kCurb.h, kV.h},
            {"lu [m]", kCurb.lu, kV.lu},                      {"A [m²]", kCurb.A, kV.A},
            {"v [m/s]", kCurb.v, kV.v},                       {"Q [l/s]", kCurb.Q, kV.Q},
        };
        int row = 1;
        for (const auto& r : rows) {
            table.push_back(LabelAt(r.label, row, 0));
            table.push_back(EditAt(r.curb, row, 1));
            table.push_back(EditAt(r.vee, row, 2));
            ++row;
        }
        table.push_back(StretchAt(row, 0, 1, 3));

        FormLayout layout;
        layout.push_back(GroupAt("Straße und Rinne", 0, 0, 1, 1,
                                 {
                                     FieldAt(kIdKSt, 0, 0),
                                     FieldAt(kIdQf, 1, 0),
                                     FieldAt(kIdS, 2, 0),
                                     FieldAt(kIdBS, 3, 0),
                                     FieldAt(kIdQS, 4, 0),
                                     FieldAt(kIdHS, 5, 0),
                                     FieldAt(kIdQerf, 6, 0),
                                 }));
        layout.push_back(GroupAt("", 1, 0, 1, 1, {ControlAt(kIdDepthGiven, 0, 0), ControlAt(kIdWidthGiven, 1, 0)}));
        layout.push_back(GroupAt("", 0, 1, 2, 1, table));
        layout.push_back(PictureAt(kPicture, 2, 0, 1, 2));
        layout.push_back(ButtonColumn(0, 2, 3, {kIdOk, kIdCancel}));
        return layout;
    }();
    return layout;
}

} // namespace dralun
