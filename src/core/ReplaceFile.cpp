#include "core/ReplaceFile.h"

#include <cstdio>
#include <random>

// ReplaceFileWhole itself differs by system: PlatformPosix.cpp and
// PlatformWindows.cpp.

namespace dralun {

std::string RandomTempName(const std::string& prefix)
{
    std::random_device random;
    const unsigned long long bits = (static_cast<unsigned long long>(random()) << 32) ^ random();
    char digits[17];
    std::snprintf(digits, sizeof digits, "%016llx", bits);
    return prefix + digits;
}

} // namespace dralun
