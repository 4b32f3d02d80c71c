// dralun-calc and project files, as a script uses them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <string>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

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
    // The title stands alone on the first line of its page, the form's number at its foot.
    EXPECT_THAT(Calc("--project " + p + " --report text").text, HasSubstr("\f\nStraßenseitengraben\n"));
    EXPECT_THAT(Calc("--project " + p + " --report text").text, HasSubstr("\nFormular 143\n"));
}

// A calculation that cannot be used is named at its place, in every kind
// of report and on standard error, and the status says so.
TEST_F(ProjectCli, ReportsNameAnUnusableCalculation)
{
    const std::string p = File("p.dralun");
    ASSERT_EQ(Calc("171 --add-to " + p + " --name Erste").status, 0);
    ASSERT_EQ(Calc("143 --add-to " + p + " --name Zweite").status, 0);
    nlohmann::json project = nlohmann::json::parse(data.Read("p.dralun"));
    project["calculations"][0]["form"] = 999;
    data.Write("p.dralun", project.dump());
    const CalcOutput json = Calc("--project " + p + " --report json");
    EXPECT_EQ(json.status, 1);
    EXPECT_THAT(json.text, HasSubstr("dralun-calc: Nr. 1 \"Erste\" nicht verwendbar: unbekanntes Formular 999"));
    const CalcOutput text = Calc("--project " + p + " --report text");
    EXPECT_EQ(text.status, 1);
    EXPECT_THAT(text.text, HasSubstr("Nr. 1 \"Erste\" nicht verwendbar"));
    EXPECT_THAT(text.text, HasSubstr("\f\nStraßenseitengraben\n"));
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

#ifndef _WIN32
// Two scripts adding to one project at the same time: each waits for the
// other's lock, so every calculation of the 100 rounds is there.
TEST_F(ProjectCli, TwoConcurrentAddsLoseNothing)
{
    const std::string add = "(" + std::string(DRALUN_CALC) + " 171 --add-to " + File("p.dralun") +
                            " >/dev/null 2>&1 || echo fehlgeschlagen)";
    const std::string rounds =
        "for i in $(seq 100); do " + add + " & " + add + " & wait; done > " + File("status.txt");
    ASSERT_EQ(std::system(rounds.c_str()), 0);
    EXPECT_EQ(data.Read("status.txt"), "");
    const nlohmann::json project = nlohmann::json::parse(data.Read("p.dralun"));
    EXPECT_EQ(project["calculations"].size(), 200u);
}

// Added through a link: the link stays, its target gets the calculation
// and keeps its mode; a file the user may not write is refused.
TEST_F(ProjectCli, AddWritesThroughTheLinkKeepsTheModeRefusesReadOnly)
{
    namespace fs = std::filesystem;
    fs::create_directory(data.File("ablage"));
    ASSERT_EQ(Calc("171 --add-to " + File("ablage/p.dralun")).status, 0);
    ::chmod(data.File("ablage/p.dralun").c_str(), 0600);
    fs::create_symlink("ablage/p.dralun", data.File("p.dralun"));
    ASSERT_EQ(Calc("143 --add-to " + File("p.dralun")).status, 0);
    EXPECT_TRUE(fs::is_symlink(data.File("p.dralun")));
    EXPECT_EQ(nlohmann::json::parse(data.Read("ablage/p.dralun"))["calculations"].size(), 2u);
    EXPECT_EQ(fs::status(data.File("ablage/p.dralun")).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    if (::geteuid() == 0)
        return; // root may write every file
    ::chmod(data.File("ablage/p.dralun").c_str(), 0400);
    const CalcOutput refused = Calc("171 --add-to " + File("p.dralun"));
    EXPECT_EQ(refused.status, 2);
    EXPECT_THAT(refused.text, HasSubstr("kann nicht als \"p.dralun\" gespeichert werden (Zugriff verweigert)"));
    EXPECT_EQ(nlohmann::json::parse(data.Read("ablage/p.dralun"))["calculations"].size(), 2u);
}
#endif

} // namespace
} // namespace dralun
