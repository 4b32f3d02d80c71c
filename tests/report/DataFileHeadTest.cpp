// The head of a rainfall file in the report: the lines above its table,
// from the bytes the computation read.
#include <gtest/gtest.h>

#include <memory>
#include <nlohmann/json.hpp>

#include "forms/CInfiltrationSwaleDlg.h"
#include "report/DataFileHead.h"
#include "report/Report.h"
#include "report/ReportWriters.h"
#include "testkit/TempDataDir.h"

namespace dralun {
namespace {

DataFileUse Rainfall(const std::string& content)
{
    return {"R.txt", content.size(), "ab", {"5 min ..."}, std::make_shared<const std::string>(content)};
}

TEST(DataFileHead, TakesTheLinesAboveTheTable)
{
    const std::string table = "              n = 2\nDauer   D[min]     hN     rN\n----\n   5 min     5    4.0  131.8\n";
    struct Case {
        std::string content;
        std::vector<std::string> head;
    } cases[] = {
        // Up to the empty line; the column head and the rows are not head.
        {"Regenreihe R1\nSynthetische Reihe, keine Messreihe\n\n" + table,
         {"Regenreihe R1", "Synthetische Reihe, keine Messreihe"}},
        // Up to the indented column head; CR LF and a byte-order mark.
        {"\xEF\xBB\xBFRegenreihe A, Rasterfeld 7\r\nToleranz: keine\r\n" + table,
         {"Regenreihe A, Rasterfeld 7", "Toleranz: keine"}},
        // Latin-1 read as such; a control character shown as a blank.
        {"Niederschlagsh\xF6he\x1b[2J\n\n", {"Niederschlagshöhe [2J"}},
        // At most nine lines, each of at most 128 characters.
        {"x\na\nb\nc\nd\ne\nf\ng\nh\ni\nj\n", {"x", "a", "b", "c", "d", "e", "f", "g", "h"}},
        {std::string(200, 'y') + "\n\n", {std::string(128, 'y')}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DataFileHead(Rainfall(c.content)), c.head) << c.content;
    // A table of the program's own, whose bytes the report does not hold.
    EXPECT_TRUE(DataFileHead({"Rohr.dat", 10, "cd", {}, nullptr}).empty());
}

TEST(DataFileHead, StandsWithTheFileInTextAndJson)
{
    Report r;
    r.files.push_back(Rainfall("Regenreihe R1\nSynthetische Reihe, keine Messreihe\n\n"));
    const std::string text = ReportText(r);
    EXPECT_NE(text.find("  R.txt, 51 Bytes\n    SHA-256 ab\n    Dateikopf:\n      Regenreihe R1\n"
                        "      Synthetische Reihe, keine Messreihe\n    5 min ...\n"),
              std::string::npos)
        << text;
    const nlohmann::json json = nlohmann::json::parse(ReportJson(r));
    EXPECT_EQ(json["files"][0]["head"],
              nlohmann::json::array({"Regenreihe R1", "Synthetische Reihe, keine Messreihe"}));
}

// The medium's series, read by the infiltration swale: its report says the
// rain is synthetic.
TEST(DataFileHead, TheSwalesReportSaysWhereItsRainCameFrom)
{
    test::TempDataDir dir;
    dir.CopyFromMedium("R3943MI.txt");
    CMessageLog log;
    CInfiltrationSwaleDlg form(log);
    form.Open();
    form.Click(CInfiltrationForm::kIdRainFromFile);
    form.Click(CInfiltrationForm::kIdLoadFile);
    form.Click(kIdOk);
    const std::string text = ReportText(BuildReport(form));
    EXPECT_NE(text.find("    Dateikopf:\n      Regenreihe R3943MI - Niederschlagshoehen hN [mm] und Regenspenden rN "
                        "[l/(s*ha)]\n      Synthetische Reihe fuer einen Flachlandstandort in Mitteldeutschland, "
                        "keine Messreihe\n"),
              std::string::npos)
        << text;
}

} // namespace
} // namespace dralun
