#include "install/InstallTempFile.h"

#include "core/ReplaceFile.h"

#include <cstring>
#include <system_error>

namespace dralun::install {

namespace fs = std::filesystem;

namespace {

bool AllOf(const std::string& s, size_t from, const char* digits)
{
    return from < s.size() && s.find_first_not_of(digits, from) == std::string::npos;
}

std::string NextName(const TempNamer& namer) { return namer ? namer() : TempFileName(); }

} // namespace

std::string TempFileName() { return RandomTempName(kTempPrefix); }

bool IsTempFileName(const std::string& name)
{
    const std::string prefix = kTempPrefix;
    if (name.size() == prefix.size() + 16 && name.compare(0, prefix.size(), prefix) == 0)
        return AllOf(name, prefix.size(), "0123456789abcdef");
    const size_t mark = name.rfind(".install-");
    const size_t digits = mark + std::strlen(".install-");
    return name.size() > 1 && name[0] == '.' && mark != std::string::npos && mark > 1 &&
           name.size() - digits <= 6 && AllOf(name, digits, "0123456789");
}

void RemoveLeftovers(const fs::path& directory)
{
    std::error_code ec;
    for (fs::directory_iterator it(directory, ec), end; !ec && it != end; it.increment(ec)) {
        const std::u8string name = it->path().filename().u8string(); // the same bytes on every platform
        std::error_code ignored;
        if (IsTempFileName(std::string(name.begin(), name.end())) &&
            it->symlink_status(ignored).type() == fs::file_type::regular)
            fs::remove(it->path(), ignored);
    }
}

int ReplaceFile(const fs::path& target, const std::string& bytes, const TempNamer& namer)
{
    return ReplaceFileWhole(target, bytes, [&namer] { return NextName(namer); });
}

} // namespace dralun::install
