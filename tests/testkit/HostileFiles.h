#pragma once
// Names in a data directory that are not table files: what a hostile or
// careless user can put where the program expects a table. Each test that
// opens one runs under a time limit, so a reader that would wait for ever
// fails the test instead of stalling the suite.
#include <filesystem>
#include <string>
#include <vector>

namespace dralun::test {

enum class Hostile {
    Fifo,      // a named pipe without a writer
    DevZero,   // a link to /dev/zero: endless zero bytes
    Directory, // a directory named like the file
    Huge,      // a sparse regular file of 2 MiB, twice the largest data file
};

// Creates the thing at path (nothing may be there yet).
void MakeHostile(const std::filesystem::path& path, Hostile kind);
std::string HostileName(Hostile kind);
std::vector<Hostile> AllHostile();

// Ends the test process with SIGALRM after the given seconds unless it is
// destroyed first.
class TimeLimit {
public:
    explicit TimeLimit(unsigned seconds);
    ~TimeLimit();
    TimeLimit(const TimeLimit&) = delete;
    TimeLimit& operator=(const TimeLimit&) = delete;
};

} // namespace dralun::test
