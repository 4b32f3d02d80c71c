// The head of a report with client, office, place and number; the block to
// sign at its end, where an empty field stays a line to fill in; and the
// short form, which keeps only the steps that find what the report shows.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "report/Report.h"
#include "report/ReportWriters.h"

namespace dralun {
namespace {

CalcStep StepOf(const char* symbol) { return {std::string("Schritt ") + symbol, symbol, "a + b", {{"a", 1}, {"b", 2}}, 3, "m"}; }

ReportHeader FullHead()
{
    ReportHeader h{"Ortsumgehung Süd", "Haltung 4", "J. Weiß", "01.02.2027", ""};
    h.client = "Stadt Musterhausen";
    h.office = "Ingenieurbüro Nord\nHafenstraße 3\n24103 Kiel";
    h.place = "Kiel";
    h.number = "2026-017";
    return h;
}

TEST(ReportHead, EveryFieldInTextAndJson)
{
    Report r;
    r.title = "Rohr";
    r.header = FullHead();
    r.signature = SignatureOf(r.header);
    const std::string text = ReportText(r);
    // In the order of the page; the office's lines under its first one.
    EXPECT_NE(text.find("Projekt: Ortsumgehung Süd\n"
                        "Projekt-Nr.: 2026-017\n"
                        "Auftraggeber: Stadt Musterhausen\n"
                        "Bauwerk / Abschnitt: Haltung 4\n"
                        "Planung: Ingenieurbüro Nord\n"
                        "         Hafenstraße 3\n"
                        "         24103 Kiel\n"
                        "Bearbeiter: J. Weiß\n"
                        "Ort: Kiel\n"
                        "Datum: 01.02.2027\n"
                        "Bemerkung: \n"),
              std::string::npos)
        << text;
    const auto json = nlohmann::json::parse(ReportJson(r));
    EXPECT_EQ(json["header"]["auftraggeber"], "Stadt Musterhausen");
    EXPECT_EQ(json["header"]["planung"], "Ingenieurbüro Nord\nHafenstraße 3\n24103 Kiel");
    EXPECT_EQ(json["header"]["ort"], "Kiel");
    EXPECT_EQ(json["header"]["projektnr"], "2026-017");
    EXPECT_EQ(json["signature"]["name"], "J. Weiß");
}

TEST(ReportHead, SignatureBlockLeavesAnEmptyFieldEmpty)
{
    const std::string blank = kSignatureBlank;
    struct Case {
        SignatureBlock block;
        std::vector<std::string> made; // Ort, Datum, Name after "Aufgestellt:"
    };
    const Case cases[] = {
        {{"Kiel", "01.02.2027", "J. Weiß"}, {"  Ort: Kiel", "  Datum: 01.02.2027", "  Name: J. Weiß"}},
        {{"", "01.02.2027", ""}, {"  Ort: " + blank, "  Datum: 01.02.2027", "  Name: " + blank}},
        {{"", "", ""}, {"  Ort: " + blank, "  Datum: " + blank, "  Name: " + blank}},
    };
    for (const Case& c : cases) {
        const std::vector<std::string> lines = SignatureLines(c.block);
        const std::vector<std::string> expected{"Aufgestellt:",
                                                c.made[0],
                                                c.made[1],
                                                c.made[2],
                                                "  Unterschrift: " + blank,
                                                "",
                                                "Geprüft:",
                                                "  Ort: " + blank,
                                                "  Datum: " + blank,
                                                "  Name: " + blank,
                                                "  Unterschrift: " + blank};
        EXPECT_EQ(lines, expected);
    }
}

TEST(ReportShortForm, KeepsTheStepsOfResultsAndVerdictOnly)
{
    struct Case {
        const char* what;
        std::vector<const char*> steps;
        std::vector<const char*> results;
        bool verdict; // Q against Qv
        std::vector<bool> kept;
    };
    const Case cases[] = {
        // The pipe run: slope, diameter, terms of the formula, the table rows
        // and the interpolation go; the results and the utilisation stay.
        {"Rohr",
         {"J", "D", "s", "x", "vv", "Qv", "Qt", "QQv", "i", "QQv1", "hD", "vt", "DrH", "eta"},
         {"vv", "Qv", "Qt", "vt", "DrH"},
         true,
         {0, 0, 0, 0, 1, 1, 1, 0, 0, 0, 0, 1, 1, 1}},
        // An iteration: only the last step that finds h.
        {"Iteration", {"h", "h", "h", "v"}, {"h", "v"}, false, {0, 0, 1, 1}},
        // What the verdict compares, though no result shows it.
        {"Nachweis", {"Q", "Qv", "x"}, {}, true, {1, 1, 0}},
        // A result taken from a table is a look-up: the results show it.
        {"Tabelle", {"phi", "T2"}, {"phi", "T2"}, false, {0, 1}},
    };
    for (const Case& c : cases) {
        Report r;
        for (const char* s : c.steps)
            r.steps.push_back(StepOf(s));
        if (std::string(c.what) == "Tabelle")
            r.steps[0].formula = "1.60005"; // taken, as CSteps::Taken records it
        for (const char* s : c.results)
            r.results.push_back({0, s, s, "1", "m"});
        if (c.verdict)
            r.verdict = Verdict{{"Leistung", "Abfluss", "Q", "Leistungsfähigkeit", "Qv", "l/s"}, 40, 97.9, 40.9, true, {}};
        EXPECT_EQ(KeptInShortForm(r), c.kept) << c.what;
    }
}

TEST(ReportShortForm, TextLeavesOutStepsAndRowsJsonKeepsAll)
{
    Report r;
    r.title = "Rohr";
    r.header.shortForm = true;
    for (const char* s : {"D", "QQv1", "Qv"})
        r.steps.push_back(StepOf(s));
    r.results.push_back({0, "Qv", "Qv", "97.9", "l/s"});
    r.files.push_back({"A110KR.ASC", 2289, "870f", {"Zeile 47: Tabellenzeile 40"}, nullptr});
    const std::string text = ReportText(r);
    EXPECT_EQ(text.rfind("Rohr – Kurzfassung\n", 0), 0u) << text;
    EXPECT_NE(text.find("Kurzfassung: 2 von 3 Schritten"), std::string::npos) << text;
    EXPECT_NE(text.find("Schritt Qv"), std::string::npos);
    EXPECT_EQ(text.find("Schritt QQv1"), std::string::npos);
    EXPECT_NE(text.find("A110KR.ASC, 2289 Bytes"), std::string::npos);
    EXPECT_EQ(text.find("Tabellenzeile 40"), std::string::npos);
    const auto json = nlohmann::json::parse(ReportJson(r));
    EXPECT_EQ(json["steps"].size(), 3u);
    EXPECT_EQ(json["files"][0]["rows"].size(), 1u);
}

} // namespace
} // namespace dralun
