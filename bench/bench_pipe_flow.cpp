// The pipe flow engine: full flow after Prandtl-Colebrook (one log10 and one
// square root) and one whole reach with the part-filling lookup. Reports
// evaluations per second ("items_per_second").
#include <benchmark/benchmark.h>

#include "core/CPipeFlow.h"

namespace {

using dralun::CPipeFlow;

// A part-filling table of the shape of the circular profile: row i holds
// Q/Qv = i / 100 as the lookup requires.
void FillTable(CPipeFlow& pipe)
{
    for (int i = 1; i <= CPipeFlow::kMaxRows; ++i) {
        const double q = i / 100.0;
        pipe.m_fillRatio[i] = q;
        pipe.m_velocityRatio[i] = 0.3 + 0.8 * q;
        pipe.m_depthRatio[i] = 0.07 + 0.76 * q;
    }
    pipe.m_rowCount = CPipeFlow::kMaxRows;
}

void BM_FullFlow(benchmark::State& state)
{
    CPipeFlow pipe(false);
    pipe.m_D = 0.3;
    pipe.m_kb = 1.5;
    double slope = 0.01;
    for (auto _ : state) {
        pipe.m_J = slope;
        pipe.FullFlow();
        benchmark::DoNotOptimize(pipe.m_Qv);
        slope = slope < 0.02 ? slope + 1e-7 : 0.01; // keeps the compiler from reusing a result
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_ComputeReach(benchmark::State& state)
{
    CPipeFlow pipe(false);
    FillTable(pipe);
    pipe.m_mode = CPipeFlow::kOneIn;
    pipe.m_DN = 300;
    pipe.m_kb = 1.5;
    double q = 1;
    for (auto _ : state) {
        pipe.m_slopeN = 100;
        pipe.m_Q = q;
        pipe.m_Qt = q;
        pipe.ComputeReach();
        benchmark::DoNotOptimize(pipe.m_DrH);
        q = q < 97 ? q + 0.37 : 1; // part filling over the whole table
    }
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_FullFlow);
BENCHMARK(BM_ComputeReach);

} // namespace
