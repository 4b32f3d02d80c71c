// A rating table kept with a calculation: through the project file and back
// with its request and its rows, broken rating members refused as the rest
// of an entry is, and the project's report with the table made anew.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <nlohmann/json.hpp>
#include <sstream>

#include "core/NumberText.h"
#include "forms/CForm.h"
#include "forms/ComputeButton.h"
#include "forms/FormRegistry.h"
#include "project/KeepCalculation.h"
#include "project/ProjectFile.h"
#include "project/ProjectReports.h"
#include "report/ReportWriters.h"
#include "testkit/TempDataDir.h"

namespace dralun {
namespace {

using ::testing::HasSubstr;
using Json = ProjectJsonValue;

class RatingProject : public ::testing::Test {
protected:
    // The orifice on its defaults: Q 50 l/s, mu 0.67.
    std::unique_ptr<CForm> Orifice()
    {
        std::unique_ptr<CForm> form = FindFormById(171)->create(sink);
        form->Open();
        PressCompute(*form);
        return form;
    }
    static int Id(const CForm& form, const char* name) { return form.FindFieldByName(name)->id; }

    // h from 0 to 2 m in 5 rows; the first (h = 0) is refused by the form.
    RatingRequest HeadRequest(const CForm& form) const
    {
        return {Id(form, "h"), 0, 2, 0, 5, {Id(form, "A"), Id(form, "v")}};
    }

    Project Read(const std::string& text) const
    {
        const ProjectRead read = ReadProject(text);
        EXPECT_TRUE(read.ok) << read.error;
        return read.project;
    }

    test::TempDataDir data;
    CSilentSink sink;
};

TEST_F(RatingProject, KeptTableComesBackThroughTheFile)
{
    const auto form = Orifice();
    // A step request as well: 0.1 and 0.3 do not read back exactly unless written with all digits.
    const RatingRequest requests[] = {HeadRequest(*form), {Id(*form, "h"), 0.1, 0.3, 0.1, 0, {}}};
    for (const RatingRequest& request : requests) {
        const Calculation kept = KeepCalculation(*form, {}, "Drossel", request);
        ASSERT_TRUE(kept.rating);
        ASSERT_FALSE(kept.rating->rows.empty());
        Project project;
        project.Add(kept);
        const Project back = Read(ProjectText(project));
        ASSERT_TRUE(back.At(0).Usable()) << back.At(0).problem;
        const std::optional<RatingTable>& r = back.At(0).calc->rating;
        ASSERT_TRUE(r);
        EXPECT_EQ(r->request.vary, request.vary);
        EXPECT_EQ(r->request.from, request.from);
        EXPECT_EQ(r->request.to, request.to);
        EXPECT_EQ(r->request.step, request.step);
        EXPECT_EQ(r->request.rows, request.rows);
        EXPECT_EQ(r->request.columns, kept.rating->request.columns); // filled in with the main results
        ASSERT_EQ(r->rows.size(), kept.rating->rows.size());
        for (size_t i = 0; i < r->rows.size(); ++i) {
            const RatingRow& a = r->rows[i];
            const RatingRow& b = kept.rating->rows[i];
            EXPECT_EQ(a.inputText, b.inputText);
            EXPECT_EQ(a.input, b.input);
            EXPECT_EQ(a.texts, b.texts);
            EXPECT_EQ(a.refused, b.refused);
            for (size_t k = 0; k < a.values.size(); ++k)
                EXPECT_TRUE(a.values[k] == b.values[k] || (std::isnan(a.values[k]) && std::isnan(b.values[k])));
        }
    }
    // The form's refusal of h = 0 is kept as the form wrote it.
    const Calculation kept = KeepCalculation(*form, {}, "", HeadRequest(*form));
    const Project back = Read(ProjectText([&] {
        Project p;
        p.Add(kept);
        return p;
    }()));
    EXPECT_THAT(back.At(0).calc->rating->rows[0].refused, HasSubstr("Die Druckhöhe muss größer als 0 m sein."));
}

TEST_F(RatingProject, EntriesWithoutRatingReadAsBefore)
{
    const auto form = Orifice();
    Project project;
    project.Add(KeepCalculation(*form, {}));
    const std::string text = ProjectText(project);
    EXPECT_EQ(text.find("\"rating\""), std::string::npos);
    const Project back = Read(text);
    ASSERT_TRUE(back.At(0).Usable());
    EXPECT_FALSE(back.At(0).calc->rating);
    // A request the form has no field for is not kept: the file would not read back.
    EXPECT_FALSE(KeepCalculation(*form, {}, "", RatingRequest{9999, 0, 1, 0, 3, {}}).rating);
}

struct Broken {
    const char* what;
    std::function<void(Json& rating, const CForm& form)> change;
    const char* problem;
};

std::vector<Broken> BrokenRatings()
{
    auto id = [](const CForm& f, const char* name) { return f.FindFieldByName(name)->id; };
    return {
        {"not an object", [](Json& r, const CForm&) { r = "Tabelle"; }, "\"rating\" hat den falschen Typ"},
        {"no request", [](Json& r, const CForm&) { r.erase("request"); }, "\"request\" fehlt"},
        {"vary a text", [](Json& r, const CForm&) { r["request"]["vary"] = "1000"; }, "\"vary\" ist keine ganze Zahl"},
        {"from a text", [](Json& r, const CForm&) { r["request"]["from"] = "0"; }, "\"from\" ist keine Zahl"},
        {"no step", [](Json& r, const CForm&) { r["request"].erase("step"); }, "\"step\" fehlt"},
        {"rows negative", [](Json& r, const CForm&) { r["request"]["rows"] = -1; }, "\"rows\" liegt außerhalb"},
        {"rows too many", [](Json& r, const CForm&) { r["request"]["rows"] = 10001; }, "\"rows\" liegt außerhalb"},
        {"columns no array", [](Json& r, const CForm&) { r["request"]["columns"] = 1; },
         "\"columns\" hat den falschen Typ"},
        {"a column no integer", [](Json& r, const CForm&) { r["request"]["columns"] = {1.5}; },
         "eine Spalte ist keine ganze Zahl"},
        {"table rows no array", [](Json& r, const CForm&) { r["rows"] = Json::object(); },
         "\"rows\" hat den falschen Typ"},
        {"too many table rows",
         [](Json& r, const CForm&) {
             Json row = r["rows"][1];
             r["rows"] = Json::array();
             for (int i = 0; i < 10001; ++i)
                 r["rows"].push_back(row);
         },
         "10001 Zeilen, höchstens 10000"},
        {"a row no object", [](Json& r, const CForm&) { r["rows"][2] = 7; }, "eine Zeile ist kein JSON-Objekt"},
        {"an input no text", [](Json& r, const CForm&) { r["rows"][2]["input"] = 1; },
         "\"input\" hat den falschen Typ"},
        {"a value no text", [](Json& r, const CForm&) { r["rows"][2]["texts"][0] = 0.5; }, "ein Wert ist kein Text"},
        {"more values than columns", [](Json& r, const CForm&) { r["rows"][2]["texts"].push_back("1"); },
         "mehr Werte als die Tabelle Spalten"},
        {"a refusal no text", [](Json& r, const CForm&) { r["rows"][2]["refused"] = false; },
         "\"refused\" hat den falschen Typ"},
        {"a column the form lacks", [](Json& r, const CForm&) { r["request"]["columns"][1] = 9999; },
         "das Formular 171 hat kein Feld 9999"},
        {"a result varied", [id](Json& r, const CForm& f) { r["request"]["vary"] = id(f, "A"); },
         "ist ein Ergebnisfeld"},
        {"the varied field a column", [id](Json& r, const CForm& f) { r["request"]["columns"][0] = id(f, "h"); },
         "ist schon die erste Spalte"},
        {"a step of 0", [](Json& r, const CForm&) { r["request"]["rows"] = 0; }, "Die Schrittweite ist 0"},
    };
}

TEST_F(RatingProject, BrokenRatingMembersMakeTheEntryUnusableWithTheReason)
{
    const auto form = Orifice();
    Project good;
    good.Add(KeepCalculation(*form, {}, "Drossel", HeadRequest(*form)));
    const Json root = Json::parse(ProjectText(good));
    for (const Broken& b : BrokenRatings()) {
        SCOPED_TRACE(b.what);
        Json broken = root;
        b.change(broken["calculations"][0]["rating"], *form);
        const ProjectRead read = ReadProject(broken.dump());
        ASSERT_TRUE(read.ok) << read.error; // the file reads; the entry is kept as it came
        ASSERT_EQ(read.project.Size(), 1u);
        EXPECT_FALSE(read.project.At(0).Usable());
        EXPECT_THAT(read.project.At(0).problem, HasSubstr(b.problem));
        if (std::string(b.what) != "not an object") {
            EXPECT_THAT(read.project.At(0).problem, HasSubstr("in der Wertetabelle: "));
        }
        EXPECT_EQ(Json::parse(ProjectText(read.project))["calculations"][0], broken["calculations"][0]);
    }
}

TEST_F(RatingProject, ReopeningNamesTheFirstRowThatReadsDifferentlyNow)
{
    const auto form = Orifice();
    Project kept;
    kept.Add(KeepCalculation(*form, {}, "Drossel", HeadRequest(*form)));
    EXPECT_TRUE(ChangedResults(*form, *kept.At(0).calc).empty());
    // As if an earlier version had computed rows 3 and 5 (h = 1 m, 2 m) otherwise.
    Json root = Json::parse(ProjectText(kept));
    Json& rows = root["calculations"][0]["rating"]["rows"];
    const std::string v1 = rows[2]["texts"][1];
    rows[2]["texts"][1] = "2.9";
    rows[4]["texts"][0] = "0.0119";
    const Project project = Read(root.dump());
    ASSERT_TRUE(project.At(0).Usable()) << project.At(0).problem;
    const Reopened reopened = Reopen(*project.At(0).calc, sink);
    ASSERT_EQ(reopened.problem, "");
    ASSERT_EQ(reopened.changes.size(), 1u);
    const ResultChange& change = reopened.changes[0];
    EXPECT_EQ(change.label, "Wertetabelle, Zeile 3 (h = 1) und 1 weitere");
    EXPECT_EQ(change.before, rows[2]["texts"][0].get<std::string>() + " | 2.9");
    EXPECT_EQ(change.after, rows[2]["texts"][0].get<std::string>() + " | " + v1);
}

// The cells of the report text's table row that begins with the input.
std::vector<std::string> TextRow(const std::string& report, const std::string& input)
{
    std::istringstream lines(report.substr(report.find("Wertetabelle")));
    for (std::string line; std::getline(lines, line);) {
        std::istringstream cells(line);
        std::vector<std::string> row;
        for (std::string cell; cells >> cell;)
            row.push_back(cell);
        if (!row.empty() && row[0] == input)
            return row;
    }
    return {};
}

// Half a unit of the last digit a number is written with.
double HalfLastDigit(const std::string& text)
{
    const size_t point = text.find('.');
    return 0.5 * std::pow(10.0, point == std::string::npos ? 0.0 : -double(text.size() - point - 1));
}

TEST_F(RatingProject, ProjectReportHoldsTheTableMadeAnew)
{
    const auto form = Orifice();
    Project kept;
    kept.Add(KeepCalculation(*form, {"Umgehung Süd", "", "", "07.12.2026", ""}, "Drossel", HeadRequest(*form)));
    const Project project = Read(ProjectText(kept));
    const std::vector<ProjectReport> reports = ProjectReports(project, sink);
    ASSERT_EQ(reports.size(), 1u);
    ASSERT_TRUE(reports[0].report.rating);
    const std::string text = ReportText(reports[0].report);
    EXPECT_THAT(text, HasSubstr("Wertetabelle"));
    EXPECT_THAT(text, HasSubstr("Verändert: Druckhöhe h von 0 bis 2 m (5 Zeilen)"));
    EXPECT_THAT(text, HasSubstr("nicht berechnet: Die Druckhöhe muss größer als 0 m sein."));
    // h = 1 m by hand: v = mu sqrt(2 g h) = 0.67 · 4.42869 = 2.96722 m/s, A = Q / v = 0.050 / 2.96722 = 0.0168508 m².
    const double v = 0.67 * std::sqrt(2 * 9.80665 * 1.0);
    const double A = 0.050 / v;
    const std::vector<std::string> row = TextRow(text, "1");
    ASSERT_EQ(row.size(), 3u) << text;
    EXPECT_NEAR(*ParseFieldNumber(row[1]), A, HalfLastDigit(row[1]) * 1.0001) << row[1];
    EXPECT_NEAR(*ParseFieldNumber(row[2]), v, HalfLastDigit(row[2]) * 1.0001) << row[2];
    EXPECT_NEAR(v, 2.96722, 1e-5); // the hand values above
    EXPECT_NEAR(A, 0.0168508, 1e-7);
}

// The verdict of each row in the report's table: the orifice of d = 0.166 m
// under h = 0.6 m lets through v·π·d²/4 = 0.67·√(2·9.80665·0.6)·π·0.166²/4
// = 2.298401 m/s · 0.0216423 m² = 49.743 l/s, too much where 40 l/s are
// allowed and 82.9 % of 60 l/s.
TEST_F(RatingProject, ReportTableHasTheVerdictOfEachRow)
{
    const auto form = Orifice();
    form->Type(Id(*form, "d_gew"), "0.166");
    PressCompute(*form);
    Project kept;
    kept.Add(KeepCalculation(*form, {}, "Drossel", RatingRequest{Id(*form, "Q"), 40, 60, 20, 0, {}}));
    const std::vector<ProjectReport> reports = ProjectReports(Read(ProjectText(kept)), sink);
    ASSERT_EQ(reports.size(), 1u);
    const std::string text = ReportText(reports[0].report);
    EXPECT_THAT(text, HasSubstr("Nachweis Qgew <= Q"));
    const std::vector<std::string> low = TextRow(text, "40"), high = TextRow(text, "60");
    ASSERT_GE(low.size(), 3u) << text;
    ASSERT_GE(high.size(), 3u) << text;
    EXPECT_EQ(low.back(), "erfüllt") << "nicht: " << text; // the last word of "nicht erfüllt"
    EXPECT_EQ(low[low.size() - 2], "nicht");
    EXPECT_EQ(high.back(), "erfüllt");
    EXPECT_EQ(high[high.size() - 2], "82.9");
    const nlohmann::json json = nlohmann::json::parse(ReportJson(reports[0].report));
    EXPECT_FALSE(json["rating"]["rows"][0]["verdict"]["met"].get<bool>());
    EXPECT_NEAR(json["rating"]["rows"][1]["verdict"]["utilisation"].get<double>(), 49.743 / 60 * 100, 0.002);
}

// The reports of a project tell how far they are, and stop when told.
TEST_F(RatingProject, ProjectReportsTellTheirProgressAndStop)
{
    const auto form = Orifice();
    Project project;
    for (const char* name : {"eins", "zwei", "drei"})
        project.Add(KeepCalculation(*form, {}, name));
    std::vector<std::size_t> told;
    bool stopped = true;
    const auto all = ProjectReports(
        project, sink, nullptr, [&](std::size_t done, std::size_t total) { return told.push_back(done), total == 3; },
        &stopped);
    EXPECT_EQ(all.size(), 3u);
    EXPECT_FALSE(stopped);
    EXPECT_EQ(told, (std::vector<std::size_t>{0, 1, 2}));
    const auto some = ProjectReports(
        project, sink, nullptr, [](std::size_t done, std::size_t) { return done < 1; }, &stopped);
    EXPECT_TRUE(stopped);
    EXPECT_EQ(some.size(), 1u);
}

} // namespace
} // namespace dralun
