#pragma once
// Whether results are numbers that can be shown.
#include <cmath>
#include <initializer_list>

namespace dralun {

inline bool AllFinite(std::initializer_list<double> values)
{
    for (double v : values)
        if (!std::isfinite(v))
            return false;
    return true;
}

} // namespace dralun
