// The POSIX side of the platform layer (Linux and the other Unix systems).
#ifndef _WIN32

#include "core/Platform.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/FileAccess.h"
#include "core/ReplaceFile.h"

namespace dralun {

namespace platform {

std::filesystem::path PathOf(const std::string& utf8) { return std::filesystem::path(utf8); }

std::string TextOf(const std::filesystem::path& path) { return path.string(); }

std::vector<std::string> Arguments(int argc, char** argv) { return std::vector<std::string>(argv + 1, argv + argc); }

void NoErrorBoxes() {}

void UseParentConsole() {}

std::filesystem::path ProgramPath()
{
    std::error_code ec;
    std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : path;
}

std::optional<std::string> Environment(const char* name)
{
    const char* value = std::getenv(name);
    if (!value || !*value)
        return std::nullopt;
    return std::string(value);
}

std::string HomeDirectory()
{
    if (const auto home = Environment("HOME"))
        return *home;
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir)
        return pw->pw_dir;
    return {};
}

std::string DefaultDataDirectory()
{
    const std::string home = HomeDirectory();
    return (home.empty() ? std::string(".") : home) + "/Dralun/";
}

const char* NullDevice() { return "/dev/null"; }

std::intptr_t TryLockFile(const std::filesystem::path& path, int* error)
{
    // flock locks the open file, not the process: two locks of one program
    // exclude each other as well. A lock file of another user that this one
    // may not write still locks when opened for reading.
    const int flags = O_CLOEXEC | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK;
    if ((*error = CInjectedFault::Step()) != 0)
        return -1;
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | flags, 0666);
    int failed = errno;
    // A missing lock file in a folder this user may not write stays refused
    // for that reason, not for the missing file.
    if (fd < 0 && failed == EACCES && (fd = ::open(path.c_str(), O_RDONLY | flags)) < 0 && errno != ENOENT)
        failed = errno;
    if (fd < 0) {
        *error = failed;
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        *error = EINVAL;
        ::close(fd);
        return -1;
    }
    if ((*error = CInjectedFault::Step()) != 0) {
        ::close(fd);
        return -1;
    }
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR)
            continue;
        *error = errno == EAGAIN ? EWOULDBLOCK : errno;
        ::close(fd);
        return -1;
    }
    *error = 0;
    return fd;
}

void UnlockFile(std::intptr_t handle) { ::close(static_cast<int>(handle)); }

std::uintmax_t HardLinkCount(const std::filesystem::path& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? static_cast<std::uintmax_t>(st.st_nlink) : 0;
}

std::tm LocalTime(std::time_t moment)
{
    std::tm local{};
    localtime_r(&moment, &local);
    return local;
}

std::tm UtcTime(std::time_t moment)
{
    std::tm utc{};
    gmtime_r(&moment, &utc);
    return utc;
}

} // namespace platform

// ---- opening data files -------------------------------------------------------

namespace {

std::string KindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return "ein Verzeichnis";
    if (S_ISFIFO(mode))
        return "eine benannte Pipe (FIFO)";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "ein Gerät";
    if (S_ISSOCK(mode))
        return "ein Socket";
    return "keine gewöhnliche Datei";
}

} // namespace

ReadableFile OpenForReading(const std::filesystem::path& path, std::uintmax_t largest)
{
    ReadableFile result;
    result.largest = largest;
    // O_NONBLOCK: opening a FIFO without a writer, or a device, must not wait.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR) {
            result.problem = FileProblem::Missing;
        } else if (error == EISDIR) {
            result.problem = FileProblem::NotRegular;
            result.kind = "ein Verzeichnis";
        } else if (error == ENXIO) {
            result.problem = FileProblem::NotRegular;
            result.kind = "ein Socket";
        } else {
            result.problem = FileProblem::Unreadable;
            result.error = error;
        }
        return result;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        result.problem = FileProblem::Unreadable;
        result.error = errno;
        ::close(fd);
        return result;
    }
    if (!S_ISREG(st.st_mode)) {
        result.problem = FileProblem::NotRegular;
        result.kind = KindOf(st.st_mode);
        ::close(fd);
        return result;
    }
    result.size = static_cast<std::uintmax_t>(st.st_size);
    if (result.size > largest) {
        result.problem = FileProblem::TooLarge;
        ::close(fd);
        return result;
    }
    // A regular file never blocks; the flag is cleared all the same.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    std::FILE* f = ::fdopen(fd, "rb");
    if (!f) {
        result.problem = FileProblem::Unreadable;
        result.error = errno;
        ::close(fd);
        return result;
    }
    result.file.reset(f);
    return result;
}

CFile OpenForWriting(const std::filesystem::path& path, bool, bool append)
{
    // O_NONBLOCK: a FIFO without a reader fails at once (ENXIO) instead of
    // waiting; the type is checked before anything is truncated.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC | O_NOCTTY | (append ? O_APPEND : 0),
                          0666);
    if (fd < 0)
        return nullptr;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || (!append && ::ftruncate(fd, 0) != 0)) {
        ::close(fd);
        return nullptr;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    std::FILE* f = ::fdopen(fd, append ? "a" : "w");
    if (!f) {
        ::close(fd);
        return nullptr;
    }
    return CFile(f);
}


// ---- replacing a file whole ---------------------------------------------------

namespace fs = std::filesystem;

namespace {
// How often a name that is taken already is replaced by a new one. A random
// name collides only with one placed there on purpose; then the next is free.
constexpr int kNameAttempts = 16;
} // namespace

namespace {

int WriteAll(int fd, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : EIO;
        done += static_cast<size_t>(n);
    }
    return 0;
}

// Makes the rename itself survive a power failure. A file system that cannot
// flush a directory (EINVAL) has nothing to flush.
int SyncDirectory(const fs::path& directory)
{
    const int fd = ::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    const int error = ::fsync(fd) != 0 && errno != EINVAL ? errno : 0;
    ::close(fd);
    return error;
}

} // namespace

int ReplaceFileWhole(const fs::path& given, const std::string& bytes, const std::function<std::string()>& namer)
{
    // A link is written through: its target is replaced, in its own folder.
    fs::path target;
    if (const int error = LinkTarget(given, &target))
        return error;
    struct stat old {};
    const bool existed = ::stat(target.c_str(), &old) == 0;
    // A file this user may not write is not replaced, though the folder
    // would allow it.
    if (existed && ::access(target.c_str(), W_OK) != 0)
        return errno;
    // The new file would take one of the names only and the others would
    // keep the old content: a file of several names is not replaced.
    if (existed && S_ISREG(old.st_mode) && old.st_nlink > 1)
        return EMLINK;
    const fs::path directory = target.parent_path();
    fs::path temp;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < kNameAttempts; ++attempt) {
        temp = directory / namer();
        if (const int injected = CInjectedFault::Step())
            return injected;
        // O_EXCL: never an existing name, and with it a link is not followed.
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, existed ? 0600 : 0644);
        if (fd < 0 && errno != EEXIST)
            return errno;
    }
    if (fd < 0)
        return EEXIST;
    int error = 0;
    if (existed) {
        // The new file keeps the owner and group where the system allows it
        // (the group alone where the owner may not be given away), then the
        // mode (after the owner: a change of owner clears set-ID bits).
        const bool ours = old.st_uid == ::geteuid() && old.st_gid == ::getegid();
        if (!ours && ::fchown(fd, old.st_uid, old.st_gid) != 0 &&
            ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
            // Neither: the file is this user's now, in this user's group.
        }
        if (::fchmod(fd, old.st_mode & 07777) != 0)
            error = errno;
    }
    if (!error && !(error = CInjectedFault::Step()))
        error = WriteAll(fd, bytes);
    if (!error && !(error = CInjectedFault::Step()) && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && !error)
        error = errno;
    if (const int injected = CInjectedFault::Step(); injected && !error)
        error = injected;
    if (!error && !(error = CInjectedFault::Step()) && ::rename(temp.c_str(), target.c_str()) != 0)
        error = errno;
    if (error) {
        ::unlink(temp.c_str());
        return error;
    }
    // The new file is in place: a failed flush of the folder is told, the
    // file stays the new one.
    if (const int injected = CInjectedFault::Step())
        return injected;
    return SyncDirectory(directory);
}

} // namespace dralun

#endif // _WIN32
