#pragma once
// The stamp of a data file for the calculation report: name, size and
// SHA-256 of the bytes on disk.
#include <filesystem>
#include <string>

#include "core/CalcSteps.h"

namespace dralun {

// The stamp of the file at path, shown under name; the rows stay empty.
// A file that cannot be read gives size 0 and an empty digest.
DataFileUse StampFile(const std::string& name, const std::filesystem::path& path);

} // namespace dralun
