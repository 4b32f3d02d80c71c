// Rating tables: 10 000 rows of the pipe run (the slope 1 : n varied from
// 50 to 10 049, Qv and vv read), each row typed into a copy of the form
// and computed as a user would.
#include <benchmark/benchmark.h>

#include <memory>

#include "forms/CForm.h"
#include "forms/ComputeButton.h"
#include "forms/FormRegistry.h"
#include "project/RatingSweep.h"

namespace {

using namespace dralun;

void BM_PipeRunTable10000(benchmark::State& state)
{
    CSilentSink sink;
    const std::unique_ptr<CForm> form = FindFormById(130)->create(sink);
    form->Open();
    PressCompute(*form);
    RatingRequest request;
    request.vary = form->FindFieldByName("n")->id;
    request.from = 50;
    request.to = 50 + kMostRatingRows - 1;
    request.step = 1;
    request.columns = {form->FindFieldByName("Qv")->id, form->FindFieldByName("vv")->id};
    for (auto _ : state) {
        const RatingOutcome outcome = ComputeRatingTable(*form, request);
        if (!outcome.problem.empty() || outcome.table.rows.size() != static_cast<size_t>(kMostRatingRows))
            state.SkipWithError("no table");
        benchmark::DoNotOptimize(outcome.table.rows.data());
    }
    state.counters["rows"] = kMostRatingRows;
}
BENCHMARK(BM_PipeRunTable10000)->Unit(benchmark::kMillisecond);

} // namespace
