#pragma once
// The installation: the 36 data files of the installation medium, copied
// whole and byte for byte into the data directory. No Qt: the window and the
// non-interactive mode both use it.
#include <filesystem>
#include <string>
#include <vector>

#include "install/InstallTempFile.h"

namespace dralun::install {

struct CopyItem {
    std::string source; // name in the medium folder
    std::string target; // name in the data directory
};

// The copy list, in the order in which the files are installed.
const std::vector<CopyItem>& CopyList();

struct InstallResult {
    bool ok = false;
    int copied = 0;           // files installed
    std::string failedFile;   // the file at which the copy stopped
    std::string message;      // the German text to show
};

struct InstallOptions {
    bool missingOnly = false; // leave files that are there already
    TempNamer tempName;       // the names of the temporary files; empty: TempFileName
};

// Creates the target directory (an existing one is fine; one that cannot be
// created is named with the reason, and nothing is copied), removes the
// temporary files an interrupted installation left there, and copies the
// list in order. A source is read only when it is a regular file of at most
// kLargestDataFile bytes. Each file goes to a temporary file in the target
// directory first and is renamed into place (InstallTempFile.h), so that a
// failure never leaves a half written file and keeps the previous one. The
// copy stops at the first file that fails; the files after it are not
// installed.
InstallResult Install(const std::filesystem::path& medium, const std::filesystem::path& target,
                      const InstallOptions& options = {});

// The medium folder: an explicit one, else the folder "Dralun" beside the
// program, else share/dralun/ beside the program's bin/ (an installed or
// unpacked package), else the folder it was installed to, else the project's
// medium folder when run from a build tree.
std::filesystem::path FindMedium(const std::filesystem::path& explicitSource);

// The data files of the copy list that the data directory lacks, by their
// names there, in the order of the list.
std::vector<std::string> MissingDataFiles(const std::filesystem::path& target);

// Whether the folder holds every file of the copy list.
bool IsCompleteMedium(const std::filesystem::path& medium);

extern const char* const kSuccessMessage;

} // namespace dralun::install
