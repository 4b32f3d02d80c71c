#include "forms/CCulvertDlg.h"

#include <utility>
#include <vector>

#include "core/Format.h"

namespace dralun {

CCulvertDlg::CCulvertDlg(const FormDescription& description, IMessageSink& sink, LevelFields ids)
    : CForm(description, sink), m_ids(ids)
{
    SetDemandField(kIdQerf);
    CompletesInputs({ids.h1, ids.rise, ids.slope});
}

LayoutItem CCulvertDlg::ResultPanel(int picture, const ResultFields& ids)
{
    return PanelAt(0, 1, 1, 1,
                   {
                       PictureAt(picture, 0, 0, 1, 2),
                       FieldAt(ids.q, 1, 0),
                       FieldAt(ids.v, 2, 0),
                       GroupAt("Fläche, benetzter Umfang", 3, 0, 1, 2,
                               {FieldAt(ids.bedArea, 0, 0), FieldAt(ids.bedWidth, 1, 0), FieldAt(ids.flowArea, 2, 0),
                                FieldAt(ids.wallPerimeter, 3, 0)}),
                       StretchAt(4, 0),
                   });
}

void CCulvertDlg::OnInitDialog()
{
    CheckRadio(kIdMode1);
    m_mode = CulvertMode::H1Given;
    Enable(m_ids.slope, false);
    Enable(m_ids.rise, false);
    UpdateMode();
}

// A mode button that would lock a field holding a number outside its range
// is refused (the read has said which and why): locked, the number could
// not be corrected, and it would hold every computation back.
void CCulvertDlg::OnMode()
{
    const CulvertMode mode = IsChecked(kIdMode2) ? CulvertMode::SlopeGiven : CulvertMode::H1Given;
    if (mode != m_mode) {
        UpdateData(true);
        const std::vector<int> locked = mode == CulvertMode::H1Given ? std::vector<int>{m_ids.slope, m_ids.rise}
                                                                     : std::vector<int>{m_ids.h1};
        for (int id : locked)
            if (!OutsideRange(id, Value(id)).empty()) {
                CheckRadio(m_mode == CulvertMode::SlopeGiven ? kIdMode2 : kIdMode1);
                SetFocus(id, true);
                UpdateData(false);
                return;
            }
    }
    m_mode = mode;
    UpdateMode();
}

std::vector<FormChoice> CCulvertDlg::Choices() const
{
    if (IsChecked(kIdMode2))
        return {{kIdMode2, "Berechnungsart", "Gefälle I und Aufstau gegeben, Oberwasserstand h1 wird berechnet"}};
    return {{kIdMode1, "Berechnungsart", "Oberwasserstand h1 gegeben, Gefälle I wird berechnet"}};
}

void CCulvertDlg::OnCompute()
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
    const CulvertCheck check = Evaluate(steps);
    if (check.status == CulvertStatus::Ok) {
        if (m_Qerf > 0)
            SetVerdict(CheckDemand(steps,
                                   {"Leistungsfähigkeit des Durchlasses", "erforderlicher Abfluss", "Qerf",
                                    "Leistungsfähigkeit des Durchlasses", "Q", "m³/s"},
                                   m_Qerf, m_Q));
        Record(steps);
    }
    else
        Refuse("Unzulässige Eingabe!\n\n" + RefusalText(check));
    UpdateData(false);
}

CulvertBalanceInput CCulvertDlg::Balance(double kStWall) const
{
    return {m_h1, m_h2, m_L, m_zetaIn, m_zetaOut, m_kStBed, kStWall};
}

void CCulvertDlg::TakeResults(const CulvertFlowResult& flow, double bedArea, double bedWidth, double flowArea)
{
    m_Q = flow.Q;
    m_v = flow.v;
    m_bedArea = bedArea;
    m_bedWidth = bedWidth;
    m_flowArea = flowArea;
}

// Why a culvert gives no discharge, in the user's words.
std::string CCulvertDlg::RefusalText(const CulvertCheck& check)
{
    switch (check.status) {
    case CulvertStatus::Ok:
        break;
    case CulvertStatus::NoDiameter:
        return "Der Durchmesser DN muss größer als 0 mm sein.";
    case CulvertStatus::NoWidth:
        return "Die lichte Weite b muss größer als 0 m sein.";
    case CulvertStatus::NegativeBed:
        return "Die Höhe der Sohle t darf nicht negativ sein.";
    case CulvertStatus::BedFillsPipe:
        return Format("Die Sohle füllt das Rohr aus: die Höhe der Sohle t muss kleiner als der "
                      "Durchmesser D = %g m sein.",
                      check.clearHeight);
    case CulvertStatus::BedFillsBox:
        return Format("Die Sohle füllt den Durchlass aus: die Höhe der Sohle t muss kleiner als die "
                      "lichte Höhe h = %g m sein.",
                      check.clearHeight);
    case CulvertStatus::NoWater:
        return "Der Wasserstand h2 über der Sohle muss größer als 0 m sein.\n"
               "Ohne Wassertiefe gibt es keinen Fließquerschnitt.";
    case CulvertStatus::NoLength:
        return "Die Länge des Durchlasses muss größer als 0 m sein.";
    case CulvertStatus::NoDischarge:
        return "Mit diesen Eingaben ist kein Abfluss bestimmbar.\n"
               "Bitte prüfen Sie Länge, Verlustbeiwerte und kSt-Werte.";
    }
    return {};
}

bool CCulvertDlg::UpdateMode(CSteps& steps)
{
    const bool h1Given = m_mode == CulvertMode::H1Given;
    Enable(m_ids.h1, h1Given);
    if (m_ids.h1Plus != 0) {
        Enable(m_ids.h1Plus, h1Given);
        Enable(m_ids.h1Minus, h1Given);
    }
    Enable(m_ids.slope, !h1Given);
    Enable(m_ids.rise, !h1Given);
    UpdateData(true);
    m_levelsRefusal.clear();
    bool completed = false;
    if (InputsInRange()) {
        const CulvertLevels levels = ComputeCulvertLevels({m_mode, {m_h1, m_h2, m_rise, m_L, m_I}}, steps);
        // The rise first: where it is capped below 0, h1 lies below h2.
        for (const auto& [id, value] : {std::pair{m_ids.h1, levels.h1}, std::pair{m_ids.rise, levels.rise},
                                        std::pair{m_ids.slope, levels.I}})
            if (m_levelsRefusal.empty())
                m_levelsRefusal = OutsideRange(id, value);
        if (m_levelsRefusal.empty()) {
            m_h1 = levels.h1;
            m_rise = levels.rise;
            m_I = levels.I;
            completed = true;
        }
    }
    // Levels that cannot be completed leave the locked fields without a
    // value of these inputs.
    for (int id : {m_ids.h1, m_ids.rise, m_ids.slope})
        SetCompleted(id, completed);
    UpdateData(false);
    return completed;
}

// Why a completed level cannot be taken ("" when it lies in its range).
std::string CCulvertDlg::OutsideRange(int id, double value) const
{
    const FieldInfo* f = FindField(id);
    if (!f || !f->range || (value >= f->range->lo && value <= f->range->hi))
        return {};
    const std::string unit = f->unit == "-" ? std::string() : " " + f->unit;
    return "Mit diesen Wasserständen ergäbe sich „" + f->label + "“ = " + FormatG15(value) + unit +
           ", außerhalb des zulässigen Bereichs " + FormatG15(f->range->lo) + " bis " + FormatG15(f->range->hi) +
           unit + ".";
}

} // namespace dralun
