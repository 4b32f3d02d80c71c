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

// Areas 5000 m² (ψ 0.9) and 0.2 ha (ψ 0.3) under r = 100 l/(s·ha), worked by
// hand: 45 + 6 = 51 l/s = 0.051 m³/s typed into the swale's Qerf.
TEST_F(SwaleReport, TheCatchmentQWasTypedFromIsAStepBlockWhileTheFieldShowsIt)
{
    FormInflow inflow;
    inflow.areas = {{"Fahrbahn", 5000, false, 0.9}, {"", 2000, true, 0.3}};
    inflow.rain = {100, "KOSTRA2020_117111.txt", std::string(64, 'a'), "15 min", 0.2};
    ASSERT_EQ(swale.TypeInflow(inflow), Refusal::None);
    Compute();
    const Report r = BuildReport(swale);
    ASSERT_TRUE(r.inflow);
    EXPECT_EQ(r.inflow->typed, "0.051");
    ASSERT_EQ(r.inflow->steps.size(), 4u); // two areas, the sum, the unit
    EXPECT_NEAR(r.inflow->steps[2].value, 51, 1e-12);
    EXPECT_NEAR(r.inflow->value, 0.051, 1e-15);

    const std::string text = ReportText(r);
    for (const char* line : {"Zufluss aus dem Einzugsgebiet\n", "  2  Fläche 2  0.2 ha = 2000  0.3\n",
                             "Regenspende r = 100 l/(s·ha), aus KOSTRA2020_117111.txt, D = 15 min, n = 0.2/a\n",
                             "     Q_zu = Q_1 + Q_2\n          = 45 + 6\n          = 51 l/s\n",
                             "     Q = Q_zu / 1000\n       = 51 / 1000\n       = 0.051 m³/s\n",
                             "In das Feld „Erforderlicher Abfluss Qerf“ übernommen: 0.051 m³/s\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
    // Between the inputs and the steps of the form.
    EXPECT_LT(text.find("Eingaben"), text.find("Zufluss aus dem"));
    EXPECT_LT(text.find("Zufluss aus dem"), text.find("Rechengang"));

    const auto doc = nlohmann::json::parse(ReportJson(r));
    EXPECT_EQ(doc["inflow"]["field"]["name"], "Qerf");
    EXPECT_EQ(doc["inflow"]["rain"]["sha256"], std::string(64, 'a'));
    EXPECT_EQ(doc["inflow"]["steps"][2]["expr"], "45 + 6");
    EXPECT_EQ(doc["inflow"]["value"].get<double>(), 0.051);

    // Another Q typed by the user: the table explains it no more.
    swale.Type(CSwaleDlg::kIdQerf, "0.06");
    Compute();
    const Report other = BuildReport(swale);
    EXPECT_FALSE(other.inflow);
    EXPECT_TRUE(nlohmann::json::parse(ReportJson(other))["inflow"].is_null());
    EXPECT_EQ(ReportText(other).find("Einzugsgebiet"), std::string::npos);
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
