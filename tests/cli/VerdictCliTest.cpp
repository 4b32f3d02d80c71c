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

} // namespace
} // namespace dralun
