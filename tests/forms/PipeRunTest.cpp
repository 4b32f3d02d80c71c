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
#include "PipeRunEntry.h"
#include "testkit/TempDataDir.h"
#include "testkit/MediumOfTree.h"
#include "PipeRunReportHeader.h"

namespace dralun {
namespace {

using Dlg = CPipeRunDlg;

using ::testing::ElementsAre;

const char* const kHeader = test::kPipeRunReportHeader;

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

class PipeRun : public test::OpenPipeRun {
protected:
    std::vector<std::string> Results() const
    {
        return {Text(Dlg::kIdVv), Text(Dlg::kIdQv), Text(Dlg::kIdVt), Text(Dlg::kIdQt), Text(Dlg::kIdDrH)};
    }
};

TEST_F(PipeRun, BindsItsFieldsInTheExchangeOrder)
{
    std::vector<int> ids;
    for (const FieldInfo& f : form->Fields())
        ids.push_back(f.id);
    EXPECT_THAT(ids, ElementsAre(Dlg::kIdZo, Dlg::kIdZu, Dlg::kIdL, Dlg::kIdKb, Dlg::kIdI, Dlg::kIdN, Dlg::kIdDN,
                                 Dlg::kIdQ, Dlg::kIdEtaMax, Dlg::kIdVMin, Dlg::kIdHdMax, Dlg::kIdDrH, Dlg::kIdQt,
                                 Dlg::kIdVt, Dlg::kIdQv, Dlg::kIdVv));
    EXPECT_EQ(form->Title(), "Rohr");
    EXPECT_EQ(form->DefaultCommand(), Dlg::kIdCompute);
}

TEST_F(PipeRun, OpeningComputesTheDefaultReach)
{
    EXPECT_TRUE(log.Messages().empty());
    EXPECT_EQ(Text(Dlg::kIdVv), " 1.39"); // vv = 1.3856 m/s
    EXPECT_EQ(Text(Dlg::kIdQv), " 97.9"); // Qv = 97.942 l/s
    EXPECT_EQ(Text(Dlg::kIdQt), " 40.0");
    // Q/Qv = 40 / 97.942 = 0.408405: rows 40 and 41 of the table.
    const TableRow a = CommittedRow(40), b = CommittedRow(41);
    ASSERT_EQ(a.q, 0.40);
    ASSERT_EQ(b.q, 0.41);
    const double f = (0.408405 - 0.40) / 0.01;
    EXPECT_EQ(Text(Dlg::kIdVt), Format("%5.2f", (a.v + (b.v - a.v) * f) * 1.38560));
    EXPECT_EQ(Text(Dlg::kIdDrH), Format("%7.3f", (a.h + (b.h - a.h) * f) * 0.3));
    EXPECT_EQ(Text(Dlg::kIdI), "1");
    EXPECT_EQ(Text(Dlg::kIdN), "100");
    EXPECT_TRUE(form->IsChecked(Dlg::kIdModeOneIn));
    EXPECT_FALSE(form->IsChecked(Dlg::kIdModeLevels) || form->IsChecked(Dlg::kIdModePercent));
    for (int id : {Dlg::kIdZo, Dlg::kIdZu, Dlg::kIdI, Dlg::kIdListVv, Dlg::kIdListQv})
        EXPECT_FALSE(form->IsEnabled(id)) << id;
    for (int id : {Dlg::kIdL, Dlg::kIdN, Dlg::kIdListDiameters})
        EXPECT_TRUE(form->IsEnabled(id)) << id;
}

TEST_F(PipeRun, ListsShowEveryDiameterRowAligned)
{
    const auto& dn = form->Items(Dlg::kIdListDiameters);
    ASSERT_EQ(dn.size(), 19u);
    EXPECT_EQ(form->Items(Dlg::kIdListVv).size(), 19u);
    EXPECT_EQ(form->Items(Dlg::kIdListQv).size(), 19u);
    EXPECT_EQ(dn[0], " 150");
    EXPECT_EQ(dn[3], " 300");
    EXPECT_EQ(form->Items(Dlg::kIdListVv)[3], " 1.39");
    EXPECT_EQ(form->Items(Dlg::kIdListQv)[3], "     98");
    // DN 150 at 1 %: vv = 0.8745 m/s, Qv = 15.454 l/s.
    EXPECT_EQ(form->Items(Dlg::kIdListVv)[0], " 0.87");
    EXPECT_EQ(form->Items(Dlg::kIdListQv)[0], "     15");
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
    test::EnterAndCompute(*form, c.mode, c.typed);
    EXPECT_EQ(Text(Dlg::kIdI), c.percent) << c.what;
    EXPECT_EQ(Text(Dlg::kIdN), c.n) << c.what;
    EXPECT_EQ(Text(Dlg::kIdVv), c.vv) << c.what;
    EXPECT_EQ(Text(Dlg::kIdQv), c.Qv) << c.what;
    EXPECT_TRUE(log.Messages().empty()) << c.what;
}

// DN 300, kb 1.5: J = 0.005 gives vv = 0.9778, Qv = 69.115; J = 0.02 gives
// vv = 1.9624, Qv = 138.712.
INSTANTIATE_TEST_SUITE_P(
    Slopes, PipeRunModes,
    ::testing::Values(
        ModeCase{"0.5 %", {{Dlg::kIdI, "0.5"}}, Dlg::kIdModePercent, "0.5", "200", " 0.98", " 69.1"},
        ModeCase{"1 : 200", {{Dlg::kIdN, "200"}}, Dlg::kIdModeOneIn, "0.5", "200", " 0.98", " 69.1"},
        ModeCase{"levels",
                 {{Dlg::kIdZo, "101"}, {Dlg::kIdZu, "100"}, {Dlg::kIdL, "50"}},
                 Dlg::kIdModeLevels,
                 "2",
                 "50",
                 " 1.96",
                 "138.7"},
        ModeCase{"L = 0",
                 {{Dlg::kIdZo, "101"}, {Dlg::kIdZu, "100"}, {Dlg::kIdL, "0"}},
                 Dlg::kIdModeLevels,
                 "0",
                 "0",
                 "-",
                 "-"},
        ModeCase{"equal levels", {{Dlg::kIdZo, "100"}, {Dlg::kIdZu, "100"}}, Dlg::kIdModeLevels, "0", "0", "-", "-"},
        ModeCase{"rising levels", {{Dlg::kIdZo, "100"}, {Dlg::kIdZu, "101"}}, Dlg::kIdModeLevels, "0", "0", "-", "-"},
        ModeCase{"0 %", {{Dlg::kIdI, "0"}}, Dlg::kIdModePercent, "0", "0", "-", "-"},
        ModeCase{"1 : 0", {{Dlg::kIdN, "0"}}, Dlg::kIdModeOneIn, "0", "0", "-", "-"},
        ModeCase{"1 : -100", {{Dlg::kIdN, "-100"}}, Dlg::kIdModeOneIn, "0", "-100", "-", "-"}));

TEST_F(PipeRun, ModeButtonsEnableTheirFieldsAndClearTheLevels)
{
    form->Click(Dlg::kIdModeLevels);
    for (int id : {Dlg::kIdZo, Dlg::kIdZu, Dlg::kIdL})
        EXPECT_TRUE(form->IsEnabled(id)) << id;
    EXPECT_FALSE(form->IsEnabled(Dlg::kIdI) || form->IsEnabled(Dlg::kIdN));
    form->Type(Dlg::kIdZo, "101");
    form->Type(Dlg::kIdZu, "100");
    form->Type(Dlg::kIdQ, "55"); // typed, not yet read

    form->Click(Dlg::kIdModePercent);
    EXPECT_TRUE(form->IsEnabled(Dlg::kIdI));
    for (int id : {Dlg::kIdZo, Dlg::kIdZu, Dlg::kIdL, Dlg::kIdN})
        EXPECT_FALSE(form->IsEnabled(id)) << id;
    EXPECT_EQ(Text(Dlg::kIdZo), "0");
    EXPECT_EQ(Text(Dlg::kIdZu), "0");
    EXPECT_EQ(Text(Dlg::kIdQ), "40"); // written from the member

    form->Click(Dlg::kIdModeOneIn);
    EXPECT_TRUE(form->IsEnabled(Dlg::kIdN));
    for (int id : {Dlg::kIdZo, Dlg::kIdZu, Dlg::kIdL, Dlg::kIdI})
        EXPECT_FALSE(form->IsEnabled(id)) << id;
    EXPECT_TRUE(form->IsChecked(Dlg::kIdModeOneIn));
    EXPECT_FALSE(form->IsChecked(Dlg::kIdModePercent));
}

TEST_F(PipeRun, OverloadShowsZerosAndTheFullFlow)
{
    form->Type(Dlg::kIdQ, "120");
    form->Click(Dlg::kIdCompute);
    EXPECT_THAT(Results(), ElementsAre(" 1.39", " 97.9", " 0.00", "  0.0", "  0.000"));
    // The zeros of the part filling are no values; vv and Qv are.
    const std::pair<int, bool> computed[] = {{Dlg::kIdVv, true}, {Dlg::kIdQv, true}, {Dlg::kIdVt, false},
                                             {Dlg::kIdQt, false}, {Dlg::kIdDrH, false}};
    for (const auto& [id, holds] : computed)
        EXPECT_EQ(form->Computed(id), holds) << id;
}

// A refused reach completes no slope: the locked slope field holds no value
// (its text 0 is none); the next reach that goes through completes it.
TEST_F(PipeRun, ARefusedReachLeavesTheLockedSlopeWithoutAValue)
{
    EXPECT_TRUE(form->Computed(Dlg::kIdI));
    form->Type(Dlg::kIdDN, "333");
    form->Click(Dlg::kIdCompute);
    EXPECT_EQ(Text(Dlg::kIdI), "0");
    EXPECT_FALSE(form->Computed(Dlg::kIdI));
    EXPECT_TRUE(form->Computed(Dlg::kIdN)); // typed by the user
    form->Type(Dlg::kIdDN, "300");
    form->Click(Dlg::kIdCompute);
    EXPECT_EQ(Text(Dlg::kIdI), "1");
    EXPECT_TRUE(form->Computed(Dlg::kIdI));
}

TEST_F(PipeRun, EnterComputes)
{
    form->Type(Dlg::kIdQ, "120");
    form->PressEnter();
    EXPECT_EQ(Text(Dlg::kIdQt), "  0.0");
    EXPECT_FALSE(form->IsClosed());
}

TEST_F(PipeRun, LeavingASlopeFieldComputesTheListsWithTheResults)
{
    form->Click(Dlg::kIdModePercent);
    form->Type(Dlg::kIdI, "0.5");
    form->Leave(Dlg::kIdI);
    EXPECT_EQ(form->Items(Dlg::kIdListVv)[3], " 0.98"); // DN 300 at 0.5 %
    EXPECT_EQ(form->Items(Dlg::kIdListQv)[3], "     69");
    EXPECT_EQ(Text(Dlg::kIdVv), " 0.98");
    EXPECT_EQ(Text(Dlg::kIdQv), " 69.1");
    EXPECT_EQ(Text(Dlg::kIdN), "200");

    form->Click(Dlg::kIdModeOneIn);
    form->Type(Dlg::kIdN, "50");
    form->Leave(Dlg::kIdN);
    EXPECT_EQ(form->Items(Dlg::kIdListVv)[3], " 1.96"); // DN 300 at 2 %
    EXPECT_EQ(Text(Dlg::kIdVv), " 1.96");
    EXPECT_FALSE(form->ResultsStale());
}

TEST_F(PipeRun, RefreshButtonComputesWithTheTypedRoughness)
{
    form->Type(Dlg::kIdKb, "0.75");
    form->Click(Dlg::kIdRefreshList);
    // DN 200, kb 0.75 mm, J = 0.01: vv = 1.1729, Qv = 36.848.
    EXPECT_EQ(form->Items(Dlg::kIdListDiameters)[1], " 200");
    EXPECT_EQ(form->Items(Dlg::kIdListVv)[1], " 1.17");
    EXPECT_EQ(form->Items(Dlg::kIdListQv)[1], "     37");
    EXPECT_EQ(Text(Dlg::kIdVv), form->Items(Dlg::kIdListVv)[3]); // DN 300 in the field and in the list
}

TEST_F(PipeRun, DoubleClickTakesTheDiameterAndComputes)
{
    ASSERT_EQ(form->Items(Dlg::kIdListDiameters)[5], " 400");
    form->DoubleClick(Dlg::kIdListDiameters, 5);
    EXPECT_EQ(Text(Dlg::kIdDN), "400");
    // DN 400 at 1 %: vv = 1.6710, Qv = 209.984.
    EXPECT_EQ(Text(Dlg::kIdVv), " 1.67");
    EXPECT_EQ(Text(Dlg::kIdQv), "210.0");
    EXPECT_EQ(Text(Dlg::kIdQt), " 40.0");
}

TEST_F(PipeRun, RoughnessOutOfRangeIsReportedAndRefused)
{
    form->Type(Dlg::kIdKb, "5");
    form->Click(Dlg::kIdCompute);
    EXPECT_THAT(log.Texts(), ElementsAre("Bitte geben Sie eine Zahl zwischen 0.25 und 3 ein."));
    EXPECT_EQ(Text(Dlg::kIdKb), "5");
    EXPECT_TRUE(form->RefusedWhole());
    EXPECT_EQ(form->RefusedBecause(),
              "„kb in mm“ = 5 mm liegt außerhalb des zulässigen Bereichs 0.25 bis 3 mm.");
    EXPECT_THAT(Results(), ElementsAre("0", "0", "0", "0", "0"));
}

TEST_F(PipeRun, UndeterminedResultsLeaveTheFormUsable)
{
    for (const char* field : {"0", "-100"}) {
        const int id = Dlg::kIdN;
        form->Type(id, field);
        form->Click(Dlg::kIdCompute);
        EXPECT_THAT(Results(), ElementsAre("-", "-", "-", "-", "-")) << field;
        for (int other : {Dlg::kIdQ, Dlg::kIdZo, Dlg::kIdZu, Dlg::kIdL, Dlg::kIdI, Dlg::kIdN, Dlg::kIdKb, Dlg::kIdDN})
            EXPECT_TRUE(ParseFieldNumber(Text(other)).has_value()) << field << " " << other;
        form->Type(id, "100");
        form->Click(Dlg::kIdCompute);
        EXPECT_EQ(Text(Dlg::kIdVv), " 1.39") << field;
    }
    EXPECT_TRUE(log.Messages().empty());
}

TEST_F(PipeRun, OpeningTwiceShowsTheDefaults)
{
    form->Type(Dlg::kIdQ, "77");
    form->Click(Dlg::kIdCompute);
    form.reset();
    CPipeRunDlg again(log);
    again.Open();
    EXPECT_EQ(again.Text(Dlg::kIdQ), "40");
    EXPECT_EQ(again.Text(Dlg::kIdQt), " 40.0");
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
    EXPECT_EQ(Text(Dlg::kIdVv), Format("%5.2f", StepValue(*form, "vv")));
    EXPECT_EQ(Text(Dlg::kIdQv), Format("%5.1f", StepValue(*form, "Qv")));
    EXPECT_EQ(Text(Dlg::kIdVt), Format("%5.2f", StepValue(*form, "vt")));
    EXPECT_EQ(Text(Dlg::kIdQt), Format("%5.1f", StepValue(*form, "Qt")));
    EXPECT_EQ(Text(Dlg::kIdDrH), Format("%7.3f", StepValue(*form, "DrH")));
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
    form->Click(Dlg::kIdModePercent);
    form->DoubleClick(Dlg::kIdListDiameters, 5);
    EXPECT_THAT(texts(), ElementsAre("Eingabe des Gefälles: in %", "Gewählte Nennweite aus DN.ASC: DN 400"));
    form->Select(Dlg::kIdListDiameters, 3); // chosen, not taken
    EXPECT_THAT(texts(), ElementsAre("Eingabe des Gefälles: in %",
                                     "Gewählte Nennweite aus DN.ASC: DN 300 (nicht in das Feld DN übernommen)"));
}

TEST_F(PipeRun, TheCompletedSlopeIsAStepAndMessagesBelongToTheComputation)
{
    form->Click(Dlg::kIdModePercent);
    form->Type(Dlg::kIdI, "0.5");
    form->Click(Dlg::kIdCompute);
    EXPECT_EQ(StepValue(*form, "J"), 0.005);
    EXPECT_EQ(StepValue(*form, "n"), 200); // 1 / 0.5 * 100
    EXPECT_EQ(Text(Dlg::kIdN), "200");
    EXPECT_TRUE(form->ComputationMessages().empty());
    form->Type(Dlg::kIdQ, "-150");
    form->Click(Dlg::kIdCompute);
    EXPECT_THAT(form->ComputationMessages(), ElementsAre("Der Abfluss Q darf nicht negativ sein."));
}

// ---- Rohr.txt -------------------------------------------------------------------

TEST_F(PipeRun, OpeningAndClosingWithoutARowWritesNothing)
{
    form->Click(Dlg::kIdCompute);
    form->Cancel();
    form.reset();
    EXPECT_EQ(dir.ReadText("Rohr.txt"), "");
}

TEST_F(PipeRun, TheRowButtonAppendsTheComputedReach)
{
    form->Click(Dlg::kIdAppendRow);
    form->Type(Dlg::kIdQ, "120");
    form->Click(Dlg::kIdCompute);
    form->Click(Dlg::kIdRefreshList); // the list refresh does not change the row
    form->Click(Dlg::kIdAppendRow);
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
    EXPECT_TRUE(form.Items(Dlg::kIdListDiameters).empty());
    EXPECT_EQ(form.Text(Dlg::kIdVv), " 1.39");
    EXPECT_EQ(form.Text(Dlg::kIdQv), " 97.9");
    EXPECT_EQ(form.Text(Dlg::kIdVt), "-"); // no table to look up
    EXPECT_EQ(form.Text(Dlg::kIdDrH), "-");
    EXPECT_EQ(form.Text(Dlg::kIdQt), " 40.0");
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
    EXPECT_THAT(form.Items(Dlg::kIdListDiameters), ElementsAre(" 200", " 300"));
    form.DoubleClick(Dlg::kIdListDiameters, 1);
    EXPECT_EQ(form.Text(Dlg::kIdDN), "300");
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
    EXPECT_EQ(form.Text(Dlg::kIdVt), "-"); // Q/Qv = 0.4084 needs row 41
    EXPECT_EQ(form.Text(Dlg::kIdDrH), "-");
    form.Type(Dlg::kIdQ, "30"); // Q/Qv = 0.306: rows 30 and 31
    form.Click(Dlg::kIdCompute);
    EXPECT_EQ(form.Text(Dlg::kIdVt), " 1.25"); // 0.9 * 1.3856
    EXPECT_EQ(form.Text(Dlg::kIdDrH), "  0.120");
}

TEST(PipeRunTables, WithoutADataDirectoryTheFormWorksWithoutReport)
{
    test::TempDataDir dir;
    setenv("DRALUN_DATA_DIR", (dir.Path() / "fehlt").string().c_str(), 1);
    CMessageLog log;
    {
        CPipeRunDlg form(log);
        form.Open();
        form.Click(Dlg::kIdAppendRow);
        EXPECT_EQ(form.Text(Dlg::kIdVv), " 1.39");
    }
    EXPECT_EQ(log.Messages().size(), 2u); // the two tables, nothing about the report
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "fehlt"));
}

} // namespace
} // namespace dralun
