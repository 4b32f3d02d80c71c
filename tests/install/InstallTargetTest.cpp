// The data directory the installer fills: creating it, and the temporary
// files through which every file reaches it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <chrono>
#include <sys/stat.h>
#include <unistd.h>

#include "FakeMedium.h"
#include "install/CInstallCopy.h"
#include "testkit/TempDataDir.h"

namespace dralun::install {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;

struct UncreatableDirectory {
    const char* what;
    fs::path (*make)(const fs::path& base); // the data directory to be
    const char* reason;
    bool rootMayCreate = false;
};

const UncreatableDirectory kUncreatable[] = {
    {"parent is a file",
     [](const fs::path& base) {
         std::ofstream(base / "datei") << "x";
         return base / "datei" / "Dralun";
     },
     "Ein Teil des Pfades ist kein Verzeichnis."},
    {"the directory is a file",
     [](const fs::path& base) {
         std::ofstream(base / "Dralun") << "x";
         return base / "Dralun";
     },
     "Ein Teil des Pfades ist kein Verzeichnis."},
    {"under /proc", [](const fs::path&) { return fs::path("/proc/dralun-install-test/Dralun"); },
     "Ein übergeordnetes Verzeichnis fehlt oder nimmt keine neuen Verzeichnisse auf."},
    {"read-only parent",
     [](const fs::path& base) {
         fs::create_directory(base / "nur-lesen");
         fs::permissions(base / "nur-lesen", fs::perms(0555));
         return base / "nur-lesen" / "Dralun";
     },
     "Der Zugriff wurde verweigert.", true},
};

TEST(InstallTarget, ADirectoryThatCannotBeCreatedIsNamedWithTheReason)
{
    for (const UncreatableDirectory& c : kUncreatable) {
        SCOPED_TRACE(c.what);
        if (c.rootMayCreate && ::geteuid() == 0)
            continue; // root writes into a read-only directory
        test::FakeMedium medium;
        test::TempDataDir data;
        const fs::path target = c.make(data.Path());
        const InstallResult result = Install(medium.Path(), target);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.copied, 0);
        EXPECT_EQ(result.message,
                  "Das Datenverzeichnis " + target.string() + " konnte nicht angelegt werden.\n" + c.reason);
        EXPECT_THAT(result.message, Not(HasSubstr("Die Datei ist nicht vorhanden.")));
    }
}

TEST(InstallTarget, LeftoversOfAnInterruptedRunAreRemovedOthersKept)
{
    test::FakeMedium medium;
    test::TempDataDir data;
    const char* const leftovers[] = {".dralun-install-0123456789abcdef", ".dralun-install-ffffffffffffffff",
                                     ".DN.ASC.install-123456"}; // the last one: the form of earlier versions
    // The young temporary file may be the live one of another installation
    // into the same directory at this moment.
    const char* const kept[] = {".dralun-install-notizen", ".dralun-install-0123456789ABCDEFG", "eigene.txt",
                                ".dralun-install-00000000000000aa"};
    const auto twoHoursAgo = fs::file_time_type::clock::now() - std::chrono::hours(2);
    for (const char* name : leftovers) {
        data.Write(name, "halb");
        fs::resize_file(data.File(name), 2u << 20);
        fs::last_write_time(data.File(name), twoHoursAgo);
    }
    for (const char* name : kept)
        data.Write(name, "vom Benutzer");
    ASSERT_TRUE(Install(medium.Path(), data.Path()).ok);
    for (const char* name : leftovers)
        EXPECT_FALSE(data.Exists(name)) << name;
    for (const char* name : kept)
        EXPECT_EQ(data.Read(name), "vom Benutzer") << name;
    EXPECT_EQ(std::distance(fs::directory_iterator(data.Path()), {}), 36 + 4);
}

TEST(InstallTarget, InstalledFilesAreReadableByAllWritableByTheOwner)
{
    test::FakeMedium medium;
    test::TempDataDir data;
    const mode_t previous = ::umask(0);
    const bool ok = Install(medium.Path(), data.Path()).ok;
    ::umask(previous);
    ASSERT_TRUE(ok);
    struct stat st {};
    ASSERT_EQ(::stat(data.File("DN.ASC").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0644u);
}

TEST(InstallTarget, TemporaryNamesAreUnpredictable)
{
    const std::string first = TempFileName();
    EXPECT_THAT(first, ::testing::MatchesRegex("\\.dralun-install-[0-9a-f]{16}"));
    EXPECT_THAT(first, Not(::testing::MatchesRegex("\\..*\\.install-[0-9]+")));
    EXPECT_NE(TempFileName(), first);
}

TEST(InstallTarget, ATakenTemporaryNameIsNeitherFollowedNorOverwritten)
{
    test::FakeMedium medium;
    test::TempDataDir data;
    const fs::path victim = medium.Path() / "fremd.txt"; // outside the data directory
    medium.Write("fremd.txt", "fremd");
    fs::create_symlink(victim, data.File("belegt-link"));
    data.Write("belegt-datei", "belegt");
    InstallOptions options;
    int calls = 0;
    options.tempName = [&] {
        ++calls;
        return calls == 1 ? std::string("belegt-link") : calls == 2 ? std::string("belegt-datei") : TempFileName();
    };
    const InstallResult result = Install(medium.Path(), data.Path(), options);
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(calls, 36 + 2);
    EXPECT_EQ(test::ReadFile(victim), "fremd");
    EXPECT_EQ(fs::read_symlink(data.File("belegt-link")), victim);
    EXPECT_EQ(data.Read("belegt-datei"), "belegt");
    EXPECT_EQ(data.Read("DN.ASC"), test::FakeMedium::Content("DN.ASC"));
}

} // namespace
} // namespace dralun::install
