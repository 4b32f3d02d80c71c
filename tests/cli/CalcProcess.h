#pragma once
// Runs the dralun-calc program as a script would: the command line through
// the shell, stdout and stderr together, the exit status.
#include <array>
#include <cstdio>
#include <string>
#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace dralun::test {

struct CalcOutput {
    int status;
    std::string text;
};

inline CalcOutput RunCalc(const std::string& arguments)
{
    const std::string command = std::string(DRALUN_CALC) + " " + arguments + " 2>&1";
#ifdef _WIN32
    FILE* pipe = ::_popen(command.c_str(), "rb");
#else
    FILE* pipe = popen(command.c_str(), "r");
#endif
    std::string text;
    std::array<char, 4096> buffer{};
    size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        text.append(buffer.data(), n);
#ifdef _WIN32
    // The program's standard output is a text stream: CR LF on Windows.
    std::string lines;
    for (size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
            lines += text[i];
    return {::_pclose(pipe), lines};
#else
    return {WEXITSTATUS(pclose(pipe)), text};
#endif
}

} // namespace dralun::test
