#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/CDataDirectory.h"
#include "core/Platform.h"
#include "testkit/TempDataDir.h"

namespace dralun {
namespace {

TEST(DataDirectory, EnvironmentOverridesTheFixedDirectory)
{
    test::TempDataDir dir;
    const std::string path = CDataDirectory::Path();
    EXPECT_EQ(path, dir.Path().string() + static_cast<char>(std::filesystem::path::preferred_separator));
}

TEST(DataDirectory, WithoutOverrideItIsDralunInTheHomeDirectory)
{
    const char* saved = std::getenv("DRALUN_DATA_DIR");
    const std::string keep = saved ? saved : "";
    unsetenv("DRALUN_DATA_DIR");
#ifdef _WIN32
    EXPECT_EQ(CDataDirectory::Path(), "C:\\Dralun\\");
#else
    setenv("HOME", "/tmp/somebody", 1);
    EXPECT_EQ(CDataDirectory::Path(), "/tmp/somebody/Dralun/");
#endif
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
    EXPECT_EQ(dir.ReadText("rohr.txt"), "new\n");
    // One file, with the spelling it had: no second "Rohr.txt" beside it.
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"rohr.txt"});
}

TEST(DataDirectory, AFileThatCannotBeCreatedGivesNoHandle)
{
    test::TempDataDir dir;
    setenv("DRALUN_DATA_DIR", (dir.Path() / "missing").string().c_str(), 1);
    EXPECT_FALSE(CDataDirectory::Open("Rohr.txt", "w"));
}

// A data directory whose name has umlauts, as a German user names folders:
// its name reaches the system whole, for reading and for writing.
TEST(DataDirectory, AFolderNamedWithUmlautsWorks)
{
    test::TempDataDir base;
    const std::string name = "Straßenentwässerung Müller";
    const std::filesystem::path folder = base.Path() / platform::PathOf(name);
    std::filesystem::create_directory(folder);
    setenv("DRALUN_DATA_DIR", platform::TextOf(folder).c_str(), 1);
    EXPECT_NE(CDataDirectory::Path().find(name), std::string::npos);
    {
        CFile f = CDataDirectory::Open("Rohr.txt", "w");
        ASSERT_TRUE(f);
        std::fputs("DN 300\n", f.get());
    }
    EXPECT_TRUE(std::filesystem::is_regular_file(folder / "Rohr.txt"));
    const ReadableFile read = CDataDirectory::Read("ROHR.TXT");
    ASSERT_TRUE(read) << ProblemText(read);
    EXPECT_EQ(read.size, test::kLineEnd == std::string("\n") ? 7u : 8u);
}

// A name typed into a "Datei" field: without a folder part it is a file of
// the data directory, not of the folder the program was started in (which
// holds a file of the same name here); with one it is taken as given.
TEST(DataDirectory, ABareFileNameIsAFileOfTheDataDirectory)
{
    test::TempDataDir data;
    data.Write("KOSTRA2020_117111.txt", "data");
    test::TempDataDir work; // the working folder (the data directory is the one above again)
    setenv("DRALUN_DATA_DIR", data.Path().string().c_str(), 1);
    work.Write("KOSTRA2020_117111.txt", "work");
    std::filesystem::create_directory(work.Path() / "sub");
    const std::filesystem::path started = std::filesystem::current_path();
    std::filesystem::current_path(work.Path());
    const std::pair<std::string, std::filesystem::path> cases[] = {
        {"KOSTRA2020_117111.txt", data.File("KOSTRA2020_117111.txt")},
        {"kostra2020_117111.TXT", data.File("KOSTRA2020_117111.txt")},
        {"fehlt.txt", data.File("fehlt.txt")},
        {"./KOSTRA2020_117111.txt", std::filesystem::path(".") / "KOSTRA2020_117111.txt"},
        {"sub/fehlt.txt", std::filesystem::path("sub") / "fehlt.txt"},
        {work.File("KOSTRA2020_117111.txt").string(), work.File("KOSTRA2020_117111.txt")},
    };
    for (const auto& [typed, expected] : cases)
        EXPECT_EQ(CDataDirectory::UserFile(typed), expected) << typed;
    std::filesystem::current_path(started);
}

} // namespace
} // namespace dralun
