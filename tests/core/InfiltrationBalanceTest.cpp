// Thresholds, storage and water balance of one section, against values
// worked out by hand (the trench's defaults: b 0.5 m, 1 : 1.5, h_s 0.4 m,
// J 2 per mille give A_u 0.44 m², b_u 1.7 m, b_o 0.5 m).
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>

#include "core/CInfiltrationBalance.h"
#include "core/CRainfallTable.h"
#include "testkit/TempDataDir.h"

namespace dralun {
namespace {

using Mode = InfiltrationMode;
using Status = InfiltrationThresholdStatus;

struct ReachCase {
    Mode mode;
    double J, hs, Ls, tE;
    bool refuseFallingSlope;
    Status status;
    double wantLs = 0, wantTE = 0, wantLmax = 0;
};

class Reach : public ::testing::TestWithParam<ReachCase> {};

TEST_P(Reach, ThresholdsByHand)
{
    const ReachCase& c = GetParam();
    const InfiltrationThresholds t =
        ComputeInfiltrationThresholds({c.mode, c.J, c.hs, c.Ls, c.tE, c.refuseFallingSlope});
    ASSERT_EQ(t.status, c.status);
    if (c.status == Status::Ok) {
        EXPECT_NEAR(t.Ls, c.wantLs, 1e-9);
        EXPECT_NEAR(t.tE, c.wantTE, 1e-12);
        EXPECT_NEAR(t.Lmax, c.wantLmax, 1e-9);
    }
}

INSTANTIATE_TEST_SUITE_P(
    InfiltrationBalance, Reach,
    ::testing::Values(
        ReachCase{Mode::Immersion, 2, 0.2, 50, 0, true, Status::Ok, 100, 0, 100}, // 0.2 m over 2 per mille
        ReachCase{Mode::Immersion, 2, 0.2, 50, 0.05, true, Status::Ok, 75, 0.05, 100},
        ReachCase{Mode::Immersion, 0, 0.2, 50, 0, true, Status::SlopeInImmersionMode},
        ReachCase{Mode::Immersion, -1, 0.2, 50, 0, false, Status::SlopeInImmersionMode},
        ReachCase{Mode::Immersion, 2, 0.2, 50, -0.01, true, Status::ImmersionNegative},
        ReachCase{Mode::Immersion, 2, 0.2, 50, 0.2, true, Status::ImmersionNotBelowThreshold},
        ReachCase{Mode::Spacing, 2, 0.2, 60, 9, true, Status::Ok, 60, 0.08, 100}, // 0.2 - 0.002 · 60
        ReachCase{Mode::Spacing, 2, 0.2, 100, 9, true, Status::Ok, 100, 0, 100},
        ReachCase{Mode::Spacing, 2, 0.2, 150, 9, true, Status::Ok, 150, 0, 100},
        ReachCase{Mode::Spacing, 0, 0.2, 50, 9, true, Status::Ok, 50, 0.2, 50}, // level bed
        ReachCase{Mode::Spacing, -1, 0.4, 200, 0, true, Status::FallingSlopeInSpacingMode},
        ReachCase{Mode::Spacing, -1, 0.4, 200, 0.3, false, Status::Ok, 200, 0, -400}));

TEST(InfiltrationBalance, VolumeAndAreas)
{
    InfiltrationSections trench;
    trench.Au = 0.44;
    trench.bU = 1.7;
    trench.bO = 0.5;
    const InfiltrationStorage st = ComputeInfiltrationStorage({{Status::Ok, 200, 0, 200}, 0.4, trench});
    EXPECT_NEAR(st.V, 44, 1e-12); // the wedge 0.44 · 200 / 2
    EXPECT_NEAR(st.Asmax, 220, 1e-12);
    EXPECT_NEAR(st.Asmittel, 110, 1e-12);
    EXPECT_NEAR(st.AsmaxR, 260, 1e-12);
    EXPECT_NEAR(st.AsmittelR, 130, 1e-12);

    // Spacing beyond the reach: L = L_max; a falling bed makes both negative.
    EXPECT_EQ(ComputeInfiltrationStorage({{Status::Ok, 150, 0, 100}, 0.2, trench}).L, 100);
    const InfiltrationStorage falling = ComputeInfiltrationStorage({{Status::Ok, 200, 0, -400}, 0.4, trench});
    EXPECT_NEAR(falling.V, -88, 1e-12);
    EXPECT_NEAR(falling.Asmax, -440, 1e-12);

    // Frustum: L/3 (0.4 + 0.1 + sqrt 0.04) over 60 m; two equal areas give A L.
    InfiltrationSections two;
    two.Au = 0.4;
    two.Ao = 0.1;
    two.bU = two.bO = 1;
    EXPECT_NEAR(ComputeInfiltrationStorage({{Status::Ok, 60, 0.08, 100}, 0.2, two}).V, 14, 1e-12);
    two.Ao = 0.4;
    EXPECT_NEAR(ComputeInfiltrationStorage({{Status::Ok, 50, 0.2, 50}, 0.2, two}).V, 20, 1e-12);
    // Only a positive t_E counts for the wetted face of the upper threshold.
    EXPECT_NEAR(ComputeInfiltrationStorage({{Status::Ok, 10, 0.1, 20}, 0.2, two}).AsmaxR, (2 + 0.2 + 0.1) * 5, 1e-12);
    EXPECT_NEAR(ComputeInfiltrationStorage({{Status::Ok, 10, -0.1, 20}, 0.2, two}).AsmaxR, (2 + 0.2) * 5, 1e-12);
}

TEST(InfiltrationBalance, TypedRain)
{
    // 2000 m² at 100 l/(s·ha) for 900 s: 18 m³; 1e-5 · 0.5 · 130 m³/s seep away: 0.585 m³.
    const InfiltrationBalanceResult r = ComputeInfiltrationBalance({{1e-5, 0.5, 130, 200, 10, 0, 0}, 44, 100, 15});
    EXPECT_NEAR(r.Vused, 17.415, 1e-12);
    EXPECT_EQ(r.overflow, 0);
    EXPECT_EQ(r.governingDuration, 15);
    // One hectare more: 90 m³ more; the overflow shows as a negative volume.
    const InfiltrationBalanceResult wet =
        ComputeInfiltrationBalance({{1e-5, 0.5, 130, 200, 10, 6000, 4000}, 44, 100, 15});
    EXPECT_NEAR(wet.overflow, 44 - 107.415, 1e-9);
    // Infiltration beyond the inflow: 0.5 m³/s for 900 s; no limit at 0.
    const InfiltrationBalanceResult dry = ComputeInfiltrationBalance({{1e-5, 0.5, 1e5, 200, 10, 0, 0}, 44, 100, 15});
    EXPECT_NEAR(dry.Vused, 18 - 450, 1e-9);
    EXPECT_EQ(dry.overflow, 0);
    EXPECT_EQ(dry.status, InfiltrationBalanceStatus::Ok);
    // A rain beyond any number: the inflow and so the volume needed are no number.
    const InfiltrationBalanceResult flood =
        ComputeInfiltrationBalance({{1e-5, 0.5, 130, 200, 10, 0, 0}, 44, 1e308, 1e308});
    EXPECT_EQ(flood.status, InfiltrationBalanceStatus::NotDeterminable);
}

// The last value recorded for each symbol.
std::map<std::string, double> Values(const CSteps& steps)
{
    std::map<std::string, double> values;
    for (const CalcStep& step : steps.Steps())
        values[step.symbol] = step.value;
    return values;
}

void ExpectValues(const CSteps& steps, const std::map<std::string, double>& want)
{
    const std::map<std::string, double> got = Values(steps);
    for (const auto& [symbol, value] : want) {
        ASSERT_TRUE(got.count(symbol)) << symbol;
        EXPECT_NEAR(got.at(symbol), value, 1e-12 * std::max(1.0, std::fabs(value))) << symbol;
    }
}

TEST(InfiltrationBalance, StepsOfOneSectionByHand)
{
    // 0.2 m over 2 per mille reach 100 m; 60 m up the water stands 0.08 m deep.
    CSteps steps;
    const InfiltrationThresholds t = ComputeInfiltrationThresholds({Mode::Spacing, 2, 0.2, 60, 9, true}, steps);
    InfiltrationSections two;
    two.Au = 0.4;
    two.Ao = 0.1;
    two.bU = two.bO = 1;
    const InfiltrationStorage st = ComputeInfiltrationStorage({t, 0.2, two}, steps);
    const double As = ChooseInfiltrationArea(st, InfiltrationArea::MeanR, 0, steps);
    // 1000 m² at 100 l/(s·ha) for 900 s: 9 m³; 1e-5 · 0.5 · 34.2 m³/s seep away.
    ComputeInfiltrationBalance({{1e-5, 0.5, As, 60, 10, 400, 0}, st.V, 100, 15}, steps);
    ExpectValues(steps, {{"L_max", 100}, {"tE", 0.08}, {"L", 60}, {"V", 14}, {"Asmax", 60}, {"Asmittel", 30},
                         {"AsmaxR", (1 + 0.2 + 1 + 0.08) * 30}, {"AsmittelR", 34.2}, {"As", 34.2},
                         {"Qs", 1.71e-4}, {"V_zu", 9}, {"V_s", 0.1539}, {"V_genutzt", 8.8461},
                         {"Überlauf", 0}, {"D_mass", 15}});
    EXPECT_NE(steps.Steps()[1].text.find("L_s < L_max"), std::string::npos);
    // The area typed in, and no steps for a refused reach.
    CSteps typed;
    EXPECT_EQ(ChooseInfiltrationArea(st, InfiltrationArea::Typed, 77, typed), 77);
    EXPECT_EQ(typed.Steps().at(0).formula, "AsEingabe");
    CSteps refused;
    ComputeInfiltrationThresholds({Mode::Immersion, 0, 0.2, 50, 0, true}, refused);
    EXPECT_TRUE(refused.Steps().empty());
}

// Without infiltration V_i = 1000 m² · r_i / 1e7 · D_i · 60: rows 3 and 5
// tie at r D = 1200 (7.2 m³, the same in binary: r halves, D doubles);
// row 12 would need 20.7 · 360 if its unit word said hours.
std::string FileWithTies()
{
    const char* const rows[18] = {"5 min 0 0 100", "10 min 0 0 60", "15 min 0 0 80", "20 min 0 0 50", "30 min 0 0 40",
                                  "45 min 0 0 20", "60 min 0 0 10", "90 min 0 0 5",  "2 h 0 0 4",     "3 h 0 0 2",
                                  "4 h 0 0 1",     "6 min 0 0 20.7", "9 h 0 0 0.5",  "12 h 0 0 0.5",  "18 h 0 0 0.1",
                                  "24 h 0 0 0.1",  "48 h 0 0 0.1",  "72 h 0 0 0.1"};
    std::string text(9, '\n');
    for (int r = 0; r < 18; ++r)
        text += (r == 7 || r == 14 ? "--\n" : "") + std::string(rows[r]) + "\n";
    return text;
}

TEST(InfiltrationBalance, FileStepsWriteOutTheGoverningRowAndListEveryRow)
{
    test::TempDataDir dir;
    const std::string text = FileWithTies();
    dir.Write("regen.txt", text);
    CRainfallTable table;
    ASSERT_TRUE(table.Load(dir.File("regen.txt").string(), 2).loaded);

    // 1e-4 m³/s seep away; row 3 (line 12) governs: 7.2 m³ in, 0.09 m³ out.
    CSteps steps;
    ComputeInfiltrationBalance({{1e-5, 0.5, 20, 100, 10, 0, 0}, 5, 0, 0, &table}, steps);
    ExpectValues(steps, {{"Qs", 1e-4}, {"D_mass", 15}, {"r_D", 80}, {"q", 8e-6}, {"V_zu", 7.2}, {"V_s", 0.09},
                         {"V_genutzt", 7.11}, {"Überlauf", 5 - 7.11}});
    EXPECT_LT(steps.Steps().size(), 10u); // one row written out, not eighteen
    ASSERT_EQ(steps.Files().size(), 1u);
    const DataFileUse& file = steps.Files()[0];
    EXPECT_EQ(file.name, "regen.txt");
    EXPECT_EQ(file.bytes, text.size());
    ASSERT_EQ(file.rows.size(), 18u);
    EXPECT_EQ(file.rows[2], "Dauerstufe 3, Zeile 12: D = 15 min, r = 80 l/(s·ha), V_erf = 7.11 m³ (maßgebend)");
    EXPECT_EQ(file.rows[4], "Dauerstufe 5, Zeile 14: D = 30 min, r = 40 l/(s·ha), V_erf = 7.02 m³");
    EXPECT_EQ(file.rows[8], "Dauerstufe 9, Zeile 19: D = 2 h = 120 min, r = 4 l/(s·ha), V_erf = 2.16 m³");

    // No table loaded: the first row governs with nothing, and no file is named.
    CSteps none;
    const CRainfallTable unloaded;
    ComputeInfiltrationBalance({{1e-5, 0.5, 46, 100, 10, 0, 0}, 11, 0, 0, &unloaded}, none);
    ExpectValues(none, {{"D_mass", 0}, {"V_genutzt", 0}, {"Überlauf", 0}});
    EXPECT_TRUE(none.Files().empty());
}

TEST(InfiltrationBalance, FileRows)
{
    test::TempDataDir dir;
    dir.Write("regen.txt", FileWithTies());
    CRainfallTable table;
    ASSERT_TRUE(table.Load(dir.File("regen.txt").string(), 2).loaded);

    const InfiltrationBalanceResult r = ComputeInfiltrationBalance({{1e-5, 0.5, 0, 100, 10, 0, 0}, 5, 0, 0, &table});
    EXPECT_NEAR(r.Vused, 7.2, 1e-12);
    EXPECT_EQ(r.governingDuration, 15); // the earlier of the two
    EXPECT_NEAR(r.overflow, 5 - 7.2, 1e-12);
    // 1e-4 m³/s seeping away: row 3 7.2 - 0.09, row 5 7.2 - 0.18.
    EXPECT_NEAR(ComputeInfiltrationBalance({{1e-5, 0.5, 20, 100, 10, 0, 0}, 50, 0, 0, &table}).Vused, 7.11, 1e-12);
    // 0.1 m³/s: no row is positive; row 1 stays with 0.01 m³/s · 300 s - 30 m³.
    const InfiltrationBalanceResult dry = ComputeInfiltrationBalance({{0.01, 1, 10, 100, 10, 0, 0}, 44, 0, 0, &table});
    EXPECT_NEAR(dry.Vused, -27, 1e-9);
    EXPECT_EQ(dry.governingDuration, 5);
    EXPECT_EQ(dry.overflow, 0);

    // A table never loaded: all rows 0; a negative V still shows as overflow.
    const CRainfallTable empty;
    const InfiltrationBalanceResult none =
        ComputeInfiltrationBalance({{1e-5, 0.5, 46, 100, 10, 0, 0}, 11, 0, 0, &empty});
    EXPECT_EQ(none.Vused, 0);
    EXPECT_EQ(none.overflow, 0);
    EXPECT_EQ(none.governingDuration, 0);
    EXPECT_EQ(ComputeInfiltrationBalance({{1e-5, 0.5, 0, 100, 10, 0, 0}, -88, 0, 0, &empty}).overflow, -88);
}

} // namespace
} // namespace dralun
