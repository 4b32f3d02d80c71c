// One inlet table file as the inlet spacing form loads it: the first byte
// picks which of the 31 files the rest replaces, the other 30 come from the
// medium. Then look-ups across families, cross-falls and slopes (also ones
// without a table). Nothing may crash or read outside the store; every
// result is a number.
#include <cmath>
#include <cstdint>
#include <cctype>
#include <cstdlib>
#include <string>

#include "FuzzDataDir.h"
#include "core/CInletTables.h"

namespace {

void LookEverywhere()
{
    dralun::CInletTables tables;
    for (int family = -1; family <= 3; ++family)
        for (double q : {0.5, 1.0, 2.5, 6.0, 6.5, 7.0, 10.0, 15.0, 16.0})
            for (double s : {-0.1, 0.0, 0.1, 1.1, 7.9, 8.0, 8.1}) {
                for (double r : tables.LookUp({family, q, s}).results)
                    if (!std::isfinite(r))
                        std::abort();
            }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool prepared = [] {
        for (const char* name : dralun::CInletTables::kFileNames)
            dralun::fuzz::CopyFromMedium(name);
        return true;
    }();
    (void)prepared;
    if (size == 0)
        return 0;
    const int table = data[0] % dralun::CInletTables::kTables;
    // The loader asks for upper-case names; the medium's copies are lower case.
    std::string name = dralun::CInletTables::kFileNames[static_cast<size_t>(table)];
    for (char& c : name)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    dralun::fuzz::WriteFile(name, data + 1, size - 1);

    dralun::CInletTables tables;
    const bool loaded = tables.LoadTables();
    if (!loaded && tables.FailedFile().empty())
        std::abort();
    LookEverywhere();
    dralun::fuzz::CopyFromMedium(name);
    return 0;
}
