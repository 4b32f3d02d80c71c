#include "forms/CCulvertDlg.h"

#include <utility>
#include <vector>

#include "core/CulvertLevels.h"
#include "core/Format.h"

namespace dralun {

CCulvertDlg::CCulvertDlg(int templateId, IMessageSink& sink, LevelFields ids) : CForm(templateId, sink), m_ids(ids) {}

void CCulvertDlg::OnInitDialog()
{
    CheckRadio(kIdMode1);
    m_mode = 1;
    Enable(m_ids.slope, false);
    Enable(m_ids.rise, false);
    UpdateMode();
}

// A mode button that would lock a field holding a number outside its range
// is refused (the read has said which and why): locked, the number could
// not be corrected, and it would hold every computation back.
void CCulvertDlg::OnMode()
{
    const int mode = IsChecked(kIdMode2) ? 2 : 1;
    if (mode != m_mode) {
        UpdateData(true);
        const std::vector<int> locked = mode == 1 ? std::vector<int>{m_ids.slope, m_ids.rise}
                                                  : std::vector<int>{m_ids.h1};
        for (int id : locked)
            if (!OutsideRange(id, Value(id)).empty()) {
                CheckRadio(m_mode == 2 ? kIdMode2 : kIdMode1);
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

bool CCulvertDlg::UpdateMode(CSteps& steps)
{
    Enable(m_ids.h1, m_mode == 1);
    if (m_ids.h1Plus != 0) {
        Enable(m_ids.h1Plus, m_mode == 1);
        Enable(m_ids.h1Minus, m_mode == 1);
    }
    Enable(m_ids.slope, m_mode == 2);
    Enable(m_ids.rise, m_mode == 2);
    UpdateData(true);
    m_levelsRefusal.clear();
    bool completed = false;
    if (InputsInRange()) {
        CulvertLevels levels{m_h1, m_h2, m_rise, m_L, m_I};
        UpdateCulvertLevels(m_mode, levels, steps);
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
