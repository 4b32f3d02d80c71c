#include <gtest/gtest.h>

#include <cstdlib>

#include "core/CDataDirectory.h"
#include "testkit/TempDataDir.h"

namespace dralun {
namespace {

TEST(DataDirectory, EnvironmentOverridesTheFixedDirectory)
{
    test::TempDataDir dir;
    const std::string path = CDataDirectory::Path();
    EXPECT_EQ(path, dir.Path().string() + "/");
}

TEST(DataDirectory, WithoutOverrideItIsDralunInTheHomeDirectory)
{
    const char* saved = std::getenv("DRALUN_DATA_DIR");
    const std::string keep = saved ? saved : "";
    unsetenv("DRALUN_DATA_DIR");
    setenv("HOME", "/tmp/somebody", 1);
    EXPECT_EQ(CDataDirectory::Path(), "/tmp/somebody/Dralun/");
    if (saved)
        setenv("DRALUN_DATA_DIR", keep.c_str(), 1);
}

TEST(DataDirectory, NamesMatchWithoutRegardToLetterCase)
{
    test::TempDataDir dir;
    dir.Write("b2-5.bin", "lower");
    dir.Write("R3943MI.txt", "upper");
    EXPECT_EQ(CDataDirectory::File("B2-5.BIN"), dir.File("b2-5.bin"));
    EXPECT_EQ(CDataDirectory::File("R3943mi.txt"), dir.File("R3943MI.txt"));
    CFile f = CDataDirectory::Open("B2-5.BIN", "rb");
    ASSERT_TRUE(f);
    char buffer[8] = {};
    EXPECT_EQ(std::fread(buffer, 1, 5, f.get()), 5u);
    EXPECT_STREQ(buffer, "lower");
}

TEST(DataDirectory, WritingAnExistingFileInOtherCaseOverwritesIt)
{
    test::TempDataDir dir;
    dir.Write("rohr.txt", "old");
    {
        CFile f = CDataDirectory::Open("Rohr.txt", "w");
        ASSERT_TRUE(f);
        std::fputs("new\n", f.get());
    }
    EXPECT_EQ(dir.Read("rohr.txt"), "new\n");
    EXPECT_FALSE(dir.Exists("Rohr.txt") && dir.File("Rohr.txt") != CDataDirectory::File("rohr.txt"));
}

TEST(DataDirectory, AFileThatCannotBeCreatedGivesNoHandle)
{
    test::TempDataDir dir;
    setenv("DRALUN_DATA_DIR", (dir.Path() / "missing").string().c_str(), 1);
    EXPECT_FALSE(CDataDirectory::Open("Rohr.txt", "w"));
}

} // namespace
} // namespace dralun
