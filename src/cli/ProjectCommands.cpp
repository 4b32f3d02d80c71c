#include "cli/ProjectCommands.h"

#include <filesystem>
#include <ostream>

#include "cli/FormEvents.h"
#include "core/Platform.h"
#include "project/KeepCalculation.h"
#include "project/ProjectFile.h"
#include "project/ProjectReports.h"
#include "report/ReportWriters.h"

namespace dralun {

namespace {

namespace fs = std::filesystem;

std::string OneLine(std::string text)
{
    for (char& c : text)
        if (c == '\n' || c == '\t')
            c = ' ';
    return text;
}

// Each calculation: "N<TAB>name<TAB>gleich", or "abweichend" followed by a
// line per changed result, or "nicht verwendbar: reason".
int Check(const Project& project, std::ostream& out)
{
    int status = 0;
    CSilentSink sink;
    for (size_t i = 0; i < project.Size(); ++i) {
        const ProjectEntry& entry = project.At(i);
        const std::string head = std::to_string(i + 1) + '\t' + OneLine(entry.Name()) + '\t';
        if (!entry.calc) {
            out << head << "nicht verwendbar: " << OneLine(entry.problem) << '\n';
            status = 1;
            continue;
        }
        const Reopened reopened = Reopen(*entry.calc, sink);
        if (!reopened.problem.empty()) {
            out << head << "nicht verwendbar: " << OneLine(reopened.problem) << '\n';
            status = 1;
        } else if (reopened.changes.empty()) {
            out << head << "gleich\n";
        } else {
            out << head << "abweichend\n";
            for (const ResultChange& change : reopened.changes)
                out << head << OneLine(ChangeText(change)) << '\n';
            status = 1;
        }
    }
    return status;
}

int Reports(const Project& project, const std::string& kind, std::ostream& out)
{
    CSilentSink sink;
    const std::vector<ProjectReport> reports = ProjectReports(project, sink);
    if (kind == "json") {
        nlohmann::ordered_json array = nlohmann::ordered_json::array();
        for (const ProjectReport& r : reports)
            array.push_back(ReportJsonValue(r.report));
        out << array.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
        return 0;
    }
    for (size_t i = 0; i < reports.size(); ++i)
        out << (i ? "\f\n" : "") << ReportText(reports[i].report);
    return 0;
}

} // namespace

int AddToProject(const CForm& form, const std::string& path, const std::string& name, const ReportHeader& header,
                 std::ostream& err)
{
    Project project;
    std::error_code ec;
    if (fs::exists(fs::symlink_status(platform::PathOf(path), ec))) {
        ProjectRead read = LoadProjectFile(platform::PathOf(path));
        if (!read.ok) {
            err << "dralun-calc: " << read.error << " Sie bleibt unverändert.\n";
            return 2;
        }
        project = std::move(read.project);
    }
    project.Add(KeepCalculation(form, header, name));
    std::string error;
    if (!SaveProjectFile(platform::PathOf(path), project, &error)) {
        err << "dralun-calc: " << error << '\n';
        return 2;
    }
    return 0;
}

int RunProject(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    // args: FILE then --check or --report text|json
    if (args.size() < 2)
        throw UsageError("--project erwartet DATEI und --check oder --report text|json");
    const std::string& path = args[0];
    std::string report;
    bool check = false;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--check")
            check = true;
        else if (args[i] == "--report" && i + 1 < args.size())
            report = args[++i];
        else
            throw UsageError("unbekannte Option " + args[i] + " zu --project");
    }
    if (check == !report.empty())
        throw UsageError("--project erwartet entweder --check oder --report text|json");
    if (!report.empty() && report != "text" && report != "json")
        throw UsageError("--report erwartet text oder json, nicht \"" + report + "\"");
    const ProjectRead read = LoadProjectFile(platform::PathOf(path));
    if (!read.ok) {
        err << "dralun-calc: " << read.error << '\n';
        return 2;
    }
    return check ? Check(read.project, out) : Reports(read.project, report, out);
}

} // namespace dralun
