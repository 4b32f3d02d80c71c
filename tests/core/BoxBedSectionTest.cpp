#include <gtest/gtest.h>

#include "core/BoxBedSection.h"

namespace dralun {
namespace {

struct BoxCase {
    const char* what;
    double b, h, t, y;
    double flowArea, concrete, bedArea, bedWidth;
};

class BoxBedSectionCases : public ::testing::TestWithParam<BoxCase> {};

TEST_P(BoxBedSectionCases, AreasAndPerimeters)
{
    const BoxCase& c = GetParam();
    const BoxBedSection s = ComputeBoxBedSection({c.b, c.h, c.t, c.y});
    EXPECT_DOUBLE_EQ(s.flowArea, c.flowArea) << c.what;
    EXPECT_DOUBLE_EQ(s.concretePerimeter, c.concrete) << c.what;
    EXPECT_DOUBLE_EQ(s.bedArea, c.bedArea) << c.what;
    EXPECT_DOUBLE_EQ(s.bedWidth, c.bedWidth) << c.what;
}

// By hand: part-full y b and 2 y of walls; full (h - t) b and the soffit;
// without a bed the floor is concrete as well.
INSTANTIATE_TEST_SUITE_P(Levels, BoxBedSectionCases,
                         ::testing::Values(BoxCase{"part-full with bed", 1, 2, 0.2, 1.0, 1.0, 2.0, 0.2, 1.0},
                                           BoxCase{"part-full, bare floor", 1, 2, 0, 1.0, 1.0, 3.0, 0, 0},
                                           BoxCase{"full with bed", 1, 2, 0.2, 1.8, 1.8, 4.6, 0.2, 1.0},
                                           BoxCase{"above the soffit with bed", 1.5, 2, 0.5, 3.0, 2.25, 4.5, 0.75, 1.5},
                                           BoxCase{"full, bare floor", 1, 2, 0, 2.0, 2.0, 6.0, 0, 0},
                                           BoxCase{"wide and low", 4, 0.5, 0.1, 0.2, 0.8, 0.4, 0.4, 4}));

} // namespace
} // namespace dralun
