#pragma once
// dralun-calc: drives a calculator form without a window, as a user would,
// and prints what its fields show afterwards.
#include <iosfwd>
#include <string>
#include <vector>

namespace dralun {

class CCalcDriver {
public:
    // Runs the command line; returns the exit status (0, 1 where a project
    // check differs or a target is not reached, 2 for a usage error, 3 with
    // --fail-unmet for a check not fulfilled).
    static int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
};

} // namespace dralun
