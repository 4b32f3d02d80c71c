// The pipe run form: opening, the three slope modes, overload, the lists,
// taking a diameter, Rohr.txt, and results that cannot be determined.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sstream>
#include <memory>
#include <string>
#include <vector>

#include "core/Format.h"
#include "core/NumberText.h"
#include "forms/CPipeRunDlg.h"
#include "testkit/TempDataDir.h"

namespace dralun {
namespace {

// The medium folder of this source tree, when the test environment does not
// name it.
const bool kMediumDirKnown = [] {
    const auto medium = std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "medium" / "Dralun";
    setenv("DRALUN_MEDIUM_DIR", medium.string().c_str(), 0);
    return true;
}();

using ::testing::ElementsAre;

const char* const kHeader =
    "Programmausgaben - Rohrhydraulik \n"
    " \n"
    "    Sohle      Länge     Gefälle       DN   kb   Qv     vv     Qt     vt    DrH   Fließzeit \n"
    "oben    unten                                                                              \n"
    "m NN    m NN     m      1:x    %       mm   mm   l/s    m/s    l/s    m/s    m        s     \n"
    "\n";

// Row i of the committed part-filling table, read here with sscanf.
struct TableRow {
    double q, v, h;
};
TableRow CommittedRow(int i)
{
    const std::string text = test::ReadFile(test::MediumDir() / "A110KR.ASC");
    size_t pos = 0;
    int row = 0;
    while (pos < text.size()) {
        const size_t end = text.find('\n', pos);
        const std::string line = text.substr(pos, end - pos);
        pos = end == std::string::npos ? text.size() : end + 1;
        if (line.empty() || line[0] == ';')
            continue;
        if (++row == i) {
            TableRow r{};
            std::sscanf(line.c_str(), "%lf %lf %lf", &r.q, &r.v, &r.h);
            return r;
        }
    }
    return {};
}

class PipeRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir.CopyFromMedium("DN.ASC");
        dir.CopyFromMedium("A110KR.ASC");
        form = std::make_unique<CPipeRunDlg>(log);
        form->Open();
    }
    std::string Text(int id) const { return form->Text(id); }
    std::vector<std::string> Results() const
    {
        return {Text(1013), Text(1014), Text(1015), Text(1016), Text(1018)};
    }

    test::TempDataDir dir;
    CMessageLog log;
    std::unique_ptr<CPipeRunDlg> form;
};

TEST_F(PipeRun, BindsItsFieldsInTheExchangeOrder)
{
    std::vector<int> ids;
    for (const FieldInfo& f : form->Fields())
        ids.push_back(f.id);
    EXPECT_THAT(ids, ElementsAre(1001, 1002, 1003, 1006, 1004, 1005, 1019, 1000, 1018, 1016, 1015, 1014, 1013));
    EXPECT_EQ(form->Title(), "Rohr");
    EXPECT_EQ(form->DefaultCommand(), 1017);
}

TEST_F(PipeRun, OpeningComputesTheDefaultReach)
{
    EXPECT_TRUE(log.Messages().empty());
    EXPECT_EQ(Text(1013), " 1.39"); // vv = 1.3856 m/s
    EXPECT_EQ(Text(1014), " 97.9"); // Qv = 97.942 l/s
    EXPECT_EQ(Text(1016), " 40.0");
    // Q/Qv = 40 / 97.942 = 0.408405: rows 40 and 41 of the table.
    const TableRow a = CommittedRow(40), b = CommittedRow(41);
    ASSERT_EQ(a.q, 0.40);
    ASSERT_EQ(b.q, 0.41);
    const double f = (0.408405 - 0.40) / 0.01;
    EXPECT_EQ(Text(1015), Format("%5.2f", (a.v + (b.v - a.v) * f) * 1.38560));
    EXPECT_EQ(Text(1018), Format("%7.3f", (a.h + (b.h - a.h) * f) * 0.3));
    EXPECT_EQ(Text(1004), "1");
    EXPECT_EQ(Text(1005), "100");
    EXPECT_TRUE(form->IsChecked(1009));
    EXPECT_FALSE(form->IsChecked(1007) || form->IsChecked(1008));
    for (int id : {1001, 1002, 1004, 1066, 1067})
        EXPECT_FALSE(form->IsEnabled(id)) << id;
    for (int id : {1003, 1005, 1011})
        EXPECT_TRUE(form->IsEnabled(id)) << id;
}

TEST_F(PipeRun, ListsShowEveryDiameterRowAligned)
{
    const auto& dn = form->Items(1011);
    ASSERT_EQ(dn.size(), 19u);
    EXPECT_EQ(form->Items(1066).size(), 19u);
    EXPECT_EQ(form->Items(1067).size(), 19u);
    EXPECT_EQ(dn[0], " 150");
    EXPECT_EQ(dn[3], " 300");
    EXPECT_EQ(form->Items(1066)[3], " 1.39");
    EXPECT_EQ(form->Items(1067)[3], "     98");
    // DN 150 at 1 %: vv = 0.8745 m/s, Qv = 15.454 l/s.
    EXPECT_EQ(form->Items(1066)[0], " 0.87");
    EXPECT_EQ(form->Items(1067)[0], "     15");
}

struct ModeCase {
    const char* what;
    std::vector<std::pair<int, const char*>> typed;
    int mode;
    const char* percent;
    const char* n;
    const char* vv;
    const char* Qv;
};

class PipeRunModes : public PipeRun, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(PipeRunModes, CompleteTheOtherSlopeFields)
{
    const ModeCase& c = GetParam();
    form->Click(c.mode);
    for (const auto& [id, text] : c.typed)
        form->Type(id, text);
    form->Click(1017);
    EXPECT_EQ(Text(1004), c.percent) << c.what;
    EXPECT_EQ(Text(1005), c.n) << c.what;
    EXPECT_EQ(Text(1013), c.vv) << c.what;
    EXPECT_EQ(Text(1014), c.Qv) << c.what;
    EXPECT_TRUE(log.Messages().empty()) << c.what;
}

// DN 300, kb 1.5: J = 0.005 gives vv = 0.9778, Qv = 69.115; J = 0.02 gives
// vv = 1.9624, Qv = 138.712.
INSTANTIATE_TEST_SUITE_P(
    Slopes, PipeRunModes,
    ::testing::Values(ModeCase{"0.5 %", {{1004, "0.5"}}, 1008, "0.5", "200", " 0.98", " 69.1"},
                      ModeCase{"1 : 200", {{1005, "200"}}, 1009, "0.5", "200", " 0.98", " 69.1"},
                      ModeCase{"levels", {{1001, "101"}, {1002, "100"}, {1003, "50"}}, 1007, "2", "50", " 1.96", "138.7"},
                      ModeCase{"L = 0", {{1001, "101"}, {1002, "100"}, {1003, "0"}}, 1007, "0", "0", "-", "-"},
                      ModeCase{"equal levels", {{1001, "100"}, {1002, "100"}}, 1007, "0", "0", "-", "-"},
                      ModeCase{"rising levels", {{1001, "100"}, {1002, "101"}}, 1007, "0", "0", "-", "-"},
                      ModeCase{"0 %", {{1004, "0"}}, 1008, "0", "0", "-", "-"},
                      ModeCase{"1 : 0", {{1005, "0"}}, 1009, "0", "0", "-", "-"},
                      ModeCase{"1 : -100", {{1005, "-100"}}, 1009, "0", "-100", "-", "-"}));

TEST_F(PipeRun, ModeButtonsEnableTheirFieldsAndClearTheLevels)
{
    form->Click(1007);
    for (int id : {1001, 1002, 1003})
        EXPECT_TRUE(form->IsEnabled(id)) << id;
    EXPECT_FALSE(form->IsEnabled(1004) || form->IsEnabled(1005));
    form->Type(1001, "101");
    form->Type(1002, "100");
    form->Type(1000, "55"); // typed, not yet read

    form->Click(1008);
    EXPECT_TRUE(form->IsEnabled(1004));
    for (int id : {1001, 1002, 1003, 1005})
        EXPECT_FALSE(form->IsEnabled(id)) << id;
    EXPECT_EQ(Text(1001), "0");
    EXPECT_EQ(Text(1002), "0");
    EXPECT_EQ(Text(1000), "40"); // written from the member

    form->Click(1009);
    EXPECT_TRUE(form->IsEnabled(1005));
    for (int id : {1001, 1002, 1003, 1004})
        EXPECT_FALSE(form->IsEnabled(id)) << id;
    EXPECT_TRUE(form->IsChecked(1009));
    EXPECT_FALSE(form->IsChecked(1008));
}

TEST_F(PipeRun, OverloadShowsZerosAndTheFullFlow)
{
    form->Type(1000, "120");
    form->Click(1017);
    EXPECT_THAT(Results(), ElementsAre(" 1.39", " 97.9", " 0.00", "  0.0", "  0.000"));
}

TEST_F(PipeRun, EnterComputes)
{
    form->Type(1000, "120");
    form->PressEnter();
    EXPECT_EQ(Text(1016), "  0.0");
    EXPECT_FALSE(form->IsClosed());
}

TEST_F(PipeRun, LeavingASlopeFieldComputesTheListsWithTheResults)
{
    form->Click(1008);
    form->Type(1004, "0.5");
    form->Leave(1004);
    EXPECT_EQ(form->Items(1066)[3], " 0.98"); // DN 300 at 0.5 %
    EXPECT_EQ(form->Items(1067)[3], "     69");
    EXPECT_EQ(Text(1013), " 0.98");
    EXPECT_EQ(Text(1014), " 69.1");
    EXPECT_EQ(Text(1005), "200");

    form->Click(1009);
    form->Type(1005, "50");
    form->Leave(1005);
    EXPECT_EQ(form->Items(1066)[3], " 1.96"); // DN 300 at 2 %
    EXPECT_EQ(Text(1013), " 1.96");
    EXPECT_FALSE(form->ResultsStale());
}

TEST_F(PipeRun, RefreshButtonComputesWithTheTypedRoughness)
{
    form->Type(1006, "0.75");
    form->Click(1012);
    // DN 200, kb 0.75 mm, J = 0.01: vv = 1.1729, Qv = 36.848.
    EXPECT_EQ(form->Items(1011)[1], " 200");
    EXPECT_EQ(form->Items(1066)[1], " 1.17");
    EXPECT_EQ(form->Items(1067)[1], "     37");
    EXPECT_EQ(Text(1013), form->Items(1066)[3]); // DN 300 in the field and in the list
}

TEST_F(PipeRun, DoubleClickTakesTheDiameterAndComputes)
{
    ASSERT_EQ(form->Items(1011)[5], " 400");
    form->DoubleClick(1011, 5);
    EXPECT_EQ(Text(1019), "400");
    // DN 400 at 1 %: vv = 1.6710, Qv = 209.984.
    EXPECT_EQ(Text(1013), " 1.67");
    EXPECT_EQ(Text(1014), "210.0");
    EXPECT_EQ(Text(1016), " 40.0");
}

TEST_F(PipeRun, RoughnessOutOfRangeIsReportedAndRefused)
{
    form->Type(1006, "5");
    form->Click(1017);
    EXPECT_THAT(log.Texts(), ElementsAre("Bitte geben Sie eine Zahl zwischen 0.25 und 3 ein."));
    EXPECT_EQ(Text(1006), "5");
    EXPECT_TRUE(form->RefusedWhole());
    EXPECT_EQ(form->RefusedBecause(),
              "„kb in mm“ = 5 mm liegt außerhalb des zulässigen Bereichs 0.25 bis 3 mm.");
    EXPECT_THAT(Results(), ElementsAre("0", "0", "0", "0", "0"));
}

TEST_F(PipeRun, UndeterminedResultsLeaveTheFormUsable)
{
    for (const char* field : {"1005=0", "1005=-100"}) {
        const std::string entry = field;
        const int id = ClassicAtoi(entry);
        form->Type(id, entry.substr(5));
        form->Click(1017);
        EXPECT_THAT(Results(), ElementsAre("-", "-", "-", "-", "-")) << field;
        for (int other : {1000, 1001, 1002, 1003, 1004, 1005, 1006, 1019})
            EXPECT_TRUE(ParseFieldNumber(Text(other)).has_value()) << field << " " << other;
        form->Type(id, "100");
        form->Click(1017);
        EXPECT_EQ(Text(1013), " 1.39") << field;
    }
    EXPECT_TRUE(log.Messages().empty());
}

TEST_F(PipeRun, OpeningTwiceShowsTheDefaults)
{
    form->Type(1000, "77");
    form->Click(1017);
    form.reset();
    CPipeRunDlg again(log);
    again.Open();
    EXPECT_EQ(again.Text(1000), "40");
    EXPECT_EQ(again.Text(1016), " 40.0");
}

// ---- calculation report ---------------------------------------------------------

// The line of a committed data file on which `found` first holds.
int CommittedLine(const char* name, const std::function<bool(const std::string&)>& found)
{
    std::istringstream in(test::ReadFile(test::MediumDir() / name));
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (found(line))
            return number;
    }
    return 0;
}

double StepValue(const CForm& form, const std::string& symbol)
{
    double value = std::nan("");
    for (const CalcStep& step : form.Steps())
        if (step.symbol == symbol)
            value = step.value;
    return value;
}

TEST_F(PipeRun, TheDefaultReachIsRecordedWithTheRowsOfBothFiles)
{
    // The fields show the values of the steps.
    EXPECT_EQ(Text(1013), Format("%5.2f", StepValue(*form, "vv")));
    EXPECT_EQ(Text(1014), Format("%5.1f", StepValue(*form, "Qv")));
    EXPECT_EQ(Text(1015), Format("%5.2f", StepValue(*form, "vt")));
    EXPECT_EQ(Text(1016), Format("%5.1f", StepValue(*form, "Qt")));
    EXPECT_EQ(Text(1018), Format("%7.3f", StepValue(*form, "DrH")));
    EXPECT_EQ(StepValue(*form, "i"), 40);

    const auto& files = form->DataFiles();
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].name, "DN.ASC");
    EXPECT_EQ(files[0].bytes, test::ReadFile(test::MediumDir() / "DN.ASC").size());
    const int dnLine = CommittedLine("DN.ASC", [](const std::string& l) { return l == "300"; });
    EXPECT_THAT(files[0].rows, ElementsAre(Format("Zeile %d: DN 300", dnLine)));
    EXPECT_EQ(files[1].name, "A110KR.ASC");
    const TableRow a = CommittedRow(40), b = CommittedRow(41);
    const int line40 = CommittedLine("A110KR.ASC", [](const std::string& l) { return l.rfind("0.40 ", 0) == 0; });
    EXPECT_THAT(files[1].rows,
                ElementsAre(Format("Zeile %d: Tabellenzeile 40: Q/Qv = 0.4, v/vv = %.15g, h/D = %.15g", line40, a.v, a.h),
                            Format("Zeile %d: Tabellenzeile 41: Q/Qv = 0.41, v/vv = %.15g, h/D = %.15g", line40 + 1,
                                   b.v, b.h)));
}

TEST_F(PipeRun, ChoicesNameTheModeAndTheListEntry)
{
    auto texts = [&] {
        std::vector<std::string> out;
        for (const FormChoice& c : form->Choices())
            out.push_back(c.label + ": " + c.text);
        return out;
    };
    EXPECT_THAT(texts(), ElementsAre("Eingabe des Gefälles: als Neigung 1 : n"));
    form->Click(1008);
    form->DoubleClick(1011, 5);
    EXPECT_THAT(texts(), ElementsAre("Eingabe des Gefälles: in %", "Gewählte Nennweite aus DN.ASC: DN 400"));
    form->Select(1011, 3); // chosen, not taken
    EXPECT_THAT(texts(), ElementsAre("Eingabe des Gefälles: in %",
                                     "Gewählte Nennweite aus DN.ASC: DN 300 (nicht in das Feld DN übernommen)"));
}

TEST_F(PipeRun, TheCompletedSlopeIsAStepAndMessagesBelongToTheComputation)
{
    form->Click(1008);
    form->Type(1004, "0.5");
    form->Click(1017);
    EXPECT_EQ(StepValue(*form, "J"), 0.005);
    EXPECT_EQ(StepValue(*form, "n"), 200); // 1 / 0.5 * 100
    EXPECT_EQ(Text(1005), "200");
    EXPECT_TRUE(form->ComputationMessages().empty());
    form->Type(1000, "-150");
    form->Click(1017);
    EXPECT_THAT(form->ComputationMessages(), ElementsAre("Der Abfluss Q darf nicht negativ sein."));
}

// ---- Rohr.txt -------------------------------------------------------------------

TEST_F(PipeRun, OpeningAndClosingWithoutARowWritesNothing)
{
    form->Click(1017);
    form->Cancel();
    form.reset();
    EXPECT_EQ(dir.ReadText("Rohr.txt"), "");
}

TEST_F(PipeRun, TheRowButtonAppendsTheComputedReach)
{
    form->Click(1020);
    form->Type(1000, "120");
    form->Click(1017);
    form->Click(1012); // the list refresh does not change the row
    form->Click(1020);
    form.reset();
    const double Qv = 97.942, vv = 1.38560;
    const TableRow a = CommittedRow(40), b = CommittedRow(41);
    const double f = (40 / Qv - 0.40) / 0.01;
    const double vt = (a.v + (b.v - a.v) * f) * vv;
    const double DrH = (a.h + (b.h - a.h) * f) * 0.3;
    const std::string first = Format("  0.00   0.00  10.00  100.0   1.00    300  1.5     98   1.39     40 %6.2f %6.2f %6.0f\n",
                                     vt, DrH, 10 / vt);
    const std::string overloaded = "  0.00   0.00  10.00  100.0   1.00    300  1.5     98   1.39      0   0.00   0.00      -\n";
    EXPECT_EQ(dir.ReadText("Rohr.txt"), kHeader + first + overloaded);
}

// ---- faulty tables ------------------------------------------------------------

TEST(PipeRunTables, MissingTablesAreReportedAndTheFormOpens)
{
    test::TempDataDir dir;
    CMessageLog log;
    CPipeRunDlg form(log);
    form.Open();
    const std::string path = dir.Named();
    EXPECT_THAT(log.Texts(), ElementsAre("Die Datei DN.ASC konnte nicht von " + path + "  eingelesen werden!",
                                         "Die Datei A110KR.ASC konnte nicht von " + path + "  eingelesen werden!"));
    EXPECT_TRUE(form.Items(1011).empty());
    EXPECT_EQ(form.Text(1013), " 1.39");
    EXPECT_EQ(form.Text(1014), " 97.9");
    EXPECT_EQ(form.Text(1015), "-"); // no table to look up
    EXPECT_EQ(form.Text(1018), "-");
    EXPECT_EQ(form.Text(1016), " 40.0");
    EXPECT_FALSE(form.IsClosed());
}

TEST(PipeRunTables, BadDiameterIsReportedAndLeftOut)
{
    test::TempDataDir dir;
    dir.Write("DN.ASC", "200\n40\n300\n");
    dir.CopyFromMedium("A110KR.ASC");
    CMessageLog log;
    CPipeRunDlg form(log);
    form.Open();
    ASSERT_EQ(log.Messages().size(), 1u);
    EXPECT_EQ(log.Messages()[0].text, "Datei mit Durchmessern enthält unzulässige(n) Durchmesser <50 oder >3000");
    EXPECT_EQ(log.Messages()[0].icon, MsgIcon::Exclamation);
    EXPECT_THAT(form.Items(1011), ElementsAre(" 200", " 300"));
    form.DoubleClick(1011, 1);
    EXPECT_EQ(form.Text(1019), "300");
}

TEST(PipeRunTables, ShortTableShowsVtAndDrHAsUndetermined)
{
    test::TempDataDir dir;
    dir.CopyFromMedium("DN.ASC");
    std::string table;
    for (int i = 1; i <= 40; ++i)
        table += Format("%.2f 0.9 0.4\n", i / 100.0);
    dir.Write("A110KR.ASC", table);
    CMessageLog log;
    CPipeRunDlg form(log);
    form.Open();
    EXPECT_TRUE(log.Messages().empty());
    EXPECT_EQ(form.Text(1015), "-"); // Q/Qv = 0.4084 needs row 41
    EXPECT_EQ(form.Text(1018), "-");
    form.Type(1000, "30"); // Q/Qv = 0.306: rows 30 and 31
    form.Click(1017);
    EXPECT_EQ(form.Text(1015), " 1.25"); // 0.9 * 1.3856
    EXPECT_EQ(form.Text(1018), "  0.120");
}

TEST(PipeRunTables, WithoutADataDirectoryTheFormWorksWithoutReport)
{
    test::TempDataDir dir;
    setenv("DRALUN_DATA_DIR", (dir.Path() / "fehlt").string().c_str(), 1);
    CMessageLog log;
    {
        CPipeRunDlg form(log);
        form.Open();
        form.Click(1020);
        EXPECT_EQ(form.Text(1013), " 1.39");
    }
    EXPECT_EQ(log.Messages().size(), 2u); // the two tables, nothing about the report
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "fehlt"));
}

} // namespace
} // namespace dralun
