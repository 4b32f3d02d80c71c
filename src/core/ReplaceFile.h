#pragma once
// Replacing a file whole: the bytes go into a new file of an unpredictable
// name beside the target (created exclusively, so no name placed there
// beforehand is followed or overwritten), are flushed to disk, and the new
// file is renamed over the target. A failure or a killed program leaves the
// old file as it was, never a half written one. POSIX flushes with fsync
// and renames; Windows flushes with FlushFileBuffers and replaces with
// MoveFileExW (MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH).
#include <filesystem>
#include <functional>
#include <string>

namespace dralun {

// namer makes the temporary names (a name that is taken is replaced by the
// next). Returns 0, or the errno value of the step that failed; then the
// target is as it was and no temporary file remains.
int ReplaceFileWhole(const std::filesystem::path& target, const std::string& bytes,
                     const std::function<std::string()>& namer);

// ".NAME." and 16 hexadecimal digits from std::random_device.
std::string RandomTempName(const std::string& prefix);

} // namespace dralun
