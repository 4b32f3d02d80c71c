// The Windows side of the platform layer. Every name crosses into Windows
// as UTF-16 through the wide-character calls.
#ifdef _WIN32

#include "core/Platform.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <io.h>

#include "core/FileAccess.h"
#include "core/ReplaceFile.h"

namespace dralun {

namespace platform {

std::filesystem::path PathOf(const std::string& utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string TextOf(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::vector<std::string> Arguments(int argc, char** argv)
{
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!wide)
        return std::vector<std::string>(argv + 1, argv + argc);
    std::vector<std::string> args;
    for (int i = 1; i < count; ++i)
        args.push_back(TextOf(std::filesystem::path(wide[i])));
    ::LocalFree(wide);
    return args;
}

void NoErrorBoxes()
{
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    // abort() (Qt's fatal errors end in it) writes its message to standard
    // error instead of a box, even in a window program.
    ::_set_error_mode(_OUT_TO_STDERR);
}

void UseParentConsole()
{
    // A handle that is already there (a pipe, a file) is kept: only what
    // would go nowhere goes to the parent's console.
    const auto unset = [](DWORD which) {
        const HANDLE h = ::GetStdHandle(which);
        return h == nullptr || h == INVALID_HANDLE_VALUE || ::GetFileType(h) == FILE_TYPE_UNKNOWN;
    };
    const bool out = unset(STD_OUTPUT_HANDLE);
    const bool err = unset(STD_ERROR_HANDLE);
    if ((!out && !err) || !::AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    if (out && std::freopen("CONOUT$", "w", stdout))
        std::setvbuf(stdout, nullptr, _IOLBF, 4096);
    if (err && std::freopen("CONOUT$", "w", stderr))
        std::setvbuf(stderr, nullptr, _IONBF, 0);
}

std::filesystem::path ProgramPath()
{
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (n == 0)
            return {};
        if (n < name.size()) {
            name.resize(n);
            return std::filesystem::path(name);
        }
        name.resize(name.size() * 2);
    }
}

std::optional<std::string> Environment(const char* name)
{
    const std::wstring wide = PathOf(name).wstring();
    const wchar_t* value = ::_wgetenv(wide.c_str());
    if (!value || !*value)
        return std::nullopt;
    return TextOf(std::filesystem::path(value));
}

std::string HomeDirectory() { return Environment("USERPROFILE").value_or(std::string()); }

std::string DefaultDataDirectory() { return "C:\\Dralun\\"; }

const char* NullDevice() { return "NUL"; }

std::tm LocalTime(std::time_t moment)
{
    std::tm local{};
    localtime_s(&local, &moment);
    return local;
}

std::tm UtcTime(std::time_t moment)
{
    std::tm utc{};
    gmtime_s(&utc, &moment);
    return utc;
}

} // namespace platform

namespace {

// The errno value nearest to a Windows error, for the German reasons.
int ErrnoOf(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return EACCES;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return EEXIST;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    case ERROR_FILENAME_EXCED_RANGE:
        return ENAMETOOLONG;
    default:
        return EIO;
    }
}

std::string KindOf(DWORD type)
{
    switch (type) {
    case FILE_TYPE_CHAR: return "ein Gerät";
    case FILE_TYPE_PIPE: return "eine benannte Pipe";
    default: return "keine gewöhnliche Datei";
    }
}

bool IsDirectory(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A C stream over an open handle; the handle belongs to the stream then.
std::FILE* StreamOf(HANDLE handle, int flags, const char* mode)
{
    const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle), flags);
    if (fd < 0) {
        ::CloseHandle(handle);
        return nullptr;
    }
    std::FILE* f = ::_fdopen(fd, mode);
    if (!f)
        ::_close(fd);
    return f;
}

} // namespace

// ---- opening data files -------------------------------------------------------

ReadableFile OpenForReading(const std::filesystem::path& path, std::uintmax_t largest)
{
    ReadableFile result;
    result.largest = largest;
    const std::wstring name = path.wstring();
    if (IsDirectory(name)) {
        result.problem = FileProblem::NotRegular;
        result.kind = "ein Verzeichnis";
        return result;
    }
    // A device name (NUL, CON, COM1) or a pipe opens too; its type tells.
    const HANDLE handle = ::CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const int error = ErrnoOf(::GetLastError());
        if (error == ENOENT)
            result.problem = FileProblem::Missing;
        else {
            result.problem = FileProblem::Unreadable;
            result.error = error;
        }
        return result;
    }
    if (const DWORD type = ::GetFileType(handle); type != FILE_TYPE_DISK) {
        result.problem = FileProblem::NotRegular;
        result.kind = KindOf(type);
        ::CloseHandle(handle);
        return result;
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(handle, &size)) {
        result.problem = FileProblem::Unreadable;
        result.error = ErrnoOf(::GetLastError());
        ::CloseHandle(handle);
        return result;
    }
    result.size = static_cast<std::uintmax_t>(size.QuadPart);
    if (result.size > largest) {
        result.problem = FileProblem::TooLarge;
        ::CloseHandle(handle);
        return result;
    }
    std::FILE* f = StreamOf(handle, _O_RDONLY | _O_BINARY, "rb");
    if (!f) {
        result.problem = FileProblem::Unreadable;
        result.error = errno ? errno : EIO;
        return result;
    }
    result.file.reset(f);
    return result;
}

CFile OpenForWriting(const std::filesystem::path& path, bool text, bool append)
{
    const std::wstring name = path.wstring();
    if (IsDirectory(name))
        return nullptr;
    const HANDLE handle = ::CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return nullptr;
    // The type is checked before anything is cut off.
    LARGE_INTEGER none{};
    if (::GetFileType(handle) != FILE_TYPE_DISK ||
        !(append ? ::SetFilePointerEx(handle, none, nullptr, FILE_END) : ::SetEndOfFile(handle))) {
        ::CloseHandle(handle);
        return nullptr;
    }
    // Text mode: every "\n" is written as CR LF.
    if (append)
        return CFile(StreamOf(handle, (text ? _O_TEXT : _O_BINARY) | _O_APPEND, text ? "a" : "ab"));
    return CFile(StreamOf(handle, text ? _O_TEXT : _O_BINARY, text ? "w" : "wb"));
}

// ---- replacing a file whole ---------------------------------------------------

namespace {
// How often a name that is taken already is replaced by a new one.
constexpr int kNameAttempts = 16;

int WriteAll(HANDLE handle, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(handle, bytes.data() + done, chunk, &written, nullptr) || written == 0)
            return ErrnoOf(::GetLastError());
        done += written;
    }
    return 0;
}

} // namespace

int ReplaceFileWhole(const std::filesystem::path& given, const std::string& bytes,
                     const std::function<std::string()>& namer)
{
    // A link is written through: its target is replaced, in its own folder.
    std::filesystem::path target;
    if (const int error = LinkTarget(given, &target))
        return error;
    // A read-only file is not replaced, though the folder would allow it.
    if (const DWORD attributes = ::GetFileAttributesW(target.wstring().c_str());
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return EACCES;
    // The new file would take one of the names only and the others would
    // keep the old content: a file of several names is not replaced.
    if (platform::HardLinkCount(target) > 1)
        return EMLINK;
    const std::filesystem::path directory = target.parent_path();
    std::filesystem::path temp;
    HANDLE handle = INVALID_HANDLE_VALUE;
    for (int attempt = 0; handle == INVALID_HANDLE_VALUE && attempt < kNameAttempts; ++attempt) {
        temp = directory / platform::PathOf(namer());
        if (const int injected = CInjectedFault::Step())
            return injected;
        // CREATE_NEW: never an existing name.
        handle = ::CreateFileW(temp.wstring().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                               nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            const int error = ErrnoOf(::GetLastError());
            if (error != EEXIST)
                return error;
        }
    }
    if (handle == INVALID_HANDLE_VALUE)
        return EEXIST;
    int error = CInjectedFault::Step();
    if (!error)
        error = WriteAll(handle, bytes);
    if (!error && !(error = CInjectedFault::Step()) && !::FlushFileBuffers(handle))
        error = ErrnoOf(::GetLastError());
    if (!::CloseHandle(handle) && !error)
        error = ErrnoOf(::GetLastError());
    if (const int injected = CInjectedFault::Step(); injected && !error)
        error = injected;
    if (!error && !(error = CInjectedFault::Step()) &&
        !::MoveFileExW(temp.wstring().c_str(), target.wstring().c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = ErrnoOf(::GetLastError());
    if (error)
        ::DeleteFileW(temp.wstring().c_str());
    return error;
}

// ---- locks --------------------------------------------------------------------

namespace platform {

std::intptr_t TryLockFile(const std::filesystem::path& path, int* error)
{
    if ((*error = CInjectedFault::Step()) != 0)
        return -1;
    const HANDLE handle =
        ::CreateFileW(path.wstring().c_str(), GENERIC_READ | GENERIC_WRITE,
                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        *error = ErrnoOf(::GetLastError());
        return -1;
    }
    if (::GetFileType(handle) != FILE_TYPE_DISK) {
        ::CloseHandle(handle);
        *error = EINVAL;
        return -1;
    }
    if ((*error = CInjectedFault::Step()) != 0) {
        ::CloseHandle(handle);
        return -1;
    }
    OVERLAPPED start{};
    if (!::LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &start)) {
        const DWORD failed = ::GetLastError();
        ::CloseHandle(handle);
        *error = failed == ERROR_LOCK_VIOLATION || failed == ERROR_IO_PENDING ? EWOULDBLOCK : ErrnoOf(failed);
        return -1;
    }
    *error = 0;
    return reinterpret_cast<std::intptr_t>(handle);
}

// Closing the handle releases its lock.
void UnlockFile(std::intptr_t handle) { ::CloseHandle(reinterpret_cast<HANDLE>(handle)); }

std::uintmax_t HardLinkCount(const std::filesystem::path& path)
{
    const HANDLE handle = ::CreateFileW(path.wstring().c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return 0;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = ::GetFileInformationByHandle(handle, &info);
    ::CloseHandle(handle);
    return known ? info.nNumberOfLinks : 0;
}

} // namespace platform

} // namespace dralun

#endif // _WIN32
