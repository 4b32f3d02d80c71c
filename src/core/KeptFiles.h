#pragma once
// A project keeps a copy of the rainfall series its calculations read, so
// that it checks and prints alike on a machine whose data directory lacks
// that file or holds another of the same name. While a CUseKeptFiles lives
// on the current thread, a rainfall series whose file name is among its
// copies is read from the copy, not from the data directory.
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace dralun {

// The largest rainfall file a project keeps a copy of; a series is 29
// lines of at most 129 characters, a few kilobytes.
inline constexpr std::size_t kLargestKeptFile = 256 * 1024;

struct KeptFileCopy {
    std::string name;   // the file's name as it was read, without folder
    std::string sha256; // of content
    std::shared_ptr<const std::string> content;
};

// Whether Windows takes a name for a device: CON, PRN, AUX, NUL, COM0 to
// COM9, LPT0 to LPT9 (any letter case, also with an extension: "nul.txt").
bool IsDeviceName(std::string_view name);

// Whether a name is a file name only: no folder, no drive, not "." or "..",
// no control character, no device name, no dot or blank at its end. A copy
// is written back only under such a name.
bool IsBareFileName(std::string_view name);

class CUseKeptFiles {
public:
    explicit CUseKeptFiles(std::vector<KeptFileCopy> copies);
    ~CUseKeptFiles();
    CUseKeptFiles(const CUseKeptFiles&) = delete;
    CUseKeptFiles& operator=(const CUseKeptFiles&) = delete;

    // The copy for a file name as a form names it (a path or a bare name;
    // its last part is compared, the letter case ignored), or nullptr when
    // no scope is active on this thread or it has no such copy. A copy
    // found is counted as used.
    static const KeptFileCopy* Find(std::string_view fileName);
    // The names of the copies found since this scope began.
    const std::vector<std::string>& Used() const { return m_used; }

private:
    std::vector<KeptFileCopy> m_copies;
    std::vector<std::string> m_used;
    CUseKeptFiles* m_outer;
};

} // namespace dralun
