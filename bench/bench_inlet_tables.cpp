// The inlet capacity tables: one look-up (table, row, weight and 17
// interpolated capacities) and one descrambling of a whole table. Reports
// operations per second ("items_per_second").
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>

#include "core/CInletTables.h"

namespace {

using dralun::CInletTables;

void BM_LookUp(benchmark::State& state)
{
    CInletTables tables; // the store holds zeros unless tables were loaded
    double slope = 0.0;
    int family = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tables.LookUp({family, family == 2 ? 9.0 : 2.5, slope}).results[16]);
        slope = slope < 7.9 ? slope + 0.013 : 0.0; // every row, most of them interpolated
        family = (family + 1) % 3;
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_DescrambleTable(benchmark::State& state)
{
    std::array<std::int16_t, CInletTables::kWords> words{};
    for (int i = 0; i < CInletTables::kWords; ++i)
        words[static_cast<size_t>(i)] = static_cast<std::int16_t>(i % 97 == 0 ? -9 : i * 3);
    for (auto _ : state) {
        int key = 0;
        CInletTables::ApplyKey(words.data(), words.size(), key);
        benchmark::DoNotOptimize(words.data());
    }
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_LookUp);
BENCHMARK(BM_DescrambleTable);

} // namespace
