#pragma once
// The installer's command line and its non-interactive mode (no Qt).
#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

#include "install/CInstallCopy.h"

namespace dralun::install {

struct CommandLine {
    bool yes = false;         // install without a window
    bool missingOnly = false; // copy only the files the data directory lacks
    bool help = false;
    std::filesystem::path source; // the medium folder, when given
    std::string error;            // a malformed command line
};

CommandLine ParseCommandLine(const std::vector<std::string>& args);
// What the command line asks of the installation, with or without a window.
InstallOptions OptionsOf(const CommandLine& command);
extern const char* const kUsage;

// Installs without a window: the messages go to out (success) or err
// (failure). Exit status 0 on success, 1 when a file failed.
int InstallWithoutWindow(const CommandLine& command, std::ostream& out, std::ostream& err);

} // namespace dralun::install
