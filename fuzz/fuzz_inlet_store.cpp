// The whole store of inlet tables: the bytes are cut into 31 files (of
// varying length, so short files come up), all loaded, then looked up.
// Nothing may crash or read outside the store; a failed load names a file
// and leaves the store as it was, a good one holds capacities only.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cctype>
#include <string>

#include "FuzzDataDir.h"
#include "core/CInletTables.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using dralun::CInletTables;
    const size_t piece = size / CInletTables::kTables;
    for (int t = 0; t < CInletTables::kTables; ++t) {
        std::string name = CInletTables::kFileNames[static_cast<size_t>(t)];
        if (t % 2)
            for (char& c : name) // both spellings, as the medium and the program have them
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        const size_t offset = piece * static_cast<size_t>(t);
        const size_t length = t == CInletTables::kTables - 1 ? size - offset : piece;
        dralun::fuzz::WriteFile(name, data + offset, length);
    }
    const std::int16_t before = CInletTables::StoreWord(0, 0, 0);
    CInletTables tables;
    if (!tables.LoadTables()) {
        if (tables.FailedFile().empty() || CInletTables::StoreWord(0, 0, 0) != before)
            std::abort();
    } else {
        // A good load holds capacities only, or the no-value word.
        for (int t = 0; t < CInletTables::kTables; ++t)
            for (int r = 0; r < CInletTables::kRows; ++r)
                for (int c = 0; c < CInletTables::kColumns; ++c) {
                    const std::int16_t w = CInletTables::StoreWord(t, r, c);
                    if (w != CInletTables::kNoValue && (w < 0 || w > CInletTables::kLargestTenths))
                        std::abort();
                }
    }
    for (int family = 0; family < CInletTables::kFamilies; ++family)
        for (double s : {0.0, 0.3, 4.1, 8.0}) {
            for (double r : tables.LookUp({family, family == 2 ? 9.0 : 3.5, s}).results)
                if (!std::isfinite(r))
                    std::abort();
        }
    // Every spelling is written anew next time; remove the lower-case ones so
    // that each name exists once.
    for (int t = 1; t < CInletTables::kTables; t += 2) {
        std::string name = CInletTables::kFileNames[static_cast<size_t>(t)];
        for (char& c : name)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        std::remove((dralun::fuzz::DataDir() + name).c_str());
    }
    return 0;
}
