#pragma once
// The fields that say most about a calculation: the inputs that name it
// ("Mulde B 2 m, h 0.3 m") and the results a designer looks at first.
#include <vector>

namespace dralun {

class CForm;

// Ids of the form's main inputs and main results, in that order. A form
// without its own choice names its first two input fields and its first
// result field.
std::vector<int> MainInputIds(const CForm& form);
std::vector<int> MainResultIds(const CForm& form);

// Buttons that bring data into the form which its computation needs (the
// rainfall series of a file), as the form stands now: a calculation that
// is redone presses them again after its fields are typed.
std::vector<int> ReloadButtonIds(const CForm& form);

} // namespace dralun
