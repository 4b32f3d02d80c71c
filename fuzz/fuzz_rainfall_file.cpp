// A rainfall series file as the infiltration forms load it, at every
// frequency column: the rows, the check file, the duration list and the
// rain of every list entry. Nothing may crash, no field may grow beyond the
// longest accepted one, and every number is finite.
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "FuzzDataDir.h"
#include "core/CRainfallTable.h"
#include "forms/RainfallFileLoad.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using dralun::CRainfallTable;
    dralun::fuzz::WriteFile("regen.txt", data, size);
    const std::string path = dralun::fuzz::DataDir() + "REGEN.TXT"; // the letter case need not match
    for (double n : {2.0, 1.0, 0.3, 0.01}) {
        CRainfallTable table;
        const dralun::RainfallFileLoad result = dralun::LoadRainfallFile(table, path, n);
        if (!result.loaded || result.message.empty())
            std::abort();
        dralun::WriteRainfallCheckFile(table, n);
        for (int i = 1; i <= CRainfallTable::kRows; ++i) {
            const CRainfallTable::Row& row = table.RowAt(i);
            if (row.durationText.size() > CRainfallTable::kLongestField ||
                row.intensityText.size() > CRainfallTable::kLongestField ||
                row.unitText.size() > CRainfallTable::kLongestField)
                std::abort();
            const CRainfallTable::Rain rain = table.RainOfRow(i);
            if (!std::isfinite(rain.durationMinutes) || !std::isfinite(rain.intensity))
                std::abort();
        }
        const auto entries = table.FillDurationList();
        for (size_t k = 0; k <= entries.size(); ++k) {
            // An entry gives its rain, unless the file has a word instead of
            // an intensity there; past the last entry there is none.
            const auto rain = table.TakeSelectedDuration(static_cast<int>(k));
            if (k == entries.size() ? rain.has_value() : !rain.has_value() && !table.HasMissingValues())
                std::abort();
        }
    }
    return 0;
}
