// The verdict as the report writes it: under its own heading after the
// results, with the comparison in numbers, the utilisation and the word; in
// JSON with full precision; as one tab-separated line for a script.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>

#include "report/ReportWriters.h"
#include "report/VerdictText.h"

namespace dralun {
namespace {

const VerdictTerms kPipe{"Leistungsfähigkeit der Haltung", "Abfluss", "Q", "Leistungsfähigkeit bei Vollfüllung", "Qv",
                         "l/s"};

Verdict PipeVerdict(double q, double qv)
{
    return {kPipe, q, qv, qv > 0 ? q / qv * 100 : std::numeric_limits<double>::quiet_NaN(), qv > 0 && q <= qv, {}};
}

Report WithVerdict(const Verdict& v)
{
    Report r;
    r.form = 130;
    r.title = "Rohr";
    r.footNote = "Formular 130";
    r.results = {{1014, "Abfluss bei Vollfüllung", "Qv", "97.942", "l/s"}};
    r.verdict = v;
    return r;
}

struct Case {
    double q, qv;
    const char* comparison;
    const char* utilisation;
    const char* word;
    const char* line; // after "verdict\t"
};

class VerdictWriting : public ::testing::TestWithParam<Case> {};

TEST_P(VerdictWriting, ShowsTheComparisonUtilisationAndWord)
{
    const Case& c = GetParam();
    const Report r = WithVerdict(PipeVerdict(c.q, c.qv));
    const std::string text = ReportText(r);
    const size_t results = text.find("\nErgebnisse\n"), verdict = text.find("\nNachweis\n");
    ASSERT_NE(verdict, std::string::npos);
    EXPECT_LT(results, verdict);
    const std::string section = text.substr(verdict);
    EXPECT_NE(section.find("  Leistungsfähigkeit der Haltung\n"), std::string::npos);
    EXPECT_NE(section.find(std::string("  ") + c.comparison + "\n"), std::string::npos) << section;
    EXPECT_NE(section.find(std::string("  ") + c.utilisation + "\n"), std::string::npos) << section;
    EXPECT_NE(section.find(std::string("\n  ") + c.word + "\n"), std::string::npos) << section;
    // The form's number stands at the foot, not in the title.
    EXPECT_EQ(text.substr(0, 5), "Rohr\n");
    EXPECT_EQ(text.substr(text.size() - 14), "\nFormular 130\n");

    EXPECT_EQ(VerdictLine(*r.verdict), std::string("verdict\t") + c.line);
}

INSTANTIATE_TEST_SUITE_P(
    PipeRun, VerdictWriting,
    ::testing::Values(
        // 40 / 97.942 = 0.408405...; 150 / 97.942 = 1.531518...
        Case{40, 97.942, "Q = 40 l/s ≤ Qv = 97.942 l/s", "Ausnutzung η = Q / Qv = 40.8 %", "erfüllt",
             "erfüllt\t40.8404974372588\tQ <= Qv\t40\t97.942\tl/s"},
        Case{150, 97.942, "Q = 150 l/s > Qv = 97.942 l/s", "Ausnutzung η = Q / Qv = 153.2 %", "nicht erfüllt",
             "nicht erfüllt\t153.15186538972\tQ > Qv\t150\t97.942\tl/s"},
        // At the limit the check is met with all of the capacity used.
        Case{50, 50, "Q = 50 l/s ≤ Qv = 50 l/s", "Ausnutzung η = Q / Qv = 100.0 %", "erfüllt",
             "erfüllt\t100\tQ <= Qv\t50\t50\tl/s"},
        // A capacity of nothing gives no utilisation.
        Case{40, 0, "Q = 40 l/s > Qv = 0 l/s", "Ausnutzung η: keine, Qv ist nicht größer als 0", "nicht erfüllt",
             "nicht erfüllt\t-\tQ > Qv\t40\t0\tl/s"}));

TEST(VerdictJson, HoldsTheTermsFullPrecisionAndNullWithoutUtilisation)
{
    const nlohmann::json met = nlohmann::json::parse(ReportJson(WithVerdict(PipeVerdict(40, 97.9420180858426))));
    const nlohmann::json& v = met["verdict"];
    EXPECT_EQ(v["question"], "Leistungsfähigkeit der Haltung");
    EXPECT_EQ(v["demand"]["symbol"], "Q");
    EXPECT_EQ(v["demand"]["text"], "Abfluss");
    EXPECT_EQ(v["demand"]["value"], 40.0);
    EXPECT_EQ(v["limit"]["symbol"], "Qv");
    EXPECT_EQ(v["limit"]["value"], 97.9420180858426); // not rounded for the page
    EXPECT_EQ(v["unit"], "l/s");
    EXPECT_NEAR(v["utilisation"].get<double>(), 4000 / 97.9420180858426, 1e-12);
    EXPECT_EQ(v["met"], true);
    EXPECT_EQ(v["word"], "erfüllt");

    const nlohmann::json none = nlohmann::json::parse(ReportJson(WithVerdict(PipeVerdict(40, 0))));
    EXPECT_TRUE(none["verdict"]["utilisation"].is_null());
    EXPECT_EQ(none["verdict"]["met"], false);
    EXPECT_EQ(none["verdict"]["word"], "nicht erfüllt");

    Report without = WithVerdict(PipeVerdict(1, 2));
    without.verdict.reset();
    EXPECT_TRUE(nlohmann::json::parse(ReportJson(without))["verdict"].is_null());
    EXPECT_EQ(ReportText(without).find("Nachweis"), std::string::npos);
}

// Each criterion chosen beside the check: a line of the verdict in words
// (before the word for all), a line for a script, an entry of the JSON.
TEST(VerdictCriteria, WrittenWithTheirNumbers)
{
    const struct {
        Criterion c;
        const char* text;
        const char* line;
    } cases[] = {
        {{"Ausnutzung", "eta", "Q / Qv * 100", "Q / Qv", "eta_max", "%", 91.4, 90, false, false},
         "η = Q / Qv = 91.4 % > ηmax = 90 %: nicht erfüllt", "criterion\tnicht erfüllt\teta > eta_max\t91.4\t90\t%"},
        {{"Selbstreinigung", "vt", "vt", "", "v_min", "m/s", 0.42, 0.5, true, false},
         "vt = 0.42 m/s < vmin = 0.5 m/s: nicht erfüllt", "criterion\tnicht erfüllt\tvt < v_min\t0.42\t0.5\tm/s"},
        {{"Füllungsgrad", "hd", "DrH / D", "DrH / D", "hd_max", "-", 0.5, 0.5, false, true},
         "h/d = DrH / D = 0.5 ≤ (h/d)max = 0.5: erfüllt", "criterion\terfüllt\thd <= hd_max\t0.5\t0.5\t-"},
        {{"Selbstreinigung", "vt", "vt", "", "v_min", "m/s", NAN, 0.5, true, false},
         "vt: kein Wert (keine Teilfüllung), vmin = 0.5 m/s: nicht erfüllt",
         "criterion\tnicht erfüllt\tvt < v_min\t-\t0.5\tm/s"},
    };
    for (const auto& k : cases) {
        Verdict v = PipeVerdict(40, 97.942); // met by Q <= Qv
        v.criteria.push_back(k.c);
        v.met = k.c.met;
        EXPECT_EQ(CriterionTextLine(k.c), k.text);
        const std::vector<std::string> lines = CriterionLines(v);
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0], k.line);

        const Report r = WithVerdict(v);
        const std::string text = ReportText(r);
        const std::string word = std::string("\n  ") + VerdictWord(k.c.met) + "\n";
        EXPECT_NE(text.find(std::string("  ") + k.text + word), std::string::npos) << text;
        const nlohmann::json json = nlohmann::json::parse(ReportJson(r));
        ASSERT_EQ(json["criteria"].size(), 1u);
        EXPECT_EQ(json["criteria"][0]["limitSymbol"], k.c.limitSymbol);
        EXPECT_EQ(json["criteria"][0]["met"], k.c.met);
        EXPECT_EQ(json["criteria"][0]["value"].is_null(), std::isnan(k.c.value));
        EXPECT_EQ(json["verdict"]["met"], k.c.met); // the verdict is the overall one
    }
    // Without criteria nothing is added: today's reports stay as they were.
    EXPECT_FALSE(nlohmann::json::parse(ReportJson(WithVerdict(PipeVerdict(40, 97.942)))).contains("criteria"));
}

} // namespace
} // namespace dralun
