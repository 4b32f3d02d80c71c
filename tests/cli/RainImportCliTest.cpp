// dralun-calc --import-rain: grid tables and a cell table written as the
// rainfall file the forms read; refused sources leave nothing behind.
// Intensities worked out by hand: rN = hN * 10000 / (60 D).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "cli/CCalcDriver.h"
#include "cli/CalcProcess.h"
#include "core/CRainfallTable.h"
#include "core/Format.h"
#include "core/KostraImport.h"
#include "testkit/TempDataDir.h"
#include "testkit/ZipWriter.h"

namespace dralun {
namespace {

using test::RunCalc;
using ::testing::HasSubstr;

// hN in mm of duration row d and return period t: 7.0 mm in 5 min at T = 1 a.
double Depth(int d, int t) { return 7.0 + 2.5 * d + t; }

class RainImportCli : public ::testing::Test {
protected:
    std::string Quoted(const std::filesystem::path& path) const { return "\"" + path.string() + "\""; }
    static void Save(const std::filesystem::path& path, const std::string& text)
    {
        std::ofstream(path, std::ios::binary) << text;
    }
    // The 2010R grid table (decimal point) of duration row d and the cells
    // 117110 to 117112.
    static std::string GridText(size_t d)
    {
        std::string text = "INDEX_RC;HN_001A;HN_002A;HN_003A;HN_005A;HN_010A;HN_020A;HN_030A;HN_050A;HN_100A\n";
        for (int cell : {117110, 117111, 117112}) {
            text += std::to_string(cell);
            for (int i = 0, t = 0; i < 9; ++i)
                text += Format(";%.1f", i == 2 || i == 6 ? 1.0 : Depth(int(d), t++) + (cell - 117111) * 30);
            text += "\n";
        }
        return text;
    }
    static std::string GridName(size_t d) { return Format("StatRR_KOSTRA-DWD-2010R_D%04d.csv", kKostraDurations[d]); }
    // The tables in a folder, all durations but `skip`.
    std::filesystem::path GridFolder(int skip = 0) const
    {
        const std::filesystem::path folder = data.File("raster");
        std::filesystem::create_directory(folder);
        for (size_t d = 0; d < kKostraDurations.size(); ++d)
            if (kKostraDurations[d] != skip)
                Save(folder / GridName(d), GridText(d));
        return folder;
    }
    // The tables in a zip archive, deflated and stored by turns; `spoil`
    // changes the table of 60 min (deflated).
    std::filesystem::path GridZip(const std::string& name = "raster.zip", void (*spoil)(test::ZipEntry&) = nullptr) const
    {
        std::vector<test::ZipEntry> entries;
        for (size_t d = 0; d < kKostraDurations.size(); ++d) {
            entries.push_back({.name = "raster/" + GridName(d), .content = GridText(d), .deflate = d % 2 == 0});
            if (spoil && kKostraDurations[d] == 60)
                spoil(entries.back());
        }
        Save(data.File(name), test::ZipOf(entries));
        return data.File(name);
    }
    // A cell table of depths, as a spreadsheet saves it.
    std::filesystem::path CellTable(const std::string& name = "zelle.csv") const
    {
        std::string text = "Dauerstufe;1 a;2 a;5 a;10 a;20 a;50 a;100 a\n";
        for (size_t d = 0; d < kKostraDurations.size(); ++d) {
            text += Format("%d", kKostraDurations[d]);
            for (int t = 0; t < 7; ++t)
                text += Format(";%.1f", Depth(int(d), t));
            text += "\n";
        }
        Save(data.File(name), text);
        return data.File(name);
    }
    // dralun-calc in this process, its standard output into `out`.
    static int Calc(std::vector<std::string> args, std::ostream& out, std::string& err)
    {
        args.insert(args.begin(), "--import-rain");
        std::ostringstream errors;
        const int status = CCalcDriver::Run(args, out, errors);
        err = errors.str();
        return status;
    }
    test::TempDataDir data;
};

// A cell is a number: nothing else comes into a file's name or head.
TEST_F(RainImportCli, CellIsANumber)
{
    const std::string source = CellTable().string();
    std::filesystem::create_directory(data.File("KOSTRA2020_x"));
    for (const std::string cell : {"x/../../ESCAPED", "117111\nINDEX_RC 5", "11a", "-5", "1e3", " "}) {
        std::ostringstream out;
        std::string err;
        EXPECT_EQ(Calc({source, "--cell", cell}, out, err), 2) << cell;
        EXPECT_THAT(err, HasSubstr("--cell erwartet die Nummer eines Rasterfelds (INDEX_RC), z. B. 117111")) << cell;
        EXPECT_EQ(out.str(), "");
    }
    EXPECT_FALSE(std::filesystem::exists(data.Path().parent_path() / "ESCAPED.txt"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(data.Path()), {}), 2); // zelle.csv, KOSTRA2020_x
}

// The import never writes over what it reads, --replace or not.
TEST_F(RainImportCli, NeverReplacesItsOwnSource)
{
    const std::filesystem::path folder = GridFolder(), zip = GridZip(), cell = CellTable();
    const std::filesystem::path table = folder / GridName(6), newTable = folder / "StatRR_KOSTRA-DWD-2010R_D00010.csv";
    const struct {
        std::filesystem::path source, target, kept;
    } cases[] = {{zip, zip, zip},       {zip, folder / ".." / "raster.zip", zip}, {cell, cell, cell},
                 {folder, table, table}, {folder, newTable, table}, {folder / "", table, table}};
    for (const auto& c : cases) {
        const std::string before = test::ReadFile(c.kept);
        std::ostringstream out;
        std::string err;
        EXPECT_EQ(Calc({c.source.string(), "--cell", "117111", "--out", c.target.string(), "--replace"}, out, err), 1);
        EXPECT_THAT(err, HasSubstr(" wird nicht geschrieben: Das ist die Quelle des Imports")) << c.target;
        EXPECT_EQ(test::ReadFile(c.kept), before);
    }
    EXPECT_FALSE(std::filesystem::exists(newTable));
}

// Standard output that takes nothing: the file written is said on standard error.
TEST_F(RainImportCli, SaysTheFileWrittenWhenTheOutputFails)
{
    std::ostream full(nullptr);
    std::string err;
    EXPECT_EQ(Calc({CellTable().string(), "--cell", "117111"}, full, err), 0);
    const std::filesystem::path file = data.File("KOSTRA2020_117111.txt");
    EXPECT_TRUE(std::filesystem::exists(file));
    EXPECT_EQ(err, "dralun-calc: Die Regenreihe wurde nach " + file.string() +
                       " geschrieben; die Meldung darüber konnte nicht ausgegeben werden.\n");
}

TEST_F(RainImportCli, GridZipGivesTheFileTheGridFolderGives)
{
    const auto run = RunCalc("--import-rain " + Quoted(GridZip()) + " --cell 117111");
    ASSERT_EQ(run.status, 0) << run.text;
    const std::filesystem::path file = data.File("KOSTRA2010R_117111.txt");
    EXPECT_EQ(run.text, "importiert\t" + file.string() + "\n");
    ASSERT_EQ(RunCalc("--import-rain " + Quoted(GridFolder()) + " --cell 117111 --out " + Quoted(data.File("ordner.txt"))).status, 0);
    EXPECT_EQ(test::ReadFile(file), test::ReadFile(data.File("ordner.txt")));
    EXPECT_EQ(RunCalc("--import-rain " + Quoted(GridZip())).status, 2); // an archive needs --cell too
}

TEST_F(RainImportCli, GridFolderGivesTheFileTheFormsRead)
{
    const auto run = RunCalc("--import-rain " + Quoted(GridFolder()) + " --cell 0117111");
    ASSERT_EQ(run.status, 0) << run.text;
    const std::filesystem::path file = data.File("KOSTRA2010R_117111.txt");
    EXPECT_EQ(run.text, "importiert\t" + file.string() + "\n");
    CRainfallTable table;
    ASSERT_TRUE(table.Load(file.string(), 1).loaded);
    EXPECT_EQ(table.RowAt(1).intensityText, "233.3"); // 7.0 mm in 5 min: 70000 / 300
    ASSERT_TRUE(table.Load(file.string(), 0.01).loaded);
    EXPECT_EQ(table.RowAt(18).intensityText, "2.1"); // 55.5 mm in 72 h: 555000 / 259200
    // The swale computes with it: the rain of its first row at n = 1 is 233.3 l/(s·ha).
    const auto swale = RunCalc("185 --click 1053 1050=" + Quoted(file) + " 1051=1 --click 1020");
    EXPECT_EQ(swale.status, 0) << swale.text;
    EXPECT_NE(swale.text.find("\n1043\t233.3\n"), std::string::npos) << swale.text;
    EXPECT_NE(swale.text.find("\nverdict\t"), std::string::npos) << swale.text;
    // Typed as the import names it, without a folder: the data directory's file,
    // wherever the program was started.
    const auto bare = RunCalc("185 --click 1053 1050=" + file.filename().string() + " 1051=1 --click 1020");
    EXPECT_NE(bare.text.find("\n1043\t233.3\n"), std::string::npos) << bare.text;

    // The file now there is the user's: replaced only when asked.
    const auto again = RunCalc("--import-rain " + Quoted(GridFolder()) + " --cell 0117111");
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(again.text.find("besteht schon; mit --replace ersetzen."), std::string::npos) << again.text;
    EXPECT_EQ(RunCalc("--import-rain " + Quoted(GridFolder()) + " --cell 0117111 --replace").status, 0);
}

TEST_F(RainImportCli, CellTableOfIntensitiesToAGivenFile)
{
    std::string text = "Dauerstufe;1 a;2 a;5 a;10 a;20 a;50 a;100 a\n";
    for (size_t d = 0; d < kKostraDurations.size(); ++d) {
        text += kKostraDurations[d] < 120 ? Format("%d min", kKostraDurations[d]) : Format("%d h", kKostraDurations[d] / 60);
        for (int t = 0; t < 7; ++t)
            text += Format(";%.4f", Depth(int(d), t) * 10000 / (60.0 * kKostraDurations[d]));
        text += "\n";
    }
    Save(data.File("zelle.csv"), text);
    const std::filesystem::path out = data.File("eigene.txt");
    const auto run = RunCalc("--import-rain " + Quoted(data.File("zelle.csv")) + " --rn --cell 117111 --out " + Quoted(out));
    ASSERT_EQ(run.status, 0) << run.text;
    // The head names no unit: the reading taken is said, on screen and in the file.
    EXPECT_EQ(run.text, "importiert\t" + out.string() + "\nangenommen\tRegenspenden rN [l/(s·ha)]\n");
    EXPECT_NE(test::ReadFile(out).find("\nQuelle (Werte als rN [l/(s*ha)] angenommen): zelle.csv\n"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(data.File("KOSTRA2020_117111.txt")));
    CRainfallTable table;
    ASSERT_TRUE(table.Load(out.string(), 0.5).loaded);
    EXPECT_EQ(table.RowAt(1).intensityText, "266.7"); // 8.0 mm in 5 min
}

TEST_F(RainImportCli, RefusedSourcesLeaveNothingBehind)
{
    Save(data.File("StatRR_KOSTRA-DWD-2010R_D0060.csv"), "INDEX_RC;HN_001A\n117111;7.0\n");
    Save(data.File("raster.zip"), "PK");
    const std::string whole = test::ReadFile(GridZip("ganz.zip"));
    Save(data.File("halb.zip"), whole.substr(0, whole.size() / 2));
    const struct {
        std::string source, reason;
    } cases[] = {
        {Quoted(GridFolder(60)), "Die Dauerstufe 60 min fehlt."},
        {Quoted(data.File("StatRR_KOSTRA-DWD-2010R_D0060.csv")), "einen Ordner angeben"},
        {Quoted(data.File("raster.zip")), "raster.zip: Das ZIP-Archiv ist unvollständig oder keines"},
        {Quoted(data.File("halb.zip")), "halb.zip: Das ZIP-Archiv ist unvollständig oder keines"},
        {Quoted(GridZip("crc.zip", [](test::ZipEntry& e) { e.crc = 0; })), "Prüfsumme (CRC-32) stimmt nicht"},
        {Quoted(GridZip("bombe.zip", [](test::ZipEntry& e) { e.size = 100; })), "packt zu mehr als den angegebenen 100 Bytes aus"},
        {Quoted(GridZip("gross.zip", [](test::ZipEntry& e) { e.size = 100u << 20; })), "ist mit 104857600 Bytes zu groß"},
    };
    for (const auto& c : cases) {
        const auto run = RunCalc("--import-rain " + c.source + " --cell 117111");
        EXPECT_EQ(run.status, 1) << c.source;
        EXPECT_THAT(run.text, HasSubstr(c.reason));
        EXPECT_FALSE(std::filesystem::exists(data.File("KOSTRA2010R_117111.txt")));
        EXPECT_FALSE(std::filesystem::exists(data.File("KOSTRA2020_117111.txt")));
    }
    EXPECT_EQ(RunCalc("--import-rain " + Quoted(GridFolder())).status, 2); // a folder needs --cell
}

} // namespace
} // namespace dralun
