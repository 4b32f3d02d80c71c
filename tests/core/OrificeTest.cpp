// The throttle orifice in closed form: h = 2 / g makes 2 g h = 4, so
// v_0 = 2 m/s and, with mu = 0.5, v = 1 m/s. Q = 1000 π / 100 l/s then needs
// A = π / 100 m² and d = 2 √(A / π) = 0.2 m; an opening of d_gew lets
// v · π d_gew² / 4 · 1000 l/s through: 10 π l/s at 0.2 m, a quarter at 0.1 m.
#include <gtest/gtest.h>

#include "core/COrifice.h"
#include "core/Constants.h"

namespace dralun {
namespace {

TEST(Orifice, ClosedFormWithTheOutflowOfTheChosenOpening)
{
    const double pi = 3.141592654; // π to ten digits, as the formulas use it
    const struct {
        double dChosen, Qchosen;
        bool step;
    } cases[] = {{0.2, 10 * pi, true}, {0.1, 2.5 * pi, true}, {0, 0, false}};
    for (const auto& c : cases) {
        CSteps steps;
        const OrificeResult r = ComputeOrifice({10 * pi, 2 / kG, 0.5, c.dChosen}, steps);
        ASSERT_EQ(r.status, OrificeStatus::Ok);
        EXPECT_NEAR(r.v, 1, 1e-12);
        EXPECT_NEAR(r.d, 0.2, 1e-12);
        EXPECT_NEAR(r.Qchosen, c.Qchosen, 1e-9) << c.dChosen;
        EXPECT_EQ(steps.Steps().back().symbol == "Q_gew", c.step) << c.dChosen;
    }
    // A refused input has no outflow of an opening either.
    EXPECT_EQ(ComputeOrifice({10, 0, 0.5, 0.2}).Qchosen, 0);
}

} // namespace
} // namespace dralun
