// The infiltration trench form: where it differs from the swale (trapezoid,
// messages, a falling bed passes with the spacing given, the range of the
// spacing field) and its own ids for the rain, the file and the list.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/NumberText.h"
#include "forms/CInfiltrationTrenchDlg.h"
#include "ResultSteps.h"
#include "testkit/TempDataDir.h"

namespace dralun {
namespace {

using ::testing::ElementsAre;

double Field(const CForm& form, int id) { return ParseFieldNumber(form.Text(id)).value_or(std::nan("")); }

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
    EXPECT_THAT(ids, ElementsAre(1000, 1001, 1015, 1016, 1019, 1030, 1031, 1032, 1043, 1049, 1050, 1054, 1057, 1059,
                                 1002, 1003, 1004, 1005, 1006, 1013, 1014, 1055, 1051, 1058, 1018, 1063, 1052, 1021,
                                 1022, 1023, 1024, 1033));
    for (int id : {1008, 1009, 1072})
        EXPECT_TRUE(form.IsChecked(id)) << id;
    for (int id : {1018, 1051, 1055})
        EXPECT_FALSE(form.IsEnabled(id)) << id;
    // 0.4 m over 2 per mille: 200 m; A = 0.5 · 0.4 + 1.5 · 0.16; the empty upper section keeps b.
    const char* const expected[][2] = {{"1051", "200"}, {"1019", "0.44"}, {"1043", "1.7"}, {"1030", "0"},
                                       {"1032", "0"},   {"1049", "0.5"},  {"1050", "44"},  {"1021", "220"},
                                       {"1023", "110"}, {"1022", "260"},  {"1024", "130"}};
    for (const auto& [id, text] : expected)
        EXPECT_EQ(form.Text(std::stoi(id)), text) << id;
    EXPECT_NEAR(Field(form, 1031), 0.5 + 2 * std::sqrt(0.16 + 0.36), 1e-12);

    form.Click(kIdOk);
    EXPECT_EQ(form.Text(1058), "17.415"); // 18 m³ less 0.585 m³
    EXPECT_EQ(form.Text(1059), "0");
    EXPECT_EQ(form.Text(1057), "15");
    EXPECT_TRUE(log.Messages().empty());
}

struct Refused {
    std::vector<std::pair<int, const char*>> typed;
    bool spacingMode;
    std::vector<std::string> messages;
};

class InfiltrationTrenchRefusals : public InfiltrationTrench, public ::testing::WithParamInterface<Refused> {};

TEST_P(InfiltrationTrenchRefusals, ShowTheMessageClearTheResultsAndLeaveTheInputs)
{
    form.Click(kIdOk);
    ASSERT_EQ(form.Text(1050), "44");
    ASSERT_EQ(form.Text(1058), "17.415");
    if (GetParam().spacingMode)
        form.Click(1007);
    for (const auto& [id, text] : GetParam().typed)
        form.Type(id, text);
    form.Click(kIdOk);
    EXPECT_EQ(log.Texts(), GetParam().messages);
    EXPECT_EQ(form.Text(1050), "0");
    EXPECT_EQ(form.Text(1058), "0");
    for (const auto& [id, text] : GetParam().typed)
        EXPECT_EQ(form.Text(id), text) << id;
    if (!GetParam().spacingMode) {
        EXPECT_EQ(form.Text(1051), "200"); // a refused spacing is not written
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
        Refused{{{1005, "0"}},
                false,
                {"Bitte geben Sie eine Zahl zwischen 0.2 und 2 ein."}},
        Refused{{{1005, "0.6"}}, false, {"unzulässige Eingabe!\n\nSchwellenhöhe ist größer Grabenhöhe."}},
        Refused{{{1051, "0"}},
                true,
                {"Bitte geben Sie eine Zahl zwischen 10 und 10000 ein."}},
        Refused{{{1004, "0"}},
                false,
                {"unzulässige Eingabe!\n\nDie Sohlenneigung darf bei der Anwahl der Eintauchtiefe\nnicht "
                 "kleiner/gleich 0 sein."}},
        Refused{{{1052, "-0.1"}},
                false,
                {"unzulässige Eingabe!\n\nDie Eintauchtiefe an der oberen Schwelle kann nicht < 0 sein."}},
        Refused{{{1004, "0.01"}}, false, {OutOfRange("40000")}}, // 0.4 m over 0.01 per mille
        Refused{{{1052, "0.39"}}, false, {OutOfRange("5")}},     // 0.01 m over 2 per mille
        Refused{{{1004, "1e-320"}},
                false,
                {"unzulässige Eingabe!\n\nDer berechnete Schwellenabstand liegt außerhalb\ndes zulässigen Bereichs von "
                 "10 bis 10000 m.\nBitte Sohlengefälle, Schwellenhöhe oder Eintauchtiefe ändern."}})); // no number

TEST_F(InfiltrationTrench, ARefusedSpacingDoesNotStopTheNextReading)
{
    form.Type(1004, "0.01");
    form.Click(kIdOk);
    form.Type(1004, "0.04"); // 10000 m: within the range
    form.Type(1063, "30");   // exchanged after the spacing
    form.Click(kIdOk);
    EXPECT_EQ(log.Texts().size(), 1u);
    EXPECT_EQ(form.Text(1051), "10000");
    EXPECT_EQ(form.Text(1057), "30");
}

TEST_F(InfiltrationTrench, SpacingModes)
{
    form.Click(1007);
    EXPECT_TRUE(form.IsEnabled(1051));
    EXPECT_FALSE(form.IsEnabled(1052));
    form.Type(1051, "100");
    form.Click(kIdOk);
    // t_E = 0.4 - 0.002 · 100 = 0.2 m: A_o = 0.1 + 0.06, b_o = 1.1 m.
    EXPECT_NEAR(Field(form, 1052), 0.2, 1e-15);
    EXPECT_NEAR(Field(form, 1030), 0.16, 1e-15);
    EXPECT_NEAR(Field(form, 1050), 100.0 / 3 * (0.44 + 0.16 + std::sqrt(0.44 * 0.16)), 1e-12);
    EXPECT_NEAR(Field(form, 1022), (1.7 + 0.4 + 1.1 + 0.2) * 50, 1e-12);

    // A bed rising in the direction of flow is refused, as in the swale; it
    // would give L = L_max = -400 m and negative V and areas.
    form.Type(1051, "200");
    form.Type(1004, "-1");
    form.Click(kIdOk);
    ASSERT_EQ(log.Texts().size(), 1u);
    EXPECT_EQ(log.Texts()[0],
              "unzulässige Eingabe!\n\nDie Sohlenneigung darf bei der Anwahl des Schwellenabstands\nnicht < 0 sein.");
    EXPECT_EQ(form.Text(1050), "0");
}

TEST_F(InfiltrationTrench, TheRainWithTheTrenchIds)
{
    form.Type(1054, "200");
    form.Click(1012); // the geometry alone
    EXPECT_EQ(form.Text(1058), "0");
    form.Click(1053);
    EXPECT_TRUE(form.IsEnabled(1018) && form.IsEnabled(1055));
    EXPECT_FALSE(form.IsEnabled(1054) || form.IsEnabled(1063) || form.IsEnabled(1047));

    std::string text(9, '\n'); // rows 1-8 "10 min", rows 9-18 "6 h", r + 100 in column 2
    for (int r = 1; r <= 18; ++r)
        text += (r == 8 || r == 15 ? "\n" : "") + std::string(r <= 8 ? "10 min 0" : "6 h 0") + " 1 " +
                std::to_string(r) + " 1 " + std::to_string(100 + r) + "\n";
    dir.Write("regen.txt", text);
    form.Type(1055, dir.File("regen.txt").string());
    form.Leave(1018);
    ASSERT_EQ(log.Texts().size(), 1u);
    EXPECT_EQ(form.Text(1063), "5");
    EXPECT_EQ(form.Text(1054), "101");

    form.Click(1009);
    form.Select(1047, 17);
    EXPECT_EQ(form.Text(1063), "360");
    EXPECT_EQ(form.Text(1054), "118");
    EXPECT_EQ(form.TakeFocusRequest()->id, 1054);

    form.Click(1053);
    form.Click(kIdOk); // the 6-hour row with the largest intensity
    EXPECT_NEAR(Field(form, 1058), 2000 * 118e-7 * 21600 - 6.5e-4 * 21600, 1e-9);
    EXPECT_EQ(form.Text(1057), "360");
}

TEST_F(InfiltrationTrench, TheStepsOfTheDefaultsByHand)
{
    form.Click(kIdOk);
    test::ExpectResultsAreSteps(form);
    // 0.4 m over 2 per mille: 200 m; banks sqrt(0.4² + 0.6²) wetted on both sides.
    const std::pair<const char*, double> byHand[] = {
        {"L_max", 200}, {"A_u", 0.44},    {"lu_u", 0.5 + 2 * std::sqrt(0.52)}, {"b_u", 1.7},
        {"A_o", 0},     {"b_o", 0.5},     {"V", 44},      {"AsmittelR", 130}, {"Qs", 0.00065},
        {"V_zu", 18},   {"V_s", 0.585},   {"V_genutzt", 17.415}, {"Ueberlauf", 0}, {"D_mass", 15},
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
