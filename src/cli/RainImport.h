#pragma once
// dralun-calc --import-rain: the KOSTRA-DWD rain of one grid cell written
// as a rainfall file the infiltration forms read.
#include <iosfwd>
#include <string>
#include <vector>

namespace dralun {

// The usage lines for dralun-calc --help.
extern const char* const kRainImportUsage;

// dralun-calc --import-rain SOURCE [--cell INDEX_RC] [--out FILE] [--tolerance] [--rn]
// (args without "--import-rain"). Prints "importiert<TAB>PATH" and returns
// 0; a refused source: the reason on err and 1; UsageError for a bad call.
int RunRainImport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace dralun
