// What a project holds at most: how many calculations, how long a name or a
// head text, and that a file is read in time linear in its entries.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "project/CalculationJson.h"
#include "project/ProjectFile.h"

namespace dralun {
namespace {

using ::testing::HasSubstr;
using Json = ProjectJsonValue;

const std::string kEllipsis = "\xE2\x80\xA6";
const std::string kReplaced = "\xEF\xBF\xBD";

std::string EmptyEntries(std::size_t n)
{
    std::string bytes = "{\"format\":\"Dralun-Projekt\",\"version\":1,\"calculations\":[";
    for (std::size_t i = 0; i < n; ++i)
        bytes += i ? ",{}" : "{}";
    return bytes + "]}";
}

double SecondsToParse(const std::string& bytes)
{
    double best = 1e9;
    for (int round = 0; round < 3; ++round) {
        const auto start = std::chrono::steady_clock::now();
        const Json parsed = ParseProjectJson(bytes);
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

TEST(ProjectLimits, ParsingIsLinearInTheEntries)
{
    // Ten times the entries may take some twenty times as long, never the
    // hundred times of a search through the list after every entry.
    const double small = SecondsToParse(EmptyEntries(kMostCalculations / 10));
    const double large = SecondsToParse(EmptyEntries(kMostCalculations));
    EXPECT_LT(large, 25 * small + 0.01) << small << " s, " << large << " s";
}

// n members "k0".."k(n-1)" with the number as value, as an object's text.
std::string ManyKeys(std::size_t n)
{
    std::string members;
    for (std::size_t i = 0; i < n; ++i)
        members += (i ? ",\"k" : "\"k") + std::to_string(i) + "\":" + std::to_string(i);
    return members;
}

TEST(ProjectLimits, ManyKeysInOneObjectAreReadWithWorkLinearInThem)
{
    // Each member read looks up its name once among those before it: with
    // a search through them that is n²/2 = 5·10⁹ comparisons, with the
    // index a few per member.
    constexpr std::size_t n = 100000;
    const std::string head = "{\"format\":\"Dralun-Projekt\",\"version\":1,\"calculations\":[";
    const struct {
        const char* where;
        std::string bytes;
    } cases[] = {
        {"in the file", head + "]," + ManyKeys(n) + "}"},
        {"in an entry's inputs", head + "{\"form\":1,\"inputs\":{" + ManyKeys(n) + "}}]}"},
        {"nested in an unknown member", head + "],\"x\":[{\"y\":{" + ManyKeys(n) + "}}]}"},
    };
    for (const auto& c : cases) {
        tProjectKeyComparisons = 0;
        const ProjectRead read = ReadProject(c.bytes);
        EXPECT_LE(tProjectKeyComparisons, 4 * n) << c.where;
        ASSERT_TRUE(read.ok) << c.where << ": " << read.error;
        // Every member is there, in its order.
        const std::string text = ProjectText(read.project);
        const std::size_t first = text.find("\"k0\": 0"), last = text.find("\"k99999\": 99999");
        EXPECT_TRUE(first != std::string::npos && last != std::string::npos && first < last) << c.where;
    }
}

TEST(ProjectLimits, MoreCalculationsThanTheBoundAreRefused)
{
    EXPECT_EQ(ParseProjectJson(EmptyEntries(kMostCalculations))["calculations"].size(), kMostCalculations);
    try {
        ParseProjectJson(EmptyEntries(kMostCalculations + 1));
        FAIL() << "not refused";
    } catch (const ProjectJsonRefused& e) {
        EXPECT_THAT(e.reason, HasSubstr("mehr als 10000 Berechnungen"));
    }
    // A list of that name elsewhere counts nothing.
    const std::string nested = "{\"x\":{\"calculations\":[" + EmptyEntries(kMostCalculations + 1) + "]}}";
    EXPECT_NO_THROW(ParseProjectJson(nested));

    Project project;
    for (std::size_t i = 0; i < kMostCalculations; ++i) {
        EXPECT_FALSE(project.Full());
        project.AddRead(ProjectEntry{Json::object(), std::nullopt, "leer"});
    }
    EXPECT_TRUE(project.Full());
}

TEST(ProjectLimits, TypedTextsWithinTheirLimits)
{
    const struct {
        std::string text;
        std::size_t longest;
        const char* problem; // "" when it is taken
    } cases[] = {
        {std::string(200, 'a'), 200, ""},
        {std::string(201, 'a'), 200, "--name ist mit 201 Zeichen zu lang (höchstens 200)"},
        {"\xC3\xA4" + std::string(199, 'a'), 200, ""}, // "ä" is one character of two bytes
        {"Becken\tA", 200, "Steuerzeichen"},
        {"Becken\x1B[31m", 200, "Steuerzeichen"},
        {"Becken\a", 200, "Steuerzeichen"},
        {"Becken\xC2\x9B" "31m", 200, "Steuerzeichen"}, // CSI as a C1 control
        {"Stra\xC3\x9F" "e \xE2\x80\x93 Nord", 200, ""},
    };
    for (const auto& c : cases) {
        const std::string problem = TypedTextProblem(c.text, c.longest, "--name");
        if (*c.problem == '\0')
            EXPECT_EQ(problem, "") << c.text;
        else
            EXPECT_THAT(problem, HasSubstr(c.problem)) << c.text;
    }
}

TEST(ProjectLimits, PrintableReplacesControlsAndCutsWithAnEllipsis)
{
    EXPECT_EQ(Printable("a\x1B[2Jb\a", 10), "a" + kReplaced + "[2Jb" + kReplaced);
    EXPECT_EQ(Printable("a\nb\tc", 10, true), "a\nb\tc");
    EXPECT_EQ(Printable("abcdef", 6), "abcdef");
    EXPECT_EQ(Printable("abcdefg", 6), "abcde" + kEllipsis);
    EXPECT_EQ(Printable("\xC3\xA4\xC3\xB6\xC3\xBC", 2), "\xC3\xA4" + kEllipsis);
    EXPECT_EQ(Printable(std::string(1000, '\x80'), 3), std::string(12, '\x80') + kEllipsis);
}

TEST(ProjectLimits, TheWriterKeepsWhatTheReaderTakes)
{
    Calculation calc;
    calc.form = 171;
    calc.name = std::string(10001, 'n');
    calc.header.remark = std::string(100000, 'r');
    calc.header.date = "7.12.2026\x1B[31m";
    const Json written = CalculationToJson(calc);
    std::string problem;
    const std::optional<Calculation> read = CalculationFromJson(written, &problem);
    ASSERT_TRUE(read) << problem;
    EXPECT_EQ(CharacterCount(read->name), kLongestName);
    EXPECT_EQ(CharacterCount(read->header.remark), kLongestHeadText[4]);
    EXPECT_EQ(read->header.date, "7.12.2026" + kReplaced + "[31m");

    // One character beyond its limit in a file: the entry is not used.
    Json entry = written;
    entry["header"]["bemerkung"] = std::string(kLongestHeadText[4] + 1, 'r');
    EXPECT_FALSE(CalculationFromJson(entry, &problem));
    EXPECT_THAT(problem, HasSubstr("\"bemerkung\" ist mit 2001 Zeichen zu lang (höchstens 2000)"));
}

TEST(ProjectLimits, ANameFromAFileIsShownBoundedAndWithoutControls)
{
    ProjectEntry entry{Json{{"name", "\x1B]0;x\a" + std::string(1000000, 'n')}}, std::nullopt, "zu lang"};
    const std::string name = entry.Name();
    EXPECT_EQ(CharacterCount(name), kLongestName);
    EXPECT_EQ(name.find('\x1B'), std::string::npos);
    EXPECT_EQ(name.find('\a'), std::string::npos);
    EXPECT_EQ(name.substr(name.size() - kEllipsis.size()), kEllipsis);

    Project project;
    project.AddRead(std::move(entry));
    project.Rename(0, std::string(500, 'x'));
    EXPECT_EQ(CharacterCount(project.At(0).raw["name"].get<std::string>()), kLongestName);
}

// These read through ReadProject, which parses with ParseProjectJson.
TEST(ProjectLimits, ReadingAProjectIsBoundedAndKeepsUnknownMembers)
{
    const ProjectRead many = ReadProject(EmptyEntries(kMostCalculations + 1));
    EXPECT_FALSE(many.ok);
    EXPECT_THAT(many.error, HasSubstr("10000"));

    const ProjectRead read = ReadProject(
        "{\"format\":\"Dralun-Projekt\",\"version\":1,\"kunde\":{\"nr\":7},\"calculations\":[],\"zz\":[1]}");
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_EQ(read.project.OtherMembers(), (Json{{"kunde", {{"nr", 7}}}, {"zz", {1}}}));
    const Json again = Json::parse(ProjectText(read.project));
    EXPECT_EQ(again["kunde"], (Json{{"nr", 7}}));
    EXPECT_EQ(again["zz"], Json::array({1}));
}

} // namespace
} // namespace dralun
