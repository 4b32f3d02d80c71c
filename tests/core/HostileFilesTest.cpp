// What the readers and writers of the data directory do with names that
// are not table files: a FIFO, a link to /dev/zero, a directory, a file far
// larger than any table. None may stall the program or read as an empty
// table; each is "cannot be read", with the reason, and the data the form
// held stays. Every case runs under a time limit.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "core/CDataDirectory.h"
#include "core/PipeTables.h"
#include "core/CRainfallTable.h"
#include "core/CThrottleSection.h"
#include "forms/PipeRunFiles.h"
#include "forms/CThrottleSectionDlg.h"
#include "forms/RainfallFileLoad.h"
#include "testkit/HostileFiles.h"
#include "testkit/TempDataDir.h"

namespace dralun {
namespace {

using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::Not;
using test::Hostile;

// What the message says about each kind.
std::string Reason(Hostile kind)
{
    switch (kind) {
    case Hostile::Fifo: return "ist eine benannte Pipe (FIFO) und keine Datei.";
    case Hostile::DevZero: return "ist ein Gerät und keine Datei.";
    case Hostile::Directory: return "ist ein Verzeichnis und keine Datei.";
    case Hostile::Huge: return "ist mit 2097152 Bytes zu groß (eine Datendatei hat höchstens 1048576 Bytes).";
    }
    return {};
}

std::string KindName(const ::testing::TestParamInfo<Hostile>& info) { return test::HostileName(info.param); }

class HostileTable : public ::testing::TestWithParam<Hostile> {
protected:
    test::TempDataDir data;
    test::TimeLimit limit{10};
};

TEST_P(HostileTable, DiameterFileCannotBeRead)
{
    data.CopyFromMedium("A110KR.ASC");
    test::MakeHostile(data.File("DN.ASC"), GetParam());
    PipeTables pipe;
    const auto messages = LoadPipeRunTables(pipe);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Die Datei DN.ASC konnte nicht von " + CDataDirectory::Path() +
                               "  eingelesen werden!\nDN.ASC " + Reason(GetParam()));
    EXPECT_EQ(pipe.diameterCount, 0);
    EXPECT_EQ(pipe.rowCount, 100); // the part-filling table is still loaded
}

TEST_P(HostileTable, PartFillingTableCannotBeRead)
{
    data.CopyFromMedium("DN.ASC");
    test::MakeHostile(data.File("a110kr.asc"), GetParam());
    PipeTables pipe;
    const auto messages = LoadPipeRunTables(pipe);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Die Datei A110KR.ASC konnte nicht von " + CDataDirectory::Path() +
                               "  eingelesen werden!\nA110KR.ASC " + Reason(GetParam()));
    EXPECT_GT(pipe.diameterCount, 0);
    EXPECT_EQ(pipe.rowCount, 0);
}

TEST_P(HostileTable, RainfallFileCannotBeOpenedAndTheTableStays)
{
    data.CopyFromMedium("R3943MI.txt");
    CRainfallTable table;
    ASSERT_TRUE(table.Load(data.File("R3943MI.txt").string(), 1).loaded);
    const double firstRain = table.RowAt(1).intensity;
    ASSERT_GT(firstRain, 0);

    const std::string name = data.File("regen.txt").string();
    test::MakeHostile(name, GetParam());
    const RainfallFileLoad result = LoadRainfallFile(table, name, 1);
    EXPECT_FALSE(result.loaded);
    EXPECT_EQ(result.message, "Datei konnte nicht geöffnet werden!\nDatei-Namen prüfen!\n\n" + name + " " +
                                  Reason(GetParam()));
    EXPECT_EQ(table.RowAt(1).intensity, firstRain);
    EXPECT_EQ(table.RowsRead(), 18);
}

// A report or check file that is not a regular file is skipped, as one
// that cannot be created: the computation goes on, nothing waits.
TEST_P(HostileTable, ReportsAreSkippedAndNothingWaits)
{
    if (GetParam() == Hostile::Huge)
        GTEST_SKIP() << "a large regular file is simply overwritten";
    data.CopyFromMedium("DN.ASC");
    data.CopyFromMedium("A110KR.ASC");
    for (const char* name : {"Rohr.txt", "dump-rohr.txt", "dumpVN.txt", "dump-DrosselA111.txt"})
        test::MakeHostile(data.File(name), GetParam());
    PipeTables pipe;
    EXPECT_FALSE(CPipeRunReport().IsOpen());
    EXPECT_TRUE(LoadPipeRunTables(pipe).empty());
    EXPECT_EQ(pipe.rowCount, 100);
    const ThrottleResult throttle = ComputeThrottleSection(ThrottleInput{});
    EXPECT_FALSE(CThrottleSectionDlg::WriteDumpFile(throttle));
    EXPECT_NEAR(throttle.v, 2.898, 5e-4);
    EXPECT_FALSE(WriteRainfallCheckFile(CRainfallTable(), 1));
}

INSTANTIATE_TEST_SUITE_P(EveryKind, HostileTable, ::testing::ValuesIn(test::AllHostile()), KindName);

// ---- rainfall files that hold no rain ------------------------------------------

std::string Lines(const std::string& line, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += line;
    return text;
}

class RainlessFile : public ::testing::TestWithParam<std::tuple<const char*, std::string>> {};

TEST_P(RainlessFile, IsLoadedWithAWarning)
{
    test::TempDataDir data;
    data.Write("r.txt", std::get<1>(GetParam()));
    CRainfallTable table;
    const RainfallFileLoad result = LoadRainfallFile(table, data.File("r.txt").string(), 0.2);
    EXPECT_TRUE(result.loaded);
    EXPECT_TRUE(result.warning);
    EXPECT_THAT(result.message, HasSubstr("keine Regenspende über 0 l/(s·ha)")) << std::get<0>(GetParam());
    EXPECT_FALSE(table.HasRain());
}

INSTANTIATE_TEST_SUITE_P(
    NoRain, RainlessFile,
    ::testing::Values(std::make_tuple("zeros", Lines("5 min 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0\n", 29)),
                      std::make_tuple("empty rows", Lines("\n", 29)),
                      std::make_tuple("NUL bytes", std::string(4000, '\0')),
                      std::make_tuple("negative rain", Lines("5 min 0 0 0 0 0 0 0 0 -3 0 0 0 0 0 0 0\n", 29))));

TEST(RainfallCheckFile, IsNamedOnlyWhenItWasWritten)
{
    test::TempDataDir data;
    data.CopyFromMedium("R3943MI.txt");
    CRainfallTable table;
    const std::string file = data.File("R3943MI.txt").string();
    EXPECT_THAT(LoadRainfallFile(table, file, 1).message, EndsWith("dumpVN.txt\n vor."));

    // A directory in the place of the check file: it cannot be written
    // (whoever runs the test, root included).
    std::filesystem::remove(data.File("dumpVN.txt"));
    std::filesystem::create_directory(data.File("dumpVN.txt"));
    const RainfallFileLoad result = LoadRainfallFile(table, file, 1);
    EXPECT_TRUE(result.loaded);
    EXPECT_THAT(result.message, Not(HasSubstr("Daten liegen zur Kontrolle")));
    EXPECT_THAT(result.message, HasSubstr("dumpVN.txt konnte nicht geschrieben werden."));
}

} // namespace
} // namespace dralun
