// The project from the main window: a form's calculation kept in it, and a
// kept calculation reopened in its form.
#include "gui/CMainFrame.h"

#include <QStringList>
#include <algorithm>
#include <memory>

#include "forms/FormRegistry.h"
#include "gui/CFormWindow.h"
#include "gui/CHydroDoc.h"
#include "gui/MainFrameDialogs.h"
#include "gui/project/CKeepCalcDlg.h"
#include "gui/project/CProjectPanel.h"
#include "project/KeepCalculation.h"
#include "project/KeptRain.h"

namespace dralun {

using namespace mainframe;

void CMainFrame::PrepareFormWindow(CFormWindow& window, std::optional<std::size_t> entry)
{
    window.SetModalRunner(m_runModal);
    // The entry the window stands for: the one reopened, or the one it was kept as.
    auto shownEntry = std::make_shared<std::optional<std::size_t>>(entry);
    window.SetKeeper([this, shownEntry](CFormWindow& w) { Keep(w, *shownEntry); });
}

void CMainFrame::Keep(CFormWindow& window, std::optional<std::size_t>& entry)
{
    const ProjectEntry* kept = entry ? &m_doc.Project().At(*entry) : nullptr;
    const Calculation* keptCalc = kept && kept->Usable() ? &*kept->calc : nullptr;
    CKeepCalcDlg dialog(keptCalc ? Q(keptCalc->name) : Q(DefaultCalculationName(window.Form())),
                        keptCalc ? &keptCalc->header : nullptr, &window);
    if (m_runModal(dialog) != QDialog::Accepted)
        return;
    const Calculation calc =
        KeepCalculation(window.Form(), dialog.Header(), dialog.Name().toStdString(), window.ReportRating());
    if (entry && dialog.ReplaceEntry()) {
        m_doc.Replace(*entry, calc);
    } else {
        if (m_doc.Project().Full()) {
            ShowError(QStringLiteral("Die Berechnung kann nicht übernommen werden: %1.").arg(Q(MostCalculationsText())));
            return;
        }
        entry = m_doc.Add(calc);
    }
    window.ShowBanner({}); // the window shows what the entry holds now
    DocumentChanged();
}

void CMainFrame::ReopenEntry(std::size_t index)
{
    const ProjectEntry& entry = m_doc.Project().At(index);
    const QString name = Q(entry.Name());
    if (!entry.Usable()) {
        ShowError(QStringLiteral("Die Berechnung \u201E%1\u201C kann nicht geöffnet werden: %2.").arg(name, Q(entry.problem)));
        return;
    }
    const Calculation calc = OnThisMachine(*entry.calc);
    const FormInfo* info = FindFormById(calc.form);
    CFormWindow window(*info, this, m_sink);
    std::string problem;
    std::vector<std::string> keptUsed;
    window.Perform([&](CForm& form) {
        // Redone with the rain it was made with: the project's own copy.
        CUseKeptFiles kept(KeptCopies(calc));
        problem = ApplyCalculation(form, calc);
        keptUsed = kept.Used();
    });
    if (!problem.empty()) {
        ShowError(QStringLiteral("Die Berechnung \u201E%1\u201C kann nicht wiederholt werden: %2.").arg(name, Q(problem)));
        return;
    }
    std::vector<ResultChange> changes = ChangedResults(window.Form(), calc);
    QStringList banner;
    if (!changes.empty())
        banner << QStringLiteral("Die Ergebnisse weichen von den gespeicherten ab:");
    for (const ResultChange& change : changes)
        banner << Q(ChangeText(change));
    for (const KeptDataFile& file : calc.files) {
        if (std::find(keptUsed.begin(), keptUsed.end(), file.name) == keptUsed.end())
            continue;
        const KeptFileState state = StateInDataDirectory(file.name, file.sha256);
        if (state != KeptFileState::Same)
            banner << Q("Regendaten aus der Kopie im Projekt: " + file.name + " (" + StateText(state) + ")");
    }
    window.ShowBanner(banner);
    // The rating table kept with it belongs to the window's report again, made anew.
    window.SetReportRating(calc.rating ? std::optional<RatingRequest>(calc.rating->request) : std::nullopt);
    m_doc.SetChanges(index, std::move(changes));
    m_panel->Refresh();
    PrepareFormWindow(window, index);
    m_runModal(window);
}

} // namespace dralun
