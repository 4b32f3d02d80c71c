#pragma once
// The calculation report as plain text (UTF-8, for a terminal and a diff)
// and as JSON (for scripts: every step's expression can be evaluated on its
// own and gives the step's value).
#include <string>

#include "report/Report.h"

namespace dralun {

std::string ReportText(const Report& report);
std::string ReportJson(const Report& report);

// A value as the report writes it into JSON: %.15g, as a number.
double Rounded15(double value);

} // namespace dralun
