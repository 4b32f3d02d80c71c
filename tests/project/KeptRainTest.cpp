// The copy of a rainfall series a project keeps: kept as text or Base64,
// refused when it is not what its digest names, and the file field of a
// calculation pointed at this machine's data directory only when that holds
// the very bytes kept.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/Sha256.h"
#include "project/CalculationJson.h"
#include "project/KeptFileJson.h"
#include "project/KeptRain.h"
#include "testkit/TempDataDir.h"

namespace dralun {
namespace {

using ::testing::HasSubstr;

TEST(KeptRain, Base64AsTheStandardWritesIt)
{
    // RFC 4648, section 10.
    const std::pair<const char*, const char*> cases[] = {{"", ""},         {"f", "Zg=="},     {"fo", "Zm8="},
                                                         {"foo", "Zm9v"},  {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="},
                                                         {"foobar", "Zm9vYmFy"}};
    for (const auto& [bytes, text] : cases) {
        EXPECT_EQ(Base64Encode(bytes), text);
        std::string back;
        EXPECT_TRUE(Base64Decode(text, &back));
        EXPECT_EQ(back, bytes);
    }
    std::string ignored;
    for (const char* bad : {"Zg=", "Z===", "Zg=a", "Zm9v Yg==", "Zm=v"})
        EXPECT_FALSE(Base64Decode(bad, &ignored)) << bad;
}

KeptDataFile Kept(const std::string& name, const std::string& bytes)
{
    return {name, Sha256Hex(bytes), std::make_shared<const std::string>(bytes)};
}

TEST(KeptRain, ACopyReadsBackAsItsBytesOrIsRefused)
{
    for (const std::string& bytes : {std::string("Regenreihe\n 5 min 5 100.0\n"), std::string("Dauer \xe4\r\n")}) {
        const KeptDataFile file = Kept("R.txt", bytes);
        const ProjectJsonValue json = KeptFileJson(file);
        EXPECT_EQ(json.contains("content"), bytes.find('\xe4') == std::string::npos); // Latin-1 goes as Base64
        KeptDataFile read{"R.txt", file.sha256, nullptr};
        EXPECT_EQ(ReadKeptContent(json, read), "");
        ASSERT_TRUE(read.content);
        EXPECT_EQ(*read.content, bytes);
    }
    KeptDataFile other{"R.txt", Sha256Hex("anders"), nullptr};
    EXPECT_NE(ReadKeptContent(KeptFileJson(Kept("R.txt", "x")), other).find("Prüfsumme"), std::string::npos);
    KeptDataFile outside = Kept("../R.txt", "x");
    KeptDataFile read{"../R.txt", outside.sha256, nullptr};
    EXPECT_NE(ReadKeptContent(KeptFileJson(outside), read), "");
    EXPECT_FALSE(read.content);
}

TEST(KeptRain, TheFileFieldFollowsOnlyTheVeryBytes)
{
    test::TempDataDir here;
    Calculation calc;
    calc.form = 185; // the swale, whose field 1050 names its rainfall file
    calc.files.push_back(Kept("R3943MI.txt", "kept bytes"));
    calc.inputs = {{1050, "/nowhere/on/this/machine/R3943mi.txt"}, {1000, "2"}};

    EXPECT_EQ(OnThisMachine(calc).inputs, calc.inputs); // not here: nothing to point at
    here.Write("R3943MI.txt", "other bytes");
    EXPECT_EQ(OnThisMachine(calc).inputs, calc.inputs);
    here.Write("R3943MI.txt", "kept bytes");
    EXPECT_EQ(OnThisMachine(calc).inputs[0].second, here.Named() + "R3943MI.txt");
    EXPECT_EQ(OnThisMachine(calc).inputs[1].second, "2");

    Project project;
    project.Add(calc);
    const std::vector<KeptRainFile> files = KeptRainFiles(project);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].state, KeptFileState::Same);
    std::filesystem::remove(here.File("R3943MI.txt"));
    EXPECT_EQ(RestoreKeptFile(KeptRainFiles(project)[0]), "");
    EXPECT_EQ(here.Read("R3943MI.txt"), "kept bytes");
}

TEST(KeptRain, OnlyTheRainfallFileTheFieldNamesIsACopyOfTheProject)
{
    test::TempDataDir here;
    const struct {
        int form;
        std::string field; // what field 1050 (the swale's "Datei") holds
        std::string kept;
        std::string refused; // "" for a copy that counts
    } cases[] = {
        {185, "C:\\Daten\\R3943MI.txt", "R3943MI.txt", ""},
        {185, "/daten/r3943mi.txt", "R3943MI.txt", ""},
        {185, "R3943MI.txt", "DN.ASC", "ist nicht die Regendatei, die das Feld \u201EDatei\u201C nennt"},
        {185, "", ".bashrc", "ist nicht die Regendatei"},
        {171, "R3943MI.txt", "R3943MI.txt", "gehört zu keiner Regendatei"}, // the orifice reads none
        {185, "NUL", "NUL", "hat keinen Dateinamen"},
        {185, "com1.txt", "com1.txt", "hat keinen Dateinamen"},
    };
    for (const auto& c : cases) {
        Calculation calc;
        calc.form = c.form;
        calc.inputs = {{1050, c.field}};
        calc.files.push_back(Kept(c.kept, "Regen"));
        const std::string refused = KeptFileRefusal(calc, calc.files[0]);
        EXPECT_THAT(refused, HasSubstr(c.refused)) << c.kept;
        EXPECT_EQ(refused.empty(), c.refused.empty()) << c.kept;
        Project project;
        project.Add(calc);
        EXPECT_EQ(KeptRainFiles(project).size(), c.refused.empty() ? 1u : 0u) << c.kept;
        EXPECT_EQ(KeptCopies(calc).size(), c.refused.empty() ? 1u : 0u) << c.kept;
    }
}

TEST(KeptRain, WindowsDeviceNamesAreNoFileNames)
{
    for (const char* name : {"CON", "nul", "Nul.txt", "AUX.asc", "PRN", "COM1", "lpt9.txt", "COM\xC2\xB9", "NUL .x",
                             "conin$", "R.txt.", "R.txt "})
        EXPECT_FALSE(IsBareFileName(name)) << name;
    for (const char* name : {"CONTROL.txt", "COM10", "NULL", "LPT", "R3943MI.txt", ".bashrc", "com.txt"})
        EXPECT_TRUE(IsBareFileName(name)) << name;
}

} // namespace
} // namespace dralun
