// Replacing a file whole where others use it too: a link is written
// through, the mode of the file replaced stays, a file this user may not
// write is refused, only abandoned temporary files are removed, and a lock
// excludes a second holder.
#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "core/FileLock.h"
#include "core/ReplaceFile.h"
#include "testkit/TempDataDir.h"

namespace dralun {
namespace {

namespace fs = std::filesystem;

std::string Namer() { return RandomTempName(".test-save-"); }

#ifndef _WIN32
TEST(ReplaceFile, LinkIsWrittenThroughToItsTarget)
{
    test::TempDataDir data;
    fs::create_directory(data.File("ablage"));
    data.Write("ablage/p.dralun", "alt");
    fs::create_symlink("ablage/p.dralun", data.File("p.dralun"));
    ASSERT_EQ(ReplaceFileWhole(data.File("p.dralun"), "neu", Namer), 0);
    EXPECT_TRUE(fs::is_symlink(data.File("p.dralun")));
    EXPECT_EQ(data.Read("ablage/p.dralun"), "neu");
    EXPECT_EQ(std::distance(fs::directory_iterator(data.File("ablage")), {}), 1); // no temporary file left
}

TEST(ReplaceFile, ModeOfTheReplacedFileStays)
{
    for (const mode_t mode : {0600, 0664, 0640}) {
        test::TempDataDir data;
        data.Write("p.dralun", "alt");
        ::chmod(data.File("p.dralun").c_str(), mode);
        const mode_t umask = ::umask(022);
        const int failed = ReplaceFileWhole(data.File("p.dralun"), "neu", Namer);
        ::umask(umask);
        ASSERT_EQ(failed, 0);
        struct stat st {};
        ASSERT_EQ(::stat(data.File("p.dralun").c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, mode) << std::oct << mode;
        EXPECT_EQ(data.Read("p.dralun"), "neu");
    }
}

#endif

// chmod 444 on POSIX, the read-only attribute on Windows.
TEST(ReplaceFile, FileTheUserMayNotWriteIsRefused)
{
#ifndef _WIN32
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may write every file";
#endif
    test::TempDataDir data;
    data.Write("p.dralun", "alt");
    fs::permissions(data.File("p.dralun"), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(ReplaceFileWhole(data.File("p.dralun"), "neu", Namer), EACCES);
    EXPECT_EQ(data.Read("p.dralun"), "alt");
    fs::permissions(data.File("p.dralun"), fs::perms::owner_write, fs::perm_options::add); // for the clean-up
}

TEST(ReplaceFile, OnlyAbandonedTempFilesAreRemoved)
{
    test::TempDataDir data;
    const std::string old = ".test-save-00000000000000aa", young = ".test-save-00000000000000bb";
    for (const std::string& name : {old, young, std::string("eigene.txt")})
        data.Write(name, "halb");
    const auto written = fs::file_time_type::clock::now() - std::chrono::minutes(61);
    fs::last_write_time(data.File(old), written);
    fs::last_write_time(data.File("eigene.txt"), written);
    RemoveAbandonedTempFiles(data.Path(), [](const std::string& name) { return IsRandomTempName(name, ".test-save-"); });
    EXPECT_FALSE(data.Exists(old));
    EXPECT_TRUE(data.Exists(young)); // perhaps another program's save in progress
    EXPECT_TRUE(data.Exists("eigene.txt"));
}

TEST(FileLock, SecondHolderWaitsUntilTheFirstReleases)
{
    test::TempDataDir data;
    int error = -1;
    FileLock first = FileLock::Acquire(data.File("p.dralun.lock"), std::chrono::milliseconds(0), &error);
    ASSERT_TRUE(first);
    EXPECT_EQ(error, 0);
    const auto start = std::chrono::steady_clock::now();
    const FileLock second = FileLock::Acquire(data.File("p.dralun.lock"), std::chrono::milliseconds(100), &error);
    EXPECT_FALSE(second);
    EXPECT_EQ(error, EWOULDBLOCK);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
    first.Release();
    EXPECT_TRUE(FileLock::Acquire(data.File("p.dralun.lock"), std::chrono::milliseconds(0), &error));
}

} // namespace
} // namespace dralun
