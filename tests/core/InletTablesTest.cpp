// The inlet capacity tables: reading the 31 files (header skipped,
// little-endian words, the key restarted with every table, the word 0xFFF7
// left alone), a load that fails on a file that is missing, short, no
// regular file, huge or holds no capacities leaves the store as it was, and
// the look-up picks table, row and weight and maps the file columns to the
// results. The table files are made here by hand and scrambled
// independently of the loader.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <future>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "core/CInletTables.h"
#include "core/InletTableKey.h"
#include "core/Sha256.h"
#include "forms/CInletSpacingDlg.h"
#include "testkit/TempDataDir.h"

namespace dralun {
namespace {

using Plain = std::function<int(int table, int word)>;

// Plain values that tell where they stand: table t adds t tenths, row r
// 20 r, column c c (at most 846 tenths, within what a gutter can carry).
int Coded(int t, int word) { return t + (word / 17) * 20 + word % 17; }

const char* const kLowerNames[31] = {
    "b1-0.bin",  "b1-5.bin",  "b2-0.bin",  "b2-5.bin",  "b3-0.bin",   "b3-5.bin",   "b4-0.bin",   "b4-5.bin",
    "b5-0.bin",  "b5-5.bin",  "b6-0.bin",  "ab1-0.bin", "ab1-5.bin",  "ab2-0.bin",  "ab2-5.bin",  "ab3-0.bin",
    "ab3-5.bin", "ab4-0.bin", "ab4-5.bin", "ab5-0.bin", "ab5-5.bin",  "ab6-0.bin",  "sp7-0.bin",  "sp8-0.bin",
    "sp9-0.bin", "sp10-0.bin", "sp11-0.bin", "sp12-0.bin", "sp13-0.bin", "sp14-0.bin", "sp15-0.bin",
};

// The bytes of one table file: 3 header bytes, then every plain word
// combined with key word (i mod 35), low byte first; 0xFFF7 written as it is.
std::string FileBytes(int t, const Plain& plain, std::string header = "abc")
{
    std::string bytes = header;
    for (int i = 0; i < 697; ++i) {
        auto w = static_cast<std::uint16_t>(plain(t, i));
        if (w != 0xFFF7)
            w = static_cast<std::uint16_t>(w ^ static_cast<std::uint16_t>(kInletTableKey[i % 35]));
        bytes.push_back(static_cast<char>(w & 0xFF));
        bytes.push_back(static_cast<char>(w >> 8));
    }
    return bytes;
}

void WriteTables(const test::TempDataDir& dir, const Plain& plain)
{
    for (int t = 0; t < 31; ++t)
        dir.Write(kLowerNames[t], FileBytes(t, plain));
}

std::vector<std::int16_t> Store()
{
    std::vector<std::int16_t> words;
    for (int t = 0; t < 31; ++t)
        for (int r = 0; r < 41; ++r)
            for (int c = 0; c < 17; ++c)
                words.push_back(CInletTables::StoreWord(t, r, c));
    return words;
}

// ---- loading ---------------------------------------------------------------------

TEST(InletTablesLoad, ReadsAllTablesInOrderAndDescramblesThem)
{
    // Word i of every file is scrambled with key word (i mod 35), from key
    // word 0 again in each table: any other use of the key reads wrong words.
    test::TempDataDir dir;
    WriteTables(dir, Coded);
    CInletTables tables;
    ASSERT_TRUE(tables.LoadTables());
    EXPECT_EQ(tables.LoadFailure(), CInletTables::Failure::None);
    EXPECT_EQ(tables.FailedFile(), "");
    EXPECT_EQ(InletTablesFailureText(tables.Problem()), "");
    for (int t = 0; t < 31; ++t)
        for (int r = 0; r < 41; ++r)
            for (int c = 0; c < 17; ++c)
                ASSERT_EQ(CInletTables::StoreWord(t, r, c), t + r * 20 + c) << t << ' ' << r << ' ' << c;
    // A table moves the key on to word 32, after word 696 = 19 * 35 + 31.
    std::vector<std::int16_t> words(CInletTables::kWords);
    int keyPosition = 0;
    CInletTables::ApplyKey(words.data(), words.size(), keyPosition);
    EXPECT_EQ(keyPosition, 32);
}

TEST(InletTablesLoad, SentinelStaysAndTheKeyMovesOnOverIt)
{
    // 0 and 1000 tenths (100.0 l/s) are the ends of what a table may hold.
    test::TempDataDir dir;
    WriteTables(dir, [](int t, int i) {
        if (t == 3 && (i == 0 || i == 36 || i == 696))
            return 0xFFF7;
        return t == 5 && i < 2 ? 1000 * i : 100 + i;
    });
    CInletTables tables;
    ASSERT_TRUE(tables.LoadTables());
    EXPECT_EQ(CInletTables::StoreWord(5, 0, 0), 0);
    EXPECT_EQ(CInletTables::StoreWord(5, 0, 1), 1000);
    EXPECT_EQ(CInletTables::StoreWord(3, 0, 0), -9);
    EXPECT_EQ(CInletTables::StoreWord(3, 0, 1), 101); // key word 1, not key word 0
    EXPECT_EQ(CInletTables::StoreWord(3, 2, 2), -9);  // word 36
    EXPECT_EQ(CInletTables::StoreWord(3, 2, 3), 137);
    EXPECT_EQ(CInletTables::StoreWord(3, 40, 16), -9);
    EXPECT_EQ(CInletTables::StoreWord(4, 0, 0), 100);
}

TEST(InletTablesLoad, HeaderIsSkippedWordsAreLittleEndianAndExtraBytesIgnored)
{
    test::TempDataDir dir;
    WriteTables(dir, Coded);
    // Table 0 with another header, a hand-scrambled first word 0x0123 (the
    // other byte order, 0x2301, would be no capacity) and 100 bytes more
    // than the layout holds.
    std::string bytes = FileBytes(0, Coded, std::string("\xFF\x00\x7F", 3));
    const auto w = static_cast<std::uint16_t>(0x0123 ^ static_cast<std::uint16_t>(kInletTableKey[0]));
    bytes[3] = static_cast<char>(w & 0xFF);
    bytes[4] = static_cast<char>(w >> 8);
    bytes += std::string(100, '\x55');
    dir.Write("b1-0.bin", bytes);
    CInletTables tables;
    ASSERT_TRUE(tables.LoadTables());
    EXPECT_EQ(CInletTables::StoreWord(0, 0, 0), 0x0123);
    EXPECT_EQ(CInletTables::StoreWord(0, 40, 16), 40 * 20 + 16);
}

TEST(InletTablesLoad, LoadingTwiceGivesTheSameTables)
{
    test::TempDataDir dir;
    WriteTables(dir, Coded);
    CInletTables tables;
    ASSERT_TRUE(tables.LoadTables());
    const std::vector<std::int16_t> first = Store();
    ASSERT_TRUE(tables.LoadTables());
    EXPECT_EQ(Store(), first);
    CInletTables other;
    ASSERT_TRUE(other.LoadTables());
    EXPECT_EQ(Store(), first);
}

// Loads on a thread of its own and gives up after five seconds, so that a
// reader that waits for a FIFO's writer fails the test instead of stalling
// it. A FIFO the load still waits on is then opened for writing and closed
// again, which ends the wait.
std::optional<bool> LoadWithin(CInletTables& tables, const test::TempDataDir& dir)
{
    std::packaged_task<bool()> task([&tables] { return tables.LoadTables(); });
    std::future<bool> done = task.get_future();
    std::thread thread(std::move(task));
    const bool inTime = done.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
    if (!inTime) {
#ifndef _WIN32
        for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
            if (entry.is_fifo()) {
                const int fd = ::open(entry.path().c_str(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0)
                    ::close(fd);
            }
#else
        (void)dir;
#endif
        if (done.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
            std::fprintf(stderr, "LoadTables still waits after 10 s\n");
            std::_Exit(1);
        }
    }
    thread.join();
    const bool loaded = done.get();
    if (!inTime)
        return std::nullopt;
    return loaded;
}

// The plain words of a table with one word changed.
Plain With(int word, int value)
{
    return [word, value](int t, int i) { return i == word ? value : Coded(t, i); };
}

struct BadFile {
    int table; // the file that is bad
    std::function<void(const test::TempDataDir&, const std::string& name, int table)> make;
    CInletTables::Failure failure;
    const char* text; // expected in the message
};

class InletTablesFailedLoad : public ::testing::TestWithParam<BadFile> {};

TEST_P(InletTablesFailedLoad, FailsAtOnceNamesTheFileAndLeavesTheStoreAsItWas)
{
    const BadFile bad = GetParam();
    test::TempDataDir good;
    WriteTables(good, Coded);
    CInletTables tables;
    ASSERT_TRUE(tables.LoadTables());
    const std::vector<std::int16_t> before = Store();
    {
        test::TempDataDir dir;
        WriteTables(dir, [](int t, int i) { return 7 + t + i; });
        const std::string name = kLowerNames[bad.table];
        std::filesystem::remove(dir.File(name));
        bad.make(dir, name, bad.table);
        if (IsSkipped())
            return;
        const std::optional<bool> loaded = LoadWithin(tables, dir);
        ASSERT_TRUE(loaded.has_value()) << "the load waited";
        EXPECT_FALSE(*loaded);
        EXPECT_EQ(tables.LoadFailure(), bad.failure);
        EXPECT_EQ(tables.FailedFile(), CInletTables::kFileNames[static_cast<size_t>(bad.table)]);
        // The form says what is wrong with the file.
        const std::string text = InletTablesFailureText(tables.Problem());
        EXPECT_NE(text.find(CInletTables::kFileNames[static_cast<size_t>(bad.table)]), std::string::npos) << text;
        EXPECT_NE(text.find(dir.Path().string()), std::string::npos) << text;
        EXPECT_NE(text.find(bad.text), std::string::npos) << text;
        const std::string reason = InletTablesFailureReason(tables.Problem());
        EXPECT_NE(reason.find(bad.text), std::string::npos) << reason;
        EXPECT_EQ(Store(), before); // nothing of the new files, nothing half-scrambled
    }
}

void Missing(const test::TempDataDir&, const std::string&, int) {}

auto Cut(size_t bytes)
{
    return [bytes](const test::TempDataDir& dir, const std::string& name, int t) {
        dir.Write(name, FileBytes(t, Coded).substr(0, bytes));
    };
}

auto Plainly(Plain plain)
{
    return [plain](const test::TempDataDir& dir, const std::string& name, int t) {
        dir.Write(name, FileBytes(t, plain));
    };
}

#ifdef _WIN32
// Windows has no FIFO in a folder and no /dev/zero.
void Fifo(const test::TempDataDir&, const std::string&, int) { GTEST_SKIP() << "keine FIFO unter Windows"; }
void LinkToZero(const test::TempDataDir&, const std::string&, int) { GTEST_SKIP() << "kein /dev/zero unter Windows"; }
#else
void Fifo(const test::TempDataDir& dir, const std::string& name, int)
{
    ASSERT_EQ(::mkfifo(dir.File(name).c_str(), 0600), 0);
}

void LinkToZero(const test::TempDataDir& dir, const std::string& name, int)
{
    std::filesystem::create_symlink("/dev/zero", dir.File(name));
}
#endif

void Directory(const test::TempDataDir& dir, const std::string& name, int)
{
    std::filesystem::create_directory(dir.File(name));
}

// 1 GiB without a byte on the disc: reading it would take many seconds.
void Huge(const test::TempDataDir& dir, const std::string& name, int t)
{
    dir.Write(name, FileBytes(t, Coded));
    std::filesystem::resize_file(dir.File(name), std::uintmax_t{1} << 30);
}

// Zero bytes descramble to the key itself.
void Zeros(const test::TempDataDir& dir, const std::string& name, int)
{
    dir.Write(name, std::string(1397, '\0'));
}

// Bytes that are no table: what a damaged or foreign file holds.
void Random(const test::TempDataDir& dir, const std::string& name, int)
{
    std::mt19937 random(165);
    std::string bytes(1397, '\0');
    for (char& b : bytes)
        b = static_cast<char>(random() & 0xFF);
    dir.Write(name, bytes);
}

using F = CInletTables::Failure;

INSTANTIATE_TEST_SUITE_P(
    Files, InletTablesFailedLoad,
    ::testing::Values(
        BadFile{0, Missing, F::Missing, "fehlt"}, BadFile{14, Missing, F::Missing, "fehlt"},
        BadFile{30, Missing, F::Missing, "fehlt"},
        BadFile{0, Cut(1396), F::Short, "ist zu kurz (1396 statt 1397 Bytes)"},
        BadFile{22, Cut(3), F::Short, "ist zu kurz (3 statt 1397 Bytes)"},
        BadFile{30, Cut(0), F::Short, "ist zu kurz (0 statt 1397 Bytes)"},
        // Nothing that can make the program wait or read for long.
        BadFile{0, Fifo, F::NotRegular, "ist eine benannte Pipe (FIFO) und keine Datei"},
        BadFile{17, Fifo, F::NotRegular, "ist eine benannte Pipe (FIFO) und keine Datei"},
        BadFile{5, LinkToZero, F::NotRegular, "ist ein Gerät und keine Datei"},
        BadFile{30, Directory, F::NotRegular, "ist ein Verzeichnis und keine Datei"},
        BadFile{11, Huge, F::TooLarge,
                "ist mit 1073741824 Bytes zu groß (eine Datendatei hat höchstens 1048576 Bytes)"},
        // Words that are no capacity: negative (-1, but not the no-value
        // word -9), more than a gutter can carry, the key itself (a file of
        // zero bytes), random bytes.
        BadFile{3, Plainly(With(3 * 17 + 2, -1)), F::Implausible,
                "enthält keine gültige Leistungstabelle (-0.1 l/s bei 0.6 % Längsneigung)"},
        BadFile{30, Plainly(With(696, 1001)), F::Implausible,
                "enthält keine gültige Leistungstabelle (100.1 l/s bei 8.0 % Längsneigung)"},
        BadFile{0, Zeros, F::Implausible, "(2017.4 l/s bei 0.0 % Längsneigung)"}, // key word 0x4ECE
        BadFile{3, Random, F::Implausible, "enthält keine gültige Leistungstabelle"}));

TEST(InletTablesLoad, AFreshLoadAfterAFailedOneSucceeds)
{
    test::TempDataDir dir;
    WriteTables(dir, Coded);
    std::filesystem::remove(dir.File("sp15-0.bin"));
    CInletTables tables;
    EXPECT_FALSE(tables.LoadTables());
    dir.Write("SP15-0.BIN", FileBytes(30, Coded)); // upper case as well
    EXPECT_TRUE(tables.LoadTables());
    EXPECT_EQ(tables.FailedFile(), "");
    EXPECT_EQ(CInletTables::StoreWord(30, 1, 2), 30 + 20 + 2);
}

// ---- look-up ---------------------------------------------------------------------

class InletTablesLookUp : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteTables(dir, Coded);
        ASSERT_TRUE(tables.LoadTables());
    }
    // What result n holds for table t at row r (+ weight w of row r + 1).
    static double Expected(int t, double row, int n)
    {
        return (t + row * 20 + CInletTables::kResultColumn[static_cast<size_t>(n)]) / 10.0;
    }
    test::TempDataDir dir;
    CInletTables tables;
};

TEST_F(InletTablesLookUp, ConstructorStartsWithTheCurbGutterAt25Percent)
{
    const CInletTables::LookUpInput fresh;
    EXPECT_EQ(fresh.family, 0);
    EXPECT_EQ(fresh.q, 2.5);
    EXPECT_EQ(fresh.s, 0.0);
}

TEST_F(InletTablesLookUp, ResultsFollowTheColumnMapping)
{
    // Result n is file column (0 1 5 9 13 2 3 4 6 7 8 10 11 12 14 15 16)[n].
    const int columns[17] = {0, 1, 5, 9, 13, 2, 3, 4, 6, 7, 8, 10, 11, 12, 14, 15, 16};
    const auto found = tables.LookUp({0, 2.5, 1.0});
    ASSERT_TRUE(found.found);
    for (int n = 0; n < 17; ++n)
        EXPECT_DOUBLE_EQ(found.results[static_cast<size_t>(n)], (3 + 5 * 20 + columns[n]) / 10.0) << n;
}

struct Slope {
    double s;
    double row; // row plus weight of the next one
};

class InletTablesSlopes : public InletTablesLookUp, public ::testing::WithParamInterface<Slope> {};

TEST_P(InletTablesSlopes, RowAndWeight)
{
    const auto found = tables.LookUp({1, 4.0, GetParam().s}); // AB4-0, index 17
    ASSERT_TRUE(found.found);
    for (int n = 0; n < 17; ++n)
        EXPECT_NEAR(found.results[static_cast<size_t>(n)], Expected(17, GetParam().row, n), 1e-9) << GetParam().s << ' ' << n;
}

// 8.0 is row 40 exactly (no row 41 is read), 7.9 the mean of rows 39 and
// 40, 0 row 0, 1.1 halfway between rows 5 and 6, 0.1 halfway to row 1.
INSTANTIATE_TEST_SUITE_P(Rows, InletTablesSlopes,
                         ::testing::Values(Slope{8.0, 40}, Slope{7.9, 39.5}, Slope{0.0, 0}, Slope{1.1, 5.5},
                                           Slope{0.1, 0.5}, Slope{1.0, 5}, Slope{4.0, 20}, Slope{2.3, 11.5}));

struct Table {
    int family;
    double q;
    int index;
};

class InletTablesIndex : public InletTablesLookUp, public ::testing::WithParamInterface<Table> {};

TEST_P(InletTablesIndex, CrossFallSelectsTheTable)
{
    const Table p = GetParam();
    EXPECT_EQ(CInletTables::TableIndex(p.family, p.q), p.index);
    const auto found = tables.LookUp({p.family, p.q, 0.0});
    ASSERT_TRUE(found.found);
    EXPECT_DOUBLE_EQ(found.results[0], p.index / 10.0);
}

INSTANTIATE_TEST_SUITE_P(CrossFalls, InletTablesIndex,
                         ::testing::Values(Table{0, 1.0, 0}, Table{0, 1.5, 1}, Table{0, 2.5, 3}, Table{0, 6.0, 10},
                                           Table{1, 1.0, 11}, Table{1, 6.0, 21}, Table{2, 7.0, 22},
                                           Table{2, 10.0, 25}, Table{2, 15.0, 30}));

TEST_F(InletTablesLookUp, SentinelReadsAsMinusNineTenths)
{
    test::TempDataDir other;
    WriteTables(other, [](int t, int i) { return (t == 3 && i == 5 * 17 + 0) ? 0xFFF7 : Coded(t, i); });
    ASSERT_TRUE(tables.LoadTables());
    const auto found = tables.LookUp({0, 2.5, 1.0}); // row 5 exactly
    ASSERT_TRUE(found.found);
    EXPECT_DOUBLE_EQ(found.results[0], -0.9);
    EXPECT_DOUBLE_EQ(found.results[1], (3 + 100 + 1) / 10.0);
}

TEST_F(InletTablesLookUp, WhatHasNoTableOrRowClearsTheResults)
{
    // A family, cross-fall or slope without a table or row gives zeros, not
    // values from outside the store.
    const struct {
        int family;
        double q, s;
    } cases[] = {{3, 2.5, 1.0},  {-1, 2.5, 1.0}, {0, 0.4, 1.0},  {2, 6.5, 1.0},
                 {2, 16.0, 1.0}, {0, 2.5, 8.01}, {0, 2.5, -0.1}, {1, 6.5, 1.0}};
    for (const auto& c : cases) {
        ASSERT_TRUE(tables.LookUp({0, 2.5, 1.0}).found);
        const auto found = tables.LookUp({c.family, c.q, c.s});
        EXPECT_FALSE(found.found) << c.family << ' ' << c.q << ' ' << c.s;
        for (double r : found.results)
            EXPECT_EQ(r, 0.0);
    }
}

// ---- steps of the report -------------------------------------------------------

TEST_F(InletTablesLookUp, StepsNameTheFileTheRowsAndTheWeight)
{
    // AB4-0 (table 17) at s = 1.1 %: cross-fall index 4.0 / 0.5 - 2 = 6, row 5,
    // weight 0.5 of row 6. Column 0: 17 + 100 = 117 and 137 tenths -> 12.7 l/s;
    // result 9 (inlet II at 0.70 m) is column 7: 124 and 144 -> 13.4 l/s.
    CSteps steps;
    const auto found = tables.LookUp({1, 4.0, 1.1}, steps);
    ASSERT_TRUE(found.found);
    ASSERT_EQ(steps.Steps().size(), 3u + 17u);
    const std::pair<const char*, double> hand[] = {{"i_q", 6}, {"k", 5}, {"w", 0.5}};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(steps.Steps()[i].symbol, hand[i].first);
        EXPECT_NEAR(steps.Steps()[i].value, hand[i].second, 1e-12) << hand[i].first;
    }
    EXPECT_EQ(steps.Steps()[3].symbol, "QR_030");
    EXPECT_NEAR(steps.Steps()[3].value, 12.7, 1e-12);
    EXPECT_EQ(steps.Steps()[3 + 9].symbol, "QII_070");
    EXPECT_NEAR(steps.Steps()[3 + 9].value, 13.4, 1e-12);
    for (int n = 0; n < 17; ++n)
        EXPECT_EQ(steps.Steps()[3 + static_cast<size_t>(n)].value, found.results[static_cast<size_t>(n)]) << n;

    ASSERT_EQ(steps.Files().size(), 1u);
    const DataFileUse& file = steps.Files()[0];
    EXPECT_EQ(file.name, "AB4-0.BIN");
    EXPECT_EQ(file.bytes, 1397u);
    EXPECT_EQ(file.sha256, Sha256Hex(FileBytes(17, Coded)));
    ASSERT_EQ(file.rows.size(), 2u);
    EXPECT_EQ(file.rows[0].rfind("Zeile 5: s = 1.0 %; Spalten 0 bis 16 in 0.1 l/s: 117 118 119 ", 0), 0u) << file.rows[0];
    EXPECT_EQ(file.rows[1].substr(file.rows[1].size() - 4), " 153") << file.rows[1]; // 17 + 120 + 16
}

TEST_F(InletTablesLookUp, TheLastRowIsTakenAsItStands)
{
    CSteps steps;
    ASSERT_TRUE(tables.LookUp({2, 7.0, 8.0}, steps).found); // SP7-0, table 22, index 0
    EXPECT_EQ(steps.Steps()[0].value, 0.0);
    EXPECT_EQ(steps.Steps()[1].value, 40.0);
    EXPECT_EQ(steps.Steps()[2].value, 0.0);
    EXPECT_EQ(steps.Steps()[3].formula, "T_k / 10");
    EXPECT_NEAR(steps.Steps()[3].value, (22 + 800) / 10.0, 1e-12);
    ASSERT_EQ(steps.Files().size(), 1u);
    EXPECT_EQ(steps.Files()[0].rows.size(), 1u);
}

TEST(InletTablesLoad, TheStampIsTakenWithTheTable)
{
    test::TempDataDir dir;
    WriteTables(dir, Coded);
    CInletTables tables;
    ASSERT_TRUE(tables.LoadTables());
    // A file changed after the load does not change the stamp of what was loaded.
    dir.Write("b1-0.bin", FileBytes(0, [](int, int) { return 1; }));
    EXPECT_EQ(CInletTables::Stamp(0).sha256, Sha256Hex(FileBytes(0, Coded)));
    EXPECT_EQ(CInletTables::Stamp(30).name, "SP15-0.BIN");
}

} // namespace
} // namespace dralun
