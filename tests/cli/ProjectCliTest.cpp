// dralun-calc and project files, as a script uses them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>

#include "cli/CalcProcess.h"
#include "testkit/TempDataDir.h"

namespace dralun {
namespace {

using ::testing::HasSubstr;

using test::CalcOutput;

CalcOutput Calc(const std::string& arguments) { return test::RunCalc(arguments); }

class ProjectCli : public ::testing::Test {
protected:
    std::string File(const std::string& name) const { return "\"" + data.File(name).string() + "\""; }
    test::TempDataDir data;
};

TEST_F(ProjectCli, AddCheckAndReportInProjectOrder)
{
    const std::string p = File("b27.dralun");
    EXPECT_EQ(Calc("171 1000=40 --add-to " + p + " --name \"Drossel Nord\" --projekt \"B 27\"").status, 0);
    EXPECT_EQ(Calc("143 --add-to " + p).status, 0);
    const CalcOutput check = Calc("--project " + p + " --check");
    EXPECT_EQ(check.status, 0) << check.text;
    EXPECT_EQ(check.text, "1\tDrossel Nord\tgleich\n2\tStraßenseitengraben b 0.5 m, t 0.5 m\tgleich\n");

    const CalcOutput report = Calc("--project " + p + " --report json");
    ASSERT_EQ(report.status, 0);
    const nlohmann::json reports = nlohmann::json::parse(report.text);
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0]["form"], 171);
    EXPECT_EQ(reports[0]["header"]["projekt"], "B 27");
    EXPECT_EQ(reports[1]["form"], 143);
    EXPECT_THAT(Calc("--project " + p + " --report text").text, HasSubstr("Straßenseitengraben (Formular 143)"));
}

TEST_F(ProjectCli, ChangedResultExitsOneWithOldAndNewValue)
{
    const std::string p = File("p.dralun");
    ASSERT_EQ(Calc("171 --add-to " + p).status, 0);
    // d = sqrt(4 A / pi), A = 0.05 / (0.67 sqrt(2 g 0.6)): 0.16642830...
    std::string text = data.Read("p.dralun");
    const size_t at = text.find("\"0.166428301013283\"");
    ASSERT_NE(at, std::string::npos);
    data.Write("p.dralun", text.replace(at, 19, "\"0.17\""));
    const CalcOutput check = Calc("--project " + p + " --check");
    EXPECT_EQ(check.status, 1);
    EXPECT_THAT(check.text, HasSubstr("1\tDrossel Q 50 l/s, h 0.6 m\tabweichend\n"));
    EXPECT_THAT(check.text, HasSubstr("gespeichert 0.17, jetzt 0.166428301013283"));
}

TEST_F(ProjectCli, FileThatIsNoProjectExitsTwoAndStaysUnchanged)
{
    data.Write("notes.txt", "hello notes.txt");
    const CalcOutput check = Calc("--project " + File("notes.txt") + " --check");
    EXPECT_EQ(check.status, 2);
    EXPECT_THAT(check.text, HasSubstr("ist kein Dralun-Projekt"));
    EXPECT_EQ(Calc("171 --add-to " + File("notes.txt")).status, 2);
    EXPECT_EQ(data.Read("notes.txt"), "hello notes.txt");
    EXPECT_EQ(Calc("--project " + File("fehlt.dralun") + " --check").status, 2);
    EXPECT_EQ(Calc("--project " + File("notes.txt")).status, 2);
    EXPECT_EQ(Calc("--project " + File("notes.txt") + " --check --report json").status, 2);
}

} // namespace
} // namespace dralun
