// What the installer does with a medium whose files are not plain files.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "FakeMedium.h"
#include "TimeBoxedInstall.h"
#include "testkit/TempDataDir.h"

namespace dralun::install {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

struct HostileSource {
    const char* what;
    void (*make)(const fs::path& source);
    const char* reason; // after the file's name
};

const HostileSource kHostileSources[] = {
    {"FIFO", [](const fs::path& p) {
         fs::remove(p);
         ::mkfifo(p.c_str(), 0644);
     },
     "ist eine benannte Pipe (FIFO) und keine Datei."},
    {"link to /dev/zero", [](const fs::path& p) {
         fs::remove(p);
         fs::create_symlink("/dev/zero", p);
     },
     "ist ein Gerät und keine Datei."},
    {"directory", [](const fs::path& p) {
         fs::remove(p);
         fs::create_directory(p);
     },
     "ist ein Verzeichnis und keine Datei."},
    {"2 MiB (sparse)", [](const fs::path& p) { fs::resize_file(p, 2u << 20); },
     "ist mit 2097152 Bytes zu groß (eine Datendatei hat höchstens 1048576 Bytes)."},
};

TEST(InstallSource, OnlyARegularFileWithinTheBoundIsCopied)
{
    for (const HostileSource& hostile : kHostileSources) {
        SCOPED_TRACE(hostile.what);
        test::FakeMedium medium;
        hostile.make(medium.Path() / "A110KR.ASC");
        test::TempDataDir data;
        const test::TimeBoxedResult boxed = test::InstallTimeBoxed(medium.Path(), data.Path());
        if (!boxed.finished) {
            ADD_FAILURE() << "the installation hangs or writes without end";
            continue;
        }
        EXPECT_EQ(boxed.copied, 1); // DN.ASC, then the copy stops
        EXPECT_THAT(boxed.message, HasSubstr("Die Datei A110KR.ASC konnte nicht von"));
        EXPECT_THAT(boxed.message, HasSubstr(std::string("\nA110KR.ASC ") + hostile.reason));
        EXPECT_EQ(std::distance(fs::directory_iterator(data.Path()), {}), 1); // DN.ASC, no temporary file
    }
}

} // namespace
} // namespace dralun::install
