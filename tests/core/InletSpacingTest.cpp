// The inlet spacing over tables made here: every row of every table holds
// 200 - c tenths of l/s in file column c, so the smallest inlet capacity is
// that of column 16 (inlet III at b = 1.00 m), 18.4 l/s, at any slope.
// With q = 0.1 l/(s m) and gamma 1.5, q_d = 0.15 and the smallest spacing
// allowed is 18.4 / 0.15 = 122.667 m.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "core/CInletSpacing.h"
#include "core/InletTableKey.h"
#include "testkit/TempDataDir.h"

namespace dralun {
namespace {

using S = InletSpacingStatus;

void WriteFallingTables(const test::TempDataDir& dir)
{
    std::string bytes = "hdr";
    for (int i = 0; i < CInletTables::kWords; ++i) {
        const auto w = static_cast<std::uint16_t>((200 - i % 17) ^ kInletTableKey[static_cast<size_t>(i % 35)]);
        bytes += {static_cast<char>(w & 0xFF), static_cast<char>(w >> 8)};
    }
    for (const char* name : CInletTables::kFileNames)
        dir.Write(name, bytes);
}

TEST(InletSpacing, StatusAndSmallestSpacingAllowed)
{
    test::TempDataDir dir;
    WriteFallingTables(dir);
    CInletTables tables;
    ASSERT_TRUE(tables.LoadTables());
    const struct {
        int family;
        double crossFall, s, q;
        bool loaded;
        double aPlan;
        S status;
        double allowed; // NaN: none
        bool step;      // a_zul recorded
    } cases[] = {
        {0, 2.5, 1, 0.1, true, 100, S::Ok, 122.666667, true},
        {2, 15, 8, 0.1, true, 100, S::Ok, 122.666667, true},
        {0, 2.5, 1, 0.1, true, 0, S::Ok, 122.666667, false},
        {0, 2.5, 1, 0.005, true, 100, S::Ok, NAN, false}, // q_d 0.0075 below 0.01
        {0, 2.5, 1, 0.1, false, 100, S::NoTables, NAN, false},
        {0, 7, 1, 0.1, true, 100, S::NoTableForCrossFall, NAN, false}, // 7 % is the V-gutter's
        {2, 6.5, 1, 0.1, true, 100, S::NoTableForCrossFall, NAN, false},
        {0, 0.5, 1, 0.1, true, 100, S::NoTableForCrossFall, NAN, false},
        {2, 16, 1, 0.1, true, 100, S::NoTableForCrossFall, NAN, false},
        {1, 2.5, 8.5, 0.1, true, 100, S::SlopeOutsideTables, NAN, false},
    };
    for (const auto& c : cases) {
        CSteps steps;
        const InletSpacingResult r =
            ComputeInletSpacing({c.family, c.crossFall, c.s, c.q, 1.5, false, c.loaded, c.aPlan}, tables, steps);
        const std::string what = std::to_string(c.family) + " " + std::to_string(c.crossFall);
        EXPECT_EQ(r.status, c.status) << what;
        EXPECT_EQ(std::isnan(r.allowed), std::isnan(c.allowed)) << what;
        if (!std::isnan(c.allowed)) {
            EXPECT_NEAR(r.allowed, c.allowed, 1e-6) << what;
        }
        // Without capacities nothing is shown, not 0.
        EXPECT_EQ(std::isnan(r.shown[0]), c.status != S::Ok) << what;
        EXPECT_EQ(steps.Steps().back().symbol == "a_zul", c.step) << what;
        if (c.step) {
            EXPECT_EQ(steps.Steps().back().formula, "QIII_100 / qd");
        }
    }
}

} // namespace
} // namespace dralun

namespace dralun {
namespace {

// The inlet chosen, over the medium's table B2-5 (curb gutter, 2.5 %) at
// s = 1.5 %, halfway between rows 7 (1.4 %) and 8 (1.6 %), in 0.1 l/s:
//   inlet I   at b 0.50 / 0.70 / 0.85 / 1.00 m: 8|9 18|19 27|29 38|40
//   inlet II                                   9|9 21|22 33|35 48|51
//   inlet III                                  9|9 21|22 34|36 50|53
// q = 0.12 l/(s m), gamma 1.5: q_d = 0.18 l/(s m).
TEST(InletSpacing, AllowedSpacingOfTheInletChosen)
{
    test::TempDataDir dir;
    dir.CopyWholeMedium();
    CInletTables tables;
    ASSERT_TRUE(tables.LoadTables());
    const struct {
        int variant, width; // -1: the smallest over all
        double allowed;     // m
        const char* formula;
    } cases[] = {
        {-1, -1, 0.85 / 0.18, "QI_050 / qd"},  // 4.722 m, the smallest of all: I at 0.50 m
        {1, 3, 4.95 / 0.18, "QII_100 / qd"},   // 27.5 m: II at 1.00 m
        {0, 3, 3.9 / 0.18, "QI_100 / qd"},     // 21.667 m
        {-1, 3, 3.9 / 0.18, "QI_100 / qd"},    // the smallest at 1.00 m is I's
        {2, -1, 0.9 / 0.18, "QIII_050 / qd"},  // 5.0 m: III is smallest at 0.50 m
    };
    for (const auto& c : cases) {
        CSteps steps;
        InletSpacingInput in{0, 2.5, 1.5, 0.12, 1.5, false, true, 25};
        in.variant = c.variant;
        in.width = c.width;
        const InletSpacingResult r = ComputeInletSpacing(in, tables, steps);
        EXPECT_NEAR(r.allowed, c.allowed, 1e-9) << c.variant << " " << c.width;
        EXPECT_EQ(steps.Steps().back().formula, c.formula);
    }
}

} // namespace
} // namespace dralun
