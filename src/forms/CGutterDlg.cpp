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
constexpr Column kCurb{1013, 1006, 1014, 1016, 1019, 1031};
constexpr Column kV{1043, 1049, 1015, 1018, 1030, 1032};

} // namespace

CGutterDlg::CGutterDlg(IMessageSink& sink) : CForm(kTemplateId, sink)
{
    using D = CGutterDlg;
    static const Field<D> fields[] = {
        // id   name   label                                unit   role  default range
        {1000, "kSt", "Rauheitsbeiwert kSt", "m^(1/3)/s", Role::In, "70", Range{1, 95}, &D::m_kSt},
        {1002, "qf", "Querneigung Fahrbahn qf [%]", "%", Role::In, "2.5", Range{1, 7}, &D::m_qf},
        {1004, "hS", "Höhe Spitzrinne hS [m]", "m", Role::Out, "0", {}, &D::m_hS},
        {1014, "lu1", "lu [m]", "m", Role::Out, "0", {}, &D::m_lu1},
        {1015, "lu2", "lu [m]", "m", Role::Out, "0", {}, &D::m_lu2},
        {1016, "A1", "A [m²]", "m²", Role::Out, "0", {}, &D::m_A1},
        {1018, "A2", "A [m²]", "m²", Role::Out, "0", {}, &D::m_A2},
        {1019, "v1", "v [m/s]", "m/s", Role::Out, "0", {}, &D::m_v1},
        {1031, "Q1", "Q [l/s]", "l/s", Role::Out, "0", {}, &D::m_Q1},
        {1032, "Q2", "Q [l/s]", "l/s", Role::Out, "0", {}, &D::m_Q2},
        {1030, "v2", "v [m/s]", "m/s", Role::Out, "0", {}, &D::m_v2},
        {1001, "s", "Längsneigung Rinne s [%]", "%", Role::In, "1.0", {}, &D::m_s},
        {1003, "bS", "Breite Spitzrinne bS [m]", "m", Role::In, "0.5", {}, &D::m_bS},
        {1005, "qS", "Querneigung Spitzrinne [%]", "%", Role::In, "7.0", {}, &D::m_qS},
        {1013, "b1", "Wasserspiegel-\nbreite b [m]", "m", Role::In, "0.5", {}, &D::m_b1},
        {1043, "b2", "Wasserspiegel-\nbreite b [m]", "m", Role::In, "0.5", {}, &D::m_b2},
        {1006, "h1", "Wasserstands-\nhöhe h [cm]", "cm", Role::Off, "0", {}, &D::m_h1},
        {1049, "h2", "Wasserstands-\nhöhe h [cm]", "cm", Role::Off, "0", {}, &D::m_h2},
    };
    static const ControlDef controls[] = {
        {kIdOk, Ctl::Button, "Rechne"},
        {kIdCancel, Ctl::Button, "Abbruch"},
        {kDepthGiven, Ctl::Radio, "h vorgeben b ermitteln", 1},
        {kWidthGiven, Ctl::Radio, "b vorgeben h ermitteln", 1},
    };
    static const Handler<D> handlers[] = {
        {Ev::Click, kIdOk, &D::OnCompute},
        {Ev::Click, kDepthGiven, &D::OnDepthGiven},
        {Ev::Click, kWidthGiven, &D::OnWidthGiven},
    };
    Bind<D>(this, fields);
    AddControls(controls);
    Connect<D>(this, handlers);
}

void CGutterDlg::OnInitDialog()
{
    SetMode(kWidthGiven);
    // The results for the defaults are there as soon as the form is shown.
    OnCompute();
}

void CGutterDlg::SetMode(int mode)
{
    m_mode = mode;
    CheckRadio(mode);
    const bool depth = mode == kDepthGiven;
    for (const Column& c : {kCurb, kV}) {
        Enable(c.h, depth);
        Enable(c.b, !depth);
    }
}

// A mode change computes again, so the results always belong to the mode shown.
void CGutterDlg::OnDepthGiven()
{
    SetMode(kDepthGiven);
    OnCompute();
}

void CGutterDlg::OnWidthGiven()
{
    SetMode(kWidthGiven);
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
    const CGutterSection section({m_kSt, m_qf, m_s, m_bS, m_qS});
    m_hS = section.HS();
    const bool depth = DepthGiven();
    CSteps steps(RecordingSteps());
    section.RecordRoadData(steps);

    struct Target {
        double &b, &h, &lu, &A, &v, &Q;
        Column ids;
        const char* name;
    };
    Target curb{m_b1, m_h1, m_lu1, m_A1, m_v1, m_Q1, kCurb, "Bordrinne"};
    Target vee{m_b2, m_h2, m_lu2, m_A2, m_v2, m_Q2, kV, "Spitzrinne"};

    // What cannot be computed is refused with its reason, in one message;
    // the results of that gutter form then show 0.
    std::vector<std::string> problems;
    std::vector<int> refused;
    auto refuse = [&](const Target& t, std::string why) {
        problems.push_back(std::move(why));
        for (int id : {depth ? t.ids.b : t.ids.h, t.ids.lu, t.ids.A, t.ids.v, t.ids.Q})
            refused.push_back(id);
    };
    bool dataProblem = false;
    if (const std::string problem = section.DataProblem(); !problem.empty()) {
        problems.push_back(problem);
        dataProblem = true;
    } else {
        for (Target* t : {&curb, &vee}) {
            const double given = depth ? t->h : t->b;
            if (given < 0) {
                const char* what = depth ? "Die Wasserstandshöhe h der " : "Die Wasserspiegelbreite b der ";
                refuse(*t, std::string(what) + t->name + " darf nicht negativ sein.");
                continue;
            }
            // The steps of a gutter form that is refused do not go into the report.
            CSteps trial = steps;
            const GutterFlow flow = t == &curb
                                        ? (depth ? section.CurbAtDepth(given, trial) : section.CurbAtWidth(given, trial))
                                        : (depth ? section.VAtDepth(given, trial) : section.VAtWidth(given, trial));
            const double found = depth ? flow.b : flow.h;
            if (!std::isfinite(found) || !std::isfinite(flow.lu) || !std::isfinite(flow.A)) {
                // Only absurd magnitudes overflow; an input field must never show "-".
                refuse(*t, std::string("Die Werte der ") + t->name + " liegen außerhalb des darstellbaren Bereichs.");
                continue;
            }
            steps = std::move(trial);
            (depth ? t->b : t->h) = found;
            t->lu = flow.lu;
            t->A = flow.A;
            t->v = flow.v; // not determinable ("-") where the gutter is dry
            t->Q = flow.Q;
        }
        if (section.SlopeNegative())
            problems.push_back("Die Längsneigung der Rinne s darf nicht negativ sein.\n"
                               "v und Q sind nicht bestimmbar.");
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
        return {{kDepthGiven, "Vorgabe", "Wasserstandshöhe h vorgegeben, Wasserspiegelbreite b ermittelt"}};
    return {{kWidthGiven, "Vorgabe", "Wasserspiegelbreite b vorgegeben, Wasserstandshöhe h ermittelt"}};
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
                                     FieldAt(1000, 0, 0),
                                     FieldAt(1002, 1, 0),
                                     FieldAt(1001, 2, 0),
                                     FieldAt(1003, 3, 0),
                                     FieldAt(1005, 4, 0),
                                     FieldAt(1004, 5, 0),
                                 }));
        layout.push_back(GroupAt("", 1, 0, 1, 1, {ControlAt(kDepthGiven, 0, 0), ControlAt(kWidthGiven, 1, 0)}));
        layout.push_back(GroupAt("", 0, 1, 2, 1, table));
        layout.push_back(PictureAt(kPicture, 2, 0, 1, 2));
        layout.push_back(ButtonColumn(0, 2, 3, {kIdOk, kIdCancel}));
        return layout;
    }();
    return layout;
}

} // namespace dralun
