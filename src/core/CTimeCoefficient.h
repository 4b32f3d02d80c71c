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

// Why the table has no coefficients; the form says it.
enum class TimeCoefficientStatus {
    Ok,
    DurationTooShort, // T1 <= -9 min: 38 / (T + 9) has no value or turns negative
    NoFrequency,      // n <= 0 in the column `column`: 1 / n^0.25 has no value
};

struct TimeCoefficientTable {
    TimeCoefficientStatus status = TimeCoefficientStatus::Ok;
    int column = 0; // the frequency refused, counted from 1; 0 when none is
    // The durations follow T1 whatever the status; the coefficients count
    // only with the status Ok (0 otherwise).
    TimeCoefficientDurationList T{};
    std::array<std::array<float, kTimeCoefficientColumns>, kTimeCoefficientRows> phi{};
};

// T1, T1 + 1, ..., T1 + 15.
TimeCoefficientDurationList TimeCoefficientDurations(float T1);
// The table. Single precision bounds the coefficients: n >= 1e-45 and
// T + 9 >= 1e-6 give at most about 1e19, so every table accepted is finite.
// The report shows the formula with the numbers of the first
// duration for each frequency, and the rest of the table as values; a
// table refused records nothing.
TimeCoefficientTable ComputeTimeCoefficients(const TimeCoefficientInput& in, CSteps& steps = NoSteps());

} // namespace dralun
