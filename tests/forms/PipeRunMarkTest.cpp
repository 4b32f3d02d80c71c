// The pipe run form points out the smallest diameter of its list that
// carries Q without overload, at the slope and roughness it computed with.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include "core/Format.h"
#include "forms/CPipeRunDlg.h"
#include "testkit/TempDataDir.h"

namespace dralun {
namespace {

using Dlg = CPipeRunDlg;

// Full-flow discharge in l/s after Prandtl-Colebrook, worked here: DN in mm,
// J in m/m, kb in mm, nu = 1.31e-6 m²/s, g = 9.80665 m/s².
double FullFlowQv(int dn, double J, double kb)
{
    const double D = dn / 1000.0;
    const double root = std::sqrt(2 * 9.80665 * D * J);
    const double vv = -2 * std::log10(2.51 * 1.31e-6 / (D * root) + kb / 1000 / (3.71 * D)) * root;
    return vv * std::numbers::pi * D * D / 4 * 1000;
}

const std::vector<int> kDiameters = {150, 200, 250, 300, 350, 400, 500, 600, 700, 800,
                                     900, 1000, 1200, 1400, 1600, 1800, 2000, 2500, 3000};

// The row of the smallest diameter of DN.ASC that carries Q (-1: none).
int ExpectedRow(double Q, double J, double kb)
{
    for (size_t i = 0; i < kDiameters.size(); ++i)
        if (FullFlowQv(kDiameters[i], J, kb) >= Q)
            return static_cast<int>(i);
    return -1;
}

std::string Note(const char* Q, double Qv)
{
    return Format("kleinste Nennweite, die Q = %s l/s ohne Überlastung abführt (Qv = %.1f l/s)", Q, Qv);
}

class PipeRunMark : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir.CopyFromMedium("DN.ASC");
        dir.CopyFromMedium("A110KR.ASC");
        Reopen();
    }
    void Reopen()
    {
        form = std::make_unique<CPipeRunDlg>(log);
        form->Open();
    }
    void Enter(int mode, const std::vector<std::pair<int, const char*>>& typed)
    {
        form->Click(mode);
        for (const auto& [id, text] : typed)
            form->Type(id, text);
    }
    // The marked row of the diameter list, -1 when none is marked.
    int MarkedRow() const
    {
        const std::vector<ListMark> marks = form->ListMarks();
        if (marks.empty())
            return -1;
        EXPECT_EQ(marks.size(), 1u);
        EXPECT_EQ(marks[0].list, Dlg::kIdListDiameters);
        return marks[0].index;
    }

    test::TempDataDir dir;
    CMessageLog log;
    std::unique_ptr<CPipeRunDlg> form;
};

struct MarkCase {
    const char* what;
    int mode; // Dlg::kIdModeLevels, kIdModePercent or kIdModeOneIn
    std::vector<std::pair<int, const char*>> typed;
    const char* Q;
    double J, kb;
    int DN; // worked out by hand with the formula above
};

class PipeRunMarks : public PipeRunMark, public ::testing::WithParamInterface<MarkCase> {};

TEST_P(PipeRunMarks, MarkTheSmallestDiameterThatCarriesQ)
{
    const MarkCase& c = GetParam();
    Enter(c.mode, c.typed);
    form->Type(Dlg::kIdQ, c.Q);
    form->Click(Dlg::kIdCompute);
    const double Q = std::stod(c.Q);
    const int row = MarkedRow();
    ASSERT_GE(row, 0) << c.what;
    EXPECT_EQ(kDiameters[row], c.DN) << c.what;
    EXPECT_EQ(form->Items(Dlg::kIdListDiameters)[row], Format("%4d", c.DN)) << c.what;
    const double Qv = FullFlowQv(c.DN, c.J, c.kb);
    EXPECT_GE(Qv, Q) << c.what;
    if (row > 0) {
        EXPECT_LT(FullFlowQv(kDiameters[row - 1], c.J, c.kb), Q) << c.what;
    }
    EXPECT_EQ(form->ListMarks()[0].note, Note(c.Q, Qv)) << c.what;
}

// Qv of the marked diameter and the next smaller one, l/s: 60.3 / 33.3,
// 10.39 / 4.81, 46.9 / 25.9, 530.6 / 353.2, 3093 / 2274, 138.7 / 85.5.
INSTANTIATE_TEST_SUITE_P(
    Slopes, PipeRunMarks,
    ::testing::Values(
        MarkCase{"default 1 : 100", Dlg::kIdModeOneIn, {}, "40", 0.01, 1.5, 250},
        MarkCase{"1 : 1000", Dlg::kIdModeOneIn, {{Dlg::kIdN, "1000"}}, "10", 0.001, 1.5, 200},
        MarkCase{
            "0.5 %, kb 0.75", Dlg::kIdModePercent, {{Dlg::kIdI, "0.5"}, {Dlg::kIdKb, "0.75"}}, "35", 0.005, 0.75, 250},
        MarkCase{"1 : 300", Dlg::kIdModeOneIn, {{Dlg::kIdN, "300"}}, "500", 1.0 / 300, 1.5, 700},
        MarkCase{
            "2 %, kb 0.25", Dlg::kIdModePercent, {{Dlg::kIdI, "2"}, {Dlg::kIdKb, "0.25"}}, "3000", 0.02, 0.25, 900},
        MarkCase{"levels",
                 Dlg::kIdModeLevels,
                 {{Dlg::kIdZo, "101"}, {Dlg::kIdZu, "100"}, {Dlg::kIdL, "50"}},
                 "100",
                 0.02,
                 1.5,
                 300}));

TEST_F(PipeRunMark, NoMarkWithoutASufficientDiameterAPositiveQOrASlope)
{
    const struct {
        const char* what;
        int mode;
        std::vector<std::pair<int, const char*>> typed;
    } cases[] = {
        {"Q = 0", Dlg::kIdModeOneIn, {{Dlg::kIdQ, "0"}}},
        {"Q < 0", Dlg::kIdModeOneIn, {{Dlg::kIdQ, "-5"}}},
        {"beyond DN 3000 (Qv = 41922 l/s)", Dlg::kIdModeOneIn, {{Dlg::kIdQ, "50000"}}},
        {"1 : 0", Dlg::kIdModeOneIn, {{Dlg::kIdN, "0"}}},
        {"1 : -100", Dlg::kIdModeOneIn, {{Dlg::kIdN, "-100"}}},
        {"0 %", Dlg::kIdModePercent, {{Dlg::kIdI, "0"}}},
        {"rising levels", Dlg::kIdModeLevels, {{Dlg::kIdZo, "100"}, {Dlg::kIdZu, "101"}, {Dlg::kIdL, "50"}}},
        {"L = 0", Dlg::kIdModeLevels, {{Dlg::kIdZo, "101"}, {Dlg::kIdZu, "100"}, {Dlg::kIdL, "0"}}},
    };
    for (const auto& c : cases) {
        Reopen();
        Enter(c.mode, c.typed);
        form->Click(Dlg::kIdCompute);
        EXPECT_EQ(MarkedRow(), -1) << c.what;
    }
}

TEST_F(PipeRunMark, FollowsTheSlopeAndRoughnessOfTheLastComputation)
{
    ASSERT_EQ(MarkedRow(), ExpectedRow(40, 0.01, 1.5));
    // Typed and computed, the list not refreshed.
    form->Type(Dlg::kIdN, "1000");
    form->Click(Dlg::kIdCompute);
    EXPECT_EQ(MarkedRow(), ExpectedRow(40, 0.001, 1.5));
    form->Type(Dlg::kIdKb, "0.25");
    form->Click(Dlg::kIdCompute);
    EXPECT_EQ(MarkedRow(), ExpectedRow(40, 0.001, 0.25));
    // A slope field left refreshes the list, and the mark with it.
    form->Type(Dlg::kIdN, "50");
    form->Leave(Dlg::kIdN);
    EXPECT_EQ(MarkedRow(), ExpectedRow(40, 0.02, 0.25));
    Enter(Dlg::kIdModeLevels, {{Dlg::kIdZo, "100.2"}, {Dlg::kIdZu, "100"}, {Dlg::kIdL, "40"}, {Dlg::kIdQ, "250"}});
    form->Click(Dlg::kIdCompute);
    EXPECT_EQ(MarkedRow(), ExpectedRow(250, 0.005, 0.25));
    EXPECT_NE(MarkedRow(), -1);
}

TEST_F(PipeRunMark, TheMarkedDiameterTakenIsNotOverloaded)
{
    form->Type(Dlg::kIdQ, "60");
    form->Click(Dlg::kIdCompute);
    const int row = MarkedRow();
    ASSERT_EQ(row, 2); // DN 250 at 1 %: Qv = 60.34 l/s
    form->DoubleClick(Dlg::kIdListDiameters, row);
    EXPECT_EQ(form->Text(Dlg::kIdQt), " 60.0");
    form->DoubleClick(Dlg::kIdListDiameters, row - 1);
    EXPECT_EQ(form->Text(Dlg::kIdQt), "  0.0"); // overloaded
}

TEST_F(PipeRunMark, TheSmallestDiameterWhateverTheOrderOfTheTable)
{
    dir.Write("DN.ASC", "400\n300\n250\n200\n");
    Reopen();
    EXPECT_EQ(MarkedRow(), 2); // DN 250 carries 40 l/s, DN 200 does not
}

} // namespace
} // namespace dralun
