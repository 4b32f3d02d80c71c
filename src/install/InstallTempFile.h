#pragma once
// The temporary files of the installation. Every file reaches the data
// directory as a new file of an unpredictable name beside its target,
// created exclusively, flushed to disk and then renamed into place, so that
// neither a failure nor a killed installer leaves a half written data file,
// and no name placed there beforehand is followed or overwritten. All
// temporary names share one prefix, so that the next installation can
// recognise and remove what an interrupted one left behind.
#include <filesystem>
#include <functional>
#include <string>

namespace dralun::install {

inline constexpr const char* kTempPrefix = ".dralun-install-";

// kTempPrefix and 16 hexadecimal digits from std::random_device.
std::string TempFileName();

// Whether a name in the data directory is a temporary file of an
// installation: one of TempFileName's, or of the form ".DN.ASC.install-123456"
// that earlier versions used.
bool IsTempFileName(const std::string& name);

// Removes the temporary files (regular files only) that an interrupted
// installation left in the directory: only those untouched for an hour
// (kAbandonedAfter), for a younger one may be the live file of another
// installation into the same directory at this moment.
void RemoveLeftovers(const std::filesystem::path& directory);

// Makes the names of the temporary files; empty: TempFileName.
using TempNamer = std::function<std::string()>;

// Writes the bytes to a new temporary file in the target's directory and
// renames it to the target. Returns 0, or the errno value of the step that
// failed; then the target is as it was and no temporary file remains.
int ReplaceFile(const std::filesystem::path& target, const std::string& bytes, const TempNamer& namer = {});

} // namespace dralun::install
