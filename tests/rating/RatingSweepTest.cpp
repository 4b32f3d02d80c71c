// Rating tables: the values of the varied input, and rows of the pipe run,
// the orifice and the ditch against their formulas worked out here.
#include <gtest/gtest.h>

#include <cmath>

#include "core/Constants.h"
#include "core/Format.h"
#include "forms/CForm.h"
#include "forms/ComputeButton.h"
#include "forms/FormRegistry.h"
#include "rating/RatingCsv.h"
#include "rating/RatingSweep.h"
#include "OpenedFormTest.h"

namespace dralun {
namespace {

TEST(SweepValuesOf, StepsAndRows)
{
    struct Case {
        double from, to, step;
        int rows;
        std::vector<double> values;
    };
    const Case cases[] = {
        {1, 2, 0.5, 0, {1, 1.5, 2}},
        {2, 1, -0.5, 0, {2, 1.5, 1}},
        {0, 1, 0.3, 0, {0, 0.3, 0.6, 0.9}},   // the end is not a step away
        {0.1, 0.3, 0.1, 0, {0.1, 0.2, 0.3}},  // 0.1 + 2 · 0.1 passes 0.3 by a rounding
        {3, 3, 1, 0, {3}},
        {0, 1, 0, 5, {0, 0.25, 0.5, 0.75, 1}}, // rows: both ends
        {10, 0, 0, 3, {10, 5, 0}},
        {3, 3, 0, 1, {3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Format("%g %g %g %d", c.from, c.to, c.step, c.rows));
        const SweepValues sweep = SweepValuesOf({0, c.from, c.to, c.step, c.rows, {}});
        EXPECT_EQ(sweep.problem, "");
        ASSERT_EQ(sweep.values.size(), c.values.size());
        for (size_t i = 0; i < c.values.size(); ++i)
            EXPECT_NEAR(sweep.values[i], c.values[i], 1e-15);
        if (c.values.back() == c.to) {
            EXPECT_EQ(sweep.values.back(), c.to);
        }
    }
    // Values are from + i · step, not summed up.
    const SweepValues many = SweepValuesOf({0, 0, 999.9, 0.1, 0, {}});
    ASSERT_EQ(many.values.size(), 10000u);
    EXPECT_EQ(many.values[7777], 7777 * 0.1);
}

TEST(SweepValuesOf, Problems)
{
    const double nan = std::nan("");
    struct Case {
        double from, to, step;
        int rows;
        const char* problem;
    };
    const Case cases[] = {
        {0, 1, 0, 0, "Die Schrittweite ist 0."},
        {0, 1, -0.1, 0, "Mit der Schrittweite -0.1 wird der Endwert 1 nie erreicht."},
        {0, 10000, 1, 0, "Die Tabelle hätte 10001 Zeilen; höchstens 10000."},
        {0, 1, 0, 10001, "Die Tabelle hätte 10001 Zeilen; höchstens 10000."},
        {0, 1, 1e-300, 0, "Die Tabelle hätte mehr als 1000000000000000 Zeilen; höchstens 10000."},
        {0, 1, 0, 1, "Von 0 bis 1 braucht die Tabelle mindestens 2 Zeilen."},
        {0, 1, 0, -2, "Die Zahl der Zeilen muss mindestens 1 sein."},
        {nan, 1, 1, 0, "Der Anfangswert ist keine endliche Zahl."},
        {0, INFINITY, 1, 0, "Der Endwert ist keine endliche Zahl."},
        {0, 1, nan, 0, "Die Schrittweite ist keine endliche Zahl."},
    };
    for (const Case& c : cases) {
        const SweepValues sweep = SweepValuesOf({0, c.from, c.to, c.step, c.rows, {}});
        EXPECT_EQ(sweep.problem, c.problem);
        EXPECT_TRUE(sweep.values.empty());
    }
}

using RatingTableTest = test::OpenedFormTest;

TEST_F(RatingTableTest, PipeRunRowsFollowPrandtlColebrook)
{
    const auto form = Opened(130); // DN 300, kb 1.5 mm, slope as 1 : n
    const RatingOutcome out = ComputeRatingTable(*form, {Id(*form, "n"), 50, 1000, 95, 0, {}});
    ASSERT_EQ(out.problem, "");
    ASSERT_EQ(out.table.columns.size(), 2u); // the main results
    EXPECT_EQ(out.table.columns[0].name, "Qv");
    EXPECT_EQ(out.table.columns[0].label, "Qv");
    EXPECT_EQ(out.table.columns[0].unit, "l/s");
    EXPECT_EQ(out.table.varied.name, "n");
    ASSERT_EQ(out.table.rows.size(), 11u);
    const double D = 0.3, kb = 1.5e-3;
    for (const RatingRow& row : out.table.rows) {
        const double J = 1 / row.input;
        const double s = std::sqrt(2 * 9.80665 * D * J);
        const double vv = -2 * std::log10(2.51 * 1.31e-6 / (D * s) + kb / (3.71 * D)) * s;
        const double Qv = vv * 3.141592654 * D * D / 4 * 1000;
        EXPECT_EQ(row.texts[0], Format("%.1f", Qv)) << row.input;
        EXPECT_EQ(row.texts[1], Format("%.2f", vv)) << row.input;
        EXPECT_NEAR(row.values[0], Qv, 0.05);
        EXPECT_EQ(row.refused, "");
    }
    EXPECT_EQ(out.table.rows[3].inputText, "335");
}

// With ηmax = 40 % (Qv = 97.94 l/s at DN 300, 1 : 100): Q = 30 l/s holds
// (30.6 %), 40 and 50 l/s fail although Q <= Qv; the column says that its
// verdict holds the criterion too.
TEST_F(RatingTableTest, VerdictColumnWithChosenCriteriaSaysSo)
{
    const auto form = Opened(130);
    form->Type(Id(*form, "eta_max"), "40");
    const RatingOutcome out = ComputeRatingTable(*form, {Id(*form, "Q"), 30, 50, 0, 3, {}});
    ASSERT_EQ(out.problem, "");
    ASSERT_EQ(out.table.rows.size(), 3u);
    const bool met[] = {true, false, false};
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(out.table.rows[i].verdict->met, met[i]) << out.table.rows[i].input;
    EXPECT_NE(RatingCsv(out.table, kCsvPoint, CsvDigits::Rounded).find(",Nachweis Q ≤ Qv und Kriterien,"),
              std::string::npos);
}

// A field that takes only the entries of a list (the pipe's DN, from
// DN.ASC) is tabulated over the entries between the bounds, in their
// direction; step and rows do not apply to it.
TEST_F(RatingTableTest, ListedFieldStepsThroughItsList)
{
    const std::vector<double> upward = {200, 250, 300, 350, 400, 500, 600, 700, 800, 900, 1000, 1200, 1400};
    struct Case {
        double from, to, step;
        int rows;
        std::vector<double> inputs;
    };
    const Case cases[] = {{200, 1500, 100, 0, upward},
                          {1500, 200, -100, 0, {upward.rbegin(), upward.rend()}},
                          {90, 260, 0, 21, {150, 200, 250}}};
    const auto form = Opened(130);
    for (const Case& c : cases) {
        SCOPED_TRACE(Format("%g %g", c.from, c.to));
        const RatingOutcome out = ComputeRatingTable(*form, {Id(*form, "DN"), c.from, c.to, c.step, c.rows, {}});
        ASSERT_EQ(out.problem, "");
        std::vector<double> inputs;
        for (const RatingRow& row : out.table.rows) {
            inputs.push_back(row.input);
            EXPECT_EQ(row.refused, "") << row.input;
        }
        EXPECT_EQ(inputs, c.inputs);
    }
    EXPECT_EQ(RatingRequestProblem(*form, {Id(*form, "DN"), 3100, 4000, 100, 0, {}}),
              "Zwischen 3100 und 4000 liegt kein Wert der Liste des Feldes \"DN\" (1019): 150, 200, 250, 300, 350, "
              "400, 500, 600, 700, 800, 900, 1000, 1200, 1400, 1600, 1800, 2000, 2500, 3000.");
}

TEST_F(RatingTableTest, OrificeRowsAndARefusedOne)
{
    const auto form = Opened(171); // Q 50 l/s, mu 0.67
    const RatingOutcome out =
        ComputeRatingTable(*form, {Id(*form, "h"), 0, 2, 0, 5, {Id(*form, "A"), Id(*form, "v")}});
    ASSERT_EQ(out.problem, "");
    ASSERT_EQ(out.table.rows.size(), 5u);
    const RatingRow& refused = out.table.rows[0]; // h = 0: nothing flows out
    EXPECT_EQ(refused.refused,
              "Die Druckhöhe muss größer als 0 m sein.\nOhne Druckhöhe fließt durch die Drossel nichts ab.");
    EXPECT_TRUE(std::isnan(refused.values[0]));
    for (size_t i = 1; i < out.table.rows.size(); ++i) {
        const RatingRow& row = out.table.rows[i];
        const double v = 0.67 * std::sqrt(2 * 9.80665 * row.input);
        EXPECT_NEAR(row.values[0], 0.050 / v, 1e-15);
        EXPECT_NEAR(row.values[1], v, 1e-13);
        EXPECT_EQ(row.refused, "");
    }
}

// The table tells how far it is after every row, and stops when told.
TEST_F(RatingTableTest, ProgressIsToldAndAStopLeavesNoRows)
{
    const auto form = Opened(171);
    const RatingRequest request{Id(*form, "h"), 0.1, 1, 0, 10, {Id(*form, "v")}};
    std::vector<std::size_t> told;
    const RatingOutcome all = ComputeRatingTable(*form, request, [&](std::size_t done, std::size_t total) {
        EXPECT_EQ(total, 10u);
        told.push_back(done);
        return true;
    });
    EXPECT_EQ(all.table.rows.size(), 10u);
    EXPECT_EQ(told, (std::vector<std::size_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    const RatingOutcome stopped =
        ComputeRatingTable(*form, request, [](std::size_t done, std::size_t) { return done < 4; });
    EXPECT_EQ(stopped.problem, "Die Wertetabelle wurde abgebrochen.");
    EXPECT_TRUE(stopped.table.rows.empty());
}

// Curb and V-gutter (qf 2.5 %, qS 7 %, bS 0.5 m): a negative curb width
// refuses the curb's results only. A of a triangle is h b / 2 with
// h = b qf / 100 at the curb and h = b qS / 100 in the V-gutter for b <= bS.
TEST_F(RatingTableTest, PartRefusedRowKeepsTheOtherColumns)
{
    const auto form = Opened(152);
    const RatingOutcome out =
        ComputeRatingTable(*form, {Id(*form, "b1"), -0.1, 0.3, 0, 3, {Id(*form, "A1"), Id(*form, "A2")}});
    ASSERT_EQ(out.problem, "");
    ASSERT_EQ(out.table.rows.size(), 3u);
    const double A2 = 0.5 * 0.07 * 0.5 * 0.5;
    const char* why = "Die Wasserspiegelbreite b der Bordrinne darf nicht negativ sein.";
    const RatingRow& part = out.table.rows[0];
    EXPECT_EQ(part.refused, "");
    EXPECT_EQ(part.partly, why);
    EXPECT_EQ(part.texts[0], "");
    EXPECT_TRUE(std::isnan(part.values[0]));
    EXPECT_NEAR(part.values[1], A2, 1e-15);
    for (size_t i = 1; i < 3; ++i) {
        const double b = out.table.rows[i].input;
        EXPECT_EQ(out.table.rows[i].partly, "");
        EXPECT_NEAR(out.table.rows[i].values[0], 0.5 * b * b * 0.025, 1e-15) << b;
        EXPECT_NEAR(out.table.rows[i].values[1], A2, 1e-15) << b;
    }
    // The spreadsheet: the left-out cell empty, the reason as the message once.
    const std::string csv = RatingCsv(out.table, kCsvPoint, CsvDigits::All);
    const std::string line = csv.substr(csv.find('\n') + 1, csv.find('\n', csv.find('\n') + 1) - csv.find('\n') - 1);
    // (The verdict's two cells between them stay empty: the row decides none.)
    EXPECT_EQ(line.rfind("-0.1,," + out.table.rows[0].texts[1] + ",", 0), 0u) << line;
    EXPECT_EQ(line.substr(line.size() - std::string(why).size() - 1), std::string(",") + why) << line;
}

TEST_F(RatingTableTest, DitchRowsFollowManningStrickler)
{
    const auto form = Opened(143); // b 0.5 m, banks 1 : 1.5, I 1 per mille, kSt 25
    const RatingOutcome out = ComputeRatingTable(*form, {Id(*form, "t"), 0.1, 1.5, 0.2, 0, {}});
    ASSERT_EQ(out.problem, "");
    ASSERT_EQ(out.table.rows.size(), 8u);
    for (const RatingRow& row : out.table.rows) {
        const double t = row.input, b = 0.5, m = 1.5;
        const double A = b * t + m * t * t;
        const double R = A / (b + 2 * t * std::sqrt(1 + m * m));
        const double v = std::sqrt(0.001) * 25 * std::pow(R, 0.66666666667);
        EXPECT_NEAR(row.values[0], v * A, 1e-12 * v * A) << t; // Q
        EXPECT_NEAR(row.values[1], v, 1e-12 * v) << t;
    }
}

// A row whose value the form cannot take is refused, not computed with the
// row before: bounds whose difference overflows, and a single-precision
// field (T1 of form 183) asked for values beyond its largest number.
TEST_F(RatingTableTest, RowsTheFormCannotTakeAreRefused)
{
    struct Case {
        int form;
        const char* vary;
        double from, to;
        int rows;
        std::vector<double> inputs;
        std::vector<bool> refused;
    };
    const Case cases[] = {
        {171, "h", -1.7e308, 1.7e308, 5, {-1.7e308, -8.5e307, 0, 8.5e307, 1.7e308}, {true, true, true, true, true}},
        {183, "T1", 1, 1e39, 4, {1, 1e39 / 3, 2e39 / 3, 1e39}, {false, false, true, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.form);
        const auto form = Opened(c.form);
        const RatingOutcome out = ComputeRatingTable(*form, {Id(*form, c.vary), c.from, c.to, 0, c.rows, {}});
        ASSERT_EQ(out.problem, "");
        ASSERT_EQ(out.table.rows.size(), c.inputs.size());
        for (size_t i = 0; i < c.inputs.size(); ++i) {
            const RatingRow& row = out.table.rows[i];
            SCOPED_TRACE(row.inputText);
            EXPECT_NEAR(row.input, c.inputs[i], 1e-14 * std::fabs(c.inputs[i]));
            // The input column shows the value of the row, a number.
            EXPECT_NEAR(std::stod(row.inputText), c.inputs[i], 1e-6 * std::fabs(c.inputs[i]));
            EXPECT_EQ(!row.refused.empty(), c.refused[i]) << row.refused;
            if (c.refused[i]) {
                EXPECT_TRUE(std::isnan(row.values.front()));
                EXPECT_EQ(row.refused.find("Bitte geben Sie eine Zahl ein"), std::string::npos);
            }
        }
    }
}

TEST_F(RatingTableTest, RequestsThatGiveNoTable)
{
    const auto form = Opened(130);
    struct Case {
        RatingRequest request;
        const char* problem;
    };
    const Case cases[] = {
        {{Id(*form, "Qv"), 1, 2, 1, 0, {}}, "Das Feld \"Qv\" (1014) ist ein Ergebnisfeld."},
        {{Id(*form, "I"), 1, 2, 1, 0, {}}, "Das Feld \"Gefälle\" (1004) ist gesperrt."},
        {{4711, 1, 2, 1, 0, {}}, "Das Formular 130 hat kein Feld 4711."},
        {{Id(*form, "n"), 1, 2, 1, 0, {4711}}, "Das Formular 130 hat kein Feld 4711."},
        {{Id(*form, "n"), 1, 2, 0, 0, {}}, "Die Schrittweite ist 0."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RatingRequestProblem(*form, c.request), c.problem);
        EXPECT_EQ(ComputeRatingTable(*form, c.request).problem, c.problem);
    }
    const std::vector<int> tabulable = TabulableFieldIds(*form, Id(*form, "n"));
    EXPECT_EQ(tabulable.size(), form->Fields().size() - 1);
}

} // namespace
} // namespace dralun
