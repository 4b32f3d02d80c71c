#pragma once
// A text cut into its lines, without the line ends.
#include <sstream>
#include <string>
#include <vector>

namespace dralun::test {

inline std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

} // namespace dralun::test
