#pragma once
// "Zielwert": the value of one input at which a result of the form reaches
// a target, found on a copy of the form by its own computation, with every
// digit the computation has of the result (not the rounded text): the
// result sampled over the interval (by decades where it spans many on one
// side of 0, from 0 over every decade below the other end, and ever closer
// to where the form stops computing) to find where it crosses the target
// and to see that it runs one way, then Brent's method inside that bracket.
// It ends where the result meets the target to 1e-9 of it, on the side
// where the form's verdict holds (a capacity at least the target, a demand
// at most); else nothing is found. The value is given as the shortest
// decimal that still meets the target so, checked on the form: the field
// shows what was computed with.
#include <string>
#include <utility>

#include "forms/CForm.h"

namespace dralun {

inline constexpr int kMostSolveComputations = 100;
inline constexpr double kSolveTolerance = 1e-10;       // relative to the root, in the input
inline constexpr double kSolveResultTolerance = 1e-9;  // relative to the target, in the result

struct SolveRequest {
    int result = 0;   // the field whose value is to reach the target
    double target = 0;
    int vary = 0;     // the input that is changed
    double lo = 0;    // the search interval
    double hi = 0;
};

// Why the request cannot be searched ("" when it can): unknown fields, a
// result field varied, a locked or text field, an empty or not finite interval.
std::string SolveRequestProblem(const CForm& form, const SolveRequest& request);

struct SolveOutcome {
    bool found = false;
    double value = 0;        // the input found
    std::string valueText;   // as it is typed into the field: the value's own digits
    double resultValue = 0;  // the result there, with every digit the form computes
    int computations = 0;    // how often the form computed
    std::string problem;     // why nothing was found, in German, or ""
};

SolveOutcome SolveFor(const CForm& form, const SolveRequest& request);

// Types the found value into the form and presses "Rechne", as a user
// would; false when the form refused the text.
bool TakeSolution(CForm& form, int vary, const SolveOutcome& outcome);

} // namespace dralun
