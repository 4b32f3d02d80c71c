// The inlet spacing form: defaults, the corrections of the cross-fall by the
// gutter form buttons and the list, capacities and spacings in the drawn
// table, slopes at the ends of the tables, range failures reported once,
// and tables that cannot be loaded or hold no capacities. The tables are
// made by hand: table t, row r, column c holds t + 20 r + c tenths of l/s
// (at most 84.6 l/s, within what a gutter can carry), so every value tells
// where it came from.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "core/InletTableKey.h"
#include "core/NumberText.h"
#include "forms/CInletSpacingDlg.h"
#include "testkit/TempDataDir.h"

namespace dralun {
namespace {

const char* const kNames[31] = {
    "b1-0.bin",  "b1-5.bin",  "b2-0.bin",  "b2-5.bin",  "b3-0.bin",   "b3-5.bin",   "b4-0.bin",   "b4-5.bin",
    "b5-0.bin",  "b5-5.bin",  "b6-0.bin",  "ab1-0.bin", "ab1-5.bin",  "ab2-0.bin",  "ab2-5.bin",  "ab3-0.bin",
    "ab3-5.bin", "ab4-0.bin", "ab4-5.bin", "ab5-0.bin", "ab5-5.bin",  "ab6-0.bin",  "sp7-0.bin",  "sp8-0.bin",
    "sp9-0.bin", "sp10-0.bin", "sp11-0.bin", "sp12-0.bin", "sp13-0.bin", "sp14-0.bin", "sp15-0.bin",
};

std::string TableFile(int t)
{
    std::string bytes = "hdr";
    for (int i = 0; i < 697; ++i) {
        const int plain = t + (i / 17) * 20 + i % 17;
        const auto w = static_cast<std::uint16_t>(plain ^ kInletTableKey[static_cast<size_t>(i % 35)]);
        bytes.push_back(static_cast<char>(w & 0xFF));
        bytes.push_back(static_cast<char>(w >> 8));
    }
    return bytes;
}

void WriteTables(const test::TempDataDir& dir)
{
    for (int t = 0; t < 31; ++t)
        dir.Write(kNames[t], TableFile(t));
}

size_t Characters(const std::string& text)
{
    size_t n = 0;
    for (const char c : text)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

std::string Pad(std::string text)
{
    const size_t n = Characters(text);
    return n < 61 ? text + std::string(61 - n, ' ') : text;
}

// The last text drawn at y (and at the given character column).
std::string DrawnAt(const CForm& form, int y, int xChars = 0)
{
    std::string text = "(nichts)";
    for (const DrawnText& d : form.Drawn())
        if (d.y == y && d.xChars == xChars && d.xPixels == 20)
            text = d.text;
    return text;
}

std::vector<double> Numbers(const std::string& line)
{
    std::vector<double> values;
    size_t pos = 0;
    while ((pos = line.find_first_of("0123456789-", pos)) != std::string::npos) {
        const size_t end = line.find(' ', pos);
        values.push_back(ClassicAtof(line.substr(pos, end - pos)));
        pos = end == std::string::npos ? line.size() : end;
    }
    return values;
}

using D = CInletSpacingDlg;

class InletSpacingDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteTables(dir);
        form.Open();
    }
    int Index(int id, const std::string& item)
    {
        const auto& items = form.Items(id);
        for (size_t i = 0; i < items.size(); ++i)
            if (items[i] == item)
                return static_cast<int>(i);
        return -1;
    }
    test::TempDataDir dir;
    CMessageLog log;
    CInletSpacingDlg form{log};
};

TEST_F(InletSpacingDlgTest, OpensWithTheCurbGutterAndTheTableOfB25Row5)
{
    EXPECT_TRUE(log.Messages().empty());
    EXPECT_TRUE(form.IsChecked(D::kIdCurb));
    EXPECT_FALSE(form.IsChecked(D::kIdBay) || form.IsChecked(D::kIdVGutter));
    EXPECT_EQ(form.Family(), 0);
    EXPECT_EQ(form.Text(D::kIdS), "1");
    EXPECT_EQ(form.Text(D::kIdQ), "0.11");
    EXPECT_EQ(form.Text(D::kIdQf), "2.5");
    EXPECT_EQ(form.Text(D::kIdGamma), "1.5");
    EXPECT_EQ(form.Text(D::kIdAbstand), "0");
    EXPECT_EQ(form.Text(D::kIdQd), "0.165"); // 1.5 * 0.11
    EXPECT_EQ(form.Items(D::kIdQf).size(), 20u);
    EXPECT_EQ(form.Items(D::kIdQf)[14], "10");
    EXPECT_EQ(form.Items(D::kIdGamma).size(), 11u);

    // B2-5 is table 3; s = 1.0 % is row 5: 3 + 100 + column tenths.
    EXPECT_EQ(DrawnAt(form, 170), Pad("Leistung der Rinne bei Wasserspiegelbreite b"));
    EXPECT_EQ(DrawnAt(form, 190), "    b(0.30 m)   b(0.50 m)   b(0.70 m)   b(0.85 m)   b(1.00 m)");
    EXPECT_EQ(DrawnAt(form, 210), "     10.30       10.40       10.80       11.20       11.60   ");
    EXPECT_EQ(DrawnAt(form, 270), Pad("Leistung der Straßenablauf-Aufsätze"));
    EXPECT_EQ(DrawnAt(form, 290), "                b(0.50 m)   b(0.70 m)   b(0.85 m)   b(1.00 m)");
    EXPECT_EQ(DrawnAt(form, 320), Pad("  I (300x500) ="));
    EXPECT_EQ(DrawnAt(form, 340), Pad(" II (500x500) ="));
    EXPECT_EQ(DrawnAt(form, 360), Pad("III (500x800) ="));
    EXPECT_EQ(DrawnAt(form, 320, 16), " 10.50       10.90       11.30       11.70   ");
    EXPECT_EQ(DrawnAt(form, 340, 16), " 10.60       11.00       11.40       11.80   ");
    EXPECT_EQ(DrawnAt(form, 360, 16), " 10.70       11.10       11.50       11.90   ");
    for (const int y : {210, 320, 340, 360})
        EXPECT_EQ(DrawnAt(form, y, 64), "[l/s]");
    EXPECT_EQ(form.RefusedBecause(), "");
}

TEST_F(InletSpacingDlgTest, DrawsHeaderLinesFirstThenUnitsThenValues)
{
    const std::vector<DrawnText> drawn = form.Drawn();
    ASSERT_EQ(drawn.size(), 16u);
    // Eight label lines of 61 characters (the line at 210 blank), four unit
    // labels, four value lines.
    for (size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(Characters(drawn[i].text), 61u) << drawn[i].text;
        EXPECT_EQ(drawn[i].xChars, 0);
    }
    EXPECT_EQ(drawn[2].y, 210);
    EXPECT_EQ(drawn[2].text, std::string(61, ' '));
    for (size_t i = 8; i < 12; ++i)
        EXPECT_EQ(drawn[i].xChars, 64);
    EXPECT_EQ(drawn[12].y, 210);
    EXPECT_EQ(drawn[12].xChars, 0);
    for (size_t i = 13; i < 16; ++i)
        EXPECT_EQ(drawn[i].xChars, 16);
}

TEST_F(InletSpacingDlgTest, VGutterTakesSevenPercentAndTheOthersTwoAndAHalf)
{
    form.Click(D::kIdVGutter);
    EXPECT_EQ(form.Text(D::kIdQf), "7.0");
    EXPECT_EQ(form.Family(), 2);
    EXPECT_EQ(DrawnAt(form, 210), "     12.20       12.30       12.70       13.10       13.50   "); // SP7-0, table 22

    form.Select(D::kIdQf, Index(D::kIdQf, "10"));
    EXPECT_EQ(form.Text(D::kIdQf), "10");
    EXPECT_EQ(DrawnAt(form, 210).substr(0, 10), "     12.50"); // SP10-0, table 25

    form.Click(D::kIdCurb);
    EXPECT_EQ(form.Text(D::kIdQf), "2.5");
    EXPECT_EQ(form.Family(), 0);
    EXPECT_EQ(DrawnAt(form, 210).substr(0, 10), "     10.30");

    form.Click(D::kIdVGutter);
    form.Select(D::kIdQf, Index(D::kIdQf, "10"));
    form.Click(D::kIdBay);
    EXPECT_EQ(form.Text(D::kIdQf), "2.5");
    EXPECT_EQ(form.Family(), 1);
    EXPECT_EQ(DrawnAt(form, 210).substr(0, 10), "     11.40"); // AB2-5, table 14
    EXPECT_EQ(DrawnAt(form, 270), Pad("Leistung der Straßenablaufbuchten, Aufsatz 500x500"));
    EXPECT_EQ(DrawnAt(form, 320), Pad("L I   LB 1.80 m="));
    EXPECT_EQ(DrawnAt(form, 340), Pad("L II  LB 2.70 m="));
    EXPECT_EQ(DrawnAt(form, 360), Pad("L III LB 4.20 m="));

    // A cross-fall that fits is kept: 6.0 with the bay, 15 with the V-gutter.
    form.Select(D::kIdQf, Index(D::kIdQf, "6.0"));
    EXPECT_EQ(form.Text(D::kIdQf), "6.0");
    EXPECT_EQ(DrawnAt(form, 210).substr(0, 10), "     12.10"); // AB6-0, table 21
    form.Click(D::kIdVGutter);
    EXPECT_EQ(form.Text(D::kIdQf), "7.0");
    form.Select(D::kIdQf, Index(D::kIdQf, "15"));
    EXPECT_EQ(DrawnAt(form, 210).substr(0, 10), "     13.00"); // SP15-0, table 30
    EXPECT_TRUE(log.Messages().empty());
}

TEST_F(InletSpacingDlgTest, ListPicksAreCorrectedForTheCheckedGutterForm)
{
    // 9.0 with "Bordrinne" puts 2.5 back; 2.0 with "Spitzrinne" gives 7.0.
    form.Select(D::kIdQf, Index(D::kIdQf, "9.0"));
    EXPECT_EQ(form.Text(D::kIdQf), "2.5");
    EXPECT_EQ(form.Family(), 0);
    EXPECT_EQ(DrawnAt(form, 210).substr(0, 10), "     10.30");
    form.Select(D::kIdQf, Index(D::kIdQf, "4.5"));
    EXPECT_EQ(form.Text(D::kIdQf), "4.5");
    EXPECT_EQ(DrawnAt(form, 210).substr(0, 10), "     10.70"); // B4-5, table 7
    form.Click(D::kIdVGutter);
    form.Select(D::kIdQf, Index(D::kIdQf, "2.0"));
    EXPECT_EQ(form.Text(D::kIdQf), "7.0");
    // Leaving the list does the same.
    form.Leave(D::kIdQf);
    EXPECT_EQ(form.Text(D::kIdQf), "7.0");
    EXPECT_EQ(DrawnAt(form, 210).substr(0, 10), "     12.20");
}

TEST_F(InletSpacingDlgTest, SpacingsAreCapacitiesOverTheDesignInflow)
{
    form.Click(D::kIdAbstand);
    EXPECT_EQ(form.Text(D::kIdAbstand), "1");
    // 10.3 / 0.165 = 62.424, 10.4 / 0.165 = 63.030, 10.8 / 0.165 = 65.455,
    // 11.2 / 0.165 = 67.879, 11.6 / 0.165 = 70.303.
    EXPECT_EQ(DrawnAt(form, 210), "     62.42       63.03       65.45       67.88       70.30  ");
    // 10.5 / 0.165 = 63.636, 10.9 / 0.165 = 66.061, 11.3 / 0.165 = 68.485,
    // 11.7 / 0.165 = 70.909.
    EXPECT_EQ(DrawnAt(form, 320, 16), " 63.64       66.06       68.48       70.91   ");
    for (const int y : {210, 320, 340, 360})
        EXPECT_EQ(DrawnAt(form, y, 64), "[m]  ");

    std::vector<std::vector<double>> at15;
    for (const int y : {320, 340, 360})
        at15.push_back(Numbers(DrawnAt(form, y, 16)));
    at15.push_back(Numbers(DrawnAt(form, 210)));

    form.Select(D::kIdGamma, Index(D::kIdGamma, "2.0"));
    EXPECT_EQ(form.Text(D::kIdQd), "0.22");
    std::vector<std::vector<double>> at20;
    for (const int y : {320, 340, 360})
        at20.push_back(Numbers(DrawnAt(form, y, 16)));
    at20.push_back(Numbers(DrawnAt(form, 210)));
    for (size_t i = 0; i < at15.size(); ++i) {
        ASSERT_EQ(at20[i].size(), at15[i].size());
        for (size_t j = 0; j < at15[i].size(); ++j)
            EXPECT_NEAR(at20[i][j], 0.75 * at15[i][j], 0.01) << i << ' ' << j; // three quarters, to the printed digits
    }

    // Unticked: capacities in l/s again.
    form.Click(D::kIdAbstand);
    EXPECT_EQ(DrawnAt(form, 210, 64), "[l/s]");
    EXPECT_EQ(DrawnAt(form, 210).substr(0, 10), "     10.30");
}

TEST_F(InletSpacingDlgTest, StepsGoFromTheTableToTheSpacings)
{
    form.Click(D::kIdAbstand);
    // q_d = 1.5 0.11 = 0.165; B2-5 row 5 exactly (w = 0): 10.3 l/s, 10.3 / 0.165 = 62.4242 m;
    // q_d = 1.5 0.01 = 0.015: 686.667 m.
    for (const auto& [inflow, qd, spacing] : {std::tuple{"0.11", 0.165, 62.424242}, std::tuple{"0.01", 0.015, 686.666667}}) {
        form.Type(D::kIdQ, inflow);
        form.Click(kIdOk);
        double shownQd = 0, first = 0;
        for (const CalcStep& step : form.Steps()) {
            if (step.symbol == "qd")
                shownQd = step.value; // the last: the one the spacings are divided by
            if (step.symbol == "LR_030")
                first = step.value;
        }
        EXPECT_NEAR(shownQd, qd, 1e-12) << inflow;
        EXPECT_NEAR(first, spacing, 1e-6) << inflow;
        ASSERT_EQ(form.DataFiles().size(), 1u);
        EXPECT_EQ(form.DataFiles()[0].name, "B2-5.BIN");
        EXPECT_EQ(form.DataFiles()[0].bytes, 1397u);
    }
    const std::vector<FormChoice> choices = form.Choices();
    ASSERT_FALSE(choices.empty());
    EXPECT_EQ(choices.back().text, "Abstände in m");
}

TEST_F(InletSpacingDlgTest, SlopesAtTheEndsOfTheTables)
{
    struct Case {
        const char* slope;
        const char* gutter; // first value of the line at 210
    } cases[] = {
        {"8", "     80.30"},   // row 40 without interpolation
        {"0", "      0.30"},   // row 0
        {"7.9", "     79.30"}, // halfway between rows 39 and 40
        {"1.1", "     11.30"}, // halfway between rows 5 and 6
    };
    for (const Case& c : cases) {
        form.Type(D::kIdS, c.slope);
        form.Click(kIdOk);
        EXPECT_EQ(DrawnAt(form, 210).substr(0, 10), c.gutter) << c.slope;
    }
    EXPECT_TRUE(log.Messages().empty());
}

TEST_F(InletSpacingDlgTest, SlopeOutsideTheTablesShowsZerosAfterOneMessage)
{
    form.Type(D::kIdS, "9");
    form.Click(kIdOk);
    ASSERT_EQ(log.Messages().size(), 1u);
    EXPECT_EQ(log.Messages()[0].text, "Bitte geben Sie eine Zahl zwischen 0 und 8 ein.");
    EXPECT_EQ(form.Text(D::kIdS), "9");
    EXPECT_EQ(DrawnAt(form, 210), "         -           -           -           -           -   ");
    EXPECT_EQ(DrawnAt(form, 360, 16), "     -           -           -           -   ");

    // A list change reads the fields once: one message, not two.
    log.Clear();
    form.Select(D::kIdGamma, Index(D::kIdGamma, "1.2"));
    EXPECT_EQ(log.Messages().size(), 1u);
    log.Clear();
    form.Select(D::kIdQf, Index(D::kIdQf, "3.0"));
    EXPECT_EQ(log.Messages().size(), 1u);
    log.Clear();
    form.Click(D::kIdVGutter);
    EXPECT_EQ(log.Messages().size(), 1u);
    EXPECT_EQ(DrawnAt(form, 210).substr(0, 10), "         -");
}

TEST_F(InletSpacingDlgTest, InflowBelowItsRangeIsRefusedWithoutSpacings)
{
    form.Click(D::kIdAbstand);
    for (const char* inflow : {"0.001", "-2"}) {
        log.Clear();
        form.Type(D::kIdQ, inflow);
        form.Click(kIdOk);
        ASSERT_EQ(log.Messages().size(), 1u);
        EXPECT_EQ(log.Messages()[0].text, "Bitte geben Sie eine Zahl zwischen 0.01 und 1 ein.");
        EXPECT_EQ(form.Text(D::kIdQ), inflow);
        EXPECT_EQ(form.Text(D::kIdQd), "0");
        EXPECT_EQ(DrawnAt(form, 210).substr(0, 10), "         -");
    }
}

TEST_F(InletSpacingDlgTest, EnterComputesAndTheFormStaysOpen)
{
    form.Type(D::kIdS, "2");
    form.PressEnter();
    EXPECT_FALSE(form.IsClosed());
    EXPECT_EQ(DrawnAt(form, 210).substr(0, 10), "     20.30"); // row 10
    form.Type(D::kIdS, "1,5");
    form.PressEnter();
    EXPECT_EQ(log.Messages().size(), 1u); // not a number: the old slope again
    EXPECT_EQ(form.Text(D::kIdS), "2");
    form.Cancel();
    EXPECT_TRUE(form.IsClosed());
}

TEST_F(InletSpacingDlgTest, ASecondOpeningShowsTheDefaults)
{
    form.Click(D::kIdVGutter);
    form.Type(D::kIdS, "3");
    form.Click(kIdOk);
    CMessageLog other;
    CInletSpacingDlg again(other);
    again.Open();
    EXPECT_TRUE(again.IsChecked(D::kIdCurb));
    EXPECT_EQ(again.Text(D::kIdQf), "2.5");
    EXPECT_EQ(again.Text(D::kIdS), "1");
    EXPECT_EQ(DrawnAt(again, 210).substr(0, 10), "     10.30");
}

// ---- tables not available ------------------------------------------------------

// The bytes of a file that is no table: random, as a damaged or foreign
// file holds them.
std::string RandomBytes()
{
    std::mt19937 random(165);
    std::string bytes(1397, '\0');
    for (char& b : bytes)
        b = static_cast<char>(random() & 0xFF);
    return bytes;
}

struct Unavailable {
    const char* file; // made bad
    std::function<void(const test::TempDataDir&, const std::string& name)> make;
    const char* reason; // what the drawn reason begins with
};

// The reason the table draws, its lines joined, and the line after it.
std::pair<std::string, std::string> DrawnReason(const CForm& form)
{
    std::string reason;
    for (int y = 210; y < 270; y += 20) {
        std::string line = DrawnAt(form, y);
        EXPECT_LE(Characters(line), 61u) << line;
        if (line.starts_with("Datenverzeichnis: "))
            return {reason, line};
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        reason += (reason.empty() ? "" : " ") + line;
    }
    return {reason, ""};
}

class InletSpacingWithoutTables : public ::testing::TestWithParam<Unavailable> {};

TEST_P(InletSpacingWithoutTables, OneMessageAndATableThatSaysSo)
{
    const Unavailable p = GetParam();
    {
        // Good tables first: the store holds them when the form opens.
        test::TempDataDir good;
        WriteTables(good);
        CMessageLog log;
        CInletSpacingDlg form(log);
        form.Open();
        ASSERT_TRUE(form.TablesAvailable());
    }
    test::TempDataDir dir;
    WriteTables(dir);
    std::string upper = p.file;
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    std::filesystem::remove(dir.File(p.file));
    p.make(dir, p.file);

    CMessageLog log;
    CInletSpacingDlg form(log);
    form.Open();
    EXPECT_FALSE(form.TablesAvailable());
    ASSERT_EQ(log.Messages().size(), 1u);
    const std::string text = log.Messages()[0].text;
    EXPECT_NE(text.find("konnten nicht geladen werden"), std::string::npos) << text;
    EXPECT_NE(text.find(upper), std::string::npos) << text;
    EXPECT_NE(text.find(p.reason), std::string::npos) << text;
    EXPECT_NE(text.find(dir.Path().string()), std::string::npos) << text;

    auto check = [&] {
        EXPECT_EQ(DrawnAt(form, 170), Pad("Leistung der Rinne bei Wasserspiegelbreite b"));
        EXPECT_EQ(DrawnAt(form, 190), "    b(0.30 m)   b(0.50 m)   b(0.70 m)   b(0.85 m)   b(1.00 m)");
        const auto [reason, directory] = DrawnReason(form);
        EXPECT_TRUE(reason.starts_with("Tabellen nicht verfügbar: " + upper + " " + p.reason)) << reason;
        EXPECT_NE(directory.find(dir.Path().string()), std::string::npos) << directory;
        EXPECT_EQ(DrawnAt(form, 320, 16), "     -           -           -           -   ");
        for (const DrawnText& d : form.Drawn()) {
            EXPECT_EQ(d.text.find("0.00"), std::string::npos) << d.text; // no capacities of zero
            EXPECT_EQ(d.text.find("[l/s]"), std::string::npos) << d.text;
            EXPECT_EQ(d.text.find("10.30"), std::string::npos) << d.text; // nothing stale from the store
        }
        // The picture can say why: the message is the refusal of the form.
        EXPECT_EQ(form.RefusedBecause(), text);
    };
    check();
    // Computing again does not repeat the message; the table still says so.
    form.Click(kIdOk);
    form.Click(D::kIdVGutter);
    form.Click(D::kIdAbstand);
    EXPECT_EQ(log.Messages().size(), 1u);
    check();
    EXPECT_EQ(form.Text(D::kIdQd), "0.165");
}

void Remove(const test::TempDataDir&, const std::string&) {}

INSTANTIATE_TEST_SUITE_P(
    Files, InletSpacingWithoutTables,
    ::testing::Values(
        Unavailable{"b1-0.bin", Remove, "fehlt"}, Unavailable{"sp15-0.bin", Remove, "fehlt"},
        Unavailable{"b2-5.bin",
                    [](const test::TempDataDir& d, const std::string& n) { d.Write(n, std::string(1000, 'x')); },
                    "ist zu kurz (1000 statt 1397 Bytes)"},
        // Random bytes read as capacities of thousands of l/s, negative ones
        // among them.
        Unavailable{"b2-5.bin", [](const test::TempDataDir& d, const std::string& n) { d.Write(n, RandomBytes()); },
                    "enthält keine gültige Leistungstabelle ("}));

} // namespace
} // namespace dralun
