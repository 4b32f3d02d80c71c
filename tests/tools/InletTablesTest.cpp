// The inlet capacity tables of the installation medium: the committed files
// are what the generator makes, the program reads them back as generated,
// the values make physical sense, and cells agree with figures worked out
// by hand from the published formulas.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/CInletTables.h"
#include "generators/InletTables.h"
#include "testkit/TempDataDir.h"

namespace dralun::gen {
namespace {

using Table = std::array<std::int16_t, CInletTables::kWords>;

int At(const Table& t, int row, int column) { return t[static_cast<size_t>(row * 17 + column)]; }

int IndexOf(const char* name)
{
    for (int t = 0; t < 31; ++t)
        if (std::string(CInletTables::kFileNames[static_cast<size_t>(t)]) == name)
            return t;
    return -1;
}

// The committed files copied into dir and loaded by the program.
void LoadCommittedFiles(const test::TempDataDir& dir, CInletTables& tables)
{
    for (const DataFile& file : InletTableFiles())
        dir.CopyFromMedium(file.name);
    ASSERT_TRUE(tables.LoadTables());
}

TEST(InletTableFiles, CommittedFilesAreTheGeneratorsOutput)
{
    const std::vector<DataFile> files = InletTableFiles();
    ASSERT_EQ(files.size(), 31u);
    for (const DataFile& file : files) {
        EXPECT_EQ(file.bytes.size(), 1397u) << file.name;
        const auto path = test::MediumDir() / file.name;
        ASSERT_TRUE(std::filesystem::exists(path)) << path << ": run gen-inlet-tables";
        EXPECT_TRUE(test::ReadFile(path) == file.bytes) << file.name << " differs: run gen-inlet-tables";
    }
    EXPECT_EQ(files.front().name, "b1-0.bin");
    EXPECT_EQ(files[11].name, "ab1-0.bin");
    EXPECT_EQ(files.back().name, "sp15-0.bin");
    // Header: family, cross-fall in tenths of a per cent, layout version.
    EXPECT_EQ(files[3].bytes.substr(0, 3), std::string("\x00\x19\x01", 3));
    EXPECT_EQ(files[30].bytes.substr(0, 3), std::string("\x02\x96\x01", 3));
}

TEST(InletTableFiles, TheProgramReadsThemBackAsGenerated)
{
    test::TempDataDir dir;
    CInletTables tables;
    LoadCommittedFiles(dir, tables);
    for (int t = 0; t < 31; ++t) {
        const Table plain = PlainTable(t);
        for (int r = 0; r < 41; ++r)
            for (int c = 0; c < 17; ++c)
                ASSERT_EQ(CInletTables::StoreWord(t, r, c), At(plain, r, c)) << t << ' ' << r << ' ' << c;
    }
}

TEST(InletTableFiles, CapacitiesGrowWithSlopeAndSpreadAndInletsNeverExceedTheGutter)
{
    const int gutter[5] = {0, 1, 5, 9, 13};
    for (int t = 0; t < 31; ++t) {
        const Table table = PlainTable(t);
        for (int r = 0; r < 41; ++r) {
            for (int c = 0; c < 17; ++c) {
                ASSERT_GE(At(table, r, c), 0) << t << ' ' << r << ' ' << c; // no cell without a value
                if (r > 0) {
                    ASSERT_GE(At(table, r, c), At(table, r - 1, c)) << t << ' ' << r << ' ' << c;
                }
            }
            for (int j = 1; j < 5; ++j) {
                ASSERT_GE(At(table, r, gutter[j]), At(table, r, gutter[j - 1])) << t << ' ' << r;
                const int g = gutter[j];
                // I <= II <= III <= gutter: wider and longer gratings take more.
                ASSERT_LE(At(table, r, g + 1), At(table, r, g + 2)) << t << ' ' << r << ' ' << g;
                ASSERT_LE(At(table, r, g + 2), At(table, r, g + 3)) << t << ' ' << r << ' ' << g;
                ASSERT_LE(At(table, r, g + 3), At(table, r, g)) << t << ' ' << r << ' ' << g;
            }
        }
        // The widest spread at 8 % carries something in every table.
        EXPECT_GT(At(table, 40, 13), 0) << t;
        EXPECT_GT(At(table, 40, 14), 0) << t;
    }
}

// What the method gives for file column c of table t at the slope s (%).
double Method(int t, double s, int c)
{
    const Road road{FamilyOf(t), CrossFallOf(t), s};
    if (c == 0)
        return GutterCapacity(road, kSpreads[0]);
    const int j = 1 + (c - 1) / 4; // width 0.50, 0.70, 0.85, 1.00 m
    const int k = (c - 1) % 4;     // 0 the gutter, 1 ... 3 the inlets I ... III
    return k == 0 ? GutterCapacity(road, kSpreads[static_cast<size_t>(j)])
                  : InletCapacity(road, kSpreads[static_cast<size_t>(j)], k - 1);
}

TEST(InletTableFiles, NoCapacityExceedsTheMethodAndTheLevelGutterCarriesNothing)
{
    // Every cell of the committed files against the method at the cell's
    // own slope, 0.2 r %, within the rounding to tenths; row 0 is s = 0 %,
    // where Manning-Strickler carries nothing.
    test::TempDataDir dir;
    CInletTables tables;
    LoadCommittedFiles(dir, tables);
    int largest = 0;
    for (int t = 0; t < 31; ++t)
        for (int r = 0; r < 41; ++r)
            for (int c = 0; c < 17; ++c) {
                const double method = Method(t, 0.2 * r, c);
                const int cell = CInletTables::StoreWord(t, r, c);
                largest = std::max(largest, cell);
                ASSERT_LE(cell / 10.0, method + 0.05 + 1e-9) << t << ' ' << r << ' ' << c;
                if (r == 0) {
                    ASSERT_EQ(method, 0.0) << t << ' ' << c;
                    ASSERT_EQ(cell, 0) << t << ' ' << c;
                }
            }
    // The most any table holds: B6-0 at 8 % and b = 1.00 m, 55.1 l/s, well
    // under the bound the loader checks.
    EXPECT_EQ(largest, 551);
    EXPECT_LT(largest * 1.8, CInletTables::kLargestTenths);
    // Between 0 and 0.2 % the look-up stays below the method as well: at
    // 0.1 % it gives half the 0.2 % row, the method about 71 % of it.
    for (int t = 0; t < 31; ++t) {
        const auto found = tables.LookUp({FamilyOf(t), CrossFallOf(t), 0.1});
        ASSERT_TRUE(found.found);
        for (int n = 0; n < 17; ++n) {
            const int c = CInletTables::kResultColumn[static_cast<size_t>(n)];
            EXPECT_LE(found.results[static_cast<size_t>(n)], Method(t, 0.1, c) + 0.05 + 1e-9) << t << ' ' << n;
        }
    }
}

struct Cell {
    const char* file;
    int row;
    int column;
    int tenths;
};

class InletTableCells : public ::testing::TestWithParam<Cell> {};

TEST_P(InletTableCells, AgreeWithFiguresWorkedOutByHand)
{
    const Cell c = GetParam();
    const int t = IndexOf(c.file);
    ASSERT_GE(t, 0);
    EXPECT_EQ(At(PlainTable(t), c.row, c.column), c.tenths) << c.file << " row " << c.row << " column " << c.column;
}

// Gutters: the curb and V-gutter calculator's own figures for kSt 70 at
// s = 1 % (curb 2.5 % at b = 0.5 m: 0.73 l/s; V-gutter 7 % at 0.5 m:
// 3.94 l/s, at 0.7 m: 5.19 l/s). The rest by hand from Manning-Strickler and
// HEC-22 (Eo = 1 - (1 - W/T)^(8/3), Rf = 1 - 0.295 (V - Vo), Rs = 1 / (1 +
// 0.0828 V^1.8 / (Sx L^2.3)), Vo of the 45-degree tilt-bar grate: 1.367 m/s
// at 0.5 m, 1.823 m/s at 0.8 m), rounded to tenths of l/s.
INSTANTIATE_TEST_SUITE_P(
    Hand, InletTableCells,
    ::testing::Values(Cell{"B2-5.BIN", 5, 1, 7}, Cell{"SP7-0.BIN", 5, 1, 39}, Cell{"SP7-0.BIN", 5, 5, 52},
                      // B2-5, s = 1 %, b = 1.0 m: Q = 4.635 l/s, V = 0.371 m/s
                      Cell{"B2-5.BIN", 5, 13, 46}, Cell{"B2-5.BIN", 5, 14, 33}, Cell{"B2-5.BIN", 5, 15, 41},
                      Cell{"B2-5.BIN", 5, 16, 43},
                      // B6-0, s = 8 %, b = 1.0 m: Q = 55.10 l/s, V = 1.837 m/s (splash-over)
                      Cell{"B6-0.BIN", 40, 13, 551}, Cell{"B6-0.BIN", 40, 14, 301}, Cell{"B6-0.BIN", 40, 15, 404},
                      Cell{"B6-0.BIN", 40, 16, 473},
                      // AB2-5, s = 8 %, b = 1.0 m, bays of 1.80, 2.70, 4.20 m
                      Cell{"AB2-5.BIN", 40, 13, 131}, Cell{"AB2-5.BIN", 40, 14, 121}, Cell{"AB2-5.BIN", 40, 15, 126},
                      Cell{"AB2-5.BIN", 40, 16, 129},
                      // SP15-0, s = 8 %, b = 0.5 m (V = 2.008 m/s) and b = 1.0 m
                      Cell{"SP15-0.BIN", 40, 1, 376}, Cell{"SP15-0.BIN", 40, 2, 282}, Cell{"SP15-0.BIN", 40, 3, 305},
                      Cell{"SP15-0.BIN", 40, 4, 356}, Cell{"SP15-0.BIN", 40, 13, 485}, Cell{"SP15-0.BIN", 40, 14, 371},
                      Cell{"SP15-0.BIN", 40, 15, 420}, Cell{"SP15-0.BIN", 40, 16, 470},
                      // B2-5 at b = 1.0 m: 2.07 l/s at 0.2 % (h = 2.5 cm, R = 0.01219 m,
                      // V = 0.166 m/s), nothing on the level gutter.
                      Cell{"B2-5.BIN", 1, 13, 21}, Cell{"B2-5.BIN", 0, 13, 0}, Cell{"SP15-0.BIN", 0, 16, 0}));

TEST(InletTableMethod, PiecesFollowThePublishedEquations)
{
    // Splash-over of the 45-degree tilt-bar grate: 0.99 + 2.64 L - 0.36 L^2
    // + 0.03 L^3 ft/s with L in ft.
    EXPECT_NEAR(SplashOverVelocity(0.5), 1.36684, 0.00001);
    EXPECT_NEAR(SplashOverVelocity(0.8), 1.82318, 0.00001);
    EXPECT_DOUBLE_EQ(FrontalEfficiency(1.0, 1.5), 1.0);
    EXPECT_NEAR(FrontalEfficiency(2.0, 1.5), 1 - 0.295 * 0.5, 1e-12);
    EXPECT_DOUBLE_EQ(FrontalEfficiency(9.0, 1.5), 0.0);
    EXPECT_NEAR(SideFlowEfficiency(0.5, 0.025, 0.5), 0.17594, 0.00001);

    // Straight cross-fall: HEC-22 Eq. 4-16 with the exponent 8/3.
    const Road curb{kCurbGutter, 2.5, 1.0};
    for (const double w : {0.3, 0.5}) {
        for (const double b : {0.5, 0.7, 1.0}) {
            const double expected = w >= b ? 1.0 : 1 - std::pow(1 - w / b, 8.0 / 3.0);
            EXPECT_NEAR(FrontalFlowRatio(curb, b, w), expected, 1e-12) << w << ' ' << b;
        }
    }
    // V-gutter with the grating as wide as the strip: HEC-22's composite
    // gutter, Eq. 4-4, Eo = 1 / (1 + (Sw/Sx) / ((1 + (Sw/Sx) / (T/W - 1))^(8/3) - 1)).
    for (const double qS : {7.0, 10.0, 15.0}) {
        const Road vee{kVGutter, qS, 1.0};
        for (const double b : {0.7, 0.85, 1.0}) {
            const double r = qS / 2.5;
            const double expected = 1 / (1 + r / (std::pow(1 + r / (b / 0.5 - 1), 8.0 / 3.0) - 1));
            EXPECT_NEAR(FrontalFlowRatio(vee, b, 0.5), expected, 1e-12) << qS << ' ' << b;
        }
        // A narrower grating within the strip: a straight cross-fall again.
        EXPECT_NEAR(FrontalFlowRatio(vee, 0.5, 0.3), 1 - std::pow(0.4, 8.0 / 3.0), 1e-12);
    }
}

TEST(InletTableMethod, SentinelOnlyWhereAWordCannotHoldTheValue)
{
    EXPECT_EQ(Tenths(0.0), 0);
    EXPECT_EQ(Tenths(12.34), 123);
    EXPECT_EQ(Tenths(3276.7), 32767);
    EXPECT_EQ(Tenths(3276.8), -9);
    EXPECT_EQ(Tenths(-1.0), -9);
    EXPECT_EQ(Tenths(std::nan("")), -9);
    EXPECT_EQ(Tenths(HUGE_VAL), -9);
}

} // namespace
} // namespace dralun::gen
