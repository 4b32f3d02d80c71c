#include <gtest/gtest.h>

#include "core/PipeBedSection.h"

namespace dralun {
namespace {

// Reference values worked out with the segment formulas A = r² acos((r-h)/r)
// - (r-h) sqrt(2rh - h²) and s = 2 r acos((r-h)/r), pi as 3.141592654 for
// the full circle.
struct PipeCase {
    const char* what;
    double DN, y, t;
    double flowArea, wallPerimeter, bedArea, bedWidth, bedArc;
};

class PipeBedSectionCases : public ::testing::TestWithParam<PipeCase> {};

TEST_P(PipeBedSectionCases, FlowAreaAndWallLessTheBed)
{
    const PipeCase& c = GetParam();
    const PipeBedSection s = ComputePipeBedSection({c.DN, c.y, c.t});
    EXPECT_NEAR(s.flowArea, c.flowArea, 1e-11) << c.what;
    EXPECT_NEAR(s.wallPerimeter, c.wallPerimeter, 1e-11) << c.what;
    EXPECT_NEAR(s.bedArea, c.bedArea, 1e-11) << c.what;
    EXPECT_NEAR(s.bedWidth, c.bedWidth, 1e-11) << c.what;
    EXPECT_NEAR(s.bedArc, c.bedArc, 1e-11) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Levels, PipeBedSectionCases,
    ::testing::Values(
        PipeCase{"full, no bed", 400, 0.5, 0, 0.12566370616, 1.2566370616, 0, 0, 0},
        PipeCase{"exactly full, no bed", 400, 0.4, 0, 0.12566370616, 1.2566370616, 0, 0, 0},
        PipeCase{"mid-height, no bed", 400, 0.2, 0, 0.06283185308, 0.6283185308, 0, 0, 0},
        PipeCase{"mid-height with bed", 400, 0.15, 0.05, 0.053765618, 0.339224831675, 0.00906623508, 0.264575131106,
                 0.289093699125},
        PipeCase{"a quarter of the diameter", 1000, 0.25, 0, 0.153546212326, 1.047197551197, 0, 0, 0},
        PipeCase{"three quarters", 1000, 0.75, 0, 0.631851951225, 2.094395102803, 0, 0, 0},
        PipeCase{"below mid-height with bed", 1000, 0.3, 0.1, 0.252494529447, 0.725937297211, 0.040875277198, 0.6,
                 0.643501108793},
        PipeCase{"above mid-height with bed", 1000, 0.5, 0.1, 0.451153079751, 1.128653139202, 0.040875277198, 0.6,
                 0.643501108793},
        PipeCase{"full with bed", 1000, 1.0, 0.1, 0.744522886302, 2.498091545207, 0.040875277198, 0.6,
                 0.643501108793},
        PipeCase{"full with bed, water above the crown", 400, 0.35, 0.1, 0.101096312188, 0.837758041121,
                 0.024567393972, 0.346410161514, 0.418879020479}));

TEST(PipeBedSection, FullCircleValues)
{
    const PipeBedSection s = ComputePipeBedSection({400, 0.1, 0});
    EXPECT_DOUBLE_EQ(s.D, 0.4);
    EXPECT_DOUBLE_EQ(s.r, 0.2);
    EXPECT_DOUBLE_EQ(s.fullArea, 3.141592654 * 0.4 * 0.4 / 4);
    EXPECT_DOUBLE_EQ(s.fullPerimeter, 3.141592654 * 0.4);
}

TEST(PipeBedSection, HalfFullIsExactlyHalfTheCircle)
{
    const PipeBedSection s = ComputePipeBedSection({400, 0.2, 0});
    EXPECT_EQ(s.flowArea, s.fullArea / 2);
    EXPECT_EQ(s.wallPerimeter, s.fullPerimeter / 2);
}

TEST(PipeBedSection, BedOfZeroOrLessTakesNothing)
{
    for (double t : {0.0, -0.05}) {
        const PipeBedSection s = ComputePipeBedSection({400, 0.5, t});
        EXPECT_EQ(s.bedArea, 0);
        EXPECT_EQ(s.bedWidth, 0);
        EXPECT_EQ(s.bedArc, 0);
    }
}

TEST(PipeBedSection, BedAtMidHeightIsHalfTheCircle)
{
    const PipeBedSection s = ComputePipeBedSection({1000, 0.2, 0.5});
    EXPECT_NEAR(s.bedArea, 0.5 * 0.5 * 3.141592653589793 / 2, 1e-12);
    EXPECT_NEAR(s.bedWidth, 1.0, 1e-12);
    EXPECT_NEAR(s.bedArc, 0.5 * 3.141592653589793, 1e-12);
}

} // namespace
} // namespace dralun
