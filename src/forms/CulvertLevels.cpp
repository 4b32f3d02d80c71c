#include "forms/CulvertLevels.h"

#include <cmath>

namespace dralun {

namespace {
void SetIfFinite(double& member, double value)
{
    if (std::isfinite(value))
        member = value;
}
} // namespace

void UpdateCulvertLevels(int mode, CulvertLevels& v)
{
    if (mode == 1) {
        if ((v.h1 - v.h2) * 100 <= v.rise)
            SetIfFinite(v.rise, (v.h1 - v.h2) * 100);
        SetIfFinite(v.I, (v.h1 - v.h2 - v.rise / 100) / v.L * 1000);
    } else if (mode == 2) {
        SetIfFinite(v.h1, v.L * v.I / 1000 + v.h2 + v.rise / 100);
    }
}

} // namespace dralun
