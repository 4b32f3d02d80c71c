#pragma once
// Checks of a form's calculation steps: every result field shows the value
// of the step named like the field.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "core/NumberText.h"
#include "forms/CForm.h"

namespace dralun::test {

// The last step of the symbol, or nullptr.
inline const CalcStep* StepOf(const CForm& form, const std::string& symbol)
{
    const auto& steps = form.Steps();
    const auto it = std::find_if(steps.rbegin(), steps.rend(), [&](const CalcStep& s) { return s.symbol == symbol; });
    return it == steps.rend() ? nullptr : &*it;
}

// relative: how closely the field's number must match (a single-precision
// field shows six digits).
inline void ExpectResultsAreSteps(const CForm& form, double relative = 1e-14)
{
    for (const FieldInfo& f : form.Fields()) {
        if (f.role != Role::Out)
            continue;
        const CalcStep* step = StepOf(form, f.name);
        ASSERT_NE(step, nullptr) << f.name;
        const double shown = ParseFieldNumber(form.Text(f.id)).value_or(std::nan(""));
        EXPECT_NEAR(step->value, shown, relative * std::max(1.0, std::fabs(shown))) << f.name;
    }
}

} // namespace dralun::test
