// A110KR.ASC as the pipe run form reads it: any bytes, then part filling at
// fill ratios across the whole table. Nothing may crash or read outside the
// table; at most 100 rows; the dump file is written.
#include <cstdint>
#include <cstdlib>

#include "FuzzDataDir.h"
#include "core/CPipeRunFlow.h"
#include "forms/PipeRunFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool prepared = [] {
        dralun::fuzz::CopyFromMedium("DN.ASC");
        return true;
    }();
    (void)prepared;
    dralun::fuzz::WriteFile("A110KR.ASC", data, size);

    dralun::PipeTables tables;
    dralun::LoadPipeRunTables(tables);
    if (tables.rowCount < 0 || tables.rowCount > dralun::PipeTables::kMaxRows)
        std::abort();
    dralun::PipeReachInput in;
    in.mode = dralun::PipeSlopeMode::OneIn;
    in.slopeN = 100;
    in.kb = 1.5;
    in.DN = 300;
    for (double q : {0.0, 0.2, 0.5, 1.0, 5.0, 20.0, 40.0, 60.0, 97.0, 97.9, 97.95, 200.0}) {
        in.Q = q;
        dralun::ComputePipeReach(tables, in);
    }
    return 0;
}
