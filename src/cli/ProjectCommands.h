#pragma once
// dralun-calc and project files: a calculation added to a project, every
// calculation of a project redone and compared, the reports of a project.
#include <iosfwd>
#include <string>
#include <vector>

#include "report/ICalculation.h"

namespace dralun {

// Adds the calculation to the project file (made when missing),
// written atomically under the project's lock (a link written through).
// Returns 0, or 2 with the reason on err when the file
// is not a project or cannot be written; an existing file that is not a
// project is never overwritten.
int AddToProject(const ICalculation& calc, const std::string& path, const std::string& name, const ReportHeader& header,
                 std::ostream& err);

// dralun-calc --project FILE --check | --report text|json
int RunProject(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace dralun
