#pragma once
// The rainfall series file of the infiltration forms as the user sees it
// load: the message about the file, and the check file dumpVN.txt in the
// data directory with the durations and intensities as they were read, so
// that the user can see whether the table was taken apart correctly.
#include <string>

#include "core/CRainfallTable.h"

namespace dralun {

inline constexpr const char* kRainfallCheckFile = "dumpVN.txt";

struct RainfallFileLoad {
    bool loaded = false;  // false: the file could not be opened, the table is unchanged
    bool warning = false; // loaded, but the file is short, has invalid fields or no rain
    std::string message;  // what the form shows
};

// Loads the file into the table for the frequency n and then writes the
// check file, also when the file could not be opened. The message names
// the check file only when it could be written.
RainfallFileLoad LoadRainfallFile(CRainfallTable& table, const std::string& fileName, double n);

// The check file from the table's rows and the form's frequency n; false
// when it cannot be created.
bool WriteRainfallCheckFile(const CRainfallTable& table, double n);

} // namespace dralun
