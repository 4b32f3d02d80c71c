#pragma once
// Runs the dralun-calc program as a script would: the command line through
// the shell, stdout and stderr together, the exit status.
#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace dralun::test {

struct CalcOutput {
    int status;
    std::string text;
};

inline CalcOutput RunCalc(const std::string& arguments)
{
    const std::string command = std::string(DRALUN_CALC) + " " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    std::string text;
    std::array<char, 4096> buffer{};
    size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        text.append(buffer.data(), n);
    return {WEXITSTATUS(pclose(pipe)), text};
}

} // namespace dralun::test
