#include "core/CDataDirectory.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <system_error>

#include "core/TextCase.h"

#ifndef _WIN32
#include <pwd.h>
#include <unistd.h>
#endif

namespace dralun {

namespace {

std::string HomeDirectory()
{
#ifndef _WIN32
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir)
        return pw->pw_dir;
#endif
    return ".";
}

} // namespace

std::string CDataDirectory::Path()
{
    if (const char* dir = std::getenv("DRALUN_DATA_DIR"); dir && *dir) {
        std::string path = dir;
        const char last = path.back();
        if (last != '/' && last != '\\')
            path += static_cast<char>(std::filesystem::path::preferred_separator);
        return path;
    }
#ifdef _WIN32
    return "C:\\Dralun\\";
#else
    return HomeDirectory() + "/Dralun/";
#endif
}

std::filesystem::path CDataDirectory::Resolve(const std::filesystem::path& path)
{
    std::error_code ec;
    if (std::filesystem::exists(path, ec))
        return path;
    std::filesystem::path dir = path.parent_path();
    if (dir.empty())
        dir = ".";
    const std::string wanted = path.filename().string();
    for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (EqualsIgnoringCase(name, wanted))
            return it->path();
    }
    return path;
}

std::filesystem::path CDataDirectory::File(const std::string& name)
{
    return Resolve(std::filesystem::path(Path()) / name);
}

namespace {

thread_local int t_discardDepth = 0;

#ifdef _WIN32
constexpr const char* kNullDevice = "NUL";
#else
constexpr const char* kNullDevice = "/dev/null";
#endif

bool IsReading(const char* mode) { return mode[0] == 'r'; }

CFile OpenResolved(const std::filesystem::path& path, const char* mode)
{
    if (IsReading(mode))
        return OpenForReading(path).file;
    return OpenForWriting(path, std::string_view(mode).find('b') == std::string_view::npos);
}

CFile OpenNullDevice(const char* mode)
{
    return CFile(std::fopen(kNullDevice, std::string_view(mode).find('b') == std::string_view::npos ? "w" : "wb"));
}

} // namespace

CDiscardWrites::CDiscardWrites() { ++t_discardDepth; }

CDiscardWrites::~CDiscardWrites() { --t_discardDepth; }

bool CDiscardWrites::Active() { return t_discardDepth > 0; }

CFile CDataDirectory::OpenPath(const std::filesystem::path& path, const char* mode)
{
    if (!IsReading(mode) && CDiscardWrites::Active())
        return OpenNullDevice(mode);
    return OpenResolved(Resolve(path), mode);
}

CFile CDataDirectory::Open(const std::string& name, const char* mode)
{
    if (!IsReading(mode) && CDiscardWrites::Active())
        return OpenNullDevice(mode);
    return OpenResolved(File(name), mode);
}

ReadableFile CDataDirectory::Read(const std::string& name) { return OpenForReading(File(name)); }

ReadableFile CDataDirectory::ReadPath(const std::filesystem::path& path) { return OpenForReading(Resolve(path)); }

} // namespace dralun
