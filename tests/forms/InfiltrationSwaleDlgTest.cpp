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
#include "FormCases.h"
#include "ResultSteps.h"
#include "testkit/FieldNumber.h"
#include "testkit/TempDataDir.h"

namespace dralun {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using test::StepOf;

using test::RefusedInputs;
using D = CInfiltrationSwaleDlg;
using test::FieldNumber;

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
    double Qs() const { return 1e-5 * 0.5 * FieldNumber(form, D::kIdAsmittelR); }

    test::TempDataDir dir;
    CMessageLog log;
    CInfiltrationSwaleDlg form{log};
};

// The overflow is named with its umlaut wherever a person reads the name,
// and found by the name typed without it as well.
TEST_F(InfiltrationSwale, TheOverflowIsNamedUeberlaufWithItsUmlaut)
{
    EXPECT_EQ(form.FindField(D::kIdUeberlauf)->name, "Überlauf");
    for (const char* name : {"Überlauf", "Ueberlauf"})
        EXPECT_EQ(form.FindFieldByName(name), form.FindField(D::kIdUeberlauf)) << name;
}

TEST_F(InfiltrationSwale, OpensWithTheGeometryOfTheDefaults)
{
    std::vector<int> ids;
    for (const FieldInfo& f : form.Fields())
        ids.push_back(f.id);
    EXPECT_THAT(ids,
                ElementsAre(D::kIdB, D::kIdJ, D::kIdT, D::kIdDatei, D::kIdKf, D::kIdKfu, D::kIdLs, D::kIdAuM, D::kIdN,
                            D::kIdR, D::kIdD, D::kIdDMass, D::kIdVGenutzt, D::kIdUeberlauf, D::kIdAU, D::kIdAO,
                            D::kIdLuU, D::kIdLuO, D::kIdBO, D::kIdBU, D::kIdV, D::kIdHs, D::kIdAu1, D::kIdAu2, D::kIdTE,
                            D::kIdAsmax, D::kIdAsmaxR, D::kIdAsmittel, D::kIdAsmittelR, D::kIdAsEingabe));
    for (int id :
         std::initializer_list<int>{D::kIdModeCircle, D::kIdModeImmersion, D::kIdRainTyped, D::kIdAreaAsmittelR})
        EXPECT_TRUE(form.IsChecked(id)) << id;
    for (int id : {D::kIdLs, D::kIdN, D::kIdDatei})
        EXPECT_FALSE(form.IsEnabled(id)) << id;
    EXPECT_EQ(form.Text(D::kIdDatei), dir.Named() + "R3943mi.txt");

    // 0.2 m over 2 per mille: L_s = L = 100 m; the column "oben" is empty.
    EXPECT_EQ(form.Text(D::kIdLs), "100");
    EXPECT_NEAR(FieldNumber(form, D::kIdAU), CircleArea(0.2), 1e-12);
    EXPECT_NEAR(FieldNumber(form, D::kIdAU), 0.2235, 0.00005);
    EXPECT_NEAR(FieldNumber(form, D::kIdLuU), 1.721, 0.0005);
    EXPECT_NEAR(FieldNumber(form, D::kIdBU), 1.657, 0.0005);
    // The empty column's 0 is a value; the balance, not computed yet, has none.
    for (int id : {D::kIdAO, D::kIdLuO, D::kIdBO, D::kIdDMass, D::kIdVGenutzt, D::kIdUeberlauf}) {
        EXPECT_EQ(form.Text(id), "0") << id;
        EXPECT_EQ(form.Computed(id), id == D::kIdAO || id == D::kIdLuO || id == D::kIdBO) << id;
    }
    EXPECT_NEAR(FieldNumber(form, D::kIdV), 11.18, 0.005);
    EXPECT_NEAR(FieldNumber(form, D::kIdAsmax), 82.87, 0.005);
    EXPECT_NEAR(FieldNumber(form, D::kIdAsmittel), 41.43, 0.005);
    EXPECT_NEAR(FieldNumber(form, D::kIdAsmaxR), 92.87, 0.005);
    EXPECT_NEAR(FieldNumber(form, D::kIdAsmittelR), 46.43, 0.005);

    // "Rechne": 1000 m² · 100 l/(s·ha) · 900 s = 9 m³ less what seeps away.
    form.Click(kIdOk);
    EXPECT_NEAR(FieldNumber(form, D::kIdVGenutzt), 9 - Qs() * 900, 1e-12);
    EXPECT_NEAR(FieldNumber(form, D::kIdVGenutzt), 8.791, 0.0005);
    EXPECT_EQ(form.Text(D::kIdUeberlauf), "0");
    EXPECT_EQ(form.Text(D::kIdDMass), "15");
    EXPECT_TRUE(form.Computed(D::kIdUeberlauf));
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
    form.Click(D::kIdModeSpacing);
    form.Type(D::kIdJ, c.J);
    form.Type(D::kIdLs, c.Ls);
    form.Click(kIdOk);
    EXPECT_NEAR(FieldNumber(form, D::kIdTE), c.tE, 1e-15);
    const double Au = CircleArea(0.2), Ao = c.tE > 0 ? CircleArea(c.tE) : 0;
    EXPECT_NEAR(FieldNumber(form, D::kIdAO), Ao, 1e-12);
    const double V = Ao > 0 ? c.L / 3 * (Au + Ao + std::sqrt(Au * Ao)) : Au * c.L / 2;
    EXPECT_NEAR(FieldNumber(form, D::kIdV), V, 1e-12);
    // The catchment is that of the whole spacing.
    EXPECT_NEAR(FieldNumber(form, D::kIdVGenutzt), ParseFieldNumber(c.Ls).value() * 0.09 - Qs() * 900, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(InfiltrationSwale, InfiltrationSwaleSpacing,
                         ::testing::Values(SpacingCase{"0", "50", 0.2, 50},  // level bed: V = A L_s
                                           SpacingCase{"2", "60", 0.08, 60}, // 0.2 - 0.002 · 60
                                           SpacingCase{"2", "150", 0, 100})); // beyond the reach: a wedge over L_max

class InfiltrationSwaleRefusals : public InfiltrationSwale, public ::testing::WithParamInterface<RefusedInputs> {};

TEST_P(InfiltrationSwaleRefusals, ShowTheMessageClearTheResultsAndLeaveTheInputs)
{
    form.Click(kIdOk);
    const std::string Ls = form.Text(D::kIdLs);
    ASSERT_NE(form.Text(D::kIdV), "0");
    ASSERT_NE(form.Text(D::kIdVGenutzt), "0");
    test::ExpectInputsRefused(form, log, GetParam(), D::kIdModeSpacing);
    for (int id : {D::kIdAU, D::kIdAO, D::kIdLuU, D::kIdLuO, D::kIdBU, D::kIdBO, D::kIdV, D::kIdAsmax, D::kIdAsmaxR,
                   D::kIdAsmittel, D::kIdAsmittelR, D::kIdDMass, D::kIdVGenutzt, D::kIdUeberlauf})
        EXPECT_EQ(form.Text(id), "0") << id;
    if (!GetParam().spacingMode) {
        EXPECT_EQ(form.Text(D::kIdLs), Ls);
    }
}

const char* const kSlopeImmersion =
    "unzulässige Eingabe!\n\nDie Sohlenneigung darf bei der Anwahl der Eintauchtiefe\nnicht <= 0 sein.";
const char* const kNotBelow = "unzulässige Eingabe!\n\nDie Eintauchtiefe an der oberen Schwelle muss kleiner\nals die "
                              "Schwellenhöhe sein, sonst ergibt sich kein Schwellenabstand > 0.";

INSTANTIATE_TEST_SUITE_P(
    InfiltrationSwale, InfiltrationSwaleRefusals,
    ::testing::Values(
        RefusedInputs{{{D::kIdHs, "0"}}, false, {"unzulässige Eingabe!\n\nSchwellenhöhe kann nicht <= 0 sein."}},
        RefusedInputs{{{D::kIdHs, "0.35"}}, false, {"unzulässige Eingabe!\n\n Schwellenhöhe ist > Muldentiefe."}},
        RefusedInputs{{{D::kIdLs, "0"}}, true, {"unzulässige Eingabe!\n\nSchwellenabstand kann nicht <= 0 sein"}},
        RefusedInputs{{{D::kIdJ, "-1"}},
                true,
                {"unzulässige Eingabe!\n\nDie Sohlenneigung darf bei der Anwahl des Schwellenabstands\nnicht < 0 sein."}},
        RefusedInputs{{{D::kIdJ, "0"}}, false, {kSlopeImmersion}},
        RefusedInputs{{{D::kIdJ, "-2"}}, false, {kSlopeImmersion}},
        RefusedInputs{{{D::kIdTE, "-0.01"}},
                false,
                {"unzulässige Eingabe!\n\nDie Eintauchtiefe an der oberen Schwelle kann nicht < 0 sein."}},
        RefusedInputs{{{D::kIdTE, "0.2"}}, false, {kNotBelow}},
        RefusedInputs{{{D::kIdTE, "0.25"}}, false, {kNotBelow}},
        RefusedInputs{{{D::kIdB, "0"}},
                false,
                {"Bitte geben Sie eine Zahl zwischen 0.5 und 5 ein."}},
        // Two values out of their ranges: one message names both, nothing is computed.
        RefusedInputs{{{D::kIdD, "5000"}, {D::kIdT, "0.05"}},
                false,
                {"Bitte prüfen Sie diese Eingaben:\n„Muldentiefe [m]“: Bitte geben Sie eine Zahl zwischen 0.1 und "
                 "0.7 ein.\n„N-dauer [min]“: Bitte geben Sie eine Zahl zwischen 0 und 4320 ein."}}));

TEST_F(InfiltrationSwale, ShapeButtonsComputeAndTheDeepParabolaTakesTheExactArc)
{
    form.Click(D::kIdModeParabola);
    const double x = std::sqrt(2 / 0.6 * 0.2); // x² = 2 p y through (±1, 0.3)
    EXPECT_NEAR(FieldNumber(form, D::kIdAU), 4.0 / 3 * 0.2 * x, 1e-12);
    EXPECT_NEAR(FieldNumber(form, D::kIdVGenutzt), 9 - Qs() * 900, 1e-12); // the balance too
    form.Type(D::kIdB, "0.5");
    form.Type(D::kIdT, "0.7");
    form.Type(D::kIdHs, "0.7");
    form.Click(kIdOk);
    EXPECT_TRUE(log.Texts().empty());
    // Half width 0.25 m, y = a x² through (0.25, 0.7): a = 11.2 /m; the arc
    // 0.25 sqrt(1 + 4 a² 0.25²) + asinh(2 a 0.25) / (2 a).
    const double a = 0.7 / (0.25 * 0.25);
    EXPECT_NEAR(FieldNumber(form, D::kIdLuU),
                0.25 * std::sqrt(1 + 4 * a * a * 0.0625) + std::asinh(2 * a * 0.25) / (2 * a), 1e-12);
    EXPECT_NEAR(FieldNumber(form, D::kIdAU), 4.0 / 3 * 0.7 * 0.25, 1e-12);
    form.Click(D::kIdModeCircle);
    EXPECT_GT(FieldNumber(form, D::kIdLuU), 0); // the circle's arc has a length
}

TEST_F(InfiltrationSwale, UpdateButtonAreaChoiceAndOverflow)
{
    form.Type(D::kIdR, "200");
    form.Type(D::kIdHs, "0.1");
    form.Click(D::kIdUpdate); // the geometry alone
    EXPECT_EQ(form.Text(D::kIdLs), "50");
    EXPECT_EQ(form.Text(D::kIdVGenutzt), "0");
    form.Type(D::kIdHs, "0.2");
    form.Click(D::kIdAreaAsmax); // Asmax, from the next geometry step on
    form.Click(kIdOk);
    EXPECT_NEAR(FieldNumber(form, D::kIdVGenutzt), 18 - 1e-5 * 0.5 * FieldNumber(form, D::kIdAsmax) * 900, 1e-12);
    EXPECT_NEAR(FieldNumber(form, D::kIdUeberlauf), FieldNumber(form, D::kIdV) - FieldNumber(form, D::kIdVGenutzt),
                1e-12); // negative
    form.Click(D::kIdAreaAsEingabe);
    form.Type(D::kIdAsEingabe, "100000"); // 0.5 m³/s seep away
    form.Click(kIdOk);
    EXPECT_NEAR(FieldNumber(form, D::kIdVGenutzt), 18 - 450, 1e-9);
    EXPECT_EQ(form.Text(D::kIdUeberlauf), "0");
}

TEST_F(InfiltrationSwale, RainRadiosAndTheFile)
{
    dir.Write("R3943MI.txt", RainfallFile());
    form.Click(D::kIdLoadFile); // typed rain: nothing
    EXPECT_TRUE(log.Messages().empty());
    EXPECT_FALSE(dir.Exists("dumpVN.txt"));
    form.Click(D::kIdRainFromFile);
    EXPECT_TRUE(form.IsEnabled(D::kIdN) && form.IsEnabled(D::kIdDatei));
    EXPECT_FALSE(form.IsEnabled(D::kIdR) || form.IsEnabled(D::kIdD) || form.IsEnabled(D::kIdListDurations));
    form.Click(kIdOk); // not loaded yet: "Rechne" loads the file the form names, never a silent 0
    EXPECT_THAT(log.Texts(), ElementsAre(Loaded()));
    EXPECT_GT(FieldNumber(form, D::kIdVGenutzt), 0);
    EXPECT_NE(form.Text(D::kIdDMass), "0");
    log.Clear();

    form.Type(D::kIdDatei, "r3943mi.txt"); // a bare name: the data directory's file, wherever the program runs
    form.Click(D::kIdLoadFile);
    EXPECT_THAT(log.Texts(), ElementsAre(Loaded()));
    ASSERT_EQ(form.Items(D::kIdListDurations).size(), 18u);
    EXPECT_EQ(form.Items(D::kIdListDurations)[7], "90 min");
    EXPECT_EQ(form.Items(D::kIdListDurations)[11], "6 h");
    EXPECT_EQ(form.Selection(D::kIdListDurations), 0);
    EXPECT_EQ(form.Text(D::kIdD), "5");
    EXPECT_EQ(form.Text(D::kIdR), "12.5");
    form.Type(D::kIdN, "0.3"); // leaving the frequency field loads column 4
    form.Leave(D::kIdN);
    EXPECT_THAT(log.Texts(), ElementsAre(Loaded(), Loaded()));
    EXPECT_EQ(form.Text(D::kIdR), "14.5");
    EXPECT_NE(dir.ReadText("dumpVN.txt").find("\nn = 0.3 \n"), std::string::npos);

    form.Click(kIdOk); // the longest rain needs the most: 1000 m² · 184.5e-7 m/s · 259200 s
    EXPECT_NEAR(FieldNumber(form, D::kIdVGenutzt), (1000 * 184.5e-7 - Qs()) * 259200, 1e-9);
    EXPECT_EQ(form.Text(D::kIdDMass), "4320");

    form.Type(D::kIdDatei, "fehlt.txt");
    form.Click(D::kIdLoadFile);
    EXPECT_EQ(log.Texts().back(),
              "Datei konnte nicht geöffnet werden!\nDatei-Namen prüfen!\n\n" + dir.File("fehlt.txt").string() + " fehlt.");
    EXPECT_EQ(form.Items(D::kIdListDurations).size(), 18u);
    EXPECT_EQ(form.Text(D::kIdR), "14.5");
    EXPECT_EQ(form.StaleBecause(), "Eingaben geändert – Rechne drücken");
    form.Click(kIdOk); // the rows of another file are not this file's rain
    EXPECT_EQ(form.Text(D::kIdVGenutzt), "0");
    EXPECT_THAT(form.RefusedBecause(), HasSubstr("fehlt.txt“ zur Häufigkeit n = 0.3 sind nicht geladen"));

    form.Click(D::kIdRainTyped);
    form.TakeFocusRequest();
    form.Select(D::kIdListDurations, 11); // by the unit word
    EXPECT_EQ(form.Text(D::kIdD), "360");
    EXPECT_EQ(form.Text(D::kIdR), "124.5");
    EXPECT_EQ(form.TakeFocusRequest()->id, D::kIdR);
    form.Type(D::kIdR, "1");
    form.Leave(D::kIdListDurations);
    EXPECT_EQ(form.Text(D::kIdR), "124.5");
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
                 {{D::kIdModeParabola, nullptr}, {D::kIdModeSpacing, nullptr}, {D::kIdLs, "60"}},
                 {{"tE", 0.08}, {"p", 1 / 0.6}, {"b_u", 2 * kHalfWidth02}, {"A_u", 4.0 / 3 * 0.2 * kHalfWidth02},
                  {"L", 60}, {"V_zu", 5.4}}}),
    [](const auto& info) { return std::string(info.param.what[0] == 'c' ? "Circle" : "Parabola"); });

TEST_F(InfiltrationSwale, TheFileBalanceWritesOutTheGoverningRowAndListsEveryRow)
{
    dir.Write("R3943MI.txt", RainfallFile());
    form.Click(D::kIdRainFromFile);
    form.Click(D::kIdLoadFile);
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
    form.Click(D::kIdUpdate);
    EXPECT_EQ(StepOf(form, "V_zu"), nullptr);
    EXPECT_NE(StepOf(form, "V"), nullptr);
    EXPECT_TRUE(form.DataFiles().empty());
    EXPECT_THAT(form.Method(), HasSubstr("Speichervolumen und Versickerungsflächen"));
}

} // namespace
} // namespace dralun

namespace dralun {
namespace {

// A file without values for a frequency (the atlases know no n = 2) says
// so when loaded and refuses the balance, naming file and column; it never
// computes with 0. Another column of the same file computes.
TEST_F(InfiltrationSwale, AColumnWithoutValuesRefusesTheBalance)
{
    std::string text = RainfallFile();
    for (size_t at = 0; (at = text.find(" 1 11.5", at)) != std::string::npos;) // column 1 of row 1 onwards
        text.replace(at, 7, " - fehlt");
    for (int r = 2; r <= 18; ++r)
        for (size_t at; (at = text.find(" 1 " + std::to_string(10 * r + 1) + ".5")) != std::string::npos;)
            text.replace(at, 4 + std::to_string(10 * r + 1).size() + 2, " - fehlt");
    dir.Write("KOSTRA2020_117111.txt", text);
    form.Click(D::kIdRainFromFile);
    form.Type(D::kIdDatei, dir.Named() + "KOSTRA2020_117111.txt");
    form.Type(D::kIdN, "2");
    form.Click(kIdOk);
    ASSERT_FALSE(log.Texts().empty());
    EXPECT_THAT(log.Texts()[0], HasSubstr("n = 2 (Spalte 1) keine Regenspenden"));
    EXPECT_THAT(form.RefusedBecause(), HasSubstr("KOSTRA2020_117111.txt“ zur Häufigkeit n = 2 (Spalte 1) fehlen"));
    EXPECT_EQ(FieldNumber(form, D::kIdVGenutzt), 0);
    EXPECT_FALSE(form.FormVerdict());

    log.Clear();
    form.Type(D::kIdN, "1"); // column 2 holds 10 r + 2.5
    form.Click(kIdOk);
    EXPECT_EQ(form.RefusedBecause(), "");
    EXPECT_GT(FieldNumber(form, D::kIdVGenutzt), 0);
}

} // namespace
} // namespace dralun
