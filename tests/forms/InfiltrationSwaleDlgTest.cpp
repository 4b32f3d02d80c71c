// The infiltration swale form: opening with the defaults, both threshold
// modes, the checks of the geometry step, the balances, the radio buttons,
// loading the rainfall file and taking a duration from the list. The trench
// shares all but its shape, ids and messages.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/NumberText.h"
#include "forms/CInfiltrationSwaleDlg.h"
#include "ResultSteps.h"
#include "testkit/TempDataDir.h"

namespace dralun {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using test::StepOf;

double Field(const CForm& form, int id) { return ParseFieldNumber(form.Text(id)).value_or(std::nan("")); }

// Circular segment of the default swale (B 2 m, T 0.3 m) at the depth t, by hand.
double CircleArea(double t)
{
    const double r = (1 + 0.09) / 0.6;
    const double angle = 2 * std::asin(std::sqrt(2 * r * t - t * t) / r);
    return r * r / 2 * (angle - std::sin(angle));
}

// Rows 1-8 in minutes, 9-18 in hours; row r has 10 r + 2.5 l/(s·ha) in
// column 2 (n = 1) and 10 r + 4.5 in column 4.
std::string RainfallFile()
{
    const int durations[18] = {5, 10, 15, 20, 30, 45, 60, 90, 2, 3, 4, 6, 9, 12, 18, 24, 48, 72};
    std::string text(9, '\n');
    for (int r = 1; r <= 18; ++r) {
        text += (r == 8 || r == 15 ? "--\n" : "") + std::to_string(durations[r - 1]) + (r <= 8 ? " min 0" : " h 0");
        for (int k = 1; k <= 4; ++k)
            text += " 1 " + std::to_string(10 * r + k) + ".5";
        text += "\n";
    }
    return text;
}

class InfiltrationSwale : public ::testing::Test {
protected:
    void SetUp() override { form.Open(); }
    std::string Loaded() const
    {
        return "Datei wurde geladen!\nDaten liegen zur Kontrolle in\n" + dir.Named() + "dumpVN.txt\n vor.";
    }
    // Kf kfu AsmittelR, the infiltration rate in m³/s.
    double Qs() const { return 1e-5 * 0.5 * Field(form, 1058); }

    test::TempDataDir dir;
    CMessageLog log;
    CInfiltrationSwaleDlg form{log};
};

TEST_F(InfiltrationSwale, OpensWithTheGeometryOfTheDefaults)
{
    std::vector<int> ids;
    for (const FieldInfo& f : form.Fields())
        ids.push_back(f.id);
    EXPECT_THAT(ids, ElementsAre(1000, 1002, 1001, 1050, 1018, 1019, 1004, 1030, 1051, 1043, 1049, 1052, 1054, 1055,
                                 1006, 1010, 1011, 1012, 1015, 1014, 1017, 1003, 1031, 1032, 1005, 1016, 1063, 1057,
                                 1058, 1059));
    for (int id : {1069, 1008, 1009, 1074})
        EXPECT_TRUE(form.IsChecked(id)) << id;
    for (int id : {1004, 1051, 1050})
        EXPECT_FALSE(form.IsEnabled(id)) << id;
    EXPECT_EQ(form.Text(1050), dir.Named() + "R3943mi.txt");

    // 0.2 m over 2 per mille: L_s = L = 100 m; the column "oben" is empty.
    EXPECT_EQ(form.Text(1004), "100");
    EXPECT_NEAR(Field(form, 1006), CircleArea(0.2), 1e-12);
    EXPECT_NEAR(Field(form, 1006), 0.2235, 0.00005);
    EXPECT_NEAR(Field(form, 1011), 1.721, 0.0005);
    EXPECT_NEAR(Field(form, 1014), 1.657, 0.0005);
    for (int id : {1010, 1012, 1015, 1052, 1054, 1055})
        EXPECT_EQ(form.Text(id), "0") << id;
    EXPECT_NEAR(Field(form, 1017), 11.18, 0.005);
    EXPECT_NEAR(Field(form, 1016), 82.87, 0.005);
    EXPECT_NEAR(Field(form, 1057), 41.43, 0.005);
    EXPECT_NEAR(Field(form, 1063), 92.87, 0.005);
    EXPECT_NEAR(Field(form, 1058), 46.43, 0.005);

    // "Rechne": 1000 m² · 100 l/(s·ha) · 900 s = 9 m³ less what seeps away.
    form.Click(kIdOk);
    EXPECT_NEAR(Field(form, 1054), 9 - Qs() * 900, 1e-12);
    EXPECT_NEAR(Field(form, 1054), 8.791, 0.0005);
    EXPECT_EQ(form.Text(1055), "0");
    EXPECT_EQ(form.Text(1052), "15");
    EXPECT_TRUE(log.Messages().empty());
}

struct SpacingCase {
    const char* J;
    const char* Ls;
    double tE, L;
};

class InfiltrationSwaleSpacing : public InfiltrationSwale, public ::testing::WithParamInterface<SpacingCase> {};

TEST_P(InfiltrationSwaleSpacing, GivesTheImmersionAndTheVolume)
{
    const SpacingCase& c = GetParam();
    form.Click(1007);
    form.Type(1002, c.J);
    form.Type(1004, c.Ls);
    form.Click(kIdOk);
    EXPECT_NEAR(Field(form, 1005), c.tE, 1e-15);
    const double Au = CircleArea(0.2), Ao = c.tE > 0 ? CircleArea(c.tE) : 0;
    EXPECT_NEAR(Field(form, 1010), Ao, 1e-12);
    const double V = Ao > 0 ? c.L / 3 * (Au + Ao + std::sqrt(Au * Ao)) : Au * c.L / 2;
    EXPECT_NEAR(Field(form, 1017), V, 1e-12);
    // The catchment is that of the whole spacing.
    EXPECT_NEAR(Field(form, 1054), ParseFieldNumber(c.Ls).value() * 0.09 - Qs() * 900, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(InfiltrationSwale, InfiltrationSwaleSpacing,
                         ::testing::Values(SpacingCase{"0", "50", 0.2, 50},  // level bed: V = A L_s
                                           SpacingCase{"2", "60", 0.08, 60}, // 0.2 - 0.002 · 60
                                           SpacingCase{"2", "150", 0, 100})); // beyond the reach: a wedge over L_max

struct Refused {
    std::vector<std::pair<int, const char*>> typed;
    bool spacingMode;
    std::vector<std::string> messages;
};

class InfiltrationSwaleRefusals : public InfiltrationSwale, public ::testing::WithParamInterface<Refused> {};

TEST_P(InfiltrationSwaleRefusals, ShowTheMessageClearTheResultsAndLeaveTheInputs)
{
    form.Click(kIdOk);
    const std::string Ls = form.Text(1004);
    ASSERT_NE(form.Text(1017), "0");
    ASSERT_NE(form.Text(1054), "0");
    if (GetParam().spacingMode)
        form.Click(1007);
    for (const auto& [id, text] : GetParam().typed)
        form.Type(id, text);
    form.Click(kIdOk);
    EXPECT_EQ(log.Texts(), GetParam().messages);
    for (int id : {1006, 1010, 1011, 1012, 1014, 1015, 1017, 1016, 1063, 1057, 1058, 1052, 1054, 1055})
        EXPECT_EQ(form.Text(id), "0") << id;
    for (const auto& [id, text] : GetParam().typed)
        EXPECT_EQ(form.Text(id), text) << id;
    if (!GetParam().spacingMode) {
        EXPECT_EQ(form.Text(1004), Ls);
    }
}

const char* const kSlopeImmersion =
    "unzulässige Eingabe!\n\nDie Sohlenneigung darf bei der Anwahl der Eintauchtiefe\nnicht <= 0 sein.";
const char* const kNotBelow = "unzulässige Eingabe!\n\nDie Eintauchtiefe an der oberen Schwelle muss kleiner\nals die "
                              "Schwellenhöhe sein, sonst ergibt sich kein Schwellenabstand > 0.";

INSTANTIATE_TEST_SUITE_P(
    InfiltrationSwale, InfiltrationSwaleRefusals,
    ::testing::Values(
        Refused{{{1003, "0"}}, false, {"unzulässige Eingabe!\n\nSchwellenhöhe kann nicht <= 0 sein."}},
        Refused{{{1003, "0.35"}}, false, {"unzulässige Eingabe!\n\n Schwellenhöhe ist > Muldentiefe."}},
        Refused{{{1004, "0"}}, true, {"unzulässige Eingabe!\n\nSchwellenabstand kann nicht <= 0 sein"}},
        Refused{{{1002, "-1"}},
                true,
                {"unzulässige Eingabe!\n\nDie Sohlenneigung darf bei der Anwahl des Schwellenabstands\nnicht < 0 sein."}},
        Refused{{{1002, "0"}}, false, {kSlopeImmersion}},
        Refused{{{1002, "-2"}}, false, {kSlopeImmersion}},
        Refused{{{1005, "-0.01"}},
                false,
                {"unzulässige Eingabe!\n\nDie Eintauchtiefe an der oberen Schwelle kann nicht < 0 sein."}},
        Refused{{{1005, "0.2"}}, false, {kNotBelow}},
        Refused{{{1005, "0.25"}}, false, {kNotBelow}},
        Refused{{{1000, "0"}},
                false,
                {"Bitte geben Sie eine Zahl zwischen 0.5 und 5 ein."}},
        // Two values out of their ranges: one message names both, nothing is computed.
        Refused{{{1049, "5000"}, {1001, "0.05"}},
                false,
                {"Bitte prüfen Sie diese Eingaben:\n„Muldentiefe [m]“: Bitte geben Sie eine Zahl zwischen 0.1 und "
                 "0.7 ein.\n„N-dauer [min]“: Bitte geben Sie eine Zahl zwischen 0 und 4320 ein."}}));

TEST_F(InfiltrationSwale, ShapeButtonsComputeAndTheDeepParabolaTakesTheExactArc)
{
    form.Click(1070);
    const double x = std::sqrt(2 / 0.6 * 0.2); // x² = 2 p y through (±1, 0.3)
    EXPECT_NEAR(Field(form, 1006), 4.0 / 3 * 0.2 * x, 1e-12);
    EXPECT_NEAR(Field(form, 1054), 9 - Qs() * 900, 1e-12); // the balance too
    form.Type(1000, "0.5");
    form.Type(1001, "0.7");
    form.Type(1003, "0.7");
    form.Click(kIdOk);
    EXPECT_TRUE(log.Texts().empty());
    // Half width 0.25 m, y = a x² through (0.25, 0.7): a = 11.2 /m; the arc
    // 0.25 sqrt(1 + 4 a² 0.25²) + asinh(2 a 0.25) / (2 a).
    const double a = 0.7 / (0.25 * 0.25);
    EXPECT_NEAR(Field(form, 1011), 0.25 * std::sqrt(1 + 4 * a * a * 0.0625) + std::asinh(2 * a * 0.25) / (2 * a), 1e-12);
    EXPECT_NEAR(Field(form, 1006), 4.0 / 3 * 0.7 * 0.25, 1e-12);
    form.Click(1069);
    EXPECT_GT(Field(form, 1011), 0); // the circle's arc has a length
}

TEST_F(InfiltrationSwale, UpdateButtonAreaChoiceAndOverflow)
{
    form.Type(1043, "200");
    form.Type(1003, "0.1");
    form.Click(1013); // the geometry alone
    EXPECT_EQ(form.Text(1004), "50");
    EXPECT_EQ(form.Text(1054), "0");
    form.Type(1003, "0.2");
    form.Click(1071); // Asmax, from the next geometry step on
    form.Click(kIdOk);
    EXPECT_NEAR(Field(form, 1054), 18 - 1e-5 * 0.5 * Field(form, 1016) * 900, 1e-12);
    EXPECT_NEAR(Field(form, 1055), Field(form, 1017) - Field(form, 1054), 1e-12); // negative
    form.Click(1075);
    form.Type(1059, "100000"); // 0.5 m³/s seep away
    form.Click(kIdOk);
    EXPECT_NEAR(Field(form, 1054), 18 - 450, 1e-9);
    EXPECT_EQ(form.Text(1055), "0");
}

TEST_F(InfiltrationSwale, RainRadiosAndTheFile)
{
    dir.Write("R3943MI.txt", RainfallFile());
    form.Click(1020); // typed rain: nothing
    EXPECT_TRUE(log.Messages().empty());
    EXPECT_FALSE(dir.Exists("dumpVN.txt"));
    form.Click(1053);
    EXPECT_TRUE(form.IsEnabled(1051) && form.IsEnabled(1050));
    EXPECT_FALSE(form.IsEnabled(1043) || form.IsEnabled(1049) || form.IsEnabled(1047));
    form.Click(kIdOk); // not loaded yet: "Rechne" loads the file the form names, never a silent 0
    EXPECT_THAT(log.Texts(), ElementsAre(Loaded()));
    EXPECT_GT(Field(form, 1054), 0);
    EXPECT_NE(form.Text(1052), "0");
    log.Clear();

    form.Click(1020);
    EXPECT_THAT(log.Texts(), ElementsAre(Loaded()));
    ASSERT_EQ(form.Items(1047).size(), 18u);
    EXPECT_EQ(form.Items(1047)[7], "90 min");
    EXPECT_EQ(form.Items(1047)[11], "6 h");
    EXPECT_EQ(form.Selection(1047), 0);
    EXPECT_EQ(form.Text(1049), "5");
    EXPECT_EQ(form.Text(1043), "12.5");
    form.Type(1051, "0.3"); // leaving the frequency field loads column 4
    form.Leave(1051);
    EXPECT_THAT(log.Texts(), ElementsAre(Loaded(), Loaded()));
    EXPECT_EQ(form.Text(1043), "14.5");
    EXPECT_NE(dir.ReadText("dumpVN.txt").find("\nn = 0.3 \n"), std::string::npos);

    form.Click(kIdOk); // the longest rain needs the most: 1000 m² · 184.5e-7 m/s · 259200 s
    EXPECT_NEAR(Field(form, 1054), (1000 * 184.5e-7 - Qs()) * 259200, 1e-9);
    EXPECT_EQ(form.Text(1052), "4320");

    form.Type(1050, dir.File("fehlt.txt").string());
    form.Click(1020);
    EXPECT_EQ(log.Texts().back(), "Datei konnte nicht geöffnet werden!\nDatei-Namen prüfen!");
    EXPECT_EQ(form.Items(1047).size(), 18u);
    EXPECT_EQ(form.Text(1043), "14.5");
    EXPECT_EQ(form.StaleBecause(), "Eingaben geändert – Rechne drücken");
    form.Click(kIdOk); // the rows of another file are not this file's rain
    EXPECT_EQ(form.Text(1054), "0");
    EXPECT_THAT(form.RefusedBecause(), HasSubstr("fehlt.txt“ zur Häufigkeit n = 0.3 sind nicht geladen"));

    form.Click(1009);
    form.TakeFocusRequest();
    form.Select(1047, 11); // by the unit word
    EXPECT_EQ(form.Text(1049), "360");
    EXPECT_EQ(form.Text(1043), "124.5");
    EXPECT_EQ(form.TakeFocusRequest()->id, 1043);
    form.Type(1043, "1");
    form.Leave(1047);
    EXPECT_EQ(form.Text(1043), "124.5");
}

struct StepCase {
    const char* what;
    std::vector<std::pair<int, const char*>> clicksAndTypes; // id 0 types nothing
    std::vector<std::pair<const char*, double>> byHand;
};

class InfiltrationSwaleSteps : public InfiltrationSwale, public ::testing::WithParamInterface<StepCase> {};

TEST_P(InfiltrationSwaleSteps, EveryResultIsAStepAndTheStepsAgreeWithTheHand)
{
    for (const auto& [id, text] : GetParam().clicksAndTypes) {
        if (text)
            form.Type(id, text);
        else
            form.Click(id);
    }
    form.Click(kIdOk);
    test::ExpectResultsAreSteps(form);
    for (const auto& [symbol, value] : GetParam().byHand) {
        const CalcStep* step = StepOf(form, symbol);
        ASSERT_NE(step, nullptr) << symbol;
        EXPECT_NEAR(step->value, value, 1e-12) << symbol;
    }
}

// r_K = (1 + 0.09) / 0.6 for B 2 m, T 0.3 m; p = 1 / 0.6; 1000 m² take 9 m³ in 15 min.
const double kRadius = 1.09 / 0.6;
const double kHalfWidth02 = std::sqrt(0.2 / 0.3); // the parabola's x at 0.2 m

INSTANTIATE_TEST_SUITE_P(
    InfiltrationSwale, InfiltrationSwaleSteps,
    ::testing::Values(
        StepCase{"circle, t_E given",
                 {},
                 {{"L_max", 100}, {"Ls", 100}, {"r_K", kRadius}, {"A_u", CircleArea(0.2)}, {"A_o", 0},
                  {"V", CircleArea(0.2) * 50}, {"V_zu", 9}}},
        StepCase{"parabola, L_s given",
                 {{1070, nullptr}, {1007, nullptr}, {1004, "60"}},
                 {{"tE", 0.08}, {"p", 1 / 0.6}, {"b_u", 2 * kHalfWidth02}, {"A_u", 4.0 / 3 * 0.2 * kHalfWidth02},
                  {"L", 60}, {"V_zu", 5.4}}}),
    [](const auto& info) { return std::string(info.param.what[0] == 'c' ? "Circle" : "Parabola"); });

TEST_F(InfiltrationSwale, TheFileBalanceWritesOutTheGoverningRowAndListsEveryRow)
{
    dir.Write("R3943MI.txt", RainfallFile());
    form.Click(1053);
    form.Click(1020);
    form.Click(kIdOk);
    test::ExpectResultsAreSteps(form);
    EXPECT_LT(form.Steps().size(), 40u);
    // The longest rain governs: 72 h with 10 · 18 + 2.5 l/(s·ha) from column 2 (n = 1).
    EXPECT_EQ(StepOf(form, "D_mass")->value, 4320);
    EXPECT_EQ(StepOf(form, "r_D")->value, 182.5);
    EXPECT_NEAR(StepOf(form, "V_zu")->value, 1000 * 182.5e-7 * 259200, 1e-9);
    ASSERT_EQ(form.DataFiles().size(), 1u);
    const DataFileUse& file = form.DataFiles()[0];
    EXPECT_EQ(file.name, "R3943MI.txt");
    EXPECT_EQ(file.bytes, RainfallFile().size());
    ASSERT_EQ(file.rows.size(), 18u);
    EXPECT_THAT(file.rows[17], HasSubstr("Dauerstufe 18, Zeile 29: D = 72 h = 4320 min, r = 182.5 l/(s·ha)"));
    EXPECT_THAT(file.rows[17], HasSubstr("(maßgebend)"));
    EXPECT_THAT(form.Method(), HasSubstr("Bemessung einer Versickermulde mit Schwellen nach dem Verfahren der Regenreihe"));
    std::vector<std::string> choices;
    for (const FormChoice& c : form.Choices())
        choices.push_back(c.label + ": " + c.text);
    EXPECT_THAT(choices, ElementsAre("Vorgegeben: Eintauchtiefe t_E an der oberen Schwelle (der Schwellenabstand folgt)",
                                     "Niederschlag: Regenreihe aus Datei zur Häufigkeit n",
                                     "Versickerungsfläche As: AsmittelR: die Hälfte von AsmaxR",
                                     "Querschnitt der Mulde: Kreisabschnitt durch beide Ränder und die Sohle"));

    // The geometry alone: its steps, no balance, and the method says so.
    form.Click(1013);
    EXPECT_EQ(StepOf(form, "V_zu"), nullptr);
    EXPECT_NE(StepOf(form, "V"), nullptr);
    EXPECT_TRUE(form.DataFiles().empty());
    EXPECT_THAT(form.Method(), HasSubstr("Speichervolumen und Versickerungsflächen"));
}

} // namespace
} // namespace dralun
