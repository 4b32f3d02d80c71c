#pragma once
// The reports of a whole project: every calculation that can be used is
// redone anew, of its kind, and reported with the head it was kept with,
// a rating table kept with it made anew on that form.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "project/KeepCalculation.h"
#include "project/Project.h"

namespace dralun {

struct ProjectReport {
    std::size_t entry = 0; // its place in the project
    std::string name;
    Reopened reopened;     // holds the calculation the report was built from
    Report report;
};

// A calculation of the project that gives no report, and why.
struct UnusableEntry {
    std::size_t entry = 0; // its place in the project
    std::string name;
    std::string problem;
};

// In project order. Entries that cannot be used give no report; they are
// listed in `unusable` when it is given, so that no report leaves one out
// without a word.
// `progress` is told the calculations done and in all after each one; when
// it answers false the reports stop there and `stopped` is set.
std::vector<ProjectReport> ProjectReports(const Project& project, IMessageSink& sink,
                                          std::vector<UnusableEntry>* unusable = nullptr,
                                          const std::function<bool(std::size_t done, std::size_t total)>& progress = {},
                                          bool* stopped = nullptr);

// The line that names an unusable calculation in a report, on its title
// page and on standard error: "Nr. 2 \"Drossel\" nicht verwendbar: ...".
std::string UnusableLine(const UnusableEntry& entry);

// The head of the project's title page: the first calculation's head that
// names a project, with today's date.
ReportHeader ProjectHead(const Project& project);

} // namespace dralun
