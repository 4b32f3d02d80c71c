// The infiltration trench form: where it differs from the swale (trapezoid,
// messages, a falling bed passes with the spacing given, the range of the
// spacing field) and its own ids for the rain, the file and the list.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "forms/CInfiltrationTrenchDlg.h"
#include "FormCases.h"
#include "ResultSteps.h"
#include "testkit/FieldNumber.h"
#include "testkit/TempDataDir.h"

namespace dralun {
namespace {

using ::testing::ElementsAre;

using test::RefusedInputs;
using D = CInfiltrationTrenchDlg;
using test::FieldNumber;

class InfiltrationTrench : public ::testing::Test {
protected:
    void SetUp() override { form.Open(); }

    test::TempDataDir dir;
    CMessageLog log;
    CInfiltrationTrenchDlg form{log};
};

TEST_F(InfiltrationTrench, OpensWithTheDefaultsAndComputes)
{
    std::vector<int> ids;
    for (const FieldInfo& f : form.Fields())
        ids.push_back(f.id);
    EXPECT_THAT(ids, ElementsAre(D::kIdM1, D::kIdM2, D::kIdAu1, D::kIdAu2, D::kIdAU, D::kIdAO, D::kIdLuU, D::kIdLuO,
                                 D::kIdBU, D::kIdBO, D::kIdV, D::kIdR, D::kIdDMass, D::kIdUeberlauf, D::kIdB, D::kIdT,
                                 D::kIdJ, D::kIdHs, D::kIdKf, D::kIdKfu, D::kIdAuM, D::kIdDatei, D::kIdLs,
                                 D::kIdVGenutzt, D::kIdN, D::kIdD, D::kIdTE, D::kIdAsmax, D::kIdAsmaxR, D::kIdAsmittel,
                                 D::kIdAsmittelR, D::kIdAsEingabe));
    for (int id : std::initializer_list<int>{D::kIdModeImmersion, D::kIdRainTyped, D::kIdAreaAsmittelR})
        EXPECT_TRUE(form.IsChecked(id)) << id;
    for (int id : {D::kIdN, D::kIdLs, D::kIdDatei})
        EXPECT_FALSE(form.IsEnabled(id)) << id;
    // 0.4 m over 2 per mille: 200 m; A = 0.5 · 0.4 + 1.5 · 0.16; the empty upper section keeps b.
    const std::pair<int, const char*> expected[] = {
        {D::kIdLs, "200"},      {D::kIdAU, "0.44"},      {D::kIdBU, "1.7"},      {D::kIdAO, "0"},
        {D::kIdLuO, "0"},       {D::kIdBO, "0.5"},       {D::kIdV, "44"},        {D::kIdAsmax, "220"},
        {D::kIdAsmittel, "110"}, {D::kIdAsmaxR, "260"},  {D::kIdAsmittelR, "130"}};
    for (const auto& [id, text] : expected)
        EXPECT_EQ(form.Text(id), text) << id;
    EXPECT_NEAR(FieldNumber(form, D::kIdLuU), 0.5 + 2 * std::sqrt(0.16 + 0.36), 1e-12);

    form.Click(kIdOk);
    EXPECT_EQ(form.Text(D::kIdVGenutzt), "17.415"); // 18 m³ less 0.585 m³
    EXPECT_EQ(form.Text(D::kIdUeberlauf), "0");
    EXPECT_EQ(form.Text(D::kIdDMass), "15");
    EXPECT_TRUE(log.Messages().empty());
}

class InfiltrationTrenchRefusals : public InfiltrationTrench, public ::testing::WithParamInterface<RefusedInputs> {};

TEST_P(InfiltrationTrenchRefusals, ShowTheMessageClearTheResultsAndLeaveTheInputs)
{
    form.Click(kIdOk);
    ASSERT_EQ(form.Text(D::kIdV), "44");
    ASSERT_EQ(form.Text(D::kIdVGenutzt), "17.415");
    test::ExpectInputsRefused(form, log, GetParam(), D::kIdModeSpacing);
    EXPECT_EQ(form.Text(D::kIdV), "0");
    EXPECT_EQ(form.Text(D::kIdVGenutzt), "0");
    if (!GetParam().spacingMode) {
        EXPECT_EQ(form.Text(D::kIdLs), "200"); // a refused spacing is not written
    }
}

std::string OutOfRange(const char* Ls)
{
    return std::string("unzulässige Eingabe!\n\nDer berechnete Schwellenabstand von ") + Ls +
           " m liegt außerhalb\ndes zulässigen Bereichs von 10 bis 10000 m.\nBitte Sohlengefälle, Schwellenhöhe "
           "oder Eintauchtiefe ändern.";
}

INSTANTIATE_TEST_SUITE_P(
    InfiltrationTrench, InfiltrationTrenchRefusals,
    ::testing::Values(
        RefusedInputs{{{D::kIdHs, "0"}},
                false,
                {"Bitte geben Sie eine Zahl zwischen 0.2 und 2 ein."}},
        RefusedInputs{{{D::kIdHs, "0.6"}}, false, {"unzulässige Eingabe!\n\nSchwellenhöhe ist größer Grabenhöhe."}},
        RefusedInputs{{{D::kIdLs, "0"}},
                true,
                {"Bitte geben Sie eine Zahl zwischen 10 und 10000 ein."}},
        RefusedInputs{{{D::kIdJ, "0"}},
                false,
                {"unzulässige Eingabe!\n\nDie Sohlenneigung darf bei der Anwahl der Eintauchtiefe\nnicht "
                 "kleiner/gleich 0 sein."}},
        RefusedInputs{{{D::kIdTE, "-0.1"}},
                false,
                {"unzulässige Eingabe!\n\nDie Eintauchtiefe an der oberen Schwelle kann nicht < 0 sein."}},
        RefusedInputs{{{D::kIdJ, "0.01"}}, false, {OutOfRange("40000")}}, // 0.4 m over 0.01 per mille
        RefusedInputs{{{D::kIdTE, "0.39"}}, false, {OutOfRange("5")}},     // 0.01 m over 2 per mille
        RefusedInputs{{{D::kIdJ, "1e-320"}},
                false,
                {"unzulässige Eingabe!\n\nDer berechnete Schwellenabstand liegt außerhalb\ndes zulässigen Bereichs von "
                 "10 bis 10000 m.\nBitte Sohlengefälle, Schwellenhöhe oder Eintauchtiefe ändern."}})); // no number

TEST_F(InfiltrationTrench, ARefusedSpacingDoesNotStopTheNextReading)
{
    form.Type(D::kIdJ, "0.01");
    form.Click(kIdOk);
    form.Type(D::kIdJ, "0.04"); // 10000 m: within the range
    form.Type(D::kIdD, "30");   // exchanged after the spacing
    form.Click(kIdOk);
    EXPECT_EQ(log.Texts().size(), 1u);
    EXPECT_EQ(form.Text(D::kIdLs), "10000");
    EXPECT_EQ(form.Text(D::kIdDMass), "30");
}

TEST_F(InfiltrationTrench, SpacingModes)
{
    form.Click(D::kIdModeSpacing);
    EXPECT_TRUE(form.IsEnabled(D::kIdLs));
    EXPECT_FALSE(form.IsEnabled(D::kIdTE));
    form.Type(D::kIdLs, "100");
    form.Click(kIdOk);
    // t_E = 0.4 - 0.002 · 100 = 0.2 m: A_o = 0.1 + 0.06, b_o = 1.1 m.
    EXPECT_NEAR(FieldNumber(form, D::kIdTE), 0.2, 1e-15);
    EXPECT_NEAR(FieldNumber(form, D::kIdAO), 0.16, 1e-15);
    EXPECT_NEAR(FieldNumber(form, D::kIdV), 100.0 / 3 * (0.44 + 0.16 + std::sqrt(0.44 * 0.16)), 1e-12);
    EXPECT_NEAR(FieldNumber(form, D::kIdAsmaxR), (1.7 + 0.4 + 1.1 + 0.2) * 50, 1e-12);

    // A bed rising in the direction of flow is refused, as in the swale; it
    // would give L = L_max = -400 m and negative V and areas.
    form.Type(D::kIdLs, "200");
    form.Type(D::kIdJ, "-1");
    form.Click(kIdOk);
    ASSERT_EQ(log.Texts().size(), 1u);
    EXPECT_EQ(log.Texts()[0],
              "unzulässige Eingabe!\n\nDie Sohlenneigung darf bei der Anwahl des Schwellenabstands\nnicht < 0 sein.");
    EXPECT_EQ(form.Text(D::kIdV), "0");
}

TEST_F(InfiltrationTrench, TheRainWithTheTrenchIds)
{
    form.Type(D::kIdR, "200");
    form.Click(D::kIdUpdate); // the geometry alone
    EXPECT_EQ(form.Text(D::kIdVGenutzt), "0");
    form.Click(D::kIdRainFromFile);
    EXPECT_TRUE(form.IsEnabled(D::kIdN) && form.IsEnabled(D::kIdDatei));
    EXPECT_FALSE(form.IsEnabled(D::kIdR) || form.IsEnabled(D::kIdD) || form.IsEnabled(D::kIdListDurations));

    std::string text(9, '\n'); // rows 1-8 "10 min", rows 9-18 "6 h", r + 100 in column 2
    for (int r = 1; r <= 18; ++r)
        text += (r == 8 || r == 15 ? "\n" : "") + std::string(r <= 8 ? "10 min 0" : "6 h 0") + " 1 " +
                std::to_string(r) + " 1 " + std::to_string(100 + r) + "\n";
    dir.Write("regen.txt", text);
    form.Type(D::kIdDatei, dir.File("regen.txt").string());
    form.Leave(D::kIdN);
    ASSERT_EQ(log.Texts().size(), 1u);
    EXPECT_EQ(form.Text(D::kIdD), "5");
    EXPECT_EQ(form.Text(D::kIdR), "101");

    form.Click(D::kIdRainTyped);
    form.Select(D::kIdListDurations, 17);
    EXPECT_EQ(form.Text(D::kIdD), "360");
    EXPECT_EQ(form.Text(D::kIdR), "118");
    EXPECT_EQ(form.TakeFocusRequest()->id, D::kIdR);

    form.Click(D::kIdRainFromFile);
    form.Click(kIdOk); // the 6-hour row with the largest intensity
    EXPECT_NEAR(FieldNumber(form, D::kIdVGenutzt), 2000 * 118e-7 * 21600 - 6.5e-4 * 21600, 1e-9);
    EXPECT_EQ(form.Text(D::kIdDMass), "360");
}

TEST_F(InfiltrationTrench, TheStepsOfTheDefaultsByHand)
{
    form.Click(kIdOk);
    test::ExpectResultsAreSteps(form);
    // 0.4 m over 2 per mille: 200 m; banks sqrt(0.4² + 0.6²) wetted on both sides.
    const std::pair<const char*, double> byHand[] = {
        {"L_max", 200}, {"A_u", 0.44},    {"lu_u", 0.5 + 2 * std::sqrt(0.52)}, {"b_u", 1.7},
        {"A_o", 0},     {"b_o", 0.5},     {"V", 44},      {"AsmittelR", 130}, {"Qs", 0.00065},
        {"V_zu", 18},   {"V_s", 0.585},   {"V_genutzt", 17.415}, {"Überlauf", 0}, {"D_mass", 15},
    };
    for (const auto& [symbol, value] : byHand) {
        const CalcStep* step = test::StepOf(form, symbol);
        ASSERT_NE(step, nullptr) << symbol;
        EXPECT_NEAR(step->value, value, 1e-12) << symbol;
    }
    EXPECT_EQ(test::StepOf(form, "b_o")->formula, "b"); // no water at the upper threshold: the bottom
    EXPECT_EQ(form.Method().rfind("Bemessung eines Versickergrabens mit Schwellen: ", 0), 0u);
}

} // namespace
} // namespace dralun
