#include <gtest/gtest.h>

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

TEST(Format, LongOutputIsNotCut)
{
    const std::string longText(1000, 'x');
    EXPECT_EQ(Format("%s|%5.2f", longText.c_str(), 1.0), longText + "| 1.00");
}

} // namespace
} // namespace dralun
