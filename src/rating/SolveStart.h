#pragma once
// What a "Zielwert" search starts with, as the form stands: the input it
// varies, the interval and the target.
#include <string>
#include <utility>

#include "forms/CForm.h"

namespace dralun {

// The interval a search starts from: the field's range where it has one,
// else a decade around its value (0: 0 to 1).
std::pair<double, double> DefaultSolveInterval(const CForm& form, int vary);

// Whether changing the input changes the result as the form stands: the
// mode uses the input, and a copy of the form computes another result for
// a tenth more of it (a tenth less at the top of its range; 1 for 0).
bool ActsOn(const CForm& form, int vary, int result);

// The input a search for the result starts with: the first one in the
// form's order that acts on it, else the first the mode uses, else the
// first that can be varied (0: none).
int SolveVariableFor(const CForm& form, int result);

// What a field shows for the inputs as they stand: its text where the
// form's results belong to its inputs, else the field as a copy of the form
// computes it; "" where the copy gives no value.
std::string CurrentFieldText(const CForm& form, int id);

} // namespace dralun
