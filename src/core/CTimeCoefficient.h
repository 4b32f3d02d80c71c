#pragma once
// Time coefficients of a design rain, phi = (1/n^0.25 - 0.3684) * 38/(T + 9),
// for the rain duration T in min and the frequency n per year: a table of
// 16 durations one minute apart from the first one and four frequencies, in
// single precision as the form shows it.
#include <array>

#include "core/CalcSteps.h"

namespace dralun {

inline constexpr int kTimeCoefficientRows = 16;
inline constexpr int kTimeCoefficientColumns = 4;

using TimeCoefficientDurationList = std::array<float, kTimeCoefficientRows>;

struct TimeCoefficientInput {
    std::array<float, kTimeCoefficientColumns> n{}; // frequencies, 1/a
    float T1 = 0;                                   // first duration, min
};

struct TimeCoefficientTable {
    TimeCoefficientDurationList T{};
    std::array<std::array<float, kTimeCoefficientColumns>, kTimeCoefficientRows> phi{};
};

// The time coefficient for the frequency n and the duration T (T > -9).
double TimeCoefficient(double n, double T);
// T1, T1 + 1, ..., T1 + 15.
TimeCoefficientDurationList TimeCoefficientDurations(float T1);
// The table for T1 > -9. The report shows the formula with the numbers of the
// first duration for each frequency, and the rest of the table as values.
TimeCoefficientTable ComputeTimeCoefficients(const TimeCoefficientInput& in, CSteps& steps = NoSteps());

} // namespace dralun
