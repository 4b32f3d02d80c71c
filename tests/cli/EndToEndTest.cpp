// The dralun-calc program itself, as a script would run it.
#include <gmock/gmock.h>
#include <nlohmann/json.hpp>
#include <gtest/gtest.h>

#include "cli/CalcProcess.h"
#include <string>

namespace dralun {
namespace {

using ::testing::HasSubstr;

using Output = test::CalcOutput;

Output Shell(const std::string& arguments) { return test::RunCalc(arguments); }

TEST(EndToEnd, OrificeDefaults)
{
    const Output o = Shell("171");
    EXPECT_EQ(o.status, 0);
    EXPECT_THAT(o.text, HasSubstr("1005\t2.2984"));
    EXPECT_THAT(o.text, HasSubstr("1003\t0.021754"));
    EXPECT_THAT(o.text, HasSubstr("1004\t0.1664283"));
}

TEST(EndToEnd, TimeCoefficientWithANewDuration)
{
    const Output o = Shell("zeitbeiwert T1=10 --json");
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(nlohmann::json::parse(o.text)["fields"]["1051"], "25");
}

TEST(EndToEnd, UnknownFormIsAUsageError)
{
    const Output o = Shell("nichts");
    EXPECT_EQ(o.status, 2);
    EXPECT_THAT(o.text, HasSubstr("unbekanntes Formular"));
}

} // namespace
} // namespace dralun
