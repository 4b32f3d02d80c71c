#include "project/ProjectReports.h"

#include "project/KeptRain.h"
#include "rating/RatingSweep.h"

namespace dralun {

std::vector<ProjectReport> ProjectReports(const Project& project, IMessageSink& sink,
                                          std::vector<UnusableEntry>* unusable,
                                          const std::function<bool(std::size_t done, std::size_t total)>& progress,
                                          bool* stopped)
{
    std::vector<ProjectReport> reports;
    if (stopped)
        *stopped = false;
    for (std::size_t i = 0; i < project.Size(); ++i) {
        if (progress && !progress(i, project.Size())) {
            if (stopped)
                *stopped = true;
            return reports;
        }
        const ProjectEntry& entry = project.At(i);
        if (!entry.calc) {
            if (unusable)
                unusable->push_back({i, entry.Name(), entry.problem});
            continue;
        }
        // The rain the calculation was made with: the project's own copy.
        CUseKeptFiles keptRain(KeptCopies(*entry.calc));
        Reopened reopened = Reopen(*entry.calc, sink);
        if (!reopened.problem.empty()) {
            if (unusable)
                unusable->push_back({i, entry.Name(), reopened.problem});
            continue;
        }
        // A rating table kept with it is made anew on the redone form.
        Report report = entry.calc->rating && reopened.form
                            ? BuildRatedReport(*reopened.form, entry.calc->header, entry.calc->rating->request)
                            : BuildReport(*reopened.calc, entry.calc->header);
        reports.push_back({i, entry.calc->name, std::move(reopened), std::move(report)});
    }
    return reports;
}

std::string UnusableLine(const UnusableEntry& entry)
{
    std::string line = "Nr. " + std::to_string(entry.entry + 1) + " \"" + entry.name + "\" nicht verwendbar: " +
                       entry.problem;
    for (char& c : line)
        if (c == '\n' || c == '\t' || c == '\r')
            c = ' ';
    return line;
}

ReportHeader ProjectHead(const Project& project)
{
    ReportHeader head;
    for (const ProjectEntry& entry : project.Entries())
        if (entry.calc && !entry.calc->header.project.empty()) {
            head = entry.calc->header;
            break;
        }
    head.date = TodayText();
    return head;
}

} // namespace dralun
