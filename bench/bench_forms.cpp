// The compute actions of the forms, field exchange included.
#include <benchmark/benchmark.h>

#include "forms/CForm.h"
#include "forms/FormRegistry.h"

namespace {

using namespace dralun;

class NullSink : public IMessageSink {
public:
    void ShowMessage(const std::string&, MsgIcon) override {}
};

// Pressing "Rechne" once: read all fields, compute, write all fields.
void BM_Compute(benchmark::State& state, int templateId)
{
    NullSink sink;
    auto form = FindFormById(templateId)->create(sink);
    form->Open();
    for (auto _ : state) {
        form->Click(kIdOk);
        benchmark::DoNotOptimize(form->Text(form->Fields().back().id));
    }
}

// Constructing and initialising a form model.
void BM_Open(benchmark::State& state, int templateId)
{
    NullSink sink;
    const FormInfo* info = FindFormById(templateId);
    for (auto _ : state) {
        auto form = info->create(sink);
        form->Open();
        benchmark::DoNotOptimize(form.get());
    }
}

BENCHMARK_CAPTURE(BM_Compute, orifice_171, 171);
BENCHMARK_CAPTURE(BM_Compute, time_coefficient_183, 183);
BENCHMARK_CAPTURE(BM_Open, orifice_171, 171);
BENCHMARK_CAPTURE(BM_Open, time_coefficient_183, 183);

} // namespace
