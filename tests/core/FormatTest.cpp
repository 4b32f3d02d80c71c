#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>

#include "core/Format.h"

namespace dralun {
namespace {

TEST(Format, WritesFieldsInTheShortestGeneralForm)
{
    EXPECT_EQ(FormatG15(2.5), "2.5");
    EXPECT_EQ(FormatG15(0.1 + 0.2), "0.3");
    EXPECT_EQ(FormatG15(1e-05), "1e-05");
    EXPECT_EQ(FormatG15(123456789012345678.0), "1.23456789012346e+17");
    EXPECT_EQ(FormatG6(0.11f), "0.11");
    EXPECT_EQ(FormatG6(1.714342857f), "1.71434");
}

// The fields are written without printf; what they show must stay what
// printf's "%.15g" and "%.6g" write, digit for digit, over every magnitude.
TEST(Format, FieldsReadAsPrintfWritesThem)
{
    std::mt19937_64 random(7);
    for (int i = 0; i < 200000; ++i) {
        const double mantissa = static_cast<double>(random() % 2000001) - 1000000;
        const double v = std::ldexp(mantissa, static_cast<int>(random() % 120) - 80) / 7;
        char g15[64], g6[64];
        std::snprintf(g15, sizeof g15, "%.15g", v == 0 ? 0.0 : v);
        const float f = static_cast<float>(v);
        std::snprintf(g6, sizeof g6, "%.6g", f == 0 ? 0.0 : static_cast<double>(f));
        ASSERT_EQ(FormatG15(v), g15);
        ASSERT_EQ(FormatG6(f), g6);
    }
    EXPECT_EQ(FormatG15(1e21), "1e+21");
    EXPECT_EQ(FormatG15(0.0001), "0.0001");
    EXPECT_EQ(FormatG15(0.00001), "1e-05");
    EXPECT_EQ(FormatG6(123456.7f), "123457");
}

TEST(Format, LongOutputIsNotCut)
{
    const std::string longText(1000, 'x');
    EXPECT_EQ(Format("%s|%5.2f", longText.c_str(), 1.0), longText + "| 1.00");
}

} // namespace
} // namespace dralun
