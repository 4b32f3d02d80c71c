// DN.ASC as the pipe run form reads it: any bytes, then the diameter list
// and a reach at every diameter. Nothing may crash or read outside the
// tables; at most 19 diameters, each between 50 and 3000.
#include <cstdint>
#include <cstdlib>

#include "FuzzDataDir.h"
#include "core/CPipeFlow.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool prepared = [] {
        dralun::fuzz::CopyFromMedium("A110KR.ASC");
        return true;
    }();
    (void)prepared;
    dralun::fuzz::WriteFile("DN.ASC", data, size);

    dralun::CPipeFlow pipe(false);
    pipe.LoadTables();
    if (pipe.m_diameterCount < 0 || pipe.m_diameterCount > dralun::CPipeFlow::kMaxDiameters)
        std::abort();
    for (int i = 1; i <= pipe.m_diameterCount; ++i)
        if (pipe.m_diameters[i] < 50 || pipe.m_diameters[i] > 3000)
            std::abort();
    pipe.m_mode = dralun::CPipeFlow::kOneIn;
    pipe.m_slopeN = 100;
    pipe.m_kb = 1.5;
    pipe.FillDiameterList();
    for (int i = 1; i <= pipe.m_diameterCount; ++i) {
        pipe.m_DN = pipe.m_diameters[i];
        pipe.m_Q = pipe.m_Qt = 40;
        pipe.ComputeReach();
    }
    return 0;
}
