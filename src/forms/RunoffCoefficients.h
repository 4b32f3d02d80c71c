#pragma once
// Typical peak runoff coefficients ψ of the surfaces a road drains, for the
// design discharge of a catchment ("Zufluss…"). The user chooses one as a
// starting point; the site decides.
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

// The one line naming where the values come from; shown with the list.
const char* RunoffCoefficientSource();

// ψ as the window writes numbers, with a decimal point: "0.75", "0.1 – 0.3".
std::string RunoffCoefficientText(const RunoffCoefficient& coefficient);

// What choosing it enters: for a range, that its upper end is taken (the
// safe side).
std::string RunoffCoefficientTip(const RunoffCoefficient& coefficient);

} // namespace dralun
