#include "install/InstallTempFile.h"

#include "core/ReplaceFile.h"

#include <cstring>

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
    if (IsRandomTempName(name, kTempPrefix))
        return true;
    const size_t mark = name.rfind(".install-");
    const size_t digits = mark + std::strlen(".install-");
    return name.size() > 1 && name[0] == '.' && mark != std::string::npos && mark > 1 &&
           name.size() - digits <= 6 && AllOf(name, digits, "0123456789");
}

void RemoveLeftovers(const fs::path& directory)
{
    RemoveAbandonedTempFiles(directory, IsTempFileName);
}

int ReplaceFile(const fs::path& target, const std::string& bytes, const TempNamer& namer)
{
    return ReplaceFileWhole(target, bytes, [&namer] { return NextName(namer); });
}

} // namespace dralun::install
