// The KOSTRA-DWD import: cell tables in the styles spreadsheets save them,
// the weather service's grid tables of both atlases, the refusals, and the
// rainfall file read back by the forms' reader. Intensities are worked out by
// hand from rN = hN * 10000 / (60 D).
#include <gtest/gtest.h>

#include <sstream>

#include "core/CRainfallTable.h"
#include "core/Format.h"
#include "core/KostraImport.h"
#include "core/KostraSource.h"
#include "core/Sha256.h"
#include "core/ZipArchive.h"
#include "AllocationCount.h"
#include "testkit/TempDataDir.h"
#include "testkit/ZipWriter.h"

namespace dralun {
namespace {

const char* const kRows[18] = {"5 min", "10 min", "15 min", "20 min", "30 min", "45 min", "60 min", "90 min", "2 h",
                               "3 h",   "4 h",    "6 h",    "9 h",    "12 h",   "18 h",   "24 h",   "48 h",   "72 h"};
// hN in mm for T = 1, 2, 5, 10, 20, 50, 100 a: 5 min and 72 h as typed from a
// cell sheet, the rows between rising by 2.5 mm a step.
double Depth(int d, int t)
{
    const double first[7] = {7.0, 8.6, 10.0, 11.5, 13.0, 14.8, 16.2};
    const double last[7] = {51.8, 60.0, 70.0, 80.0, 90.0, 105.0, 120.6};
    return d == 17 ? last[t] : first[t] + 2.5 * d;
}

// A cell table: head line, then 18 rows (and a 7 d row that is not used);
// columns T = 1, 2, 3, 5, 10, 20, 30, 50, 100 a (3 and 30 a hold nonsense).
std::string CellTable(const std::string& above, const std::string& corner, const char* periodFormat, char sep,
                      bool comma, bool minutesAsNumbers = false, bool intensities = false)
{
    const int periods[9] = {1, 2, 3, 5, 10, 20, 30, 50, 100};
    std::string text = above + corner;
    for (int T : periods)
        text += sep + Format(periodFormat, T);
    text += "\n";
    for (int d = 0; d <= 18; ++d) {
        const int minutes = d < 18 ? kKostraDurations[d] : 10080;
        text += d == 18 ? "7 d" : minutesAsNumbers ? std::to_string(minutes) : kRows[d];
        for (int i = 0, t = 0; i < 9; ++i) {
            const bool used = periods[i] != 3 && periods[i] != 30;
            const double h = d == 18 ? 200.0 : used ? Depth(d, t++) : 0.5;
            std::string v = Format("%.4f", intensities ? h * 10000 / (60.0 * minutes) : h);
            if (comma)
                v[v.find('.')] = ',';
            text += sep + v;
        }
        text += "\n";
    }
    return text;
}

KostraCell Cell(const std::string& text, KostraUnit assumed = KostraUnit::Depth)
{
    const auto read = ReadKostraCellTable("zelle.csv", text, assumed, "KOSTRA-DWD-2020", "0117111");
    EXPECT_EQ(read.problem.status, KostraStatus::Ok);
    return read.value.value_or(KostraCell{});
}

TEST(KostraImport, ConvertsDepthToIntensityByHand)
{
    EXPECT_NEAR(KostraIntensity(7.0, 5), 233.3, 0.05);       // 70000 / 300
    EXPECT_NEAR(KostraIntensity(51.8, 4320), 1.998, 0.0005); // 518000 / 259200
}

TEST(KostraImport, CellTablesOfEveryStyleGiveTheFileTheFormsRead)
{
    const std::string bom = "\xEF\xBB\xBF";
    const struct {
        const char* name;
        std::string text;
        KostraUnit assumed;
    } cases[] = {
        {"semicolon, comma, BOM", bom + CellTable("Niederschlagshöhen hN [mm]\n", "Dauerstufe", "%d a", ';', true),
         KostraUnit::Intensity},
        {"comma, point, Latin-1", CellTable("Niederschlagsh\xF6hen in mm\n", "D [min]", "T=%d", ',', false, true),
         KostraUnit::Intensity},
        {"tab, intensities", CellTable("Regenspenden rN [l/(s·ha)]\n", "Dauerstufe", "%d a", '\t', false, false, true),
         KostraUnit::Depth},
        {"plain head, unit assumed", CellTable("", "", "%d", ';', true), KostraUnit::Depth},
        {"plain head, rN assumed", CellTable("", "", "%d", ';', true, false, true), KostraUnit::Intensity},
    };
    test::TempDataDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const KostraCell cell = Cell(c.text, c.assumed);
        EXPECT_EQ(SuggestedRainfallFileName(cell), "KOSTRA2020_117111.txt");
        const std::string file = RainfallFileText(cell, {"2024-05-17", false});
        ASSERT_FALSE(file.empty());
        std::istringstream lines(file);
        int count = 0;
        for (std::string line; std::getline(lines, line); ++count)
            EXPECT_LT(line.size() + 1, 129u) << line;
        EXPECT_EQ(count, 29);
        // Only a plain head leaves the reading to the assumption, and the file says so.
        const bool plain = std::string(c.name).rfind("plain", 0) == 0;
        const std::string source = !plain ? "Quelle: "
                                   : c.assumed == KostraUnit::Depth ? "Quelle (Werte als hN [mm] angenommen): "
                                                                    : "Quelle (Werte als rN [l/(s*ha)] angenommen): ";
        EXPECT_EQ(cell.assumedUnit.has_value(), plain);
        EXPECT_NE(file.find(source + "zelle.csv\nSHA-256: " + Sha256Hex(c.text) + "\n"), std::string::npos);
        EXPECT_NE(file.find("Importiert am 2024-05-17; Toleranz: keine"), std::string::npos);

        dir.Write("regen.txt", file);
        const struct {
            double n, at5, at72h;
        } expected[] = {{1, 233.3, 2.0}, {0.01, 540.0, 4.7}}; // 16.2 mm / 5 min, 120.6 mm / 72 h
        CRainfallTable table;
        for (const auto& e : expected) {
            ASSERT_TRUE(table.Load(dir.File("regen.txt").string(), e.n).loaded);
            EXPECT_EQ(table.RowAt(1).intensityText, Format("%.1f", e.at5)) << e.n;
            EXPECT_EQ(table.RowAt(18).intensityText, Format("%.1f", e.at72h)) << e.n;
            EXPECT_DOUBLE_EQ(table.RainOfRow(18).durationMinutes, 4320);
            EXPECT_DOUBLE_EQ(table.RainOfRow(8).durationMinutes, 90);
        }
        table.Load(dir.File("regen.txt").string(), 2);
        EXPECT_EQ(table.RowAt(1).intensityText, "fehlt"); // no KOSTRA value for T = 0.5 a
    }
}

// A grid table of one duration: three cells, the wanted one (117111) in the middle.
std::string GridTable(int minutes, bool v2020, double ucPercent = 10, bool outside = false)
{
    const int periods[9] = {1, 2, 3, 5, 10, 20, 30, 50, 100};
    std::string text = "INDEX_RC";
    for (int T : periods)
        text += Format(v2020 ? ";RN_%03dA;HN_%03dA;UC_%03dA" : ";HN_%03dA", T, T, T);
    text += "\n";
    const int d = [&] { int i = 0; while (kKostraDurations[i] != minutes) ++i; return i; }();
    for (const char* index : {"117110", v2020 ? "0117111" : "117111", "117112"}) {
        text += index;
        for (int i = 0, t = 0; i < 9; ++i) {
            const bool used = periods[i] != 3 && periods[i] != 30;
            double h = used ? Depth(d, t++) + (index[5] == '1' || index[6] == '1' ? 0 : 30) : 1.0;
            if (outside)
                h = -99.9;
            std::string hN = Format("%.1f", h), rN = Format("%.1f", 9999.0), uc = Format("%.1f", ucPercent);
            text += v2020 ? ";" + rN + ";" + hN + ";" + uc : ";" + hN;
        }
        text += "\n";
    }
    if (v2020)
        for (char& ch : text)
            if (ch == '.')
                ch = ',';
    return text;
}

std::string GridName(int minutes, bool v2020)
{
    return v2020 ? Format("StatRR_KOSTRA-DWD-2020_D%05d.csv", minutes) : Format("StatRR_KOSTRA-DWD-2010R_D%04d.csv", minutes);
}

TEST(KostraImport, GridTablesOfBothAtlasesGiveTheWantedCell)
{
    for (bool v2020 : {true, false}) {
        SCOPED_TRACE(v2020 ? "2020" : "2010R");
        std::vector<KostraGridRow> rows;
        for (int minutes : kKostraDurations) {
            const auto row = ReadKostraGridTable(GridName(minutes, v2020), GridTable(minutes, v2020), "117111");
            ASSERT_TRUE(row.problem.Ok());
            EXPECT_EQ(row.value->minutes, minutes);
            rows.push_back(*row.value);
        }
        EXPECT_DOUBLE_EQ(*rows[0].depth[0], 7.0);
        EXPECT_DOUBLE_EQ(*rows[17].depth[6], 120.6);
        EXPECT_EQ(rows[0].uncertainty[3].has_value(), v2020);
        const std::string atlas = KostraAtlasFromFileName(GridName(60, v2020));
        const auto cell = KostraCellFromGridRows(atlas, "0117111", rows);
        ASSERT_TRUE(cell.problem.Ok());
        EXPECT_EQ(SuggestedRainfallFileName(*cell.value), v2020 ? "KOSTRA2020_117111.txt" : "KOSTRA2010R_117111.txt");
        const KostraOptions tolerance{"2024-05-17", true};
        const std::string file = RainfallFileText(*cell.value, tolerance);
        EXPECT_EQ(file.empty(), !v2020); // 2010R gives no UC to add
        if (v2020) {
            EXPECT_NE(file.find("Quelle: 18 Dateien, StatRR_KOSTRA-DWD-2020_D00005.csv ... "), std::string::npos);
            EXPECT_NE(file.find("UC addiert"), std::string::npos);
            // 7.0 mm + 10 % = 7.7 mm in 5 min: 77000 / 300 = 256.7
            EXPECT_NE(file.find("   5 min     5  fehlt  fehlt    7.7  256.7"), std::string::npos) << file;
        }
    }
}

// Line ends of every system: LF, CR LF and the CR alone of old Mac programs.
TEST(KostraImport, CellTablesReadTheSameWhateverTheirLineEnds)
{
    const std::string lf = CellTable("Niederschlagshöhen hN [mm]\n", "Dauerstufe", "%d a", ';', true);
    for (const char* end : {"\r\n", "\r"}) {
        std::string text;
        for (char c : lf)
            text += c == '\n' ? std::string(end) : std::string(1, c);
        EXPECT_EQ(Cell(text).depth, Cell(lf).depth) << (end[1] ? "CR LF" : "CR");
    }
}

// A cell comes into the file's name and head: only a number is one.
TEST(KostraImport, ACellIsANumber)
{
    const std::string table = CellTable("", "Dauerstufe", "%d a", ';', true);
    for (const char* cell : {"x/../../ESCAPED", "117111\nINDEX_RC 5", "1e3", "-5", "1234567890123456"}) {
        const auto read = ReadKostraCellTable("zelle.csv", table, KostraUnit::Depth, "KOSTRA-DWD-2020", cell);
        EXPECT_FALSE(read.value) << cell;
        EXPECT_EQ(read.problem.status, KostraStatus::NotACellNumber) << cell;
    }
    EXPECT_EQ(Cell(table).indexRc, "117111"); // "0117111": leading zeros are a number too
}

// The refusals of a cell table and of a grid table: the status and the
// numbers its message names (the message itself is tested with the wording).
TEST(KostraImport, RefusesBadSourcesWithTheReason)
{
    const std::string good = CellTable("", "Dauerstufe", "%d a", ';', true);
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    using S = KostraStatus;
    const std::string z = "zelle.csv";
    const struct {
        std::string text;
        KostraProblem problem;
    } cells[] = {
        {replaced("45 min;", "47 min;"), {.status = S::DurationMissing, .where = z, .minutes = 45}},
        {replaced("10 min;9,5000;", "10 min;6,5000;"),
         {.status = S::FallsWithDuration, .where = z, .minutes = 10, .previousMinutes = 5, .period = 1, .value = 6.5,
          .previous = 7.0}},
        {replaced("5 min;7,0000;8,6000", "5 min;7,0000;6,6000"),
         {.status = S::FallsWithPeriod, .where = z, .minutes = 5, .period = 2, .previousPeriod = 1, .value = 6.6,
          .previous = 7.0}},
        {replaced("72 h;51,8000", "72 h;1051,8000"),
         {.status = S::DepthOutOfBounds, .where = z, .minutes = 4320, .period = 1, .value = 1051.8}},
        {replaced("5 min;7,0000", "5 min;0"), {.status = S::DepthOutOfBounds, .where = z, .minutes = 5, .period = 1}},
        {replaced("72 h;51,8000", "72 h;1e308"),
         {.status = S::DepthOutOfBounds, .where = z, .minutes = 4320, .period = 1, .value = 1e308}},
        {replaced("72 h;51,8000", "72 h;-2500000"),
         {.status = S::DepthOutOfBounds, .where = z, .minutes = 4320, .period = 1, .value = -2.5e6}},
        {replaced("5 min;7,0000", "5 min;-99,9"), {.status = S::ValueMissing, .where = z, .minutes = 5, .period = 1}},
        {"Dauerstufe;1 a;2 a\n5 min;-99,9;-99,9\n", {.status = S::OnlyMissingValues, .where = z, .text = "117111"}},
        // A duration no row has (found by fuzzing: it overflowed a whole number).
        {replaced("45 min;", std::string(70, '3') + " h;"), {.status = S::DurationMissing, .where = z, .minutes = 45}},
        {replaced("20 min;14,5000", "20 min;x"), {.status = S::NotANumber, .where = z, .text = "x", .line = 5}},
    };
    for (const auto& c : cells) {
        const auto read = ReadKostraCellTable("zelle.csv", c.text, KostraUnit::Depth, "KOSTRA-DWD-2020", "117111");
        EXPECT_FALSE(read.value);
        EXPECT_EQ(read.problem, c.problem) << static_cast<int>(read.problem.status);
    }
    const std::string grid = GridName(60, true);
    const struct {
        std::string text, wanted;
        KostraProblem problem;
    } grids[] = {
        {GridTable(60, true), "117113", {.status = S::CellNotInTable, .where = grid, .text = "117113"}},
        {GridTable(60, false, 0, true), "117111", {.status = S::OnlyMissingValues, .where = grid, .text = "117111"}},
    };
    for (const auto& g : grids) {
        const auto row = ReadKostraGridTable(grid, g.text, g.wanted);
        EXPECT_FALSE(row.value);
        EXPECT_EQ(row.problem, g.problem) << static_cast<int>(row.problem.status);
    }
}


// The 18 grid tables of 2020 (decimal comma) in a folder of the archive,
// stored and deflated by turns, beside a folder entry and a text.
std::vector<test::ZipEntry> GridZip()
{
    std::vector<test::ZipEntry> entries = {{.name = "KOSTRA/", .deflate = false},
                                           {.name = "KOSTRA/liesmich.txt", .content = "Rastertabellen"}};
    for (size_t d = 0; d < kKostraDurations.size(); ++d)
        entries.push_back({.name = "KOSTRA/raster/" + GridName(kKostraDurations[d], true),
                           .content = GridTable(kKostraDurations[d], true),
                           .deflate = d % 2 == 0});
    return entries;
}

TEST(KostraImport, ZipOfGridTablesGivesTheFileTheFolderGives)
{
    test::TempDataDir dir;
    std::filesystem::create_directory(dir.File("raster"));
    for (int minutes : kKostraDurations)
        dir.Write("raster/" + GridName(minutes, true), GridTable(minutes, true));
    dir.Write("raster.zip", test::ZipOf(GridZip()));
    const KostraImportRequest request{"117111"};
    const auto fromFolder = ImportKostra(dir.File("raster"), request);
    const auto fromZip = ImportKostra(dir.File("raster.zip"), request);
    ASSERT_TRUE(fromFolder.problem.Ok());
    ASSERT_TRUE(fromZip.problem.Ok());
    EXPECT_DOUBLE_EQ(*fromZip.value->depth[17][6], 120.6);
    const KostraOptions tolerance{"2024-05-17", true};
    const std::string file = RainfallFileText(*fromZip.value, tolerance);
    EXPECT_NE(file.find("   5 min     5  fehlt  fehlt    7.7  256.7"), std::string::npos) << file; // 7.0 mm + 10 %
    EXPECT_EQ(file, RainfallFileText(*fromFolder.value, tolerance));
}

// A table of 60 min padded to 63 MiB between its head and its rows,
// deflated to a few hundred kilobytes: read in about the memory of the table
// itself, however its bytes fall into lines and cells and whatever their
// encoding.
TEST(KostraImport, ZipOfHugeTablesReadInTheMemoryOfOneTable)
{
    const auto plain = ImportKostraArchive(*ZipArchive::FromBytes("raster.zip", test::ZipOf(GridZip())).value, {"117111"});
    ASSERT_TRUE(plain.problem.Ok());
    const std::size_t padding = 63u << 20;
    const struct {
        const char* what;
        std::string rows;
    } cases[] = {
        {"line feeds", std::string(padding, '\n')},
        {"one row of empty cells", "117113" + std::string(padding, ';') + "\n"},
        {"one row of Latin-1", "117113;" + std::string(padding, '\xE4') + "\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<test::ZipEntry> entries = GridZip();
        std::string& table = entries[8].content; // the table of 60 min
        table.insert(table.find('\n') + 1, c.rows);
        const std::string bytes = test::ZipOf(entries);
        const auto archive = ZipArchive::FromBytes("raster.zip", bytes);
        ASSERT_TRUE(archive.value) << static_cast<int>(archive.problem.status);
        entries.clear();
        const test::CAllocationPeak peak;
        const auto read = ImportKostraArchive(*archive.value, {"117111"});
        ASSERT_TRUE(read.problem.Ok());
        EXPECT_EQ(read.value->depth, plain.value->depth);
        // Bytes held at once per byte read: the inflated table, while it grows.
        EXPECT_LT(static_cast<double>(peak.Bytes()) / padding, 1.6);
    }
}

TEST(KostraImport, ZipArchivesRefusedWithTheReason)
{
    const std::string table = "KOSTRA/raster/StatRR_KOSTRA-DWD-2020_D00060.csv";
    auto spoilt = [](auto spoil) {
        std::vector<test::ZipEntry> entries = GridZip();
        spoil(entries[8]); // the table of 60 min
        return test::ZipOf(entries);
    };
    const std::string whole = test::ZipOf(GridZip());
    using S = KostraStatus;
    using Z = ZipStatus;
    const ZipProblem zip = {.archive = "raster.zip"};
    auto member = [&](ZipStatus status, std::uint64_t size = 0, std::uint64_t largest = 0) {
        ZipProblem p = zip;
        p.status = status;
        p.member = table;
        p.size = size;
        p.largest = largest;
        return KostraProblem{.status = S::ArchiveUnreadable, .zip = p};
    };
    const struct {
        const char* what;
        std::string bytes;
        KostraProblem problem;
    } cases[] = {
        {"crc", spoilt([](test::ZipEntry& e) { e.crc = 1; }), member(Z::CrcMismatch)},
        {"cut", whole.substr(0, whole.size() / 2), {.status = S::ArchiveUnreadable, .zip = {Z::Incomplete, "raster.zip"}}},
        {"bomb", spoilt([](test::ZipEntry& e) { e.size = 100; }), member(Z::InflatesToMore, 100)}, // some 500 bytes
        {"too large", spoilt([](test::ZipEntry& e) { e.size = (64u << 20) + 1; }),
         member(Z::MemberTooLarge, (64u << 20) + 1, 64u << 20)},
        {"twice", spoilt([](test::ZipEntry& e) { e.name = "alt/" + GridName(90, true); }),
         {.status = S::ArchiveDurationTwice, .where = "raster.zip", .first = "alt/StatRR_KOSTRA-DWD-2020_D00090.csv",
          .second = "KOSTRA/raster/StatRR_KOSTRA-DWD-2020_D00090.csv"}},
        {"nested", test::ZipOf({{.name = "tabellen.ZIP", .content = whole, .deflate = false}}),
         {.status = S::ArchiveNested, .where = "raster.zip", .name = "tabellen.ZIP"}},
        {"no tables", test::ZipOf({{.name = "liesmich.txt", .content = "-"}}),
         {.status = S::ArchiveWithoutTables, .where = "raster.zip"}},
    };
    test::TempDataDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        dir.Write("raster.zip", c.bytes);
        const auto read = ImportKostra(dir.File("raster.zip"), {"117111"});
        EXPECT_FALSE(read.value);
        // Of a member only the sizes the case names are compared, not its method.
        KostraProblem problem = read.problem;
        problem.zip.method = 0;
        problem.zip.size = c.problem.zip.size ? problem.zip.size : 0;
        problem.zip.largest = c.problem.zip.largest ? problem.zip.largest : 0;
        EXPECT_EQ(problem, c.problem) << static_cast<int>(read.problem.status) << " "
                                      << static_cast<int>(read.problem.zip.status);
    }
}

} // namespace
} // namespace dralun
