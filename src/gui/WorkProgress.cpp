#include "gui/WorkProgress.h"

#include <QApplication>

namespace dralun {

CWorkProgress::CWorkProgress(const QString& what, QWidget* parent)
    : m_dialog(what, QStringLiteral("Abbrechen"), 0, 100, parent)
{
    m_dialog.setWindowTitle(QStringLiteral("Dralun"));
    m_dialog.setWindowModality(Qt::WindowModal);
    m_dialog.setMinimumDuration(500);
    m_dialog.setAutoReset(false);
    m_sinceEvents.start();
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

CWorkProgress::~CWorkProgress()
{
    QApplication::restoreOverrideCursor();
    m_dialog.reset();
}

bool CWorkProgress::Tell(std::size_t done, std::size_t total)
{
    // The events of the window every 50 ms: often enough to answer, seldom
    // enough not to slow the work.
    if (m_sinceEvents.elapsed() < 50 && done < total)
        return true;
    m_sinceEvents.restart();
    m_dialog.setMaximum(static_cast<int>(total));
    m_dialog.setValue(static_cast<int>(done));
    QApplication::processEvents();
    return !m_dialog.wasCanceled();
}

} // namespace dralun
