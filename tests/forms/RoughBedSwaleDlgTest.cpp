#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>

#include "ResultSteps.h"
#include "core/NumberText.h"
#include "forms/CRoughBedSwaleDlg.h"
#include "testkit/FieldNumber.h"

namespace dralun {
namespace {

using D = CRoughBedSwaleDlg;
using test::FieldNumber;

// Reference: s = sin(atan(I/1000)), c = 1 - 1.3 s + 0.08 h/K3,
// Y = 0.25 (8.1 K2 sqrt(K1) s + 1.7) c K3/h, vm = sqrt(8 g h s) (-3.2 log10 Y).
struct RoughCase {
    const char* what;
    const char* h;
    const char* d;
    double c, A, vm, Qm;
};

class RoughBedSwaleCases : public ::testing::TestWithParam<RoughCase> {};

TEST_P(RoughBedSwaleCases, VelocitiesAndDischarge)
{
    const RoughCase& r = GetParam();
    CMessageLog log;
    CRoughBedSwaleDlg form(log);
    form.Open();
    form.Type(D::kIdH, r.h);
    form.Type(D::kIdD, r.d);
    form.Click(kIdOk);
    EXPECT_NEAR(FieldNumber(form, D::kIdC), r.c, 1e-12) << r.what;
    EXPECT_NEAR(FieldNumber(form, D::kIdA), r.A, 1e-12) << r.what;
    EXPECT_NEAR(FieldNumber(form, D::kIdVm), r.vm, 1e-11) << r.what;
    EXPECT_NEAR(FieldNumber(form, D::kIdVM), 0.75 * r.vm, 1e-11) << r.what;
    EXPECT_NEAR(FieldNumber(form, D::kIdQm), r.Qm, 1e-11) << r.what;
    EXPECT_TRUE(log.Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, RoughBedSwaleCases,
    ::testing::Values(RoughCase{"defaults", "0.14", "0.18", 0.991588548915233, 0.546, 2.06683607244861,
                                0.839250177098280},
                      RoughCase{"on a row of K1 and K2", "0.14", "0.2", 0.973643897677169, 0.546, 1.88526538913551,
                                0.751668839499025},
                      RoughCase{"on a row of all tables", "0.14", "0.3", 0.919157411190682, 0.546, 1.21704692421461,
                                0.458090328214982},
                      RoughCase{"largest stones", "0.3", "0.41", 0.978585982619253, 1.17, 3.03113235512150,
                                2.60286123899785}));

TEST(RoughBedSwale, DefaultsToFourPlaces)
{
    CMessageLog log;
    CRoughBedSwaleDlg form(log);
    form.Open();
    EXPECT_EQ(form.Text(D::kIdQm), "0"); // nothing computed on opening
    form.PressEnter();
    EXPECT_NEAR(FieldNumber(form, D::kIdC), 0.9916, 0.00005);
    EXPECT_NEAR(FieldNumber(form, D::kIdA), 0.546, 1e-12);
    EXPECT_NEAR(FieldNumber(form, D::kIdVm), 2.0668, 0.00005);
    EXPECT_NEAR(FieldNumber(form, D::kIdVM), 1.5501, 0.00005);
    EXPECT_NEAR(FieldNumber(form, D::kIdQm), 0.8393, 0.00005);
    EXPECT_FALSE(form.IsClosed());
}

// The report's chain for the defaults (h = 0.14, B = 5.85, d = 0.18, I = 150),
// by hand: alpha = atan 0.15, K1 = 105 and K2 = 0.0975 halfway between the
// rows 0.16 and 0.2, K3 = 0.028 + 0.1 * 0.072 / 0.22 between 0.08 and 0.3.
TEST(RoughBedSwaleReport, StepsWorkedOutByHand)
{
    CMessageLog log;
    CRoughBedSwaleDlg form(log);
    form.Open();
    form.Click(kIdOk);
    const std::pair<const char*, double> values[] = {
        {"alpha", 0.14888994760949725}, {"s", 0.14834045293024464}, {"K1", 105},  {"K2", 0.0975},
        {"K3", 0.06072727272727273},    {"c", 0.9915885489152328},  {"X", 2.8760524828587233},
        {"Y", 0.3118836134009135},      {"A", 0.546},               {"vm", 2.0668360724486146},
        {"Qm", 0.8392501770982796},
    };
    for (const auto& [symbol, value] : values) {
        const CalcStep* step = test::StepOf(form, symbol);
        ASSERT_NE(step, nullptr) << symbol;
        EXPECT_NEAR(step->value, value, 1e-12) << symbol;
    }
    EXPECT_NE(test::StepOf(form, "K1")->text.find("Tabelle K1, linear zwischen den Zeilen d = 0.16 m (K1 = 120) und "
                                                  "d = 0.2 m (K1 = 90)"),
              std::string::npos);
    test::ExpectResultsAreSteps(form);
}

TEST(RoughBedSwaleReport, ACoefficientOnARowNamesTheRow)
{
    CMessageLog log;
    CRoughBedSwaleDlg form(log);
    form.Open();
    form.Type(D::kIdD, "0.2");
    form.Click(kIdOk);
    const CalcStep* K2 = test::StepOf(form, "K2");
    ASSERT_NE(K2, nullptr);
    EXPECT_EQ(K2->text, "Beiwert K2 aus Tabelle K2, Zeile d = 0.2 m");
    EXPECT_EQ(K2->formula, "0.11");
}

struct Refused {
    const char* what;
    int field;
    const char* text;
    const char* messagePart;
};

class RoughBedSwaleRefuses : public ::testing::TestWithParam<Refused> {};

TEST_P(RoughBedSwaleRefuses, UndefinedInputsClearTheResults)
{
    const Refused& r = GetParam();
    CMessageLog log;
    CRoughBedSwaleDlg form(log);
    form.Open();
    form.Click(kIdOk);
    ASSERT_NE(form.Text(D::kIdQm), "0");
    form.Type(r.field, r.text);
    form.Click(kIdOk);
    for (int id : {D::kIdA, D::kIdVm, D::kIdVM, D::kIdQm, D::kIdC})
        EXPECT_EQ(form.Text(id), "0") << r.what << ", field " << id;
    EXPECT_TRUE(form.Steps().empty()) << r.what;
    ASSERT_EQ(log.Messages().size(), 1u) << r.what;
    EXPECT_EQ(log.Messages().back().icon, MsgIcon::Exclamation);
    EXPECT_NE(form.RefusedBecause().find(r.messagePart), std::string::npos) << form.RefusedBecause();
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, RoughBedSwaleRefuses,
    ::testing::Values(Refused{"stones below the tables", D::kIdD, "0.05", "zwischen 0.08 m und 0.41 m"},
                      Refused{"no stones", D::kIdD, "0", "Steingröße"},
                      Refused{"stones above the tables", D::kIdD, "0.5", "Steingröße"},
                      Refused{"no water", D::kIdH, "0", "Wassertiefe"},
                      Refused{"shallow water over big stones", D::kIdH, "0.01", "Y = "},
                      Refused{"negative slope", D::kIdI, "-10", "Sohlengefälle"},
                      Refused{"too steep for air entrainment", D::kIdI, "5000", "Luftbeimischungsfaktor"}));

TEST(RoughBedSwale, AVanishingWaterDepthIsRefusedWithoutNamingInfinity)
{
    CMessageLog log;
    CRoughBedSwaleDlg form(log);
    form.Open();
    form.Type(D::kIdH, "5e-324"); // Y = 0.25 X K3 / h overflows
    form.Click(kIdOk);
    ASSERT_EQ(log.Texts().size(), 1u);
    EXPECT_NE(log.Texts()[0].find("Y muss kleiner als 1 sein"), std::string::npos);
    EXPECT_EQ(log.Texts()[0].find("inf"), std::string::npos) << log.Texts()[0];
}

TEST(RoughBedSwale, YAtOneIsRefused)
{
    // h = 0.02 and d = 0.41 give Y = 3.9: vm would be negative.
    CMessageLog log;
    CRoughBedSwaleDlg form(log);
    form.Open();
    form.Type(D::kIdH, "0.02");
    form.Type(D::kIdD, "0.41");
    form.Click(kIdOk);
    ASSERT_EQ(log.Texts().size(), 1u);
    EXPECT_NE(log.Texts()[0].find("Y = 3.905,"), std::string::npos) << log.Texts()[0];
    EXPECT_EQ(form.Text(D::kIdVm), "0");
}

} // namespace
} // namespace dralun
