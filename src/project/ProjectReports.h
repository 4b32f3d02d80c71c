#pragma once
// The reports of a whole project: every calculation that can be used is
// redone on a form of its own and reported with the head it was kept with,
// a rating table kept with it made anew on that form.
#include <cstddef>
#include <string>
#include <vector>

#include "project/KeepCalculation.h"
#include "project/Project.h"

namespace dralun {

struct ProjectReport {
    std::size_t entry = 0; // its place in the project
    std::string name;
    Reopened reopened;     // holds the form the report was built from
    Report report;
};

// In project order; entries that cannot be used are left out.
std::vector<ProjectReport> ProjectReports(const Project& project, IMessageSink& sink);

// The head of the project's title page: the first calculation's head that
// names a project, with today's date.
ReportHeader ProjectHead(const Project& project);

} // namespace dralun
