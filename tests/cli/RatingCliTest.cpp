// dralun-calc --sweep and --solve, as a script uses them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

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

// The lines of a CSV, each cut to its first n cells (a form that states a
// verdict adds its columns before "Meldung").
std::vector<std::string> FirstCells(const std::string& csv, char separator, size_t n)
{
    std::vector<std::string> lines;
    for (size_t start = 0, end; (end = csv.find('\n', start)) != std::string::npos; start = end + 1) {
        const std::string line = csv.substr(start, end - start);
        size_t cut = 0;
        for (size_t k = 0; k < n && cut != std::string::npos; ++k)
            cut = line.find(separator, cut + (k > 0));
        lines.push_back(line.substr(0, cut));
    }
    return lines;
}

// The plain CSV, which a program reads: every digit, no byte-order mark,
// heads without ids.
TEST_F(RatingCli, SweepPrintsCsv)
{
    const test::CalcOutput out = test::RunCalc("171 --sweep h=0.5:1.5:0.5");
    ASSERT_EQ(out.status, 0) << out.text;
    const auto d = [](double h) { return G15(2 * std::sqrt(0.05 / OrificeV(h) / 3.141592654)); };
    EXPECT_THAT(FirstCells(out.text, ',', 3),
                ::testing::ElementsAre("Druckhöhe h [m],erf. Drosseldurchmesser d [m],Fließgeschwindigkeit v [m/s]",
                                       "0.5," + d(0.5) + "," + G15(OrificeV(0.5)), "1," + d(1) + "," + G15(OrificeV(1)),
                                       "1.5," + d(1.5) + "," + G15(OrificeV(1.5))));
}

// The German CSV, which people read in a spreadsheet: rounded for each
// unit (m² to 4 significant decimals, m/s to cm/s), decimal comma, UTF-8
// with its mark.
TEST_F(RatingCli, SweepGermanRowsAndColumnsByName)
{
    const test::CalcOutput out = test::RunCalc("171 mu=0.5 --sweep h=0:2 --rows 3 --columns A,v --csv-de");
    ASSERT_EQ(out.status, 0) << out.text;
    // h 1 m: v = 0.5 sqrt(2 g) = 2.2143 m/s, A = 0.05 / v = 0.022580 m²;
    // h 2 m: v = 3.1316 m/s, A = 0.015966 m².
    EXPECT_THAT(FirstCells(out.text, ';', 3),
                ::testing::ElementsAre("\xEF\xBB\xBF" "Druckhöhe h [m];erf. Durchflussquerschnitt A [m²];"
                                       "Fließgeschwindigkeit v [m/s]",
                                       "0;-;-", "1;0,0226;2,21", "2;0,016;3,13"));
    EXPECT_THAT(out.text, HasSubstr("Die Druckhöhe muss größer als 0 m sein."));
}

// The pipe run at its defaults (DN 300, I 1 %, kb 1.5 mm) carries Qv =
// 97.94 l/s full: Q 97.5 l/s is met, 98 l/s is not.
TEST_F(RatingCli, SweepDecidesEachRowAcrossTheLimit)
{
    const double D = 0.3, I = 0.01, kb = 0.0015, nu = 1.31e-6, g = 9.80665;
    const double s = std::sqrt(2 * g * D * I);
    const double Qv = -2 * std::log10(2.51 * nu / (D * s) + kb / (3.71 * D)) * s * 3.141592654 * D * D / 4 * 1000;
    ASSERT_NEAR(Qv, 97.94, 0.01);

    const test::CalcOutput plain = test::RunCalc("130 --sweep Q=97.5:98.5:0.5 --columns Qv");
    ASSERT_EQ(plain.status, 0) << plain.text;
    const std::vector<std::string> lines = FirstCells(plain.text, ',', 4);
    ASSERT_EQ(lines.size(), 4u) << plain.text;
    EXPECT_EQ(lines[0], "Q [l/s],Qv [l/s],Ausnutzung Q/Qv [%],Nachweis Q ≤ Qv");
    const char* const verdicts[] = {"erfüllt", "nicht erfüllt", "nicht erfüllt"};
    for (size_t i = 0; i < 3; ++i) {
        const double Q = 97.5 + 0.5 * i;
        std::vector<std::string> cells;
        std::stringstream line(lines[i + 1]);
        for (std::string cell; std::getline(line, cell, ',');)
            cells.push_back(cell);
        ASSERT_EQ(cells.size(), 4u) << lines[i + 1];
        EXPECT_EQ(cells[0], G15(Q));
        EXPECT_NEAR(std::stod(cells[2]), Q / Qv * 100, 1e-6) << lines[i + 1];
        EXPECT_EQ(cells[3], verdicts[i]) << lines[i + 1];
    }

    const test::CalcOutput german = test::RunCalc("130 --sweep Q=97.5:98.5:0.5 --columns Qv --csv-de");
    ASSERT_EQ(german.status, 0) << german.text;
    EXPECT_THAT(FirstCells(german.text, ';', 4),
                ::testing::ElementsAre("\xEF\xBB\xBF" "Q [l/s];Qv [l/s];Ausnutzung Q/Qv [%];Nachweis Q ≤ Qv",
                                       "97,5;97,9;99,55;erfüllt", "98;97,9;100,06;nicht erfüllt",
                                       "98,5;97,9;100,57;nicht erfüllt"));
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
    // v to 1e-9 of 2, so h (as v²) to 2e-9; the field shows the digits found.
    const double found = std::stod(text.text.substr(11));
    EXPECT_NEAR(found, h, 2.2e-9 * h);
    EXPECT_THAT(text.text, HasSubstr("\n1001\t" + G15(found) + "\n"));
    const size_t v = text.text.find("\n1005\t");
    ASSERT_NE(v, std::string::npos);
    EXPECT_NEAR(std::stod(text.text.substr(v + 6)), 2, 2e-9);

    const test::CalcOutput json = test::RunCalc("171 --json --solve v=2 --vary h:0.01:10");
    ASSERT_EQ(json.status, 0) << json.text;
    const nlohmann::json doc = nlohmann::json::parse(json.text);
    EXPECT_EQ(doc["solve"]["id"], COrificeDlg::kIdH);
    EXPECT_NEAR(doc["solve"]["value"].get<double>(), h, 2.2e-9 * h);
    EXPECT_LE(doc["solve"]["computations"].get<int>(), 100);
    EXPECT_NEAR(std::stod(doc["fields"]["1005"].get<std::string>()), 2, 2e-9);
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
