// The pipe run form shows nothing that belongs to other inputs: the lists
// are computed with the results, a refused computation leaves no values
// beside the diameters, an overloaded pipe says why it has no part filling,
// the report row is that of the inputs shown, and Rohr.txt keeps its lines.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "forms/CPipeRunDlg.h"
#include "PipeRunEntry.h"
#include "testkit/TempDataDir.h"

namespace dralun {
namespace {

using Dlg = CPipeRunDlg;

using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class PipeRunTrust : public test::OpenPipeRun {};

struct ListCase {
    const char* what;
    int mode; // Dlg::kIdModeLevels, kIdModePercent or kIdModeOneIn
    std::vector<std::pair<int, const char*>> typed;
    int row;      // the row of DN in the lists
    const char* Qv; // field Dlg::kIdQv
    const char* listQv;
    int markedRow;
};

class PipeRunLists : public PipeRunTrust, public ::testing::WithParamInterface<ListCase> {};

TEST_P(PipeRunLists, ShowTheSlopeAndRoughnessOfTheResults)
{
    const ListCase& c = GetParam();
    test::EnterAndCompute(*form, c.mode, c.typed);
    EXPECT_EQ(Text(Dlg::kIdQv), c.Qv) << c.what;
    EXPECT_EQ(form->Items(Dlg::kIdListQv)[c.row], c.listQv) << c.what;
    EXPECT_EQ(Text(Dlg::kIdVv), form->Items(Dlg::kIdListVv)[c.row]) << c.what;
    const std::vector<ListMark> marks = form->ListMarks();
    ASSERT_EQ(marks.size(), 1u) << c.what;
    EXPECT_EQ(marks[0].index, c.markedRow) << c.what;
    EXPECT_FALSE(form->ResultsStale()) << c.what;
}

// Worked by hand with Prandtl-Colebrook (nu = 1.31e-6 m²/s): at J = 0.01
// and kb 3 mm DN 300 gives vv = 1.2430 m/s, Qv = 87.863 l/s, DN 250 carries
// Q = 40 with 53.96 l/s, DN 200 not (29.67); at J = 0.005 and kb 1.5 mm
// DN 400 gives Qv = 148.230 l/s (< 150), DN 500 267.53 l/s, DN 300 69.115 l/s
// and DN 250 42.57 l/s (>= 40).
INSTANTIATE_TEST_SUITE_P(
    Actions, PipeRunLists,
    ::testing::Values(ListCase{"kb 3, Rechne", Dlg::kIdModeOneIn, {{Dlg::kIdKb, "3"}}, 3, " 87.9", "     88", 2},
                      ListCase{"levels, Q 150, DN 400",
                               Dlg::kIdModeLevels,
                               {{Dlg::kIdZo, "100.50"},
                                {Dlg::kIdZu, "100.30"},
                                {Dlg::kIdL, "40"},
                                {Dlg::kIdQ, "150"},
                                {Dlg::kIdDN, "400"}},
                               5,
                               "148.2",
                               "    148",
                               6}));

struct RefusalCase {
    const char* what;
    int id;
    const char* text;
    const char* reason;
};

class PipeRunRefusals : public PipeRunTrust, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(PipeRunRefusals, LeaveTheDiametersWithoutValues)
{
    const RefusalCase& c = GetParam();
    form->Select(Dlg::kIdListDiameters, 5);
    form->Type(c.id, c.text);
    form->Click(Dlg::kIdCompute);
    EXPECT_TRUE(form->RefusedWhole()) << c.what;
    EXPECT_EQ(form->RefusedBecause(), c.reason) << c.what;
    for (int id : {Dlg::kIdVv, Dlg::kIdQv, Dlg::kIdVt, Dlg::kIdQt, Dlg::kIdDrH})
        EXPECT_EQ(Text(id), "0") << c.what << " " << id;
    ASSERT_EQ(form->Items(Dlg::kIdListDiameters).size(), 19u) << c.what;
    EXPECT_EQ(form->Items(Dlg::kIdListDiameters)[3], " 300") << c.what;
    EXPECT_EQ(form->Selection(Dlg::kIdListDiameters), 5) << c.what; // still there to be taken
    EXPECT_THAT(form->Items(Dlg::kIdListVv), Each(std::string("    -"))) << c.what;
    EXPECT_THAT(form->Items(Dlg::kIdListQv), Each(std::string("      -"))) << c.what;
    EXPECT_THAT(form->ListMarks(), IsEmpty()) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, PipeRunRefusals,
    ::testing::Values(
        RefusalCase{"Q -150", Dlg::kIdQ, "-150", "Der Abfluss Q darf nicht negativ sein."},
        RefusalCase{"DN 0", Dlg::kIdDN, "0",
                    "Die Nennweite DN 0 steht nicht in der Durchmessertabelle DN.ASC (150, 200, 250, 300, 350, 400, "
                    "500, 600, 700, 800, 900, 1000, 1200, 1400, 1600, 1800, 2000, 2500, 3000 mm)."}));

TEST_F(PipeRunTrust, OverloadRefusesThePartFillingWithoutAMessage)
{
    form->Type(Dlg::kIdQ, "120"); // Qv = 97.94 l/s
    form->Click(Dlg::kIdCompute);
    EXPECT_THAT(log.Texts(), IsEmpty());
    EXPECT_FALSE(form->RefusedWhole());
    EXPECT_EQ(form->RefusedBecause(), "überlastet: Q > Qv, keine Teilfüllung");
    EXPECT_THAT(form->RefusedFields(), ElementsAre(Dlg::kIdDrH, Dlg::kIdQt, Dlg::kIdVt));
    form->Type(Dlg::kIdQ, "90");
    form->Click(Dlg::kIdCompute);
    EXPECT_EQ(form->RefusedBecause(), "");
}

// ---- Rohr.txt -------------------------------------------------------------------

size_t Lines(const std::string& text) { return static_cast<size_t>(std::count(text.begin(), text.end(), '\n')); }

TEST_F(PipeRunTrust, TheRowIsThatOfTheInputsShown)
{
    form->Type(Dlg::kIdQ, "60"); // typed, "Rechne" not pressed
    form->Click(Dlg::kIdAppendRow);
    EXPECT_EQ(Text(Dlg::kIdQt), " 60.0");
    form->Type(Dlg::kIdKb, "5");
    form->Click(Dlg::kIdAppendRow); // refused: no row
    form.reset();
    const std::string report = dir.ReadText("Rohr.txt");
    ASSERT_EQ(Lines(report), 7u);
    const std::string row = report.substr(report.rfind('\n', report.size() - 2) + 1);
    // Q = 60 l/s part-full in DN 300 at 1 : 100.
    EXPECT_EQ(row.rfind("  0.00   0.00  10.00  100.0   1.00    300  1.5     98   1.39     60 ", 0), 0u) << row;
}

TEST_F(PipeRunTrust, AnOpeningAppendsItsHeaderToTheLinesBefore)
{
    form->Click(Dlg::kIdAppendRow);
    form.reset();
    const std::string first = dir.ReadText("Rohr.txt");
    ASSERT_EQ(Lines(first), 7u);
    {
        CPipeRunDlg again(log);
        again.Open(); // an opening without a row adds nothing
    }
    EXPECT_EQ(dir.ReadText("Rohr.txt"), first);
    {
        CPipeRunDlg again(log);
        again.Open();
        again.Click(Dlg::kIdAppendRow);
    }
    EXPECT_EQ(dir.ReadText("Rohr.txt"), first + first);
}

} // namespace
} // namespace dralun
