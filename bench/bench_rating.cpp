// Rating tables: 10 000 rows of the pipe run (the slope 1 : n varied from
// 50 to 10 049, Qv and vv read) and of the throttle section, each row typed
// into a copy of the form and computed as a user would.
#include <benchmark/benchmark.h>

#include <initializer_list>
#include <memory>

#include "forms/CForm.h"
#include "forms/ComputeButton.h"
#include "forms/FormRegistry.h"
#include "rating/RatingSweep.h"

namespace {

using namespace dralun;

// 10 000 rows of one input of a form opened with its defaults, two results read.
void RunTable(benchmark::State& state, int formId, const char* vary, double from, double step,
              std::initializer_list<const char*> columns)
{
    CSilentSink sink;
    const std::unique_ptr<CForm> form = FindFormById(formId)->create(sink);
    form->Open();
    PressCompute(*form);
    RatingRequest request;
    request.vary = form->FindFieldByName(vary)->id;
    request.from = from;
    request.to = from + (kMostRatingRows - 1) * step;
    request.step = step;
    for (const char* column : columns)
        request.columns.push_back(form->FindFieldByName(column)->id);
    for (auto _ : state) {
        const RatingOutcome outcome = ComputeRatingTable(*form, request);
        if (!outcome.problem.empty() || outcome.table.rows.size() != static_cast<size_t>(kMostRatingRows))
            state.SkipWithError("no table");
        benchmark::DoNotOptimize(outcome.table.rows.data());
    }
    state.counters["rows"] = kMostRatingRows;
}

void BM_PipeRunTable10000(benchmark::State& state) { RunTable(state, 130, "n", 50, 1, {"Qv", "vv"}); }
BENCHMARK(BM_PipeRunTable10000)->Unit(benchmark::kMillisecond);

// The throttle section's table: the basin level H max Wsp from 1 to 10.999
// m NN. Each row steps the velocity up to where the energy balance turns;
// it is to stay within 10 times the pipe run's.
void BM_ThrottleSectionTable10000(benchmark::State& state) { RunTable(state, 170, "Hmax", 1, 0.001, {"v", "Q"}); }
BENCHMARK(BM_ThrottleSectionTable10000)->Unit(benchmark::kMillisecond);

} // namespace
