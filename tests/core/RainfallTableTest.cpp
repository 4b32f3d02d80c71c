// The rainfall table reader with hand-made files: layout, frequency columns,
// 129-character reads, blanks as the only separator, CR LF, short files,
// missing and overlong fields, both conversions to minutes; the message of
// the load and the check file that the forms add to it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/CRainfallTable.h"
#include "core/Format.h"
#include "core/Platform.h"
#include "core/Sha256.h"
#include "forms/RainfallFileLoad.h"
#include "testkit/TempDataDir.h"

namespace dralun {
namespace {

const char* const kDurations[18] = {"5 min", "10 min", "15 min", "20 min", "30 min", "45 min",
                                    "60 min", "90 min", "2 h",    "3 h",    "4 h",    "6 h",
                                    "9 h",   "12 h",   "18 h",   "24 h",   "48 h",   "72 h"};

// Row r (1 to 18) holds the intensity 10 r + k + 0.5 in column k.
double Intensity(int r, int k) { return 10 * r + k + 0.5; }

// 29 lines: 9 header lines, rows 1-7, a line to skip, row 8, rows 9-14, a line to skip, rows 15-18.
std::vector<std::string> FileLines()
{
    std::vector<std::string> lines(9, "Kopfzeile");
    for (int r = 1; r <= 18; ++r) {
        if (r == 8 || r == 15)
            lines.push_back("  99 min  0  77.7  77.7  77.7  77.7  77.7  77.7  77.7  77.7");
        std::string line = std::string("  ") + kDurations[r - 1] + "  0";
        for (int k = 1; k <= 8; ++k)
            line += Format("  9.9  %.1f", Intensity(r, k));
        lines.push_back(line);
    }
    return lines;
}

std::string Join(const std::vector<std::string>& lines, const char* end = "\n")
{
    std::string text;
    for (const std::string& line : lines)
        text += line + end;
    return text;
}

class RainfallTable : public ::testing::Test {
protected:
    RainfallFileLoad Load(const std::string& text, double n)
    {
        dir.Write("regen.txt", text);
        return LoadRainfallFile(table, dir.File("regen.txt").string(), n);
    }
    std::string Loaded(const std::string& notes = "") const
    {
        return "Datei wurde geladen!\n" + notes + "Daten liegen zur Kontrolle in\n" + dir.Named() +
               "dumpVN.txt\n vor.";
    }

    test::TempDataDir dir;
    CRainfallTable table;
};

TEST_F(RainfallTable, ReadsTheLayoutAndEveryFrequencyColumn)
{
    const double n[] = {2, 1, 0.5, 0.2, 0.1, 0.05, 0.02, 0.01};
    for (int k = 1; k <= 8; ++k) {
        const auto result = Load(Join(FileLines()), n[k - 1]);
        EXPECT_EQ(result.message, Loaded());
        EXPECT_FALSE(result.warning);
        for (int r = 1; r <= 18; ++r)
            EXPECT_EQ(table.RowAt(r).intensityText, Format("%.1f", Intensity(r, k))) << r << " " << k;
    }
    EXPECT_EQ(table.RowAt(12).durationText, "6");
    EXPECT_EQ(table.RowAt(12).unitText, "h");
    EXPECT_DOUBLE_EQ(table.RowAt(8).duration, 90);
    EXPECT_DOUBLE_EQ(table.RowAt(9).duration, 120); // times 60 from row 9 on
    // Any other frequency reads column 4.
    for (double other : {0.3, 1.0000001, 0.1 + 1e-12, 0.0})
        EXPECT_EQ(CRainfallTable::FieldForFrequency(other), 11) << other;
}

// A rainfall file named as a German user names it reaches the system whole.
TEST_F(RainfallTable, AFileNamedWithUmlautsLoads)
{
    const std::string name = "Regenspenden Lüneburg-Süd.txt";
    dir.Write(name, Join(FileLines()));
    const auto result = LoadRainfallFile(table, platform::TextOf(dir.File(name)), 0.2);
    EXPECT_EQ(result.message, Loaded());
    EXPECT_EQ(table.RowAt(12).durationText, "6");
}

TEST_F(RainfallTable, CheckFileAndListForTheSixHourRow)
{
    std::vector<std::string> lines = FileLines();
    lines[21] = "   6 h  360  1  1  2  2  3  3  4  20.7"; // row 12, field 11
    Load(Join(lines), 0.3);
    ASSERT_TRUE(WriteRainfallCheckFile(table, 0.3));
    std::string expected = "DumpVN, Ausgabe der eingelesen Dauern und Regenspenden \n"
                           "Dient der Kontrolle, ob die Werte aus der Tabelle richtig extrahiert wurden. \n \n"
                           "n = 0.3 \n \n";
    const char* const rows[18] = {"    5  14.5", "   10  24.5", "   15  34.5", "   20  44.5",  "   30  54.5",
                                  "   45  64.5", "   60  74.5", "   90  84.5", "  120  94.5",  "  180  104.5",
                                  "  240  114.5", "  360  20.7", "  540  134.5", "  720  144.5", " 1080  154.5",
                                  " 1440  164.5", " 2880  174.5", " 4320  184.5"};
    for (const char* row : rows)
        expected += std::string(row) + " \n";
    EXPECT_EQ(dir.ReadText("dumpVN.txt"), expected);
    EXPECT_EQ(table.FillDurationList()[11], "6 h");
    EXPECT_DOUBLE_EQ(table.TakeSelectedDuration(11)->durationMinutes, 360);
    EXPECT_DOUBLE_EQ(table.TakeSelectedDuration(11)->intensity, 20.7);
    EXPECT_FALSE(table.TakeSelectedDuration(18));

    // n with one decimal; a table never loaded writes zeros.
    const CRainfallTable empty;
    using Case = std::pair<double, const char*>;
    for (auto [n, line] : {Case{0.05, "n = 0.1 \n"}, Case{0.02, "n = 0.0 \n"}, Case{0.01, "n = 0.0 \n"}}) {
        ASSERT_TRUE(WriteRainfallCheckFile(empty, n));
        EXPECT_NE(dir.ReadText("dumpVN.txt").find(std::string(" \n") + line + " \n    0   0.0 \n"), std::string::npos);
    }
}

TEST_F(RainfallTable, TheListGoesByPositionTheRainByTheUnitWord)
{
    std::vector<std::string> lines = FileLines();
    lines[11] = "  15 h  0  1  31.5";        // row 3 in hours
    lines[19] = "   3 min  0  1  101.5";     // row 10 in minutes
    lines[21] = "   6 h\t  360  1  121.5";   // row 12: the unit word is "h<tab>"
    lines[9] = "5\tmin  5  1  11.5  2  12.5"; // row 1: one field fewer, atof stops at the tab
    Load(Join(lines), 2.0);
    EXPECT_EQ(table.FillDurationList()[2], "15 min");
    EXPECT_EQ(table.FillDurationList()[9], "3 h");
    EXPECT_DOUBLE_EQ(table.RainOfRow(3).durationMinutes, 900);
    EXPECT_DOUBLE_EQ(table.RowAt(3).duration, 15);
    EXPECT_DOUBLE_EQ(table.RainOfRow(10).durationMinutes, 3);
    EXPECT_DOUBLE_EQ(table.RowAt(10).duration, 180);
    EXPECT_DOUBLE_EQ(table.RainOfRow(12).durationMinutes, 6);
    EXPECT_DOUBLE_EQ(table.RowAt(12).duration, 360);
    EXPECT_DOUBLE_EQ(table.RowAt(1).duration, 5);
    EXPECT_DOUBLE_EQ(table.RowAt(1).intensity, 2); // field 5 now holds a depth
}

TEST_F(RainfallTable, CrLfStaysOutOfTheLastField)
{
    Load(Join(FileLines(), "\r\n"), 0.01); // field 19, the last of the line
    for (int r = 1; r <= 18; ++r)
        EXPECT_EQ(table.RowAt(r).intensityText, Format("%.1f", Intensity(r, 8))) << r;
    EXPECT_EQ(table.RowAt(18).unitText, "h");
}

TEST_F(RainfallTable, AReadTakesAtMost129CharactersAndTheRestIsTheNextLine)
{
    std::vector<std::string> lines = FileLines();
    lines[10].resize(128, ' '); // row 2: one read with its line feed
    lines[12].resize(129, ' '); // row 4: its line feed is row 5
    Load(Join(lines), 1.0);
    EXPECT_DOUBLE_EQ(table.RowAt(4).intensity, Intensity(4, 2));
    EXPECT_EQ(table.RowAt(5).durationText, "");
    EXPECT_EQ(table.RowAt(6).durationText, "30");
    EXPECT_EQ(table.RowAt(8).durationText, "99"); // the line to skip, one line late
    EXPECT_DOUBLE_EQ(table.RowAt(9).duration, 5400); // row 8's 90 min, times 60 by position ...
    EXPECT_DOUBLE_EQ(table.RainOfRow(9).durationMinutes, 90); // ... but not by its unit word
    // The report names the line a row came from: rows 4 and 5 share line 13.
    EXPECT_EQ(table.RowAt(4).line, 13);
    EXPECT_EQ(table.RowAt(5).line, 14);
    EXPECT_EQ(table.RowAt(18).line, 29); // the 29th read: a longer line counts as two
}

TEST_F(RainfallTable, TheReportGetsTheFileItsLinesAndTheColumn)
{
    EXPECT_EQ(table.Stamp().name, "");
    const std::string text = Join(FileLines());
    dir.Write("Regen.TXT", text);
    ASSERT_TRUE(table.Load(dir.File("regen.txt").string(), 0.5).loaded);
    EXPECT_EQ(table.Stamp().name, "Regen.TXT"); // as it is spelled on disk
    EXPECT_EQ(table.Stamp().bytes, text.size());
    EXPECT_EQ(table.Stamp().sha256, Sha256Hex(text));
    EXPECT_EQ(table.Column(), 3);
    // Lines 17 and 25 are skipped.
    for (auto [row, line] : {std::pair{1, 10}, {7, 16}, {8, 18}, {14, 24}, {15, 26}, {18, 29}})
        EXPECT_EQ(table.RowAt(row).line, line) << row;
    // A file that cannot be opened leaves the rows and their stamp.
    EXPECT_FALSE(table.Load(dir.File("fehlt.txt").string(), 1).loaded);
    EXPECT_EQ(table.Stamp().name, "Regen.TXT");
    EXPECT_EQ(table.Column(), 3);
    // A short file: the rows it does not reach come from no line.
    std::vector<std::string> lines = FileLines();
    lines.resize(20);
    ASSERT_TRUE(Load(Join(lines), 1).loaded);
    EXPECT_EQ(table.RowAt(10).line, 20);
    EXPECT_EQ(table.RowAt(11).line, 0);
}

TEST_F(RainfallTable, MissingInvalidAndOverlongFields)
{
    std::vector<std::string> lines = FileLines();
    lines[9] = "  5 min  5  1";                                   // no field 19
    lines[10] = "  " + std::string(30, '0') + "5,5 min 0 1";      // 33 characters, invalid
    lines[11] = "  " + std::string(30, '0') + "7 x 0 1";          // 31 characters: 7
    lines[12] = "  abc min";                                      // no number
    lines[27] = "  1e308 h  0  1";                                // too large for minutes
    const auto result = Load(Join(lines), 0.01);
    EXPECT_DOUBLE_EQ(table.RowAt(1).intensity, 0);
    EXPECT_EQ(table.RowAt(2).durationText, "");
    EXPECT_DOUBLE_EQ(table.RowAt(3).duration, 7);
    EXPECT_DOUBLE_EQ(table.RowAt(4).duration, 0);
    EXPECT_DOUBLE_EQ(table.RowAt(17).duration, 0);
    EXPECT_TRUE(result.warning);
    EXPECT_EQ(result.message, Loaded("\nAchtung: Felder mit mehr als 31 Zeichen oder mit zu großen Zahlen sind "
                                     "ungültig und zählen mit 0 (Zeile 11, 28).\n\n"));
}

struct ShortFile {
    int lines;
    int rowsRead;
    const char* note;
};

class RainfallShortFile : public RainfallTable, public ::testing::WithParamInterface<ShortFile> {};

TEST_P(RainfallShortFile, IsReportedAndTheMissingRowsAreEmpty)
{
    const ShortFile& c = GetParam();
    std::vector<std::string> lines = FileLines();
    lines.resize(static_cast<size_t>(c.lines));
    const auto result = Load(Join(lines), 1.0);
    EXPECT_EQ(result.message, Loaded(std::string("\n") + c.note + "\n\n"));
    EXPECT_EQ(table.FillDurationList().size(), static_cast<size_t>(c.rowsRead));
    for (int r = c.rowsRead + 1; r <= 18; ++r) {
        EXPECT_EQ(table.RowAt(r).durationText, "") << r; // not the last line again
        EXPECT_DOUBLE_EQ(table.RowAt(r).intensity, 0) << r;
    }
}

INSTANTIATE_TEST_SUITE_P(
    RainfallTable, RainfallShortFile,
    ::testing::Values(
        ShortFile{0, 0, "Achtung: Die Datei ist leer.\nSie enthält keine Dauerstufe; alle 18 Dauerstufen zählen mit 0."},
        ShortFile{1, 0, "Achtung: Die Datei hat nur 1 Zeile statt 29.\nSie enthält keine Dauerstufe; alle 18 "
                        "Dauerstufen zählen mit 0."},
        ShortFile{20, 10, "Achtung: Die Datei hat nur 20 Zeilen statt 29.\nDie Dauerstufen 11 bis 18 fehlen und "
                          "zählen mit 0."},
        ShortFile{28, 17, "Achtung: Die Datei hat nur 28 Zeilen statt 29.\nDie Dauerstufe 18 fehlt und zählt mit 0."}));

TEST_F(RainfallTable, AFileThatCannotBeOpenedChangesNothing)
{
    Load(Join(FileLines()), 1.0);
    const auto result = LoadRainfallFile(table, dir.File("fehlt.txt").string(), 2.0);
    EXPECT_FALSE(result.loaded);
    EXPECT_EQ(result.message,
              "Datei konnte nicht geöffnet werden!\nDatei-Namen prüfen!\n\n" + dir.File("fehlt.txt").string() + " fehlt.");
    EXPECT_DOUBLE_EQ(table.RowAt(1).intensity, Intensity(1, 2));
    setenv("DRALUN_DATA_DIR", dir.File("regen.txt/x").string().c_str(), 1);
    EXPECT_FALSE(WriteRainfallCheckFile(table, 1)); // no data directory, no check file
}

} // namespace
} // namespace dralun
