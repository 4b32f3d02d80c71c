// A project keeps the rain it was computed with: it checks and reports
// alike on a machine whose data directory lacks the rainfall file or holds
// another one of that name.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>

#include "cli/CalcProcess.h"
#include "testkit/TempDataDir.h"

namespace dralun {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using test::RunCalc;

std::string Quoted(const std::filesystem::path& path) { return "\"" + path.string() + "\""; }

// The medium's series with every value of its rows about ten times as
// large ("131.8" becomes "1310.8"): another file of the same name.
std::string Tenfold(const std::string& series)
{
    std::string out;
    int line = 1;
    for (char c : series) {
        if (c == '.' && line > 9)
            out += '0';
        out += c;
        line += c == '\n';
    }
    return out;
}

class KeptRainCli : public ::testing::Test {
protected:
    // Machine A: the swale computed with the rain of the medium's series.
    void SetUp() override
    {
        machineA.CopyFromMedium("R3943MI.txt");
        project = Quoted(machineA.File("mulde.dralun"));
        const auto made = RunCalc("185 --click 1053 --click 1020 --add-to " + project + " --name Mulde");
        ASSERT_EQ(made.status, 0) << made.text;
        reportOnA = RunCalc("--project " + project + " --report json").text;
        series = machineA.Read("R3943MI.txt");
        // The form named the file by its path on machine A, which machine B lacks.
        std::filesystem::remove(machineA.File("R3943MI.txt"));
    }
    test::TempDataDir machineA;
    std::string project;
    std::string reportOnA;
    std::string series;
};

TEST_F(KeptRainCli, ChecksAndReportsAlikeWhereTheFileIsMissingOrAnother)
{
    const nlohmann::json kept = nlohmann::json::parse(machineA.Read("mulde.dralun"));
    const auto& file = kept["calculations"][0]["files"][0];
    EXPECT_EQ(file["name"], "R3943MI.txt");
    EXPECT_EQ(file["content"], series);

    for (const bool another : {false, true}) {
        test::TempDataDir machineB; // DRALUN_DATA_DIR points here now
        if (another)
            machineB.Write("R3943MI.txt", Tenfold(series));
        const auto check = RunCalc("--project " + project + " --check");
        EXPECT_EQ(check.status, 0) << check.text;
        EXPECT_THAT(check.text, HasSubstr("1\tMulde\tgleich\n"));
        EXPECT_THAT(check.text, HasSubstr("1\tMulde\tRegendaten aus der Kopie im Projekt: R3943MI.txt"));
        EXPECT_THAT(check.text, HasSubstr(another ? "im Datenverzeichnis steht eine andere Datei dieses Namens"
                                                  : "fehlt im Datenverzeichnis"));
        EXPECT_EQ(RunCalc("--project " + project + " --report json").text, reportOnA);
        if (!another) {
            EXPECT_FALSE(machineB.Exists("R3943MI.txt")) << "checking writes nothing";
        }
    }
}

// Without its copy (a project of an earlier version), the other file gives
// other results, and the check says so: the copy is what made them equal.
TEST_F(KeptRainCli, WithoutTheCopyAnotherFileChangesTheResults)
{
    nlohmann::ordered_json kept = nlohmann::ordered_json::parse(machineA.Read("mulde.dralun"));
    kept["calculations"][0]["files"][0].erase("content");
    machineA.Write("old.dralun", kept.dump());
    test::TempDataDir machineB;
    machineB.Write("R3943MI.txt", Tenfold(series));
    const auto check = RunCalc("--project " + Quoted(machineA.File("old.dralun")) + " --check");
    EXPECT_EQ(check.status, 1);
    EXPECT_THAT(check.text, Not(HasSubstr("gleich")));
    EXPECT_THAT(check.text, Not(HasSubstr("Kopie im Projekt")));
}

// A copy that is not the bytes its digest names makes the calculation
// unusable rather than silently computed from something else.
TEST_F(KeptRainCli, ATamperedCopyIsRefused)
{
    nlohmann::ordered_json kept = nlohmann::ordered_json::parse(machineA.Read("mulde.dralun"));
    std::string content = kept["calculations"][0]["files"][0]["content"];
    content[content.find("1")] = '2';
    kept["calculations"][0]["files"][0]["content"] = content;
    machineA.Write("bad.dralun", kept.dump());
    const auto check = RunCalc("--project " + Quoted(machineA.File("bad.dralun")) + " --check");
    EXPECT_EQ(check.status, 1);
    EXPECT_THAT(check.text, HasSubstr("nicht verwendbar"));
    EXPECT_THAT(check.text, HasSubstr("Prüfsumme"));
}

// Only the rainfall file the form's field names comes back from a project:
// a planted diameter table or a hidden file is refused, and NUL is no name.
TEST_F(KeptRainCli, ACopyOtherThanTheFieldsRainfallFileIsRefused)
{
    const struct {
        const char* name;
        const char* reason;
    } cases[] = {
        {"DN.ASC", "Kopie im Projekt abgelehnt: die Kopie \u201EDN.ASC\u201C ist nicht die Regendatei, die das Feld "
                   "\u201EDatei\u201C nennt"},
        {".bashrc", "Kopie im Projekt abgelehnt: die Kopie \u201E.bashrc\u201C ist nicht die Regendatei"},
        {"nul.txt", "nicht verwendbar: die Kopie der Datei \"nul.txt\" hat keinen Dateinamen"},
    };
    for (const auto& c : cases) {
        nlohmann::ordered_json kept = nlohmann::ordered_json::parse(machineA.Read("mulde.dralun"));
        // "x" has the SHA-256 2d711642b726b04401627ca9fbac32f5c8530fb1903cc4db02258717921a4881.
        kept["calculations"][0]["files"].push_back(
            {{"name", c.name},
             {"sha256", "2d711642b726b04401627ca9fbac32f5c8530fb1903cc4db02258717921a4881"},
             {"content", "x"}});
        machineA.Write("planted.dralun", kept.dump());
        const auto check = RunCalc("--project " + Quoted(machineA.File("planted.dralun")) + " --check");
        EXPECT_EQ(check.status, 1) << c.name;
        EXPECT_THAT(check.text, HasSubstr(c.reason)) << c.name;
    }
}

} // namespace
} // namespace dralun
