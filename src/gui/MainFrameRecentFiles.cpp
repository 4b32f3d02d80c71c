// The list of the last files opened or saved: kept in the settings, shown
// in the file menu in place of "Letzte Datei".
#include "gui/CMainFrame.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

#include "gui/CommandTable.h"

namespace dralun {

namespace {
constexpr int kRecentCount = 4;
} // namespace

void CMainFrame::LoadRecentFiles()
{
    QSettings settings;
    settings.beginGroup(QStringLiteral("Recent File List"));
    for (int i = 1; i <= kRecentCount; ++i) {
        const QString path = settings.value(QStringLiteral("File%1").arg(i)).toString();
        if (!path.isEmpty())
            m_recent.append(path);
    }
    RebuildRecentMenu();
}

void CMainFrame::AddRecentFile(const QString& path)
{
    m_recent.removeAll(path);
    m_recent.prepend(path);
    while (m_recent.size() > kRecentCount)
        m_recent.removeLast();
    UpdateRecentFiles();
}

void CMainFrame::OpenRecentFile(const QString& path)
{
    if (!SaveModified())
        return;
    // A file that is gone leaves the list once the user has been told.
    if (!OpenDocumentFile(path) && !QFileInfo::exists(path)) {
        m_recent.removeAll(path);
        UpdateRecentFiles();
    }
}

void CMainFrame::UpdateRecentFiles()
{
    QSettings settings;
    settings.beginGroup(QStringLiteral("Recent File List"));
    for (int i = 1; i <= kRecentCount; ++i) {
        const QString key = QStringLiteral("File%1").arg(i);
        if (i <= m_recent.size())
            settings.setValue(key, m_recent[i - 1]);
        else
            settings.remove(key);
    }
    RebuildRecentMenu();
}

void CMainFrame::RebuildRecentMenu()
{
    // Greyed "Letzte Datei" while the list is empty, else one item a file.
    for (QAction* a : m_mruActions) {
        m_fileMenu->removeAction(a);
        a->deleteLater();
    }
    m_mruActions.clear();
    m_mruPlaceholder->setVisible(m_recent.isEmpty());
    m_mruPlaceholder->setEnabled(false);
    for (int i = 0; i < m_recent.size(); ++i) {
        // An ampersand of the path is shown as one, not taken for an access key.
        const QString shown = QDir::toNativeSeparators(m_recent[i]).replace(QLatin1Char('&'), QStringLiteral("&&"));
        auto* a = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown), this);
        a->setStatusTip(cmd::Prompt(cmd::FileMru));
        const QString path = m_recent[i];
        connect(a, &QAction::triggered, this, [this, path] { OpenRecentFile(path); });
        m_fileMenu->insertAction(m_mruPlaceholder, a);
        m_mruActions.append(a);
    }
}

} // namespace dralun
