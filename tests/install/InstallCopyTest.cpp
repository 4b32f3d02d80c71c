#include <gtest/gtest.h>

#include <set>

#include "FakeMedium.h"
#include "install/CInstallCopy.h"
#include "testkit/TempDataDir.h"

namespace dralun::install {
namespace {

using test::FakeMedium;
using test::TempDataDir;

TEST(CopyList, HoldsTheThirtySixFilesInOrder)
{
    const auto& list = CopyList();
    ASSERT_EQ(list.size(), 36u);
    const char* const first[] = {"DN.ASC", "A110KR.ASC", "A110MA.ASC", "A110EI.ASC", "R3943MI.txt",
                                 "b1-0.bin", "b1-5.bin", "b2-0.bin"};
    for (size_t i = 0; i < std::size(first); ++i)
        EXPECT_EQ(list[i].source, first[i]);
    EXPECT_EQ(list[15].source, "b6-0.bin");
    EXPECT_EQ(list[16].source, "ab1-0.bin");
    EXPECT_EQ(list[26].source, "ab6-0.bin");
    EXPECT_EQ(list[27].source, "sp7-0.bin");
    EXPECT_EQ(list[35].source, "sp15-0.bin");
    std::set<std::string> names;
    for (const auto& item : list) {
        EXPECT_EQ(item.source, item.target);
        names.insert(item.target);
    }
    EXPECT_EQ(names.size(), 36u);
}

TEST(Install, CopiesEveryFileWholeAndByteForByte)
{
    FakeMedium medium;
    TempDataDir data;
    const auto target = data.Path() / "neu" / "Dralun"; // created by the installation
    const InstallResult result = Install(medium.Path(), target);
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(result.copied, 36);
    EXPECT_EQ(result.message, "Verzeichnis Dralun erstellt, Dateien übertragen");
    for (const auto& item : CopyList())
        EXPECT_EQ(test::ReadFile(target / item.target), FakeMedium::Content(item.source)) << item.target;
    EXPECT_EQ(std::filesystem::file_size(target / "R3943MI.txt"), 10000u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(target), {}), 36); // no temporary files left
}

TEST(Install, TwiceInARowOverwrites)
{
    FakeMedium medium;
    TempDataDir data;
    ASSERT_TRUE(Install(medium.Path(), data.Path()).ok);
    data.Write("DN.ASC", "vom Benutzer geändert");
    ASSERT_TRUE(Install(medium.Path(), data.Path()).ok);
    EXPECT_EQ(data.Read("DN.ASC"), FakeMedium::Content("DN.ASC"));
}

TEST(Install, AMissingFileStopsTheCopyThereAndNamesIt)
{
    FakeMedium medium;
    std::filesystem::remove(medium.Path() / "A110MA.ASC");
    TempDataDir data;
    data.Write("A110EI.ASC", "alt");
    const InstallResult result = Install(medium.Path(), data.Path());
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.copied, 2);
    EXPECT_EQ(result.failedFile, "A110MA.ASC");
    EXPECT_NE(result.message.find("A110MA.ASC"), std::string::npos);
    EXPECT_NE(result.message.find("nicht vorhanden"), std::string::npos);
    EXPECT_TRUE(data.Exists("DN.ASC"));
    EXPECT_TRUE(data.Exists("A110KR.ASC"));
    EXPECT_FALSE(data.Exists("A110MA.ASC"));
    EXPECT_EQ(data.Read("A110EI.ASC"), "alt"); // after the failure: untouched
    EXPECT_FALSE(data.Exists("R3943MI.txt"));
}

TEST(Install, AFailedWriteKeepsThePreviousFile)
{
    FakeMedium medium;
    TempDataDir data;
    data.Write("DN.ASC", "alt");
    std::filesystem::create_directory(data.File("A110KR.ASC")); // cannot be replaced by a file
    const InstallResult result = Install(medium.Path(), data.Path());
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.failedFile, "A110KR.ASC");
    EXPECT_EQ(data.Read("DN.ASC"), FakeMedium::Content("DN.ASC"));
    size_t entries = std::distance(std::filesystem::directory_iterator(data.Path()), {});
    EXPECT_EQ(entries, 2u); // DN.ASC and the directory; no temporary file left behind
}

TEST(Install, AFileInOtherLetterCaseIsReplacedNotDoubled)
{
    FakeMedium medium;
    TempDataDir data;
    data.Write("B2-5.BIN", "alt");
    ASSERT_TRUE(Install(medium.Path(), data.Path()).ok);
    EXPECT_EQ(data.Read("B2-5.BIN"), FakeMedium::Content("b2-5.bin"));
    EXPECT_FALSE(data.Exists("b2-5.bin"));
}

TEST(Install, MissingOnlyLeavesTheFilesThatAreThere)
{
    FakeMedium medium;
    TempDataDir data;
    data.Write("DN.ASC", "eigene Durchmesser");
    InstallOptions options;
    options.missingOnly = true;
    const InstallResult result = Install(medium.Path(), data.Path(), options);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.copied, 35);
    EXPECT_EQ(data.Read("DN.ASC"), "eigene Durchmesser");
}

TEST(FindMedium, AnExplicitFolderWins)
{
    EXPECT_EQ(FindMedium("/irgendwo/Dralun"), "/irgendwo/Dralun");
    EXPECT_TRUE(std::filesystem::is_directory(FindMedium({}))); // the project's medium from a build tree
}

} // namespace
} // namespace dralun::install
