#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/NumberText.h"
#include "forms/CBridgeDrainDlg.h"

namespace dralun {
namespace {

double Number(const CForm& form, int id) { return ParseFieldNumber(form.Text(id)).value_or(std::nan("")); }

class BridgeDrainDlgTest : public ::testing::Test {
protected:
    void SetUp() override { form.Open(); }
    CMessageLog log;
    CBridgeDrainDlg form{log};
};

TEST_F(BridgeDrainDlgTest, OpensWithTheSmallGratingAndTheFirstCrossFall)
{
    EXPECT_TRUE(form.IsChecked(1007));
    EXPECT_FALSE(form.IsChecked(1008));
    const std::vector<std::string> items = {"2.5", "3.0", "3.5", "4.0", "4.5", "5.0"};
    EXPECT_EQ(form.Items(1047), items);
    EXPECT_EQ(form.Text(1047), "2.5");
    EXPECT_EQ(form.Text(1003), "0");
}

TEST_F(BridgeDrainDlgTest, DefaultsForBothGratings)
{
    form.Click(kIdOk);
    EXPECT_EQ(form.Text(1003), "36.5"); // 255.5 / 7
    form.Click(1008);                   // the radio button computes at once
    EXPECT_TRUE(form.IsChecked(1008));
    EXPECT_FALSE(form.IsChecked(1007));
    EXPECT_NEAR(Number(form, 1003), 292.5 / 7, 1e-12);
    form.Click(1007);
    EXPECT_EQ(form.Text(1003), "36.5");
    EXPECT_TRUE(log.Messages().empty());
}

struct SpacingCase {
    const char* s;
    int grating;
    int crossFall; // list index
    double L;
    double tolerance;
};

class BridgeDrainDlgSpacing : public ::testing::TestWithParam<SpacingCase> {};

TEST_P(BridgeDrainDlgSpacing, ShownAsComputed)
{
    CMessageLog log;
    CBridgeDrainDlg form(log);
    form.Open();
    form.Type(1001, GetParam().s);
    form.Click(GetParam().grating);
    form.Select(1047, GetParam().crossFall); // the list computes as well
    EXPECT_NEAR(Number(form, 1003), GetParam().L, GetParam().tolerance);
    EXPECT_TRUE(log.Messages().empty());
}

// Above 50 m the spacing leaves the range the form shows; it is shown as computed.
INSTANTIATE_TEST_SUITE_P(Cases, BridgeDrainDlgSpacing,
                         ::testing::Values(SpacingCase{"5.0", 1007, 0, 69.48, 0.005},
                                           SpacingCase{"5.0", 1008, 0, 90.48, 0.005},
                                           SpacingCase{"0.5", 1007, 0, 27.66, 0.005},
                                           SpacingCase{"1", 1007, 5, 643.0 / 7, 1e-12},
                                           SpacingCase{"1", 1008, 1, 385.0 / 7, 1e-12}));

TEST_F(BridgeDrainDlgTest, NoDrainedWidthIsRefused)
{
    for (const char* width : {"0", "-7"}) {
        log.Clear();
        form.Type(1002, width);
        form.Click(kIdOk);
        ASSERT_EQ(log.Texts().size(), 1u) << width;
        EXPECT_EQ(log.Texts()[0], "Die Entwässerungsbreite BSt muss größer als 0 m sein.\n"
                                  "Der Abstand der Brückenabläufe wird nicht berechnet.");
        EXPECT_EQ(form.Text(1003), "0");
    }
}

TEST_F(BridgeDrainDlgTest, SlopeOutOfRangeIsReportedAndNotComputed)
{
    form.Type(1001, "6");
    form.Click(kIdOk);
    ASSERT_EQ(log.Texts().size(), 1u);
    EXPECT_EQ(log.Texts()[0], "Bitte geben Sie eine Zahl zwischen 0.5 und 5 ein.");
    EXPECT_EQ(form.Text(1001), "6");
    EXPECT_EQ(form.Text(1003), "0");
    EXPECT_TRUE(form.RefusedWhole());
}

} // namespace
} // namespace dralun
