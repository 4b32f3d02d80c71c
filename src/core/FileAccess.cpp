#include "core/FileAccess.h"

#include <cerrno>
#include <cstring>
#include <system_error>

#include "core/Format.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace dralun {

std::string ErrorText(int error)
{
    switch (error) {
    case ENOENT: return "nicht vorhanden";
    case EACCES:
    case EPERM: return "Zugriff verweigert";
    case ENOSPC: return "kein Platz mehr auf dem Datenträger";
    case EROFS: return "Datenträger schreibgeschützt";
    case EISDIR: return "ein Verzeichnis";
    case ENOTDIR: return "ein Teil des Pfades ist kein Verzeichnis";
    case EIO: return "Ein-/Ausgabefehler";
    case ELOOP: return "zu viele symbolische Verknüpfungen";
    case ENAMETOOLONG: return "Name zu lang";
    default: return std::strerror(error);
    }
}

std::string ProblemText(const ReadableFile& file)
{
    switch (file.problem) {
    case FileProblem::None:
        return {};
    case FileProblem::Missing:
        return "fehlt.";
    case FileProblem::NotRegular:
        return "ist " + file.kind + " und keine Datei.";
    case FileProblem::TooLarge:
        return Format("ist mit %ju Bytes zu groß (eine Datendatei hat höchstens %ju Bytes).", file.size,
                      file.largest);
    case FileProblem::Unreadable:
        return "kann nicht gelesen werden (" + ErrorText(file.error) + ").";
    }
    return {};
}

#ifndef _WIN32

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

CFile OpenForWriting(const std::filesystem::path& path, bool)
{
    // O_NONBLOCK: a FIFO without a reader fails at once (ENXIO) instead of
    // waiting; the type is checked before anything is truncated.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd < 0)
        return nullptr;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || ::ftruncate(fd, 0) != 0) {
        ::close(fd);
        return nullptr;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    std::FILE* f = ::fdopen(fd, "w");
    if (!f) {
        ::close(fd);
        return nullptr;
    }
    return CFile(f);
}

#else // _WIN32

ReadableFile OpenForReading(const std::filesystem::path& path, std::uintmax_t largest)
{
    ReadableFile result;
    result.largest = largest;
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(status)) {
        result.problem = FileProblem::Missing;
        return result;
    }
    if (!std::filesystem::is_regular_file(status)) {
        result.problem = FileProblem::NotRegular;
        result.kind = std::filesystem::is_directory(status) ? "ein Verzeichnis" : "keine gewöhnliche Datei";
        return result;
    }
    result.size = std::filesystem::file_size(path, ec);
    if (!ec && result.size > largest) {
        result.problem = FileProblem::TooLarge;
        return result;
    }
    std::FILE* f = ::_wfopen(path.wstring().c_str(), L"rb");
    if (!f) {
        result.problem = FileProblem::Unreadable;
        result.error = errno;
        return result;
    }
    result.file.reset(f);
    return result;
}

CFile OpenForWriting(const std::filesystem::path& path, bool text)
{
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    if (!ec && std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
        return nullptr;
    return CFile(::_wfopen(path.wstring().c_str(), text ? L"w" : L"wb"));
}

#endif

} // namespace dralun
