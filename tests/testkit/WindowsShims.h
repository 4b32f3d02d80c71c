#pragma once
// The few POSIX calls the tests use, on Windows: the environment through
// the wide-character calls (so a value with umlauts arrives whole), the
// pipe to a program through _popen. Included before every test source of
// the Windows build.
#ifdef _WIN32
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/Platform.h"

inline int setenv(const char* name, const char* value, int overwrite)
{
    if (!overwrite && dralun::platform::Environment(name))
        return 0;
    // An empty value unsets the variable on Windows, as an unset one reads here.
    return ::_wputenv_s(dralun::platform::PathOf(name).wstring().c_str(),
                        dralun::platform::PathOf(value).wstring().c_str());
}

inline int unsetenv(const char* name) { return ::_wputenv_s(dralun::platform::PathOf(name).wstring().c_str(), L""); }

#endif
