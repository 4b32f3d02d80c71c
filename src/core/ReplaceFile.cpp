#include "core/ReplaceFile.h"

#include <cerrno>
#include <cstdio>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace dralun {

namespace fs = std::filesystem;

namespace {
// How often a name that is taken already is replaced by a new one. A random
// name collides only with one placed there on purpose; then the next is free.
constexpr int kNameAttempts = 16;
} // namespace

std::string RandomTempName(const std::string& prefix)
{
    std::random_device random;
    const unsigned long long bits = (static_cast<unsigned long long>(random()) << 32) ^ random();
    char digits[17];
    std::snprintf(digits, sizeof digits, "%016llx", bits);
    return prefix + digits;
}

#ifndef _WIN32

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

int ReplaceFileWhole(const fs::path& target, const std::string& bytes, const std::function<std::string()>& namer)
{
    const fs::path directory = target.parent_path();
    fs::path temp;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < kNameAttempts; ++attempt) {
        temp = directory / namer();
        // O_EXCL: never an existing name, and with it a link is not followed.
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0644);
        if (fd < 0 && errno != EEXIST)
            return errno;
    }
    if (fd < 0)
        return EEXIST;
    int error = WriteAll(fd, bytes);
    if (!error && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && !error)
        error = errno;
    if (!error && ::rename(temp.c_str(), target.c_str()) != 0)
        error = errno;
    if (error) {
        ::unlink(temp.c_str());
        return error;
    }
    return SyncDirectory(directory);
}

#else // _WIN32

int ReplaceFileWhole(const fs::path& target, const std::string& bytes, const std::function<std::string()>& namer)
{
    const fs::path directory = target.parent_path();
    fs::path temp;
    std::FILE* out = nullptr;
    for (int attempt = 0; !out && attempt < kNameAttempts; ++attempt) {
        temp = directory / namer();
        out = ::_wfopen(temp.wstring().c_str(), L"wbx"); // x: only a new file
        if (!out && errno != EEXIST)
            return errno;
    }
    if (!out)
        return EEXIST;
    int error = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size() || std::fflush(out) != 0 ||
        ::_commit(::_fileno(out)) != 0)
        error = errno ? errno : EIO;
    if (std::fclose(out) != 0 && !error)
        error = errno;
    std::error_code ec;
    if (!error) {
        fs::rename(temp, target, ec);
        if (ec)
            error = ec.default_error_condition().value();
    }
    if (error)
        fs::remove(temp, ec);
    return error;
}

#endif

} // namespace dralun
