// DN.ASC as the pipe run form reads it: any bytes, then the diameter list
// and a reach at every diameter. Nothing may crash or read outside the
// tables; at most 19 diameters, each between 50 and 3000.
#include <cstdint>
#include <cstdlib>

#include "FuzzDataDir.h"
#include "core/CPipeFlow.h"
#include "core/CPipeRunFlow.h"
#include "forms/PipeRunFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool prepared = [] {
        dralun::fuzz::CopyFromMedium("A110KR.ASC");
        return true;
    }();
    (void)prepared;
    dralun::fuzz::WriteFile("DN.ASC", data, size);

    dralun::PipeTables tables;
    dralun::LoadPipeRunTables(tables);
    if (tables.diameterCount < 0 || tables.diameterCount > dralun::PipeTables::kMaxDiameters)
        std::abort();
    for (int i = 1; i <= tables.diameterCount; ++i)
        if (tables.diameters[i] < 50 || tables.diameters[i] > 3000)
            std::abort();
    dralun::PipeReachInput in;
    in.mode = dralun::PipeSlopeMode::OneIn;
    in.slopeN = 100;
    in.kb = 1.5;
    in.Q = 40;
    dralun::PipeDiameterList(tables, 1 / in.slopeN, in.kb);
    for (int i = 1; i <= tables.diameterCount; ++i) {
        in.DN = tables.diameters[i];
        dralun::ComputePipeReach(tables, in);
    }
    return 0;
}
