#include <gtest/gtest.h>

#include <cmath>

#include "core/NumberText.h"

namespace dralun {
namespace {

struct FieldCase {
    const char* text;
    bool valid;
    double value;
};

class FieldNumberTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(FieldNumberTest, ParsesLikeTheFieldExchange)
{
    const FieldCase& c = GetParam();
    const auto parsed = ParseFieldNumber(c.text);
    ASSERT_EQ(parsed.has_value(), c.valid) << '"' << c.text << '"';
    if (c.valid) {
        EXPECT_DOUBLE_EQ(*parsed, c.value) << c.text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FieldNumberTest,
    ::testing::Values(FieldCase{"1.5", true, 1.5}, FieldCase{"  1.5\t ", true, 1.5}, FieldCase{"\t-2", true, -2},
                      FieldCase{"+3.25", true, 3.25}, FieldCase{".5", true, 0.5}, FieldCase{"5.", true, 5},
                      FieldCase{"1e-05", true, 1e-05}, FieldCase{"2.5E3", true, 2500}, FieldCase{"0", true, 0},
                      FieldCase{"1,5", false, 0}, FieldCase{"1.5x", false, 0}, FieldCase{"", false, 0},
                      FieldCase{"   ", false, 0}, FieldCase{"-", false, 0}, FieldCase{".", false, 0},
                      FieldCase{"e5", false, 0}, FieldCase{"1e", false, 0}, FieldCase{"1 5", false, 0},
                      FieldCase{"inf", false, 0}, FieldCase{"nan", false, 0}, FieldCase{"0x10", false, 0},
                      FieldCase{"1e999", false, 0}, FieldCase{"--1", false, 0}, FieldCase{"1.5\n", false, 0}));

TEST(FieldNumber, TheLargestDoubleReadsBackAsFifteenDigitsWriteIt)
{
    const auto parsed = ParseFieldNumber("-1.79769313486232e+308");
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(*parsed, -1.7976931348623157e308);
    EXPECT_FALSE(ParseFieldNumber("1.7977e308").has_value());
}

TEST(FieldNumber, TinyExponentUnderflowsToZeroInsteadOfFailing)
{
    const auto parsed = ParseFieldNumber("1e-400");
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(*parsed, 0.0);
}

struct AtofCase {
    const char* text;
    double value;
};

class ClassicAtofTest : public ::testing::TestWithParam<AtofCase> {};

TEST_P(ClassicAtofTest, TakesTheLongestNumberPrefix)
{
    EXPECT_DOUBLE_EQ(ClassicAtof(GetParam().text), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Texts, ClassicAtofTest,
                         ::testing::Values(AtofCase{"0.50", 0.5}, AtofCase{"  0.99 rest", 0.99}, AtofCase{"1,5", 1},
                                           AtofCase{"0.49\t0.3", 0.49}, AtofCase{"", 0}, AtofCase{"abc", 0},
                                           AtofCase{"-2.5e1x", -25}, AtofCase{"3e", 3}, AtofCase{"inf", 0},
                                           AtofCase{"\n 7", 7}, AtofCase{"1e999", 0}));

TEST(ClassicAtoi, ReadsDigitsUpToTheFirstOtherCharacter)
{
    EXPECT_EQ(ClassicAtoi(" 250"), 250);
    EXPECT_EQ(ClassicAtoi("0400"), 400);
    EXPECT_EQ(ClassicAtoi("-40mm"), -40);
    EXPECT_EQ(ClassicAtoi("DN"), 0);
    EXPECT_EQ(ClassicAtoi("99999999999999"), 2147483647);
}

// With the decimal comma, a comma typed is the point; there are no
// thousands separators.
TEST(DecimalComma, TypedCommaIsThePoint)
{
    EXPECT_EQ(TypedWithDecimalComma("0,6"), "0.6");
    EXPECT_EQ(TypedWithDecimalComma("1.234,5"), "1.234.5"); // two decimal signs: no number
    EXPECT_FALSE(ParseFieldNumber(TypedWithDecimalComma("1.234,5")));
}

} // namespace
} // namespace dralun
