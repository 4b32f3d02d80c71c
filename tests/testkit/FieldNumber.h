#pragma once
// What a form's field shows, as a number: the tests of the form models read
// their results this way (NaN when the field shows no number).
#include <cmath>

#include "core/NumberText.h"
#include "forms/CForm.h"

namespace dralun::test {

inline double FieldNumber(const CForm& form, int id)
{
    return ParseFieldNumber(form.Text(id)).value_or(std::nan(""));
}

} // namespace dralun::test
