// Output that is what it says: a write that fails on standard output ends
// in a German message and a failing status; a report or table goes only to
// a file it cannot destroy; a zero is never written "-0".
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli/CalcProcess.h"
#include "core/SafeOutput.h"
#include "report/ReportWriters.h"
#include "testkit/TempDataDir.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace dralun {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

#ifndef _WIN32
// Runs dralun-calc with its standard output into `target` (/dev/full):
// what comes back is standard error alone.
test::CalcOutput CalcInto(const std::string& arguments, const std::string& target = "/dev/full")
{
    const std::string command = std::string(DRALUN_CALC) + " " + arguments + " 2>&1 >'" + target + "'";
    FILE* pipe = popen(command.c_str(), "r");
    std::string text;
    std::array<char, 4096> buffer{};
    for (size_t n; (n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0;)
        text.append(buffer.data(), n);
    return {WEXITSTATUS(pclose(pipe)), text};
}

TEST(Output, AFullDiskOnStandardOutputFailsWithAGermanMessage)
{
    test::TempDataDir data;
    const std::string project = "\"" + data.File("p.dralun").string() + "\"";
    ASSERT_EQ(test::RunCalc("171 --add-to " + project).status, 0);
    for (const std::string& arguments : std::vector<std::string>
         {"--list", "--help", "171 --help", "171", "171 --json", "171 --report text", "171 --report json",
          "171 --sweep h=0:1.5:0.0002", "--project " + project + " --check",
          "--project " + project + " --report json"}) {
        const test::CalcOutput out = CalcInto(arguments);
        EXPECT_EQ(out.status, 2) << arguments;
        EXPECT_EQ(out.text,
                  "dralun-calc: Die Ausgabe konnte nicht geschrieben werden: kein Platz mehr auf dem Datenträger\n")
            << arguments;
    }
}

// A sweep of 7 501 rows onto a file system of 16 KiB: cut, and said so.
// Mounting needs root; elsewhere the /dev/full test above stands for it.
TEST(Output, ASweepOntoAFullFileSystemFails)
{
    test::TempDataDir data;
    const std::string dir = (data.Path() / "klein").string();
    std::filesystem::create_directory(dir);
    if (::geteuid() != 0 || std::system(("mount -t tmpfs -o size=16k tmpfs '" + dir + "' 2>/dev/null").c_str()) != 0)
        GTEST_SKIP() << "no small file system can be mounted here";
    const test::CalcOutput out = CalcInto("171 --sweep h=0:1.5:0.0002", dir + "/tabelle.csv");
    std::system(("umount '" + dir + "'").c_str());
    EXPECT_EQ(out.status, 2);
    EXPECT_EQ(out.text, "dralun-calc: Die Ausgabe konnte nicht geschrieben werden: kein Platz mehr auf dem Datenträger\n");
}

TEST(Output, AReportOrTableGoesOnlyToARegularFileOrANewName)
{
    test::TempDataDir data;
    namespace fs = std::filesystem;
    const fs::path dir = data.Path();
    data.Write("b.dralun", "{}");
    ASSERT_EQ(::mkfifo((dir / "rohr.csv").c_str(), 0600), 0);
    fs::create_symlink("b.dralun", dir / "link.pdf");
    fs::create_symlink("fehlt.pdf", dir / "ins-leere.pdf");
    fs::create_symlink("/dev/full", dir / "voll.csv");
    const struct {
        fs::path path;
        const char* problem;
    } cases[] = {
        {dir / "neu.pdf", ""},
        {dir / "b.dralun", "Das ist die Datei, aus der der Bericht entsteht."},
        {dir / "link.pdf", "Die symbolische Verknüpfung zeigt auf die Datei, aus der der Bericht entsteht."},
        {dir / "rohr.csv", "Das ist eine benannte Pipe (FIFO) und keine Datei."},
        {"/dev/full", "Das ist ein Gerät und keine Datei."},
        {dir / "voll.csv", "Die symbolische Verknüpfung zeigt auf ein Gerät und keine Datei."},
        {dir, "Das ist ein Verzeichnis und keine Datei."},
        {dir / "ins-leere.pdf", "Die symbolische Verknüpfung zeigt auf keine vorhandene Datei."},
        {dir / "kein" / "x.pdf", "Das Verzeichnis ist nicht vorhanden."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(OutputFileProblem(c.path, dir / "b.dralun"), c.problem) << c.path;
    // Without a source the project is a regular file like any other.
    EXPECT_EQ(OutputFileProblem(dir / "b.dralun"), "");
}
#endif

TEST(Output, AZeroIsNeverWrittenNegative)
{
    EXPECT_FALSE(std::signbit(Rounded15(-0.0)));
    const test::CalcOutput text = test::RunCalc("171 Q=-0 --report text");
    EXPECT_THAT(text.text, Not(HasSubstr("-0 ")));
    EXPECT_THAT(text.text, HasSubstr("= 0 m³/s"));
    const test::CalcOutput json = test::RunCalc("171 Q=-0 --report json");
    EXPECT_THAT(json.text, Not(HasSubstr("-0.0")));
    EXPECT_THAT(json.text, HasSubstr("\"value\":0.0"));
}

} // namespace
} // namespace dralun
