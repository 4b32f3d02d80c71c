// The inlet capacity tables: reading the 31 files (header skipped,
// little-endian words, the key restarted with every table, the word 0xFFF7
// left alone), a load that fails leaves the store as it was, and the look-up
// picks table, row and weight and maps the file columns to the results.
// The table files are made here by hand and scrambled independently of the
// loader.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/CInletTables.h"
#include "core/InletTableKey.h"
#include "testkit/TempDataDir.h"

namespace dralun {
namespace {

using Plain = std::function<int(int table, int word)>;

// Distinct, decodable plain values: table t, row r, column c.
int Coded(int t, int word) { return t * 1000 + (word / 17) * 20 + word % 17; }

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
    test::TempDataDir dir;
    WriteTables(dir, Coded);
    CInletTables tables;
    ASSERT_TRUE(tables.LoadTables());
    EXPECT_EQ(tables.LoadFailure(), CInletTables::Failure::None);
    EXPECT_EQ(tables.FailedFile(), "");
    EXPECT_EQ(tables.FailureText(), "");
    for (int t = 0; t < 31; ++t)
        for (int r = 0; r < 41; ++r)
            for (int c = 0; c < 17; ++c)
                ASSERT_EQ(CInletTables::StoreWord(t, r, c), t * 1000 + r * 20 + c) << t << ' ' << r << ' ' << c;
}

TEST(InletTablesLoad, KeyRestartsWithEveryTableAndEndsWithWord31)
{
    // Zero bytes in the file read as the key itself: word i of every table
    // is key word (i mod 35), from key word 0 again in each table.
    test::TempDataDir dir;
    for (int t = 0; t < 31; ++t)
        dir.Write(kLowerNames[t], std::string(1397, '\0'));
    CInletTables tables;
    ASSERT_TRUE(tables.LoadTables());
    for (int t : {0, 1, 11, 22, 30}) {
        EXPECT_EQ(CInletTables::StoreWord(t, 0, 0), kInletTableKey[0]) << t;
        EXPECT_EQ(CInletTables::StoreWord(t, 2, 1), kInletTableKey[0]) << t; // word 35
        EXPECT_EQ(CInletTables::StoreWord(t, 40, 16), kInletTableKey[31]) << t; // word 696 = 19 * 35 + 31
        EXPECT_EQ(CInletTables::StoreWord(t, 40, 15), kInletTableKey[30]) << t;
    }
    EXPECT_EQ(tables.m_keyPosition, 32); // after the last word of the last table
}

TEST(InletTablesLoad, SentinelStaysAndTheKeyMovesOnOverIt)
{
    test::TempDataDir dir;
    WriteTables(dir, [](int t, int i) { return (t == 3 && (i == 0 || i == 36 || i == 696)) ? 0xFFF7 : 100 + i; });
    CInletTables tables;
    ASSERT_TRUE(tables.LoadTables());
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
    // Table 0 with another header, a hand-scrambled first word 0x1234 and
    // 100 bytes more than the layout holds.
    std::string bytes = FileBytes(0, Coded, std::string("\xFF\x00\x7F", 3));
    const auto w = static_cast<std::uint16_t>(0x1234 ^ static_cast<std::uint16_t>(kInletTableKey[0]));
    bytes[3] = static_cast<char>(w & 0xFF);
    bytes[4] = static_cast<char>(w >> 8);
    bytes += std::string(100, '\x55');
    dir.Write("b1-0.bin", bytes);
    CInletTables tables;
    ASSERT_TRUE(tables.LoadTables());
    EXPECT_EQ(CInletTables::StoreWord(0, 0, 0), 0x1234);
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

struct BadFile {
    int table;        // the file that is missing or short
    int bytes;        // -1: missing
    CInletTables::Failure failure;
    const char* text; // expected in the message
};

class InletTablesFailedLoad : public ::testing::TestWithParam<BadFile> {};

TEST_P(InletTablesFailedLoad, FailsNamesTheFileAndLeavesTheStoreAsItWas)
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
        if (bad.bytes < 0)
            std::filesystem::remove(dir.File(kLowerNames[bad.table]));
        else
            dir.Write(kLowerNames[bad.table], FileBytes(bad.table, Coded).substr(0, static_cast<size_t>(bad.bytes)));
        EXPECT_FALSE(tables.LoadTables());
        EXPECT_EQ(tables.LoadFailure(), bad.failure);
        EXPECT_EQ(tables.FailedFile(), CInletTables::kFileNames[static_cast<size_t>(bad.table)]);
        const std::string text = tables.FailureText();
        EXPECT_NE(text.find(CInletTables::kFileNames[static_cast<size_t>(bad.table)]), std::string::npos) << text;
        EXPECT_NE(text.find(dir.Path().string()), std::string::npos) << text;
        EXPECT_NE(text.find(bad.text), std::string::npos) << text;
        EXPECT_EQ(Store(), before); // nothing of the new files, nothing half-scrambled
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, InletTablesFailedLoad,
    ::testing::Values(BadFile{0, -1, CInletTables::Failure::Missing, "fehlt"},
                      BadFile{14, -1, CInletTables::Failure::Missing, "fehlt"},
                      BadFile{30, -1, CInletTables::Failure::Missing, "fehlt"},
                      BadFile{0, 1396, CInletTables::Failure::Short, "ist zu kurz (1396 statt 1397 Bytes)"},
                      BadFile{22, 3, CInletTables::Failure::Short, "ist zu kurz (3 statt 1397 Bytes)"},
                      BadFile{30, 0, CInletTables::Failure::Short, "ist zu kurz (0 statt 1397 Bytes)"}));

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
    EXPECT_EQ(CInletTables::StoreWord(30, 1, 2), 30000 + 20 + 2);
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
        return (t * 1000 + row * 20 + CInletTables::kResultColumn[static_cast<size_t>(n)]) / 10.0;
    }
    test::TempDataDir dir;
    CInletTables tables;
};

TEST_F(InletTablesLookUp, ConstructorStartsWithTheCurbGutterAt25Percent)
{
    const CInletTables fresh;
    EXPECT_EQ(fresh.m_family, 0);
    EXPECT_EQ(fresh.m_q, 2.5);
    EXPECT_EQ(fresh.m_s, 0.0);
    EXPECT_EQ(fresh.m_keyPosition, 0);
}

TEST_F(InletTablesLookUp, ResultsFollowTheColumnMapping)
{
    // Result n is file column (0 1 5 9 13 2 3 4 6 7 8 10 11 12 14 15 16)[n].
    const int columns[17] = {0, 1, 5, 9, 13, 2, 3, 4, 6, 7, 8, 10, 11, 12, 14, 15, 16};
    tables.m_family = 0;
    tables.m_q = 2.5;
    tables.m_s = 1.0;
    ASSERT_TRUE(tables.LookUp());
    for (int n = 0; n < 17; ++n)
        EXPECT_DOUBLE_EQ(tables.m_results[n], (3000 + 5 * 20 + columns[n]) / 10.0) << n;
}

struct Slope {
    double s;
    double row; // row plus weight of the next one
};

class InletTablesSlopes : public InletTablesLookUp, public ::testing::WithParamInterface<Slope> {};

TEST_P(InletTablesSlopes, RowAndWeight)
{
    tables.m_family = 1;
    tables.m_q = 4.0; // AB4-0, index 17
    tables.m_s = GetParam().s;
    ASSERT_TRUE(tables.LookUp());
    for (int n = 0; n < 17; ++n)
        EXPECT_NEAR(tables.m_results[n], Expected(17, GetParam().row, n), 1e-9) << GetParam().s << ' ' << n;
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
    tables.m_family = p.family;
    tables.m_q = p.q;
    tables.m_s = 0.0;
    ASSERT_TRUE(tables.LookUp());
    EXPECT_DOUBLE_EQ(tables.m_results[0], p.index * 100.0);
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
    tables.m_family = 0;
    tables.m_q = 2.5;
    tables.m_s = 1.0; // row 5 exactly
    ASSERT_TRUE(tables.LookUp());
    EXPECT_DOUBLE_EQ(tables.m_results[0], -0.9);
    EXPECT_DOUBLE_EQ(tables.m_results[1], (3000 + 100 + 1) / 10.0);
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
        tables.m_family = 0;
        tables.m_q = 2.5;
        tables.m_s = 1.0;
        ASSERT_TRUE(tables.LookUp());
        tables.m_family = c.family;
        tables.m_q = c.q;
        tables.m_s = c.s;
        EXPECT_FALSE(tables.LookUp()) << c.family << ' ' << c.q << ' ' << c.s;
        for (double r : tables.m_results)
            EXPECT_EQ(r, 0.0);
    }
    tables.ClearResults();
    for (double r : tables.m_results)
        EXPECT_EQ(r, 0.0);
}

} // namespace
} // namespace dralun
