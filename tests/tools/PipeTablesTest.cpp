// The pipe data files of the installation medium: the committed files are
// what the generator makes, the outlines have the areas and perimeters of the
// standard profiles, and the part-filling rows follow the lower branch.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "core/NumberText.h"
#include "generators/PipeTables.h"
#include "testkit/TempDataDir.h"
#include "testkit/MediumOfTree.h"
#include "testkit/TextLines.h"

namespace dralun::gen {
namespace {

using test::Lines;

constexpr ReferencePipe kPipe{0.005, 1.5};

TEST(PipeTables, CommittedFilesAreTheGeneratorsOutput)
{
    const std::vector<DataFile> files = PipeDataFiles();
    ASSERT_EQ(files.size(), 4u);
    for (const DataFile& file : files) {
        const auto path = test::MediumDir() / file.name;
        ASSERT_TRUE(std::filesystem::exists(path)) << path << ": run gen-pipe-tables";
        EXPECT_EQ(test::ReadFile(path), file.bytes) << file.name << " differs: run gen-pipe-tables";
    }
}

TEST(PipeTables, EveryLineFitsTheLineBufferOfTheReaders)
{
    for (const DataFile& file : PipeDataFiles()) {
        ASSERT_FALSE(file.bytes.empty());
        EXPECT_EQ(file.bytes.back(), '\n') << file.name;
        EXPECT_EQ(file.bytes.find('\r'), std::string::npos) << file.name;
        for (const std::string& line : Lines(file.bytes))
            EXPECT_LE(line.size(), 78u) << file.name << ": " << line; // 79 with LF, 80 with CR LF
    }
}

TEST(PipeTables, DiameterFileHoldsNineteenValidDiametersAscending)
{
    const std::string text = PipeDataFiles()[0].bytes;
    std::vector<int> diameters;
    for (const std::string& line : Lines(text)) {
        ASSERT_FALSE(line.empty());
        if (line[0] == ';')
            continue;
        ASSERT_NE(line[0], '0');
        ASSERT_NE(line[0], ':');
        diameters.push_back(ClassicAtoi(line));
    }
    ASSERT_EQ(diameters.size(), 19u);
    EXPECT_EQ(diameters.front(), 150);
    EXPECT_EQ(diameters.back(), 3000);
    for (size_t i = 1; i < diameters.size(); ++i)
        EXPECT_LT(diameters[i - 1], diameters[i]);
}

TEST(PipeTables, PartFillingFilesHoldRowIAtTheRatioIOverHundred)
{
    const std::vector<DataFile> files = PipeDataFiles();
    for (size_t f = 1; f < files.size(); ++f) {
        const DataFile& file = files[f];
        int row = 0;
        double lastDepth = 0;
        for (const std::string& line : Lines(file.bytes)) {
            if (line[0] == ';')
                continue;
            ++row;
            std::istringstream columns(line);
            std::string q, v, h, rest;
            columns >> q >> v >> h;
            EXPECT_FALSE(columns >> rest) << line;
            EXPECT_EQ(ClassicAtof(q), row / 100.0) << file.name << " row " << row;
            EXPECT_GT(ClassicAtof(v), 0);
            EXPECT_GT(ClassicAtof(h), lastDepth) << file.name << " row " << row; // rising depth
            lastDepth = ClassicAtof(h);
        }
        EXPECT_EQ(row, 100) << file.name;
        EXPECT_LT(lastDepth, 0.9) << file.name; // Q = Qv is reached below the crown
    }
}

// ---- geometry ----------------------------------------------------------------

TEST(PipeTables, CircleSectionsFollowTheCircularSegment)
{
    const Profile circle = CircleProfile(2.0); // r = 1
    struct Case {
        double h, area, perimeter;
    };
    // Segment of depth h: angle t = 2 acos(1 - h), A = (t - sin t) / 2, U = t.
    const Case cases[] = {
        {0.5, 2.0 * std::numbers::pi / 3 / 2 - std::sin(2.0 * std::numbers::pi / 3) / 2, 2.0 * std::numbers::pi / 3},
        {1.0, std::numbers::pi / 2, std::numbers::pi},
        {1.5, (4.0 * std::numbers::pi / 3 - std::sin(4.0 * std::numbers::pi / 3)) / 2, 4.0 * std::numbers::pi / 3},
        {2.0, std::numbers::pi, 2 * std::numbers::pi},
        {3.0, std::numbers::pi, 2 * std::numbers::pi},
        {0.0, 0, 0},
        {-1.0, 0, 0},
    };
    for (const Case& c : cases) {
        const Section s = SectionAt(circle, c.h);
        EXPECT_NEAR(s.area, c.area, 1e-12) << c.h;
        EXPECT_NEAR(s.wettedPerimeter, c.perimeter, 1e-12) << c.h;
    }
}

TEST(PipeTables, EggAndMouthHaveTheStandardAreasAndPerimeters)
{
    // Egg 2:3 of half width r: A = 4.5941 r², U = 7.9299 r (standard values);
    // mouth 2:1.5: A = 2.3778 r², U = 5.6028 r (outline summed as a polygon of
    // 600000 points by hand, separately from this program).
    const Profile egg = EggProfile(2.0);
    EXPECT_DOUBLE_EQ(egg.height, 3.0);
    const Section eggFull = SectionAt(egg, egg.height);
    EXPECT_NEAR(eggFull.area, 4.5941, 0.00005);
    EXPECT_NEAR(eggFull.wettedPerimeter, 7.9299, 0.00005);

    const Profile mouth = MouthProfile(2.0);
    EXPECT_DOUBLE_EQ(mouth.height, 1.5);
    const Section mouthFull = SectionAt(mouth, mouth.height);
    EXPECT_NEAR(mouthFull.area, 2.3778, 0.00005);
    EXPECT_NEAR(mouthFull.wettedPerimeter, 5.6028, 0.00005);

    // Above the springing line the crown semicircle adds its part: at the
    // widest line of the egg (h = 2r) the rest is half a circle of radius r.
    EXPECT_NEAR(eggFull.area - SectionAt(egg, 2.0).area, std::numbers::pi / 2, 1e-12);
    EXPECT_NEAR(mouthFull.area - SectionAt(mouth, 0.5).area, std::numbers::pi / 2, 1e-12);
    // The outline is continuous: areas grow without a jump at the joints.
    for (const Profile* p : {&egg, &mouth}) {
        double last = 0;
        for (int k = 1; k <= 3000; ++k) {
            const double a = SectionAt(*p, p->height * k / 3000).area;
            EXPECT_GT(a, last);
            EXPECT_LT(a - last, 0.002);
            last = a;
        }
    }
}

// ---- hydraulics ----------------------------------------------------------------

TEST(PipeTables, FullSectionGivesTheRatiosOne)
{
    for (const Profile& p : {CircleProfile(1.0), MouthProfile(1.6), EggProfile(0.8)}) {
        const Section full = SectionAt(p, p.height);
        const double vv = Velocity(full, kPipe);
        EXPECT_DOUBLE_EQ(Discharge(p, p.height, kPipe) / (vv * full.area), 1.0) << p.name;
        EXPECT_DOUBLE_EQ(Velocity(SectionAt(p, p.height * 2), kPipe) / vv, 1.0) << p.name;
    }
    // The full circle agrees with the pipe engine's formula: DN 1000, kb 1.5,
    // J = 0.005 gives vv = 2.1183 m/s by hand.
    EXPECT_NEAR(Velocity(SectionAt(CircleProfile(1.0), 1.0), kPipe), 2.1183, 0.00005);
}

TEST(PipeTables, RowsLieOnTheLowerBranchBelowTheLargestDischarge)
{
    for (const Profile& p : {CircleProfile(1.0), MouthProfile(1.6), EggProfile(0.8)}) {
        const double top = DepthOfLargestDischarge(p, kPipe);
        const Section full = SectionAt(p, p.height);
        const double Qv = Velocity(full, kPipe) * full.area;
        EXPECT_GT(Discharge(p, top, kPipe), Qv) << p.name; // part-full carries more than full
        const std::vector<PartFillingRow> rows = PartFillingRows(p, kPipe);
        ASSERT_EQ(rows.size(), 100u);
        for (size_t i = 0; i < rows.size(); ++i) {
            const double h = rows[i].depth * p.height;
            EXPECT_EQ(rows[i].fill, (i + 1) / 100.0);
            EXPECT_NEAR(Discharge(p, h, kPipe) / Qv, rows[i].fill, 1e-9) << p.name << " row " << i + 1;
            EXPECT_LT(h, top) << p.name << " row " << i + 1;
            if (i > 0) {
                EXPECT_GT(rows[i].depth, rows[i - 1].depth);
            }
        }
        // Q = Qv once more at the lower depth, not at the crown.
        EXPECT_LT(rows.back().depth, 0.9) << p.name;
        EXPECT_GT(rows.back().velocity, 1.0) << p.name;
    }
    // Circle: the largest discharge lies near h/D = 0.94; half full carries
    // half of Qv at the full-flow velocity (same hydraulic radius D/4).
    EXPECT_NEAR(DepthOfLargestDischarge(CircleProfile(1.0), kPipe), 0.94, 0.01);
    const std::vector<PartFillingRow> circle = PartFillingRows(CircleProfile(1.0), kPipe);
    EXPECT_NEAR(circle[49].depth, 0.5, 1e-9);
    EXPECT_NEAR(circle[49].velocity, 1.0, 1e-9);
}

} // namespace
} // namespace dralun::gen
