#include "core/COrifice.h"

#include <cmath>

namespace dralun {

namespace {
constexpr double kG = 9.80665;
constexpr double kPi = 3.141592654;
} // namespace

OrificeFlow COrifice::Flow(double Q, double h, double mu)
{
    OrificeFlow flow;
    flow.v = std::sqrt(2.0 * kG * h) * mu;
    flow.A = Q / 1000 / flow.v;
    flow.d = 2 * std::sqrt(flow.A / kPi);
    return flow;
}

} // namespace dralun
