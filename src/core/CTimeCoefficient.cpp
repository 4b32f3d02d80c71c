#include "core/CTimeCoefficient.h"

#include <cmath>

#include "core/Format.h"

namespace dralun {

namespace {

double TimeCoefficient(double n, double T) { return (1.0 / std::pow(n, 0.25) - 0.3684) * 38.0 / (T + 9.0); }

} // namespace

TimeCoefficientDurationList TimeCoefficientDurations(float T1)
{
    TimeCoefficientDurationList T{};
    T[0] = T1;
    for (int i = 1; i < kTimeCoefficientRows; ++i)
        T[static_cast<size_t>(i)] = static_cast<float>(static_cast<double>(T1) + i);
    return T;
}

TimeCoefficientTable ComputeTimeCoefficients(const TimeCoefficientInput& in, CSteps& steps)
{
    TimeCoefficientTable table;
    table.T = TimeCoefficientDurations(in.T1);
    if (!(in.T1 > -9.0f)) {
        table.status = TimeCoefficientStatus::DurationTooShort;
        return table;
    }
    for (size_t k = 0; k < in.n.size(); ++k)
        if (!(in.n[k] > 0.0f)) {
            table.status = TimeCoefficientStatus::NoFrequency;
            table.column = static_cast<int>(k) + 1;
            return table;
        }
    // The first row in double precision, for its steps.
    std::array<double, kTimeCoefficientColumns> first{};
    for (size_t i = 0; i < table.T.size(); ++i)
        for (size_t k = 0; k < in.n.size(); ++k) {
            const double phi = TimeCoefficient(static_cast<double>(in.n[k]), static_cast<double>(table.T[i]));
            if (i == 0)
                first[k] = phi;
            table.phi[i][k] = static_cast<float>(phi);
        }

    if (!steps.Recording())
        return table;
    steps.Let("T1", static_cast<double>(in.T1));
    for (size_t k = 0; k < in.n.size(); ++k) {
        steps.Let(Format("n%zu", k + 1), static_cast<double>(in.n[k]));
        steps.Step(Format("Zeitbeiwert für die erste Regendauer T1 und die Häufigkeit n%zu", k + 1),
                   Format("phi1_%zu", k + 1), Format("(1 / n%zu^0.25 - 0.3684) * 38 / (T1 + 9)", k + 1), first[k],
                   "-");
    }
    for (size_t i = 1; i < table.T.size(); ++i) {
        const double T = static_cast<double>(table.T[i]);
        steps.Taken(Format("Regendauer der Zeile %zu (T1 + %zu min)", i + 1, i), Format("T%zu", i + 1), T, "min");
        for (size_t k = 0; k < in.n.size(); ++k) {
            steps.Taken(Format("Zeitbeiwert nach derselben Formel für T = %g min und n = %g", T,
                               static_cast<double>(in.n[k])),
                        Format("phi%zu_%zu", i + 1, k + 1), static_cast<double>(table.phi[i][k]), "-");
        }
    }
    return table;
}

} // namespace dralun
