// The main window's automatic copy of an unsaved project: written a moment
// after each change, removed when the project is saved or closed, and
// offered again after a run that did not end as it should.
#include "gui/CMainFrame.h"

#include <QStatusBar>
#include <QTimer>

#include "gui/CHydroDoc.h"
#include "gui/MainFrameDialogs.h"
#include "gui/project/Autosave.h"
#include "gui/project/CProjectPanel.h"

namespace dralun {

using namespace mainframe;

void CMainFrame::WriteAutosave()
{
    if (!m_autosaveLock || !m_doc.Modified())
        return;
    QString error;
    if (!autosave::Write(m_doc.Project(), m_doc.PathName(), &error))
        statusBar()->showMessage(QStringLiteral("Die automatische Sicherung ist fehlgeschlagen: ") + error, 10000);
}

void CMainFrame::DiscardAutosave()
{
    m_autosaveTimer->stop();
    if (m_autosaveLock)
        autosave::Remove();
}

bool CMainFrame::OfferRestore()
{
    if (!m_autosaveLock || !autosave::Exists())
        return false;
    const QString question = QStringLiteral("Dralun wurde nicht ordnungsgemäß beendet. Ein nicht gespeichertes "
                                            "Projekt ist vorhanden. Wiederherstellen?");
    if (Ask(m_runModal, this, question, QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes) {
        autosave::Remove();
        return false;
    }
    autosave::Loaded copy = autosave::Load();
    if (!copy.ok) {
        ShowError(QStringLiteral("Das nicht gespeicherte Projekt kann nicht wiederhergestellt werden.\n") + copy.error);
        return false;
    }
    m_doc.Restore(std::move(copy.project), copy.documentPath);
    m_panel->Refresh();
    UpdateCaption();
    UpdateProjectCommands();
    return true;
}

} // namespace dralun
