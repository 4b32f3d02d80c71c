// dralun-calc writes the verdict of a form's check so that a script can
// read it and fail a design: a tab-separated line, a JSON member, and with
// --fail-unmet the exit status 3.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/CCalcDriver.h"
#include "core/NumberText.h"
#include "testkit/TempDataDir.h"

namespace dralun {
namespace {

struct Result {
    int status;
    std::string out;
};

Result Calc(std::vector<std::string> args)
{
    std::ostringstream out, err;
    const int status = CCalcDriver::Run(args, out, err);
    return {status, out.str()};
}

// The cells of the "verdict" line, or none.
std::vector<std::string> VerdictCells(const std::string& out)
{
    const size_t at = out.find("\nverdict\t");
    if (at == std::string::npos)
        return {};
    const std::string line = out.substr(at + 1, out.find('\n', at + 1) - at - 1);
    std::vector<std::string> cells;
    std::stringstream stream(line);
    for (std::string cell; std::getline(stream, cell, '\t');)
        cells.push_back(cell);
    return cells;
}

class VerdictCli : public ::testing::Test {
protected:
    void SetUp() override { m_data.CopyFromMedium("DN.ASC"), m_data.CopyFromMedium("A110KR.ASC"); }
    test::TempDataDir m_data;
};

TEST_F(VerdictCli, PlainOutputEndsWithTheVerdictLineOnBothSidesOfTheLimit)
{
    const struct {
        const char* q;
        const char* word;
        const char* relation;
        int failStatus;
    } cases[] = {{"40", "erfüllt", "Q <= Qv", 0}, {"150", "nicht erfüllt", "Q > Qv", 3}};
    for (const auto& c : cases) {
        const Result r = Calc({"rohr", std::string("Q=") + c.q});
        EXPECT_EQ(r.status, 0);
        const std::vector<std::string> cells = VerdictCells(r.out);
        ASSERT_EQ(cells.size(), 7u) << r.out;
        EXPECT_EQ(cells[1], c.word);
        EXPECT_EQ(cells[3], c.relation);
        EXPECT_EQ(cells[4], c.q);
        EXPECT_EQ(cells[6], "l/s");
        // The utilisation is the demand over the limit, in per cent.
        const double limit = ClassicAtof(cells[5]);
        EXPECT_NEAR(ClassicAtof(cells[2]), ClassicAtof(c.q) / limit * 100, 1e-9);
        EXPECT_EQ(r.out.substr(r.out.size() - 1), "\n");
        EXPECT_EQ(r.out.rfind("\nverdict\t") + 1, r.out.rfind('\n', r.out.size() - 2) + 1); // the last line

        EXPECT_EQ(Calc({"rohr", std::string("Q=") + c.q, "--fail-unmet"}).status, c.failStatus);
        const nlohmann::json doc = nlohmann::json::parse(Calc({"rohr", std::string("Q=") + c.q, "--json"}).out);
        EXPECT_EQ(doc["verdict"]["word"], c.word);
        EXPECT_EQ(doc["verdict"]["demand"]["value"], ClassicAtof(c.q));
        EXPECT_EQ(doc["verdict"]["limit"]["value"], limit);
    }
}

TEST_F(VerdictCli, NoVerdictWithoutCurrentResultsOrWithoutACriterion)
{
    // Results that do not belong to the inputs have no verdict, and fail a design.
    const Result stale = Calc({"rohr", "--no-compute", "Q=150", "--fail-unmet"});
    EXPECT_EQ(stale.status, 3);
    EXPECT_TRUE(VerdictCells(stale.out).empty());
    EXPECT_THAT(stale.out, ::testing::HasSubstr("\nstale\t"));
    EXPECT_TRUE(nlohmann::json::parse(Calc({"rohr", "--no-compute", "Q=150", "--json"}).out)["verdict"].is_null());

    // The time coefficient is a look-up: nothing to fulfil.
    const Result table = Calc({"zeitbeiwert", "--fail-unmet"});
    EXPECT_EQ(table.status, 0);
    EXPECT_TRUE(VerdictCells(table.out).empty());
    EXPECT_TRUE(nlohmann::json::parse(Calc({"zeitbeiwert", "--json"}).out)["verdict"].is_null());
}

TEST_F(VerdictCli, ReportsCarryTheVerdictAfterTheResults)
{
    const Result text = Calc({"rohr", "--report", "text", "Q=150"});
    const size_t verdict = text.out.find("\nNachweis\n");
    ASSERT_NE(verdict, std::string::npos);
    EXPECT_LT(text.out.find("\nErgebnisse\n"), verdict);
    EXPECT_THAT(text.out.substr(verdict), ::testing::HasSubstr("\n  Q = 150 l/s > Qv = "));
    EXPECT_THAT(text.out.substr(verdict), ::testing::HasSubstr("\n  nicht erfüllt\n"));
    const nlohmann::json doc = nlohmann::json::parse(Calc({"rohr", "--report", "json", "Q=40"}).out);
    EXPECT_EQ(doc["verdict"]["met"], true);
    EXPECT_EQ(doc["title"], "Rohr");
}

// The criteria chosen for a pipe run: a "criterion" line each before the
// verdict line, which stays the overall one. At the defaults Qv = 97.942
// l/s: Q = 85 uses 86.8 %, Q = 90 91.9 %. Q = 40 fills the pipe to
// Q/Qv = 0.408, about h/d = 0.45 at about vt = 0.97 vv = 1.35 m/s, well
// inside the limits asked on either side.
TEST_F(VerdictCli, CriterionLinesBeforeTheOverallVerdict)
{
    const struct {
        std::vector<std::string> events;
        const char* criterion; // word, relation
        const char* verdict;   // word, utilisation's relation
        int failStatus;
    } cases[] = {
        {{"Q=85", "eta_max=90"}, "erfüllt\teta <= eta_max", "erfüllt\tQ <= Qv", 0},
        {{"Q=90", "eta_max=90"}, "nicht erfüllt\teta > eta_max", "nicht erfüllt\tQ <= Qv", 3},
        {{"Q=40", "v_min=1"}, "erfüllt\tvt >= v_min", "erfüllt\tQ <= Qv", 0},
        {{"Q=40", "v_min=2"}, "nicht erfüllt\tvt < v_min", "nicht erfüllt\tQ <= Qv", 3},
        {{"Q=40", "hd_max=0.6"}, "erfüllt\thd <= hd_max", "erfüllt\tQ <= Qv", 0},
        {{"Q=40", "hd_max=0.3"}, "nicht erfüllt\thd > hd_max", "nicht erfüllt\tQ <= Qv", 3},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"rohr"};
        args.insert(args.end(), c.events.begin(), c.events.end());
        const Result r = Calc(args);
        const size_t criterion = r.out.find("\ncriterion\t" + std::string(c.criterion) + "\t");
        const std::vector<std::string> cells = VerdictCells(r.out);
        ASSERT_NE(criterion, std::string::npos) << r.out;
        ASSERT_EQ(cells.size(), 7u);
        EXPECT_EQ(cells[1] + "\t" + cells[3], c.verdict);
        EXPECT_LT(criterion, r.out.find("\nverdict\t"));
        EXPECT_EQ(r.out.find("\ncriterion\t", criterion + 1), std::string::npos); // one asked, one line

        args.push_back("--fail-unmet");
        EXPECT_EQ(Calc(args).status, c.failStatus);
        args.back() = "--json";
        const nlohmann::json doc = nlohmann::json::parse(Calc(args).out);
        ASSERT_EQ(doc["criteria"].size(), 1u);
        EXPECT_EQ(doc["criteria"][0]["met"], c.failStatus == 0);
        EXPECT_EQ(doc["verdict"]["met"], c.failStatus == 0);
    }
    // Not asked, no line: the output of today's inputs is as it was.
    EXPECT_EQ(Calc({"rohr", "Q=40"}).out.find("criterion"), std::string::npos);
}

// The inlet spacing checks the planned spacing against the inlet chosen.
// Table B2-5 at s = 1.5 % (halfway between rows 1.4 and 1.6 %), q_d = 1.5
// * 0.12 = 0.18 l/(s m): the smallest inlet capacity (I at b = 0.50 m, 8
// and 9 tenths) 0.85 l/s allows 4.722 m; II at b = 1.00 m (48 and 51
// tenths) 4.95 l/s allows 27.5 m.
TEST(InletChoiceCli, PlannedSpacingAgainstTheInletChosen)
{
    test::TempDataDir data;
    data.CopyWholeMedium();
    const struct {
        std::vector<std::string> choice;
        const char* word;
        double allowed;
    } cases[] = {
        {{}, "nicht erfüllt", 0.85 / 0.18},
        {{"ablauf=kleinster Wert", "b=kleinster Wert"}, "nicht erfüllt", 0.85 / 0.18},
        {{"ablauf=II", "b=1.00"}, "erfüllt", 4.95 / 0.18},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"165", "s=1.5", "q=0.12", "a_plan=25"};
        args.insert(args.end(), c.choice.begin(), c.choice.end());
        const std::vector<std::string> cells = VerdictCells(Calc(args).out);
        ASSERT_EQ(cells.size(), 7u);
        EXPECT_EQ(cells[1], c.word);
        EXPECT_NEAR(ClassicAtof(cells[5]), c.allowed, 1e-9);
    }
}

} // namespace
} // namespace dralun
