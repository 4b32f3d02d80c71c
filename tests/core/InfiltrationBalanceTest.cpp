// Thresholds, storage and water balance of one section, against values
// worked out by hand (the trench's defaults: b 0.5 m, 1 : 1.5, h_s 0.4 m,
// J 2 per mille give A_u 0.44 m², b_u 1.7 m, b_o 0.5 m).
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/CInfiltrationBalance.h"
#include "core/CRainfallTable.h"
#include "testkit/TempDataDir.h"

namespace dralun {
namespace {

using Balance = CInfiltrationBalance;
using Mode = Balance::Mode;
using Refusal = Balance::Refusal;

struct ReachCase {
    Mode mode;
    double J, hs, Ls, tE;
    bool refuseFallingSlope;
    Refusal refusal;
    double wantLs = 0, wantTE = 0, wantLmax = 0;
};

class Reach : public ::testing::TestWithParam<ReachCase> {};

TEST_P(Reach, ThresholdsByHand)
{
    const ReachCase& c = GetParam();
    const Balance::Thresholds t = Balance::Reach(c.mode, c.J, c.hs, c.Ls, c.tE, c.refuseFallingSlope);
    ASSERT_EQ(t.refusal, c.refusal);
    if (c.refusal == Refusal::None) {
        EXPECT_NEAR(t.Ls, c.wantLs, 1e-9);
        EXPECT_NEAR(t.tE, c.wantTE, 1e-12);
        EXPECT_NEAR(t.Lmax, c.wantLmax, 1e-9);
    }
}

INSTANTIATE_TEST_SUITE_P(
    InfiltrationBalance, Reach,
    ::testing::Values(
        ReachCase{Mode::Immersion, 2, 0.2, 50, 0, true, Refusal::None, 100, 0, 100}, // 0.2 m over 2 per mille
        ReachCase{Mode::Immersion, 2, 0.2, 50, 0.05, true, Refusal::None, 75, 0.05, 100},
        ReachCase{Mode::Immersion, 0, 0.2, 50, 0, true, Refusal::SlopeInImmersionMode},
        ReachCase{Mode::Immersion, -1, 0.2, 50, 0, false, Refusal::SlopeInImmersionMode},
        ReachCase{Mode::Immersion, 2, 0.2, 50, -0.01, true, Refusal::ImmersionNegative},
        ReachCase{Mode::Immersion, 2, 0.2, 50, 0.2, true, Refusal::ImmersionNotBelowThreshold},
        ReachCase{Mode::Spacing, 2, 0.2, 60, 9, true, Refusal::None, 60, 0.08, 100}, // 0.2 - 0.002 · 60
        ReachCase{Mode::Spacing, 2, 0.2, 100, 9, true, Refusal::None, 100, 0, 100},
        ReachCase{Mode::Spacing, 2, 0.2, 150, 9, true, Refusal::None, 150, 0, 100},
        ReachCase{Mode::Spacing, 0, 0.2, 50, 9, true, Refusal::None, 50, 0.2, 50}, // level bed
        ReachCase{Mode::Spacing, -1, 0.4, 200, 0, true, Refusal::FallingSlopeInSpacingMode},
        ReachCase{Mode::Spacing, -1, 0.4, 200, 0.3, false, Refusal::None, 200, 0, -400}));

TEST(InfiltrationBalance, VolumeAndAreas)
{
    Balance::Sections trench;
    trench.Au = 0.44;
    trench.bU = 1.7;
    trench.bO = 0.5;
    const Balance::Storage st = Balance::Store({Refusal::None, 200, 0, 200}, 0.4, trench);
    EXPECT_NEAR(st.V, 44, 1e-12); // the wedge 0.44 · 200 / 2
    EXPECT_NEAR(st.Asmax, 220, 1e-12);
    EXPECT_NEAR(st.Asmittel, 110, 1e-12);
    EXPECT_NEAR(st.AsmaxR, 260, 1e-12);
    EXPECT_NEAR(st.AsmittelR, 130, 1e-12);

    // Spacing beyond the reach: L = L_max; a falling bed makes both negative.
    EXPECT_EQ(Balance::Store({Refusal::None, 150, 0, 100}, 0.2, trench).L, 100);
    const Balance::Storage falling = Balance::Store({Refusal::None, 200, 0, -400}, 0.4, trench);
    EXPECT_NEAR(falling.V, -88, 1e-12);
    EXPECT_NEAR(falling.Asmax, -440, 1e-12);

    // Frustum: L/3 (0.4 + 0.1 + sqrt 0.04) over 60 m; two equal areas give A L.
    Balance::Sections two;
    two.Au = 0.4;
    two.Ao = 0.1;
    two.bU = two.bO = 1;
    EXPECT_NEAR(Balance::Store({Refusal::None, 60, 0.08, 100}, 0.2, two).V, 14, 1e-12);
    two.Ao = 0.4;
    EXPECT_NEAR(Balance::Store({Refusal::None, 50, 0.2, 50}, 0.2, two).V, 20, 1e-12);
    // Only a positive t_E counts for the wetted face of the upper threshold.
    EXPECT_NEAR(Balance::Store({Refusal::None, 10, 0.1, 20}, 0.2, two).AsmaxR, (2 + 0.2 + 0.1) * 5, 1e-12);
    EXPECT_NEAR(Balance::Store({Refusal::None, 10, -0.1, 20}, 0.2, two).AsmaxR, (2 + 0.2) * 5, 1e-12);
}

TEST(InfiltrationBalance, TypedRain)
{
    // 2000 m² at 100 l/(s·ha) for 900 s: 18 m³; 1e-5 · 0.5 · 130 m³/s seep away: 0.585 m³.
    const Balance::Result r = Balance::WithTypedRain({1e-5, 0.5, 130, 200, 10, 0, 0}, 44, 100, 15);
    EXPECT_NEAR(r.Vused, 17.415, 1e-12);
    EXPECT_EQ(r.overflow, 0);
    EXPECT_EQ(r.governingDuration, 15);
    // One hectare more: 90 m³ more; the overflow shows as a negative volume.
    const Balance::Result wet = Balance::WithTypedRain({1e-5, 0.5, 130, 200, 10, 6000, 4000}, 44, 100, 15);
    EXPECT_NEAR(wet.overflow, 44 - 107.415, 1e-9);
    // Infiltration beyond the inflow: 0.5 m³/s for 900 s; no limit at 0.
    const Balance::Result dry = Balance::WithTypedRain({1e-5, 0.5, 1e5, 200, 10, 0, 0}, 44, 100, 15);
    EXPECT_NEAR(dry.Vused, 18 - 450, 1e-9);
    EXPECT_EQ(dry.overflow, 0);
}

TEST(InfiltrationBalance, FileRows)
{
    test::TempDataDir dir;
    // Without infiltration V_i = 1000 m² · r_i / 1e7 · D_i · 60: rows 3 and 5
    // tie at r D = 1200 (7.2 m³, the same in binary: r halves, D doubles);
    // row 12 would need 20.7 · 360 if its unit word said hours.
    const char* const rows[18] = {"5 min 0 0 100", "10 min 0 0 60", "15 min 0 0 80", "20 min 0 0 50", "30 min 0 0 40",
                                  "45 min 0 0 20", "60 min 0 0 10", "90 min 0 0 5",  "2 h 0 0 4",     "3 h 0 0 2",
                                  "4 h 0 0 1",     "6 min 0 0 20.7", "9 h 0 0 0.5",  "12 h 0 0 0.5",  "18 h 0 0 0.1",
                                  "24 h 0 0 0.1",  "48 h 0 0 0.1",  "72 h 0 0 0.1"};
    std::string text(9, '\n');
    for (int r = 0; r < 18; ++r)
        text += (r == 7 || r == 14 ? "--\n" : "") + std::string(rows[r]) + "\n";
    dir.Write("regen.txt", text);
    CRainfallTable table;
    ASSERT_TRUE(table.Load(dir.File("regen.txt").string(), 2).loaded);

    const Balance::Result r = Balance::WithRainfallTable({1e-5, 0.5, 0, 100, 10, 0, 0}, 5, table);
    EXPECT_NEAR(r.Vused, 7.2, 1e-12);
    EXPECT_EQ(r.governingDuration, 15); // the earlier of the two
    EXPECT_NEAR(r.overflow, 5 - 7.2, 1e-12);
    // 1e-4 m³/s seeping away: row 3 7.2 - 0.09, row 5 7.2 - 0.18.
    EXPECT_NEAR(Balance::WithRainfallTable({1e-5, 0.5, 20, 100, 10, 0, 0}, 50, table).Vused, 7.11, 1e-12);
    // 0.1 m³/s: no row is positive; row 1 stays with 0.01 m³/s · 300 s - 30 m³.
    const Balance::Result dry = Balance::WithRainfallTable({0.01, 1, 10, 100, 10, 0, 0}, 44, table);
    EXPECT_NEAR(dry.Vused, -27, 1e-9);
    EXPECT_EQ(dry.governingDuration, 5);
    EXPECT_EQ(dry.overflow, 0);

    // A table never loaded: all rows 0; a negative V still shows as overflow.
    const CRainfallTable empty;
    const Balance::Result none = Balance::WithRainfallTable({1e-5, 0.5, 46, 100, 10, 0, 0}, 11, empty);
    EXPECT_EQ(none.Vused, 0);
    EXPECT_EQ(none.overflow, 0);
    EXPECT_EQ(none.governingDuration, 0);
    EXPECT_EQ(Balance::WithRainfallTable({1e-5, 0.5, 0, 100, 10, 0, 0}, -88, empty).overflow, -88);
}

} // namespace
} // namespace dralun
