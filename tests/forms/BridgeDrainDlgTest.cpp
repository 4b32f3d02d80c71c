#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "forms/CBridgeDrainDlg.h"
#include "testkit/FieldNumber.h"

namespace dralun {
namespace {

using test::FieldNumber;
using G = CBridgeDrainDlg;

class BridgeDrainDlgTest : public ::testing::Test {
protected:
    void SetUp() override { form.Open(); }
    CMessageLog log;
    CBridgeDrainDlg form{log};
};

TEST_F(BridgeDrainDlgTest, OpensWithTheSmallGratingAndTheFirstCrossFall)
{
    EXPECT_TRUE(form.IsChecked(G::kIdGratingSmall));
    EXPECT_FALSE(form.IsChecked(G::kIdGratingLarge));
    const std::vector<std::string> items = {"2.5", "3.0", "3.5", "4.0", "4.5", "5.0"};
    EXPECT_EQ(form.Items(G::kIdQf), items);
    EXPECT_EQ(form.Text(G::kIdQf), "2.5");
    EXPECT_EQ(form.Text(G::kIdL), "0");
}

TEST_F(BridgeDrainDlgTest, DefaultsForBothGratings)
{
    form.Click(kIdOk);
    EXPECT_EQ(form.Text(G::kIdL), "36.5"); // 255.5 / 7
    form.Click(G::kIdGratingLarge);                   // the radio button computes at once
    EXPECT_TRUE(form.IsChecked(G::kIdGratingLarge));
    EXPECT_FALSE(form.IsChecked(G::kIdGratingSmall));
    EXPECT_NEAR(FieldNumber(form, G::kIdL), 292.5 / 7, 1e-12);
    form.Click(G::kIdGratingSmall);
    EXPECT_EQ(form.Text(G::kIdL), "36.5");
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
    form.Type(G::kIdS, GetParam().s);
    form.Click(GetParam().grating);
    form.Select(G::kIdQf, GetParam().crossFall); // the list computes as well
    EXPECT_NEAR(FieldNumber(form, G::kIdL), GetParam().L, GetParam().tolerance);
    EXPECT_TRUE(log.Messages().empty());
}

// Above 50 m the spacing leaves the range the form shows; it is shown as computed.
INSTANTIATE_TEST_SUITE_P(Cases, BridgeDrainDlgSpacing,
                         ::testing::Values(SpacingCase{"5.0", G::kIdGratingSmall, 0, 69.48, 0.005},
                                           SpacingCase{"5.0", G::kIdGratingLarge, 0, 90.48, 0.005},
                                           SpacingCase{"0.5", G::kIdGratingSmall, 0, 27.66, 0.005},
                                           SpacingCase{"1", G::kIdGratingSmall, 5, 643.0 / 7, 1e-12},
                                           SpacingCase{"1", G::kIdGratingLarge, 1, 385.0 / 7, 1e-12}));

TEST_F(BridgeDrainDlgTest, NoDrainedWidthIsRefused)
{
    for (const char* width : {"0", "-7"}) {
        log.Clear();
        form.Type(G::kIdBSt, width);
        form.Click(kIdOk);
        ASSERT_EQ(log.Texts().size(), 1u) << width;
        EXPECT_EQ(log.Texts()[0], "Die Entwässerungsbreite BSt muss größer als 0 m sein.\n"
                                  "Der Abstand der Brückenabläufe wird nicht berechnet.");
        EXPECT_EQ(form.Text(G::kIdL), "0");
    }
}

TEST_F(BridgeDrainDlgTest, SlopeOutOfRangeIsReportedAndNotComputed)
{
    form.Type(G::kIdS, "6");
    form.Click(kIdOk);
    ASSERT_EQ(log.Texts().size(), 1u);
    EXPECT_EQ(log.Texts()[0], "Bitte geben Sie eine Zahl zwischen 0.5 und 5 ein.");
    EXPECT_EQ(form.Text(G::kIdS), "6");
    EXPECT_EQ(form.Text(G::kIdL), "0");
    EXPECT_TRUE(form.RefusedWhole());
}

} // namespace
} // namespace dralun
