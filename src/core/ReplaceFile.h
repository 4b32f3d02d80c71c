#pragma once
// Replacing a file whole: the bytes go into a new file of an unpredictable
// name beside the target (created exclusively, so no name placed there
// beforehand is followed or overwritten), are flushed to disk, and the new
// file is renamed over the target. A failure or a killed program leaves the
// old file as it was, never a half written one. POSIX flushes with fsync
// and renames; Windows flushes with FlushFileBuffers and replaces with
// MoveFileExW (MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH).
// A symbolic link is written through (its target is replaced, in the
// target's folder); the file replaced hands its mode, and where the system
// allows it its owner and group, to the new one; a file this user may not
// write (no write permission, the Windows read-only attribute) is refused.
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

namespace dralun {

// namer makes the temporary names (a name that is taken is replaced by the
// next). Returns 0, or the errno value of the step that failed (EACCES for
// a file this user may not write); then the target is as it was and no
// temporary file remains.
int ReplaceFileWhole(const std::filesystem::path& target, const std::string& bytes,
                     const std::function<std::string()>& namer);

// ReplaceFileWhole with the temporary names of one kind of file, hidden:
// ".dralun-KIND-" and 16 hexadecimal digits. First removes the temporary
// files of that kind abandoned in the target's folder (also those named
// "KIND" and 16 digits, as earlier versions named them), so that a program
// killed while it wrote leaves nothing behind for long.
int ReplaceFileWhole(const std::filesystem::path& target, const std::string& bytes, const char* kind);

// The file a path names once its symbolic links are followed (the path
// itself when it is no link, also when the link's target does not exist
// yet). Returns 0, or ELOOP for a circle of links.
int LinkTarget(const std::filesystem::path& path, std::filesystem::path* target);

// ".NAME." and 16 hexadecimal digits from std::random_device.
std::string RandomTempName(const std::string& prefix);

// Whether a name is one of RandomTempName(prefix)'s.
bool IsRandomTempName(const std::string& name, const std::string& prefix);

// How old a temporary file must be to count as abandoned: a save or a copy
// writes its temporary file within seconds, and every write makes it young
// again, so a file untouched for an hour belongs to no running program.
inline constexpr std::chrono::hours kAbandonedAfter{1};

// Removes the regular files of the folder whose names isTemp takes and that
// were last written more than olderThan ago; a younger one may be another
// program's file in the middle of its save and is left.
void RemoveAbandonedTempFiles(const std::filesystem::path& directory,
                              const std::function<bool(const std::string&)>& isTemp,
                              std::chrono::seconds olderThan = kAbandonedAfter);

// A test's failure of the file system: while one lives, the steps of
// replacing a file whole and of taking a lock (creating, writing, flushing,
// closing and renaming a file, opening and locking a lock file) are
// counted, and the step failAt (from 1) fails with the errno value given,
// as a full disk or a broken medium would make it fail. Without one, each
// step costs one test of a pointer.
class CInjectedFault {
public:
    explicit CInjectedFault(long failAt, int error);
    ~CInjectedFault();
    CInjectedFault(const CInjectedFault&) = delete;
    CInjectedFault& operator=(const CInjectedFault&) = delete;
    // The steps counted so far.
    long Steps() const { return m_steps; }
    // Whether step failAt came.
    bool Failed() const { return m_steps >= m_failAt; }

    // Counts one step of the thread's fault: its errno value for the step
    // that fails, else 0.
    static int Step();

private:
    long m_failAt;
    int m_error;
    long m_steps = 0;
    CInjectedFault* m_outer;
};

} // namespace dralun
