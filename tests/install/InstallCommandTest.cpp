#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <sstream>

#include "FakeMedium.h"
#include "install/CInstallCommand.h"
#include "testkit/TempDataDir.h"

namespace dralun::install {
namespace {

using ::testing::HasSubstr;

TEST(InstallCommand, ParsesItsOptions)
{
    const CommandLine c = ParseCommandLine({"--yes", "--source", "/m", "--missing-only"});
    EXPECT_TRUE(c.yes);
    EXPECT_TRUE(c.missingOnly);
    EXPECT_EQ(c.source, "/m");
    EXPECT_TRUE(c.error.empty());
    EXPECT_FALSE(ParseCommandLine({"--frob"}).error.empty());
    EXPECT_FALSE(ParseCommandLine({"--source"}).error.empty());
}

TEST(InstallCommand, WithoutWindowReportsOnStdoutAndStderr)
{
    test::FakeMedium medium;
    test::TempDataDir data;
    std::ostringstream out, err;
    CommandLine c;
    c.yes = true;
    c.source = medium.Path();
    EXPECT_EQ(InstallWithoutWindow(c, out, err), 0);
    EXPECT_THAT(out.str(), HasSubstr("Verzeichnis Dralun erstellt, Dateien übertragen"));
    EXPECT_EQ(err.str(), "");

    std::filesystem::remove(medium.Path() / "sp15-0.bin");
    std::ostringstream out2, err2;
    EXPECT_EQ(InstallWithoutWindow(c, out2, err2), 1);
    EXPECT_THAT(err2.str(), HasSubstr("sp15-0.bin"));
}

#ifdef DRALUN_INSTALL
int Shell(const std::string& command, std::string* output)
{
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    std::array<char, 4096> buffer{};
    size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        output->append(buffer.data(), n);
    return WEXITSTATUS(pclose(pipe));
}

TEST(InstallProgram, YesInstallsIntoTheDataDirectoryWithoutAWindow)
{
    test::FakeMedium medium;
    test::TempDataDir data; // DRALUN_DATA_DIR for the child too
    std::string output;
    const std::string program = std::string(DRALUN_INSTALL) + " --yes --source " + medium.Path().string();
    EXPECT_EQ(Shell("env -u DISPLAY QT_QPA_PLATFORM= " + program, &output), 0) << output;
    EXPECT_THAT(output, HasSubstr("Dateien übertragen"));
    EXPECT_EQ(data.Read("R3943MI.txt"), test::FakeMedium::Content("R3943MI.txt"));

    std::filesystem::remove(medium.Path() / "A110MA.ASC");
    output.clear();
    EXPECT_EQ(Shell(program, &output), 1);
    EXPECT_THAT(output, HasSubstr("A110MA.ASC"));
}
#endif

} // namespace
} // namespace dralun::install
