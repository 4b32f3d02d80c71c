#pragma once
// dralun-calc: drives a calculator form without a window, as a user would,
// and prints what its fields show afterwards.
#include <iosfwd>
#include <string>
#include <vector>

namespace dralun {

class CCalcDriver {
public:
    // Runs the command line; returns the exit status (0, or 2 for a usage error).
    static int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
};

} // namespace dralun
