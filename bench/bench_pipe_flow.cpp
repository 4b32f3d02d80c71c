// The pipe flow engine: full flow after Prandtl-Colebrook (one log10 and one
// square root) and one whole reach with the part-filling lookup. Reports
// evaluations per second ("items_per_second").
#include <benchmark/benchmark.h>

#include "core/CPipeFlow.h"
#include "core/CPipeRunFlow.h"

namespace {

using dralun::PipeTables;

// A part-filling table of the shape of the circular profile: row i holds
// Q/Qv = i / 100 as the lookup requires.
PipeTables Table()
{
    PipeTables t;
    for (int i = 1; i <= PipeTables::kMaxRows; ++i) {
        const double q = i / 100.0;
        t.fillRatio[i] = q;
        t.velocityRatio[i] = 0.3 + 0.8 * q;
        t.depthRatio[i] = 0.07 + 0.76 * q;
    }
    t.rowCount = PipeTables::kMaxRows;
    return t;
}

void BM_FullFlow(benchmark::State& state)
{
    double slope = 0.01;
    for (auto _ : state) {
        const dralun::PipeFullFlow f = dralun::ComputePipeFullFlow(0.3, slope, 1.5);
        benchmark::DoNotOptimize(f.Qv);
        slope = slope < 0.02 ? slope + 1e-7 : 0.01; // keeps the compiler from reusing a result
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_ComputeReach(benchmark::State& state)
{
    const PipeTables table = Table();
    dralun::PipeReachInput in;
    in.mode = dralun::PipeSlopeMode::OneIn;
    in.slopeN = 100;
    in.DN = 300;
    in.kb = 1.5;
    double q = 1;
    for (auto _ : state) {
        in.Q = q;
        const dralun::PipeReachResult r = dralun::ComputePipeReach(table, in);
        benchmark::DoNotOptimize(r.DrH);
        q = q < 97 ? q + 0.37 : 1; // part filling over the whole table
    }
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_FullFlow);
BENCHMARK(BM_ComputeReach);

} // namespace
