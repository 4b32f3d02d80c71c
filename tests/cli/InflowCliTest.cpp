// dralun-calc FORM --inflow A:PSI,... --rain R types the design discharge of
// the catchment into the form's discharge field, in the form's unit.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/CCalcDriver.h"
#include "forms/RunoffCoefficients.h"
#include "testkit/TempDataDir.h"

namespace dralun {
namespace {

struct Result {
    int status;
    std::string out, err;
};

Result Calc(std::vector<std::string> args)
{
    std::ostringstream out, err;
    const int status = CCalcDriver::Run(args, out, err);
    return {status, out.str(), err.str()};
}

class InflowCli : public ::testing::Test {
protected:
    void SetUp() override { m_data.CopyFromMedium("DN.ASC"), m_data.CopyFromMedium("A110KR.ASC"); }
    test::TempDataDir m_data;
};

TEST_F(InflowCli, TypesTheDischargeInTheFormsUnitBeforeTheOtherEvents)
{
    // (5000 · 0.9 + 2000 · 0.3) · 100 / 10000 = 51 l/s into the pipe run's Q.
    const Result pipe = Calc({"rohr", "--inflow", "5000:0.9,2000:0.3", "--rain", "100"});
    EXPECT_EQ(pipe.status, 0) << pipe.err;
    EXPECT_NE(pipe.out.find("\n1000\t51\n"), std::string::npos) << pipe.out;
    EXPECT_NE(pipe.out.find("\nverdict\t"), std::string::npos) << pipe.out;
    // 5000 · 0.9 · 100 / 10000 = 45 l/s = 0.045 m³/s into the swale's Qerf,
    // which the verdict line names as the demand.
    const Result swale = Calc({"mulde", "--inflow", "5000:0.9", "--rain", "100"});
    EXPECT_EQ(swale.status, 0) << swale.err;
    EXPECT_NE(swale.out.find("\nverdict\t"), std::string::npos) << swale.out;
    EXPECT_NE(swale.out.find("\tQerf <= Q_min\t0.045\t"), std::string::npos) << swale.out;
    // An event typed by the user comes after, and so wins.
    EXPECT_NE(Calc({"rohr", "--inflow", "5000:0.9", "--rain", "100", "Q=40"}).out.find("\n1000\t40\n"),
              std::string::npos);
}

TEST_F(InflowCli, TheReportCarriesTheAreasAndStepsWhileTheFieldShowsTheirQ)
{
    // 45 + 6 = 51 l/s; the second area unnamed.
    const Result json = Calc({"rohr", "--inflow", "Fahrbahn=5000:0.9,2000:0.3", "--rain", "100", "--report", "json"});
    ASSERT_EQ(json.status, 0) << json.err;
    const auto inflow = nlohmann::json::parse(json.out)["inflow"];
    EXPECT_EQ(inflow["areas"][0]["name"], "Fahrbahn");
    EXPECT_EQ(inflow["areas"][1]["name"], "Fläche 2");
    EXPECT_EQ(inflow["rain"]["source"], "eingegeben");
    EXPECT_EQ(inflow["steps"].size(), 3u);
    EXPECT_EQ(inflow["value"].get<double>(), 51);
    const Result text = Calc({"mulde", "--inflow", "5000:0.9,2000:0.3", "--rain", "100", "--report", "text"});
    EXPECT_NE(text.out.find("\n     Q = Q_zu / 1000\n       = 51 / 1000\n       = 0.051 m³/s\n"), std::string::npos)
        << text.out;
    // The user's own Q after: the report explains no Q it does not show.
    const Result typed = Calc({"rohr", "--inflow", "5000:0.9", "--rain", "100", "Q=40", "--report", "json"});
    EXPECT_TRUE(nlohmann::json::parse(typed.out)["inflow"].is_null()) << typed.out;
}

// Kept in a project, the table comes back with the calculation: it checks
// alike and its report explains the same 51 l/s; a table edited in the file
// so that it no longer gives the Q shown is named as a change.
TEST_F(InflowCli, AProjectKeepsTheTableWithItsCalculation)
{
    const std::string p = m_data.File("zufluss.dralun").string();
    ASSERT_EQ(Calc({"rohr", "--inflow", "Fahrbahn=5000:0.9,2000:0.3", "--rain", "100", "--add-to", p}).status, 0);
    const Result check = Calc({"--project", p, "--check"});
    EXPECT_EQ(check.status, 0) << check.out;
    const auto reports = nlohmann::json::parse(Calc({"--project", p, "--report", "json"}).out);
    EXPECT_EQ(reports[0]["inflow"]["areas"][0]["name"], "Fahrbahn");
    EXPECT_EQ(reports[0]["inflow"]["value"].get<double>(), 51);

    auto project = nlohmann::ordered_json::parse(m_data.Read("zufluss.dralun"));
    project["calculations"][0]["inflow"]["rain"]["r"] = 200; // 102 l/s, while the field shows 51
    m_data.Write("edited.dralun", project.dump());
    const Result edited = Calc({"--project", m_data.File("edited.dralun").string(), "--check"});
    EXPECT_EQ(edited.status, 1);
    EXPECT_NE(edited.out.find("Zufluss-Tabelle: gespeichert Q = 51, jetzt gibt diesen Wert nicht mehr"),
              std::string::npos)
        << edited.out;
}

TEST_F(InflowCli, RefusesAFormWithoutInflowAndMalformedValuesWithStatusTwo)
{
    const Result none = Calc({"zeitbeiwert", "--inflow", "5000:0.9", "--rain", "100"});
    EXPECT_EQ(none.status, 2);
    EXPECT_NE(none.err.find("zeitbeiwert"), std::string::npos) << none.err;
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"--inflow", "5000", "--rain", "100"},
          {"--inflow", "5000:0.9,", "--rain", "100"},
          {"--inflow", "5000:1.5", "--rain", "100"},
          {"--inflow", "-1:0.5", "--rain", "100"},
          {"--inflow", "5000:0,9", "--rain", "100"},
          {"--inflow", "5000:0.9", "--rain", "-5"},
          {"--inflow", "5000:0.9", "--rain", "0"}, // no rain, no design discharge
          {"--inflow", "5000:0.9", "--rain", "abc"},
          {"--inflow", "5000:0.9"},
          {"--inflow", "Fahrbahn=5000", "--rain", "100"},
          {"--rain", "100"}}) {
        std::vector<std::string> args{"rohr"};
        args.insert(args.end(), bad.begin(), bad.end());
        EXPECT_EQ(Calc(args).status, 2) << bad[1];
    }
}

// Areas and rain within their ranges whose Q = ψ · A · r / 10000 lies beyond
// any number (10^300 · 10^300 / 10^4) are told so, not that a value lies
// outside its range; a second --inflow or --rain would silently replace the
// first: refused.
TEST_F(InflowCli, ADischargeBeyondAnyNumberAndARepeatedOptionAreRefusedAsSuch)
{
    struct Case {
        std::vector<std::string> args;
        const char* says;
    };
    for (const Case& c : std::vector<Case>{
             {{"--inflow", "1e300:1", "--rain", "1e300"}, "größer als jede Zahl"},
             {{"--inflow", "1e308:1,1e308:1", "--rain", "10000"}, "größer als jede Zahl"},
             {{"--inflow", "5000:0.9", "--inflow", "2000:0.3", "--rain", "100"}, "--inflow steht zweimal"},
             {{"--inflow", "5000:0.9", "--rain", "100", "--rain", "200"}, "--rain steht zweimal"}}) {
        std::vector<std::string> args{"rohr"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const Result r = Calc(args);
        EXPECT_EQ(r.status, 2) << c.args[1];
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find("PSI von 0 bis 1"), std::string::npos) << r.err;
    }
}

// The typical ψ of the window are mean coefficients; --help says so, as
// the list does, and that Q needs peak coefficients.
TEST_F(InflowCli, HelpSaysWhichCoefficientsTheTypicalValuesAre)
{
    const std::string source = RunoffCoefficientSource();
    EXPECT_NE(source.find("mittlere Abflussbeiwerte"), std::string::npos) << source;
    EXPECT_NE(source.find("Spitzenabflussbeiwerte"), std::string::npos) << source;
    EXPECT_NE(Calc({"--help"}).out.find(source), std::string::npos);
}

} // namespace
} // namespace dralun
