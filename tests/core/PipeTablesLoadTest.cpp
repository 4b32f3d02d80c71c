// Reading DN.ASC and A110KR.ASC: comment lines, atoi/atof columns split at
// blanks only, the 80-character line buffer, the limits, the dump file.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/CDataDirectory.h"
#include "core/PipeTables.h"
#include "core/TableText.h"
#include "forms/PipeRunFiles.h"
#include "testkit/TempDataDir.h"

namespace dralun {
namespace {

// The medium folder of this source tree, when the test environment does not
// name it.
const bool kMediumDirKnown = [] {
    const auto medium = std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "medium" / "Dralun";
    setenv("DRALUN_MEDIUM_DIR", medium.string().c_str(), 0);
    return true;
}();

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

const char* const kBadDiameter = "Datei mit Durchmessern enthält unzulässige(n) Durchmesser <50 oder >3000";

std::vector<int> Diameters(const PipeTables& pipe)
{
    return {pipe.diameters.begin() + 1, pipe.diameters.begin() + 1 + pipe.diameterCount};
}

struct Row {
    double q, v, h;
    bool operator==(const Row&) const = default;
};

std::vector<Row> Rows(const PipeTables& pipe)
{
    std::vector<Row> rows;
    for (int i = 1; i <= pipe.rowCount; ++i)
        rows.push_back({pipe.fillRatio[i], pipe.velocityRatio[i], pipe.depthRatio[i]});
    return rows;
}

std::string MissingText(const std::string& file)
{
    return "Die Datei " + file + " konnte nicht von " + CDataDirectory::Path() + "  eingelesen werden!";
}

// ---- the diameter table ----------------------------------------------------------

struct DiameterCase {
    const char* what;
    const char* file;
    std::vector<int> diameters;
    bool badMessage;
};

class DiameterFile : public ::testing::TestWithParam<DiameterCase> {};

TEST_P(DiameterFile, Reads)
{
    const DiameterCase& c = GetParam();
    test::TempDataDir dir;
    dir.Write("DN.ASC", c.file);
    dir.Write("A110KR.ASC", "0.01 0.3 0.07\n");
    PipeTables pipe;
    const std::vector<std::string> messages = LoadPipeRunTables(pipe);
    EXPECT_EQ(Diameters(pipe), c.diameters) << c.what;
    if (c.badMessage)
        EXPECT_THAT(messages, ElementsAre(kBadDiameter)) << c.what;
    else
        EXPECT_TRUE(messages.empty()) << c.what;
}

const std::string kLongLine = "150" + std::string(76, ' ') + "250\n"; // 79 characters fill the buffer

INSTANTIATE_TEST_SUITE_P(
    Lines, DiameterFile,
    ::testing::Values(DiameterCase{"comments", "; Nennweiten\n200\n300\n0400\n", {200, 300}, false},
                      DiameterCase{"colon comment", ":x\n200\n", {200}, false},
                      DiameterCase{"leading blank", " 250\n", {250}, false},
                      DiameterCase{"last line with end", "200\n300\n", {200, 300}, false},
                      DiameterCase{"last line without end", "200\n300", {200, 300}, false},
                      DiameterCase{"CR LF", "200\r\n300\r\n", {200, 300}, false},
                      DiameterCase{"text after the number", "300 mm\n", {300}, false},
                      DiameterCase{"bounds", "50\n3000\n", {50, 3000}, false},
                      DiameterCase{"40 is left out", "200\n40\n300\n", {200, 300}, true},
                      DiameterCase{"3001 is left out", "3001\n49\n2000\n", {2000}, true},
                      DiameterCase{"empty line reads 0", "200\n\n300\n", {200, 300}, true},
                      DiameterCase{"text reads 0", "DN 200\n300\n", {300}, true},
                      DiameterCase{"rest of a long line", kLongLine.c_str(), {150, 250}, false},
                      DiameterCase{"tab before the number", "\t400\n", {400}, false}));

TEST(DiameterFile, TakesNineteenDiametersAndSaysSo)
{
    test::TempDataDir dir;
    std::string file = "; 20 Nennweiten\n";
    std::vector<int> expected;
    for (int i = 1; i <= 20; ++i) {
        file += std::to_string(100 * i) + "\n";
        if (i <= 19)
            expected.push_back(100 * i);
    }
    dir.Write("DN.ASC", file);
    dir.Write("A110KR.ASC", "");
    PipeTables pipe;
    const std::vector<std::string> messages = LoadPipeRunTables(pipe);
    EXPECT_EQ(Diameters(pipe), expected);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Die Datei DN.ASC enthält mehr als 19 Durchmesser.\n"
                           "Nur die ersten 19 werden in die Liste übernommen.");
}

TEST(DiameterFile, MissingFileIsReportedAndThePartFillingTableStillLoaded)
{
    test::TempDataDir dir;
    dir.Write("A110KR.ASC", "0.01 0.3 0.07\n");
    PipeTables pipe;
    EXPECT_THAT(LoadPipeRunTables(pipe), ElementsAre(MissingText("DN.ASC")));
    EXPECT_EQ(pipe.diameterCount, 0);
    EXPECT_EQ(pipe.rowCount, 1);
    // Two blanks before "eingelesen", as the program has always written it.
    const char separator = static_cast<char>(std::filesystem::path::preferred_separator);
    EXPECT_NE(MissingText("DN.ASC").find(separator + std::string("  eingelesen werden!")), std::string::npos);
}

TEST(DiameterFile, NamesAreFoundInAnyLetterCase)
{
    test::TempDataDir dir;
    dir.Write("dn.asc", "300\n");
    dir.Write("a110kr.ASC", "0.01 0.3 0.07\n");
    PipeTables pipe;
    EXPECT_TRUE(LoadPipeRunTables(pipe).empty());
    EXPECT_THAT(Diameters(pipe), ElementsAre(300));
}

// ---- the part-filling table ------------------------------------------------------

struct TableCase {
    const char* what;
    std::string file;
    std::vector<Row> rows;
    std::string dump;
};

class PartFillingFile : public ::testing::TestWithParam<TableCase> {};

TEST_P(PartFillingFile, ReadsAndDumps)
{
    const TableCase& c = GetParam();
    test::TempDataDir dir;
    dir.Write("DN.ASC", "300\n");
    dir.Write("A110KR.ASC", c.file);
    PipeTables pipe;
    EXPECT_TRUE(LoadPipeRunTables(pipe).empty()) << c.what;
    EXPECT_THAT(Rows(pipe), ElementsAreArray(c.rows)) << c.what;
    EXPECT_EQ(dir.ReadText("dump-rohr.txt"), c.dump) << c.what;
}

const std::string kPadded = "0.01 0.5 0.1" + std::string(67, ' '); // 79 characters

INSTANTIATE_TEST_SUITE_P(
    Lines, PartFillingFile,
    ::testing::Values(
        TableCase{"comment and one row", "; Q/Qv v/vv h/D\n0.50 0.99 0.49\n", {{0.50, 0.99, 0.49}},
                  "0.50 0.99 0.49\n\n0.50\n0.99\n0.49\n"},
        TableCase{"several blanks", "   0.01   0.5  0.1\n", {{0.01, 0.5, 0.1}}, "   0.01   0.5  0.1\n\n0.01\n0.5\n0.1\n"},
        TableCase{"tab joins two columns", "0.50\t0.99 0.49\n", {{0.50, 0.49, 0}},
                  "0.50\t0.99 0.49\n\n0.50\t0.99\n0.49\n\n"},
        TableCase{"further columns ignored", "0.02 0.4 0.09 7 8\n", {{0.02, 0.4, 0.09}},
                  "0.02 0.4 0.09 7 8\n\n0.02\n0.4\n0.09\n"},
        TableCase{"empty line is a row of zeros", "0.01 0.3 0.07\n\n0.02 0.4 0.09\n",
                  {{0.01, 0.3, 0.07}, {0, 0, 0}, {0.02, 0.4, 0.09}},
                  "0.01 0.3 0.07\n\n0.01\n0.3\n0.07\n\n\n\n\n\n0.02 0.4 0.09\n\n0.02\n0.4\n0.09\n"},
        TableCase{"indented comment is a row", " ; keine\n", {{0, 0, 0}}, " ; keine\n\n;\nkeine\n\n"},
        TableCase{"CR LF", "; x\r\n0.01 0.3 0.07\r\n", {{0.01, 0.3, 0.07}}, "0.01 0.3 0.07\n\n0.01\n0.3\n0.07\n"},
        TableCase{"no line end at the end", "0.01 0.3 0.07", {{0.01, 0.3, 0.07}}, "0.01 0.3 0.07\n0.01\n0.3\n0.07\n"},
        TableCase{"rest of a long line is the next row", kPadded + "0.02 0.6 0.2\n",
                  {{0.01, 0.5, 0.1}, {0.02, 0.6, 0.2}},
                  kPadded + "\n0.01\n0.5\n0.1\n0.02 0.6 0.2\n\n0.02\n0.6\n0.2\n"},
        TableCase{"text columns read 0", "a b c\n", {{0, 0, 0}}, "a b c\n\na\nb\nc\n"}));

TEST(PartFillingFile, KeepsTheFirstHundredOf120Rows)
{
    test::TempDataDir dir;
    std::string file = "; 120 Zeilen\n";
    std::string dump;
    for (int i = 1; i <= 120; ++i) {
        const std::string line = std::to_string(i) + " " + std::to_string(2 * i) + " " + std::to_string(3 * i);
        file += line + "\n";
        if (i <= 100)
            dump += line + "\n\n" + std::to_string(i) + "\n" + std::to_string(2 * i) + "\n" + std::to_string(3 * i) +
                    "\n";
    }
    dir.Write("DN.ASC", "300\n");
    dir.Write("A110KR.ASC", file);
    PipeTables pipe;
    EXPECT_TRUE(LoadPipeRunTables(pipe).empty());
    ASSERT_EQ(pipe.rowCount, 100);
    EXPECT_EQ(pipe.fillRatio[100], 100);
    EXPECT_EQ(pipe.velocityRatio[100], 200);
    EXPECT_EQ(pipe.depthRatio[100], 300);
    EXPECT_EQ(dir.ReadText("dump-rohr.txt"), dump);
}

TEST(PartFillingFile, MissingFileIsReportedAndLeavesAnEmptyDump)
{
    test::TempDataDir dir;
    dir.Write("DN.ASC", "300\n");
    dir.Write("dump-rohr.txt", "alt\n");
    PipeTables pipe;
    EXPECT_THAT(LoadPipeRunTables(pipe), ElementsAre(MissingText("A110KR.ASC")));
    EXPECT_EQ(pipe.rowCount, 0);
    EXPECT_THAT(Diameters(pipe), ElementsAre(300));
    EXPECT_TRUE(dir.Exists("dump-rohr.txt"));
    EXPECT_EQ(dir.ReadText("dump-rohr.txt"), "");
}

TEST(PartFillingFile, BothMissingGiveBothMessagesInOrder)
{
    test::TempDataDir dir;
    PipeTables pipe;
    EXPECT_THAT(LoadPipeRunTables(pipe), ElementsAre(MissingText("DN.ASC"), MissingText("A110KR.ASC")));
}

TEST(PartFillingFile, TheFilesOfTheInstallationMediumLoadWithoutAMessage)
{
    test::TempDataDir dir;
    dir.CopyFromMedium("DN.ASC");
    dir.CopyFromMedium("A110KR.ASC");
    PipeTables pipe;
    EXPECT_TRUE(LoadPipeRunTables(pipe).empty());
    EXPECT_EQ(pipe.diameterCount, 19);
    EXPECT_EQ(pipe.diameters[1], 150);
    EXPECT_EQ(pipe.diameters[19], 3000);
    ASSERT_EQ(pipe.rowCount, 100);
    for (int i = 1; i <= 100; ++i)
        EXPECT_EQ(pipe.fillRatio[i], i / 100.0) << i; // the lookup takes row i for Q/Qv = i/100
}

TEST(PartFillingFile, RowsAndDiametersKeepTheirLinesAndTheFilesTheirStamps)
{
    test::TempDataDir dir;
    // A comment longer than the line buffer still counts as one line.
    const std::string dn = "; " + std::string(100, 'x') + "\n200\n\n300\n";
    const std::string table = ";\n; Q/Qv v/vv h/D\n0.01 0.3 0.07\r\n0.02 0.4 0.09\n";
    dir.Write("DN.ASC", dn);
    dir.Write("A110KR.ASC", table);
    PipeTables pipe;
    LoadPipeRunTables(pipe);
    ASSERT_EQ(pipe.diameterCount, 2);
    EXPECT_EQ(pipe.diameterLine[1], 2);
    EXPECT_EQ(pipe.diameterLine[2], 4);
    ASSERT_EQ(pipe.rowCount, 2);
    EXPECT_EQ(pipe.rowLine[1], 3);
    EXPECT_EQ(pipe.rowLine[2], 4);
    ASSERT_TRUE(pipe.diameterFile && pipe.tableFile);
    EXPECT_EQ(pipe.diameterFile->name, "DN.ASC");
    EXPECT_EQ(pipe.diameterFile->bytes, dn.size());
    EXPECT_EQ(pipe.diameterFile->sha256.size(), 64u);
    EXPECT_EQ(pipe.tableFile->name, "A110KR.ASC");
    EXPECT_EQ(pipe.tableFile->bytes, table.size());
}

TEST(PartFillingFile, TheReaderWritesNothingAndNamesWhatItFound)
{
    test::TempDataDir dir;
    dir.Write("DN.ASC", "200\n40\n");
    dir.Write("A110KR.ASC", "0.01 0.3 0.07\n");
    PipeTables tables;
    const PipeTablesLoad load = LoadPipeTables(tables);
    EXPECT_FALSE(dir.Exists("dump-rohr.txt")); // the form writes it
    EXPECT_EQ(load.dump, "0.01 0.3 0.07\n\n0.01\n0.3\n0.07\n");
    ASSERT_EQ(load.notes.size(), 1u);
    EXPECT_EQ(load.notes[0].problem, PipeTableProblem::DiameterOutOfRange);

    // Files that cannot be read leave the tables as they were.
    std::filesystem::remove(dir.File("DN.ASC"));
    std::filesystem::remove(dir.File("A110KR.ASC"));
    const PipeTablesLoad again = LoadPipeTables(tables);
    ASSERT_EQ(again.notes.size(), 2u);
    EXPECT_EQ(again.notes[0].problem, PipeTableProblem::DiameterFileUnreadable);
    EXPECT_EQ(again.notes[0].file.problem, FileProblem::Missing);
    EXPECT_EQ(again.notes[1].problem, PipeTableProblem::PartFillingFileUnreadable);
    EXPECT_THAT(Diameters(tables), ElementsAre(200));
    EXPECT_EQ(tables.rowCount, 1);
    EXPECT_EQ(again.dump, "");
}

// ---- line buffer and columns -----------------------------------------------------

TEST(TableText, ColumnsAreSeparatedByBlanksOnly)
{
    struct Case {
        const char* line;
        int n;
        const char* column;
    };
    const Case cases[] = {
        {"a b c\n", 1, "a"},      {"a b c\n", 3, "c"},    {"a b c\n", 4, ""},   {"  a   b\n", 2, "b"},
        {"a\tb c\n", 1, "a\tb"},  {"a\tb c\n", 2, "c"},   {"a b\r\n", 2, "b"},  {"a\rb\n", 2, ""},
        {"", 1, ""},              {"\n", 1, ""},          {"   \n", 1, ""},     {"x", 1, "x"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TableColumn(c.line, c.n), c.column) << c.line << " #" << c.n;
}

TEST(TableText, LinesAreReadLikeFgetsWithTheirLineEnd)
{
    test::TempDataDir dir;
    dir.Write("t.txt", std::string(79, 'x') + "yz\nab\r\ncd\re\n\nlast");
    CFile file = CDataDirectory::Open("t.txt", "rb");
    char line[kTableLineBuffer];
    std::vector<std::string> lines;
    while (ReadTableLine(file.get(), line, kTableLineBuffer))
        lines.push_back(line);
    EXPECT_THAT(lines, ElementsAre(std::string(79, 'x'), "yz\n", "ab\n", "cd\re\n", "\n", "last"));
}

} // namespace
} // namespace dralun
