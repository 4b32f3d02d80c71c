#include "gui/project/ProjectProgress.h"

#include "gui/WorkProgress.h"

namespace dralun {

bool MakeProjectReports(const Project& project, QWidget* parent, std::vector<ProjectReport>& reports,
                        std::vector<UnusableEntry>& unusable)
{
    CWorkProgress progress(QStringLiteral("Die Berichte des Projekts werden erstellt …"), parent);
    CMessageLog silent; // the forms redone for the reports show nothing
    bool stopped = false;
    reports = ProjectReports(
        project, silent, &unusable,
        [&](std::size_t done, std::size_t total) { return progress.Tell(done, total); }, &stopped);
    if (stopped) {
        reports.clear();
        unusable.clear();
    }
    return !stopped;
}

} // namespace dralun
