// The report of a form: what it holds, as text and as JSON, for a
// computation that went through and for one that was refused.
#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>

#include "forms/CSwaleDlg.h"
#include "report/Report.h"
#include "report/ReportWriters.h"

namespace dralun {
namespace {

const CalcStep* FindStep(const Report& r, const std::string& symbol)
{
    for (const CalcStep& s : r.steps)
        if (s.symbol == symbol)
            return &s;
    return nullptr;
}

class SwaleReport : public ::testing::Test {
protected:
    void SetUp() override { swale.Open(); }
    void Compute() { swale.Click(kIdOk); }
    CMessageLog log;
    CSwaleDlg swale{log};
};

TEST_F(SwaleReport, HoldsInputsChoicesStepsAndResultsAsTheFormShowsThem)
{
    swale.Type(CSwaleDlg::kIdB, "2.0"); // typed text is shown as the form rewrote it
    Compute();
    const Report r = BuildReport(swale, {"Ortsumgehung", "Mulde km 1+200", "M. Muster", "", ""});
    EXPECT_EQ(r.form, 132);
    EXPECT_EQ(r.method, "Leistungsfähigkeit einer Straßenmulde nach Manning-Strickler");
    EXPECT_EQ(r.header.date.size(), 10u); // today, dd.mm.yyyy
    ASSERT_FALSE(r.inputs.empty());
    EXPECT_EQ(r.inputs[0].symbol, "h");
    EXPECT_EQ(r.inputs[0].text, "0.3");
    EXPECT_EQ(r.inputs[0].unit, "m");
    EXPECT_EQ(r.inputs.back().label, "t = h");
    EXPECT_EQ(r.inputs.back().text, "ja");

    // Worked by hand for B = 2, h = t = 0.3, I = 1 ‰, kSt = 20: the circle
    // through the edges has r = (1 + 0.09) / 0.6; brim-full, equation (7)
    // is kSt · sqrt(I) · B/2 · t^(5/3).
    ASSERT_NE(FindStep(r, "r"), nullptr);
    EXPECT_NEAR(FindStep(r, "r")->value, 1.09 / 0.6, 1e-14);
    ASSERT_NE(FindStep(r, "Q_7"), nullptr);
    EXPECT_NEAR(FindStep(r, "Q_7")->value, 20 * std::sqrt(0.001) * std::pow(0.3, 5.0 / 3), 1e-14);
    // The hydraulic radius, not shown on the form, is a step.
    ASSERT_NE(FindStep(r, "R_K"), nullptr);

    ASSERT_FALSE(r.results.empty());
    EXPECT_EQ(r.results[0].symbol, "A_Kreis");
    EXPECT_TRUE(r.refusal.empty());
    EXPECT_TRUE(r.files.empty());
}

TEST_F(SwaleReport, ARefusedComputationHasTheInputsAndTheRefusalButNoResults)
{
    swale.Click(CSwaleDlg::kIdTEqualsH);
    swale.Type(CSwaleDlg::kIdT, "0.5"); // deeper than the swale
    Compute();
    const Report r = BuildReport(swale);
    EXPECT_FALSE(r.inputs.empty());
    EXPECT_TRUE(r.results.empty());
    EXPECT_TRUE(r.steps.empty());
    EXPECT_NE(r.refusal.find("Wassertiefe darf nicht größer"), std::string::npos);

    const std::string text = ReportText(r);
    EXPECT_NE(text.find("Eingaben"), std::string::npos);
    EXPECT_NE(text.find("Nicht berechnet"), std::string::npos);
    EXPECT_EQ(text.find("Ergebnisse"), std::string::npos);
    EXPECT_EQ(text.find("Rechengang"), std::string::npos);
    // The refusal is said once, not once more as a message.
    EXPECT_EQ(text.find("Wassertiefe darf"), text.rfind("Wassertiefe darf"));
}

TEST_F(SwaleReport, TheJsonHoldsEveryMemberAndValuesOfFifteenDigits)
{
    Compute();
    const auto doc = nlohmann::json::parse(ReportJson(BuildReport(swale, {"P", "B", "", "01.02.2027", ""})));
    for (const char* key : {"form", "title", "header", "inputs", "steps", "results", "messages", "files"})
        EXPECT_TRUE(doc.contains(key)) << key;
    EXPECT_EQ(doc["header"]["datum"], "01.02.2027");
    EXPECT_EQ(doc["inputs"][0]["id"], CSwaleDlg::kIdH);
    const auto& step = doc["steps"][0];
    for (const char* key : {"text", "symbol", "formula", "expr", "value", "unit"})
        EXPECT_TRUE(step.contains(key)) << key;
    EXPECT_EQ(step["expr"], "(2 * 2 / 4 + 0.3 * 0.3) / 2 / 0.3");
    EXPECT_EQ(step["value"].get<double>(), 1.81666666666667); // %.15g
    for (const auto& result : doc["results"])
        EXPECT_EQ(result["text"], swale.Text(result["id"].get<int>()));
}

TEST(ReadableFormula, SetsOperatorsApartAndKeepsSigns)
{
    const std::pair<const char*, const char*> cases[] = {
        {"2*sqrt(2*r*t - t*t)", "2 · sqrt(2 · r · t - t · t)"},
        {"(-0.5)^2", "(-0.5)^2"},
        {"1e-05*x+2.5E+3", "1e-05 · x + 2.5E+3"},
        {"min(a,1)", "min(a, 1)"},
        {"-x/2", "-x / 2"},
    };
    for (const auto& [formula, readable] : cases)
        EXPECT_EQ(ReadableFormula(formula), readable) << formula;
    EXPECT_EQ(LabelWithoutUnit("Muldenhöhe h [m]"), "Muldenhöhe h");
    EXPECT_EQ(LabelWithoutUnit("kSt [m1/3/s]"), "kSt");
    EXPECT_EQ(LabelWithoutUnit("Wasserspiegel-\nbreite b"), "Wasserspiegelbreite b");
    EXPECT_EQ(LabelWithoutUnit("Eintauchtiefe [m]\nobere Schwelle"), "Eintauchtiefe obere Schwelle");
    EXPECT_EQ(LabelWithoutUnit("Au je m [m²/m)"), "Au je m");
}

TEST(StepLines, ATakenValueIsOneLineAndNoLineRepeatsTheOneBefore)
{
    EXPECT_EQ(StepLines({"aus Tabelle", "K1", "1.60005331039429", {}, 1.60005331039429, "-"}),
              (std::vector<std::string>{"1.60005"}));
    EXPECT_EQ(StepLines({"Abfluss", "Qt", "Q", {{"Q", 40}}, 40, "l/s"}), (std::vector<std::string>{"Q", "40"}));
    EXPECT_EQ(StepLines({"Radius", "R", "A / lu", {{"A", 0.5}, {"lu", 2}}, 0.25, "m"}),
              (std::vector<std::string>{"A / lu", "0.5 / 2", "0.25"}));
}

} // namespace
} // namespace dralun
