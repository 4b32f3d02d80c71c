#pragma once
// The rainfall series file of the installation medium (R3943MI.txt): rain
// depths and rain intensities for 18 rain durations from 5 min to 72 h and
// eight frequencies from n = 2 to n = 0.01 per year.
//
// The values come from an intensity-duration-frequency model of the general
// form (separable in duration and return period):
//
//   r(D, T) = r15,1 * (psi + ln T) / psi * ((1 + 15/theta) / (1 + D/theta))^eta
//
// r in l/(s·ha), D the rain duration in min, T = 1/n the return period in
// years. The duration term is a shifted power law; the return-period term is
// that of an exponential distribution of a partial-duration series (rain
// depths growing with ln T), which also holds for n > 1 per year. The
// constants (Rainfall.cpp) give intensities of a lowland site in central
// Germany: 100 l/(s·ha) for 15 min at n = 1, depths for 1 h and 1 day of
// about 15 and 34 mm at n = 1, about 2.6 times as much at n = 0.01. The
// series is synthetic: it belongs to no rain gauge.
#include <string>
#include <vector>

namespace dralun::gen {

// Rain intensity r(D, T) in l/(s·ha), D in min, T in years.
double RainIntensity(double durationMinutes, double returnPeriodYears);
// Rain depth in mm that falls with the intensity r over D minutes:
// r · D · 60 / 10000 (one l/(s·ha) over one second is 1e-4 mm).
double RainDepth(double durationMinutes, double returnPeriodYears);

// One row of the table: the duration as written and its unit word.
struct RainDuration {
    int value;        // field 1
    const char* unit; // field 2: "min" or "h"
    int minutes;      // field 3
};

// The 18 durations of the table, in row order.
std::vector<RainDuration> RainDurations();
// The eight frequencies n per year of the columns, in column order.
std::vector<double> RainFrequencies();

// The file as it goes onto the medium (LF line ends).
std::string RainfallFileText();
inline constexpr const char* kRainfallFileName = "R3943MI.txt";

} // namespace dralun::gen
