// The lock of a project file: a lock file that cannot be taken is named
// with the real cause, a long project name still has a lock, and a file of
// several names is neither locked nor saved (each name would take a lock of
// its own, and the save would part them).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "core/Platform.h"
#include "project/ProjectFile.h"
#include "testkit/TempDataDir.h"

namespace dralun {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

Project OneEntry()
{
    Project p;
    p.AddRead(ProjectEntry{ProjectJsonValue::object({{"name", "x"}}), std::nullopt, "kein Formular"});
    return p;
}

#ifndef _WIN32
TEST(ProjectLock, ALockFileThatCannotBeTakenIsNamedWithItsCause)
{
    const struct {
        const char* what;
        std::function<void(const test::TempDataDir&)> prepare;
        const char* reason;
    } cases[] = {
        {"a link", [](const test::TempDataDir& d) { fs::create_symlink("anderswo", d.File("p.dralun.lock")); },
         "die Sperrdatei \"p.dralun.lock\" ist eine symbolische Verknüpfung und keine Datei"},
        {"a FIFO", [](const test::TempDataDir& d) { ::mkfifo(d.File("p.dralun.lock").c_str(), 0600); },
         "die Sperrdatei \"p.dralun.lock\" ist eine benannte Pipe (FIFO) und keine Datei"},
        {"a folder", [](const test::TempDataDir& d) { fs::create_directory(d.File("p.dralun.lock")); },
         "die Sperrdatei \"p.dralun.lock\" ist ein Verzeichnis und keine Datei"},
        {"a closed folder",
         [](const test::TempDataDir& d) { fs::permissions(d.Path(), fs::perms::owner_read | fs::perms::owner_exec); },
         "die Sperrdatei \"p.dralun.lock\" kann nicht angelegt werden (der Ordner erlaubt keine neuen Dateien)"},
    };
    for (const auto& c : cases) {
        test::TempDataDir data;
        if (std::string(c.what) == "a closed folder" && ::geteuid() == 0)
            continue; // root may write every folder
        data.Write("p.dralun", "alt");
        c.prepare(data);
        std::string error;
        EXPECT_FALSE(SaveProjectFile(data.File("p.dralun"), OneEntry(), &error)) << c.what;
        EXPECT_THAT(error, HasSubstr(c.reason)) << c.what;
        EXPECT_EQ(data.Read("p.dralun"), "alt") << c.what;
        fs::permissions(data.Path(), fs::perms::owner_all);
    }
}
#endif

TEST(ProjectLock, AProjectWithTheLongestNameIsSavedWithAShorterLock)
{
    test::TempDataDir data;
    // 255 bytes, the most a file name has: 124 umlauts of two bytes each,
    // ".dralun". "NAME.lock" would have 260.
    std::string name;
    for (int i = 0; i < 124; ++i)
        name += "\xC3\xA4";
    name += ".dralun";
    ASSERT_EQ(name.size(), 255u);
    const fs::path path = data.Path() / platform::PathOf(name);
    std::string error;
    ASSERT_TRUE(SaveProjectFile(path, OneEntry(), &error)) << error;
    EXPECT_TRUE(LoadProjectFile(path).ok);
    const std::string lock = platform::TextOf(ProjectLockFile(path).filename());
    EXPECT_LE(lock.size(), kLongestFileName);
    EXPECT_TRUE(fs::exists(ProjectLockFile(path)));
    // The cut falls between two umlauts, and another name has another lock.
    EXPECT_EQ(lock.substr(0, 232), name.substr(0, 232));
    EXPECT_EQ(lock.substr(232, 1), "-");
    EXPECT_NE(ProjectLockFile(path), ProjectLockFile(data.Path() / platform::PathOf(name.substr(0, 254) + "N")));
}

TEST(ProjectLock, AFileOfTwoNamesIsNeitherLockedNorParted)
{
    test::TempDataDir data;
    data.Write("p.dralun", "");
    fs::create_hard_link(data.File("p.dralun"), data.File("q.dralun"));
    for (const char* name : {"p.dralun", "q.dralun"}) {
        std::string error;
        EXPECT_FALSE(LockProjectFile(data.File(name), &error)) << name;
        EXPECT_THAT(error, HasSubstr("die Datei hat 2 Namen (harte Verknüpfungen)")) << name;
        EXPECT_FALSE(SaveProjectFile(data.File(name), OneEntry(), &error)) << name;
        EXPECT_FALSE(WriteProjectFile(data.File(name), OneEntry(), &error)) << name;
        EXPECT_THAT(error, HasSubstr("in getrennte Dateien teilen")) << name;
    }
    EXPECT_EQ(platform::HardLinkCount(data.File("p.dralun")), 2u);
    EXPECT_EQ(data.Read("q.dralun"), "");
}

} // namespace
} // namespace dralun
