#include "core/CDataDirectory.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <system_error>

#include "core/Platform.h"
#include "core/TextCase.h"

namespace dralun {

std::string CDataDirectory::Path()
{
    if (std::optional<std::string> path = platform::Environment("DRALUN_DATA_DIR")) {
        const char last = path->back();
        if (last != '/' && last != '\\')
            *path += static_cast<char>(std::filesystem::path::preferred_separator);
        return *path;
    }
    return platform::DefaultDataDirectory();
}

std::filesystem::path CDataDirectory::Resolve(const std::filesystem::path& path)
{
    std::error_code ec;
    const bool exists = std::filesystem::exists(path, ec);
    if (exists && !platform::kNamesIgnoreCase)
        return path;
    // The name as it is spelled on the disk: reports name the file so, and
    // a new file takes the spelling of one that is there.
    std::filesystem::path dir = path.parent_path();
    if (dir.empty())
        dir = ".";
    const std::string wanted = platform::TextOf(path.filename());
    for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = platform::TextOf(it->path().filename());
        if (EqualsIgnoringCase(name, wanted))
            return path.parent_path() / it->path().filename();
    }
    return path;
}

std::filesystem::path CDataDirectory::File(const std::string& name)
{
    return Resolve(platform::PathOf(Path()) / platform::PathOf(name));
}

std::filesystem::path CDataDirectory::UserFile(const std::string& typed)
{
    const std::filesystem::path path = platform::PathOf(typed);
    // "C:x.txt" names a drive and is no bare name either.
    if (!path.has_parent_path() && !path.has_root_name())
        return File(typed);
    return Resolve(path);
}

namespace {

thread_local int t_discardDepth = 0;

bool IsReading(const char* mode) { return mode[0] == 'r'; }

CFile OpenResolved(const std::filesystem::path& path, const char* mode)
{
    if (IsReading(mode))
        return OpenForReading(path).file;
    return OpenForWriting(path, std::string_view(mode).find('b') == std::string_view::npos, mode[0] == 'a');
}

CFile OpenNullDevice(const char* mode)
{
    return CFile(std::fopen(platform::NullDevice(), std::string_view(mode).find('b') == std::string_view::npos ? "w" : "wb"));
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
