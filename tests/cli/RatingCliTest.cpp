// dralun-calc --sweep and --solve, as a script uses them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <string>

#include "cli/CalcProcess.h"
#include "forms/COrificeDlg.h"
#include "testkit/TempDataDir.h"

namespace dralun {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

std::string G15(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.15g", v);
    return text;
}

// The orifice at Q 50 l/s, mu 0.67: v = mu sqrt(2 g h), A = Q / 1000 / v.
double OrificeV(double h) { return 0.67 * std::sqrt(2 * 9.80665 * h); }

class RatingCli : public ::testing::Test {
protected:
    test::TempDataDir data;
};

TEST_F(RatingCli, SweepPrintsCsv)
{
    const test::CalcOutput out = test::RunCalc("171 --sweep h=0.5:1.5:0.5");
    ASSERT_EQ(out.status, 0) << out.text;
    const double d = 2 * std::sqrt(0.05 / OrificeV(1) / 3.141592654);
    EXPECT_EQ(out.text, "1001 Druckhöhe [m],1004 erf. Drosseldurchmesser [m],1005 Fließgeschwindigkeit v [m/s],Meldung\n"
                        "0.5," + G15(2 * std::sqrt(0.05 / OrificeV(0.5) / 3.141592654)) + "," + G15(OrificeV(0.5)) +
                            ",\n"
                            "1," + G15(d) + "," + G15(OrificeV(1)) + ",\n"
                        "1.5," + G15(2 * std::sqrt(0.05 / OrificeV(1.5) / 3.141592654)) + "," + G15(OrificeV(1.5)) +
                            ",\n");
}

TEST_F(RatingCli, SweepGermanRowsAndColumnsByName)
{
    const test::CalcOutput out = test::RunCalc("171 mu=0.5 --sweep h=0:2 --rows 3 --columns A,v --csv-de");
    ASSERT_EQ(out.status, 0) << out.text;
    std::string v1 = G15(0.5 * std::sqrt(2 * 9.80665));
    std::string a1 = G15(0.05 / (0.5 * std::sqrt(2 * 9.80665)));
    for (std::string* s : {&v1, &a1})
        std::replace(s->begin(), s->end(), '.', ',');
    EXPECT_THAT(out.text, StartsWith("1001 Druckhöhe [m];1003 erf. Durchflussquerschnitt [m²];1005 "
                                     "Fließgeschwindigkeit v [m/s];Meldung\n"
                                     "0;-;-;Die Druckhöhe muss größer als 0 m sein. Ohne Druckhöhe fließt durch die "
                                     "Drossel nichts ab.\n"
                                     "1;" + a1 + ";" + v1 + ";\n2;"));
}

TEST_F(RatingCli, BadRequestsExitTwoWithOneLine)
{
    const char* const requests[] = {
        "171 --sweep h=0:1:0",          // step 0
        "171 --sweep h=0:1:-1",         // never reaches the end
        "171 --sweep h=0:20000:1",      // more than 10 000 rows
        "171 --sweep v=0:1:0.5",        // a result field
        "171 --sweep x=0:1:0.5",        // unknown id
        "171 --sweep h=0:1:0.5 --columns h,zz",
        "171 --sweep h=0:1",            // neither step nor rows
        "171 --sweep h=0:1:0.5 --rows 3", // both
        "171 --sweep h=0:1:0.5 --solve v=2 --vary h",
        "171 --sweep h=0:1:0.5 --json",
        "171 --sweep h=0:1:0.5 --report text",
        "171 --sweep h=0:1:0.5 --add-to x.dralun",
        "171 --rows 3",
        "171 --solve v=2",
        "171 --solve v=2 --vary v",
        "171 --solve v=abc --vary h",
        "171 --solve v=2 --vary h:2:1",
    };
    for (const char* request : requests) {
        const test::CalcOutput out = test::RunCalc(request);
        EXPECT_EQ(out.status, 2) << request;
        EXPECT_THAT(out.text, StartsWith("dralun-calc: ")) << request;
        EXPECT_EQ(std::count(out.text.begin(), out.text.end(), '\n'), 1) << request << ": " << out.text;
    }
}

TEST_F(RatingCli, SolveTextAndJson)
{
    const double h = std::pow(2 / 0.67, 2) / (2 * 9.80665);
    const test::CalcOutput text = test::RunCalc("171 --solve v=2 --vary h");
    ASSERT_EQ(text.status, 0) << text.text;
    EXPECT_THAT(text.text, StartsWith("solve\t1001\t"));
    const double found = std::stod(text.text.substr(11));
    EXPECT_NEAR(found, h, 1e-10 * h);
    EXPECT_THAT(text.text, HasSubstr("\n1001\t" + G15(found) + "\n"));
    EXPECT_THAT(text.text, HasSubstr("\n1005\t2\n"));

    const test::CalcOutput json = test::RunCalc("171 --json --solve v=2 --vary h:0.01:10");
    ASSERT_EQ(json.status, 0) << json.text;
    const nlohmann::json doc = nlohmann::json::parse(json.text);
    EXPECT_EQ(doc["solve"]["id"], COrificeDlg::kIdH);
    EXPECT_NEAR(doc["solve"]["value"].get<double>(), h, 1e-10 * h);
    EXPECT_LE(doc["solve"]["computations"].get<int>(), 100);
    EXPECT_EQ(doc["fields"]["1005"], "2");
}

TEST_F(RatingCli, SolveWithoutSolutionExitsOne)
{
    const test::CalcOutput out = test::RunCalc("171 --solve v=50 --vary h:0.01:10");
    EXPECT_EQ(out.status, 1);
    EXPECT_THAT(out.text, StartsWith("dralun-calc: Der Zielwert 50 wird im Suchbereich nicht erreicht (v zwischen "));
    EXPECT_EQ(std::count(out.text.begin(), out.text.end(), '\n'), 1);
}

} // namespace
} // namespace dralun
