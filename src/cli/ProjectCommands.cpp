#include "cli/ProjectCommands.h"

#include <algorithm>
#include <filesystem>
#include <ostream>

#include "cli/FormEvents.h"
#include "core/Platform.h"
#include "project/KeepCalculation.h"
#include "project/KeptRain.h"
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
        // The rain is the project's own copy, whatever the data directory holds.
        CUseKeptFiles keptRain(KeptCopies(*entry.calc));
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
        for (const KeptDataFile& file : entry.calc->files)
            if (const std::string refused = KeptFileRefusal(*entry.calc, file); !refused.empty()) {
                out << head << OneLine("Kopie im Projekt abgelehnt: " + refused) << '\n';
                status = 1;
            }
        for (const KeptFileCopy& copy : KeptCopies(*entry.calc))
            if (std::find(keptRain.Used().begin(), keptRain.Used().end(), copy.name) != keptRain.Used().end())
                out << head << OneLine("Regendaten aus der Kopie im Projekt: " + copy.name + " (SHA-256 " +
                                       copy.sha256.substr(0, 16) + "…; " +
                                       StateText(StateInDataDirectory(copy.name, copy.sha256)) + ")")
                    << '\n';
    }
    return status;
}

// The reports in project order; a calculation that cannot be used stands
// at its place with why (and on standard error), and the exit status is 1.
int Reports(const Project& project, const std::string& kind, std::ostream& out, std::ostream& err)
{
    CSilentSink sink;
    std::vector<UnusableEntry> unusable;
    const std::vector<ProjectReport> reports = ProjectReports(project, sink, &unusable);
    for (const UnusableEntry& u : unusable)
        err << "dralun-calc: " << UnusableLine(u) << '\n';
    size_t next = 0; // the next unusable entry
    if (kind == "json") {
        nlohmann::ordered_json array = nlohmann::ordered_json::array();
        auto unusableUpTo = [&](size_t entry) {
            for (; next < unusable.size() && unusable[next].entry < entry; ++next)
                array.push_back({{"nr", unusable[next].entry + 1},
                                 {"name", unusable[next].name},
                                 {"unusable", unusable[next].problem}});
        };
        for (const ProjectReport& r : reports) {
            unusableUpTo(r.entry);
            array.push_back(ReportJsonValue(r.report));
        }
        unusableUpTo(project.Size());
        out << array.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
        return unusable.empty() ? 0 : 1;
    }
    bool first = true;
    auto unusableUpTo = [&](size_t entry) {
        for (; next < unusable.size() && unusable[next].entry < entry; ++next, first = false)
            out << (first ? "" : "\f\n") << UnusableLine(unusable[next]) << '\n';
    };
    for (const ProjectReport& r : reports) {
        unusableUpTo(r.entry);
        out << (first ? "" : "\f\n") << ReportText(r.report);
        first = false;
    }
    unusableUpTo(project.Size());
    return unusable.empty() ? 0 : 1;
}

} // namespace

int AddToProject(const ICalculation& calc, const std::string& path, const std::string& name, const ReportHeader& header,
                 std::ostream& err)
{
    // Locked from the reading to the writing: an add of another program at
    // the same time waits, and then reads what this one wrote.
    std::string error;
    const FileLock lock = LockProjectFile(platform::PathOf(path), &error);
    if (!lock) {
        err << "dralun-calc: " << error << '\n';
        return 2;
    }
    Project project;
    std::error_code ec;
    if (fs::exists(fs::status(platform::PathOf(path), ec))) { // a link to no file yet: made
        ProjectRead read = LoadProjectFile(platform::PathOf(path));
        if (!read.ok) {
            err << "dralun-calc: " << read.error << " Sie bleibt unverändert.\n";
            return 2;
        }
        project = std::move(read.project);
    }
    if (project.Full()) {
        err << "dralun-calc: Das Projekt \"" << platform::TextOf(platform::PathOf(path).filename()) << "\" ist voll: "
            << MostCalculationsText() << ". Es bleibt unverändert.\n";
        return 2;
    }
    project.Add(KeepCalculation(calc, header, name));
    if (!WriteProjectFile(platform::PathOf(path), project, &error)) {
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
    return check ? Check(read.project, out) : Reports(read.project, report, out, err);
}

} // namespace dralun
