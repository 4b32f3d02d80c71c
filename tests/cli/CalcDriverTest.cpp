// dralun-calc's command line, run in the test process.
#include <gmock/gmock.h>
#include <nlohmann/json.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "cli/CCalcDriver.h"
#include "forms/FormRegistry.h"
#include "testkit/TempDataDir.h"

namespace dralun {
namespace {

using ::testing::HasSubstr;

struct Result {
    int status;
    std::string out;
    std::string err;
};

Result RunDriver(std::vector<std::string> args)
{
    std::ostringstream out, err;
    const int status = CCalcDriver::Run(args, out, err);
    return {status, out.str(), err.str()};
}

TEST(CalcDriver, ListsEveryForm)
{
    const Result r = RunDriver({"--list"});
    EXPECT_EQ(r.status, 0);
    EXPECT_THAT(r.out, HasSubstr("171\tdrossel\tDrossel\n"));
    EXPECT_THAT(r.out, HasSubstr("183\tzeitbeiwert\tZeitbeiwert\n"));
    EXPECT_THAT(r.out, HasSubstr("105\tnotentlastung\tNotentlastung - freier Überfall\n"));
    // One line a form, in the order of the menu.
    EXPECT_EQ(static_cast<size_t>(std::count(r.out.begin(), r.out.end(), '\n')), AllForms().size());
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "130\trohr\tRohr");
}

TEST(CalcDriver, PressesRechneAfterTheEvents)
{
    const Result r = RunDriver({"171"});
    EXPECT_EQ(r.status, 0);
    EXPECT_THAT(r.out, HasSubstr("1005\t2.298400796641"));
    EXPECT_THAT(r.out, HasSubstr("1003\t0.02175425629"));
    EXPECT_THAT(r.out, HasSubstr("1004\t0.16642830101"));
    EXPECT_EQ(r.err, "");
}

TEST(CalcDriver, NoComputeLeavesTheResults)
{
    const Result r = RunDriver({"drossel", "--no-compute", "h=1"});
    EXPECT_EQ(r.out, "1000\t50\n1001\t1\n1002\t0.67\n1003\t0\n1004\t0\n1005\t0\n1044\t0\n"
                     "stale\tNoch nicht gerechnet – Rechne drücken\n");
}

// Results printed beside inputs they do not belong to say so; a value out
// of its range computes nothing and the refusal names field and range.
TEST(CalcDriver, SaysWhenResultsDoNotBelongToTheInputs)
{
    test::TempDataDir data;
    const struct {
        std::vector<std::string> args;
        const char* expected;
        bool present;
    } cases[] = {
        {{"131", "--no-compute", "--click", "1025", "--click", "1012"}, "stale\tEingaben geändert – Rechne drücken\n", true},
        {{"131", "--click", "1025", "--click", "1012"}, "stale\t", false},
        {{"131", "--no-compute", "--click", "1025", "--click", "1012", "--json"},
         "\"stale\":\"Eingaben geändert – Rechne drücken\"", true},
        {{"171", "mu=1.5"},
         "refused\t„Ausflussbeiwert mü [1]“ = 1.5 liegt außerhalb des zulässigen Bereichs 0 bis 1.\n",
         true},
        {{"171", "mu=1.5"}, "1005\t0\n", true},
    };
    for (const auto& c : cases) {
        const Result r = RunDriver(c.args);
        EXPECT_EQ(r.out.find(c.expected) != std::string::npos, c.present) << c.args[0] << " " << c.args.back() << "\n" << r.out;
    }
}

TEST(CalcDriver, FieldsByShortNameAndMessagesWithEscapedLineBreaks)
{
    const Result r = RunDriver({"171", "mu=1,5"});
    EXPECT_THAT(r.out, HasSubstr("message\tBitte geben Sie eine Zahl ein.\\nDezimaltrennzeichen"));
    EXPECT_THAT(r.out, HasSubstr("1002\t0.67\n"));
}

TEST(CalcDriver, JsonHoldsFieldsListsMessagesAndDrawnText)
{
    const Result r = RunDriver({"171", "--json", "1001=0"});
    EXPECT_EQ(r.status, 0);
    const auto doc = nlohmann::json::parse(r.out);
    EXPECT_EQ(doc["form"], 171);
    EXPECT_EQ(doc["title"], "Drossel");
    EXPECT_EQ(doc["fields"]["1000"], "50");
    EXPECT_EQ(doc["fields"]["1001"], "0");
    EXPECT_EQ(doc["fields"]["1004"], "0"); // refused: no diameter
    ASSERT_EQ(doc["messages"].size(), 1u);
    EXPECT_THAT(doc["messages"][0].get<std::string>(), HasSubstr("Die Druckhöhe muss größer als 0 m sein.\nOhne"));
    EXPECT_EQ(doc["refused"], doc["messages"][0]);
    EXPECT_TRUE(doc["drawn"].empty());
}

TEST(CalcDriver, JsonIsValidUtf8WhateverADataFileHolds)
{
    // A rainfall line with a Latin-1 umlaut ("\xe4") reaches the duration list.
    test::TempDataDir data;
    std::string file;
    for (int line = 1; line <= 29; ++line)
        file += line == 10 ? "5\xe4 min 0 0 0 0 0 0 0 0 140.0\n" : "10 min 0 0 0 0 0 0 0 0 120.0\n";
    data.Write("r.txt", file);
    const Result r = RunDriver({"185", "--json", "--click", "1053", "1050=" + data.File("r.txt").string(), "--click",
                                "1020", "--no-compute"});
    EXPECT_EQ(r.status, 0);
    const auto doc = nlohmann::json::parse(r.out); // throws on invalid UTF-8
    EXPECT_EQ(doc["lists"]["1047"][0], "5\xef\xbf\xbd min"); // U+FFFD stands for the byte
}

TEST(CalcDriver, HelpListsTheFields)
{
    const Result r = RunDriver({"171", "--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_THAT(r.out, HasSubstr("1002\tmu\tAusflussbeiwert mü [1]\t1\t0.67\t[0, 1]\n"));
    EXPECT_THAT(r.out, HasSubstr("1003\tA\terf. Durchflussquerschnitt in [m²]\tm²\t0\t-\tErgebnis\n"));
}

TEST(CalcDriver, ClosingTheFormEndsTheEvents)
{
    const Result r = RunDriver({"171", "--click", "2", "h=2"});
    EXPECT_EQ(r.status, 0);
    EXPECT_THAT(r.out, HasSubstr("1001\t0.6\n1002\t0.67\n1003\t0\n"));
}

struct BadCall {
    std::vector<std::string> args;
    const char* message;
};

class CalcDriverErrors : public ::testing::TestWithParam<BadCall> {};

TEST_P(CalcDriverErrors, ExitWithStatusTwoAndOneLine)
{
    const Result r = RunDriver(GetParam().args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_THAT(r.err, HasSubstr(GetParam().message));
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Calls, CalcDriverErrors,
    ::testing::Values(BadCall{{"999"}, "unbekanntes Formular"}, BadCall{{"171", "9999=1"}, "kein Steuerelement"},
                      BadCall{{"171", "x=1"}, "kein Steuerelement"}, BadCall{{"171", "1000"}, "unbekanntes Ereignis"},
                      BadCall{{"171", "--click"}, "erwartet ein Argument"},
                      BadCall{{"171", "--select", "1000"}, "ID:INDEX"}, BadCall{{"171", "--frob"}, "unbekannte Option"},
                      BadCall{{"171", "1003=1"}, "Ergebnisfeld"}, BadCall{{"171", "--select", "1000:0"}, "kann nicht"},
                      BadCall{{"171", "--report", "pdf"}, "text oder json"},
                      BadCall{{"171", "--report"}, "erwartet ein Argument"},
                      BadCall{{"171", "--out", "x.pdf"}, "unbekannte Option"},
                      BadCall{{"171", "--add-to", ""}, "--add-to erwartet einen Dateinamen"},
                      BadCall{{"171", "--name", std::string(201, 'n')},
                              "--name ist mit 201 Zeichen zu lang (höchstens 200)"},
                      BadCall{{"171", "--bemerkung", std::string(100000, 'b')},
                              "--bemerkung ist mit 100000 Zeichen zu lang (höchstens 2000)"},
                      BadCall{{"171", "--projekt", "Nord\x1B[31m"}, "--projekt enthält ein Steuerzeichen"},
                      BadCall{{"171", "--name", "Becken\a"}, "--name enthält ein Steuerzeichen"},
                      // The head fields beside them, with their own limits.
                      BadCall{{"171", "--auftraggeber", std::string(201, 'a')},
                              "--auftraggeber ist mit 201 Zeichen zu lang (höchstens 200)"},
                      BadCall{{"171", "--projekt-nr", std::string(51, '7')},
                              "--projekt-nr ist mit 51 Zeichen zu lang (höchstens 50)"},
                      BadCall{{"171", "--ort", "K\tiel"}, "--ort enthält ein Steuerzeichen (Byte 2)"},
                      BadCall{{"171", "--planung", "Büro\nA\nB\nC\nD"},
                              "--planung hat 5 Zeilen (höchstens 4: Name und 3 Zeilen Anschrift)"},
                      BadCall{{"171", "--planung", "Büro\tNord"}, "--planung enthält ein Steuerzeichen (Byte 6)"},
                      BadCall{{"171", "--planung", std::string(401, 'p')},
                              "--planung ist mit 401 Zeichen zu lang (höchstens 400)"}));

TEST(CalcDriver, ReportAsTextAndJsonWithTheHeaderGiven)
{
    const Result text = RunDriver({"mulde", "--report", "text", "--projekt", "Ortsumgehung Süd", "--datum",
                                   "01.02.2027", "1000=2.5"});
    EXPECT_EQ(text.status, 0);
    for (const char* part : {"Projekt: Ortsumgehung Süd", "Datum: 01.02.2027", "Eingaben", "Rechengang",
                             "Ergebnisse", " B: 2.5 m\n", " (I): 1 ‰\n"})
        EXPECT_THAT(text.out, HasSubstr(part));

    const Result json = RunDriver({"132", "--report", "json", "--bearbeiter", "M. Muster"});
    EXPECT_EQ(json.status, 0);
    const auto doc = nlohmann::json::parse(json.out);
    EXPECT_EQ(doc["header"]["bearbeiter"], "M. Muster");
    EXPECT_EQ(doc["form"], 132);
    EXPECT_FALSE(doc["steps"].empty());
}

TEST(CalcDriver, CheckShowsANameBoundedAndWithoutControlCharacters)
{
    test::TempDataDir data;
    const nlohmann::ordered_json project{
        {"format", "Dralun-Projekt"},
        {"version", 1},
        {"calculations", {{{"name", "A\x1B]0;B\a\x1B[2J" + std::string(1000000, 'n')}}}}};
    data.Write("p.dralun", project.dump());
    const Result r = RunDriver({"--project", data.File("p.dralun").string(), "--check"});
    EXPECT_EQ(r.status, 1);
    EXPECT_THAT(r.out, HasSubstr("1\tA\xEF\xBF\xBD]0;B\xEF\xBF\xBD\xEF\xBF\xBD[2Jnnn"));
    EXPECT_EQ(r.out.find_first_of("\x1B\a"), std::string::npos);
    EXPECT_LT(r.out.size(), 1000u);
}

// Runs once the project's reader keeps the members it does not know.
TEST(CalcDriver, AddToKeepsTheMembersOfTheFileItDoesNotKnow)
{
    test::TempDataDir data;
    data.Write("p.dralun", "{\"format\":\"Dralun-Projekt\",\"version\":1,\"kunde\":\"Stadt\","
                           "\"calculations\":[{\"form\":171,\"neu\":1}],\"zz\":[1,2]}");
    const Result r = RunDriver({"171", "--add-to", data.File("p.dralun").string()});
    EXPECT_EQ(r.status, 0) << r.err;
    const auto doc = nlohmann::json::parse(data.Read("p.dralun"));
    EXPECT_EQ(doc["kunde"], "Stadt");
    EXPECT_EQ(doc["zz"], nlohmann::json::array({1, 2}));
    EXPECT_EQ(doc["calculations"].size(), 2u);
    EXPECT_EQ(doc["calculations"][0]["neu"], 1);
}

} // namespace
} // namespace dralun
