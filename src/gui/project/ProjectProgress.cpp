#include "gui/project/ProjectProgress.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProgressDialog>

namespace dralun {

bool MakeProjectReports(const Project& project, QWidget* parent, std::vector<ProjectReport>& reports,
                        std::vector<UnusableEntry>& unusable)
{
    QProgressDialog progress(QStringLiteral("Die Berichte des Projekts werden erstellt …"), QStringLiteral("Abbrechen"),
                             0, static_cast<int>(project.Size()), parent);
    progress.setWindowTitle(QStringLiteral("Dralun"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    progress.setAutoReset(false);
    QElapsedTimer sinceEvents;
    sinceEvents.start();
    CMessageLog silent; // the forms redone for the reports show nothing
    bool stopped = false;
    reports = ProjectReports(project, silent, &unusable,
                             [&](std::size_t done, std::size_t total) {
                                 if (sinceEvents.elapsed() < 50)
                                     return true;
                                 sinceEvents.restart();
                                 progress.setMaximum(static_cast<int>(total));
                                 progress.setValue(static_cast<int>(done));
                                 QApplication::processEvents();
                                 return !progress.wasCanceled();
                             },
                             &stopped);
    progress.reset();
    if (stopped) {
        reports.clear();
        unusable.clear();
    }
    return !stopped;
}

} // namespace dralun
