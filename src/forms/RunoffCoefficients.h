#pragma once
// Typical mean runoff coefficients ψm of the surfaces a road drains (the
// share of a rain's volume that runs off), offered for the design discharge
// of a catchment ("Zufluss…"). A peak discharge needs peak coefficients,
// which may be larger: the list says so, the user chooses one as a starting
// point, and the site decides.
#include <span>
#include <string>

namespace dralun {

struct RunoffCoefficient {
    const char* surface; // "Pflaster mit dichten Fugen"
    double lo;           // ψ, or the lower end of its range
    double hi;           // the same as lo for a single value

    bool IsRange() const { return hi != lo; }
    // The value entered when the user chooses it: for a range its upper
    // end, which gives the larger discharge (the safe side).
    double Taken() const { return hi; }
};

// In the order of the table they come from.
std::span<const RunoffCoefficient> RunoffCoefficients();

// What the values are, where they come from and that a peak discharge
// needs peak coefficients; shown with the list and by dralun-calc --help.
const char* RunoffCoefficientSource();

// ψ as the window writes numbers, with a decimal point: "0.75", "0.1 – 0.3".
std::string RunoffCoefficientText(const RunoffCoefficient& coefficient);

// What choosing it enters: for a range, that its upper end is taken (the
// safe side).
std::string RunoffCoefficientTip(const RunoffCoefficient& coefficient);

} // namespace dralun
