#include "forms/CCulvertDlg.h"

#include "core/CulvertLevels.h"

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

void CCulvertDlg::OnMode()
{
    m_mode = IsChecked(kIdMode2) ? 2 : 1;
    UpdateMode();
}

std::vector<FormChoice> CCulvertDlg::Choices() const
{
    if (IsChecked(kIdMode2))
        return {{kIdMode2, "Berechnungsart", "Gefälle I und Aufstau gegeben, Oberwasserstand h1 wird berechnet"}};
    return {{kIdMode1, "Berechnungsart", "Oberwasserstand h1 gegeben, Gefälle I wird berechnet"}};
}

void CCulvertDlg::UpdateMode(CSteps& steps)
{
    Enable(m_ids.h1, m_mode == 1);
    Enable(m_ids.slope, m_mode == 2);
    Enable(m_ids.rise, m_mode == 2);
    UpdateData(true);
    CulvertLevels levels{m_h1, m_h2, m_rise, m_L, m_I};
    UpdateCulvertLevels(m_mode, levels, steps);
    m_h1 = levels.h1;
    m_rise = levels.rise;
    m_I = levels.I;
    UpdateData(false);
}

} // namespace dralun
