// The words a person reads in a report and in the help: symbols without the
// underscores of their short names, one word for the utilisation, and a
// check that was not asked for said as such.
#include <gtest/gtest.h>

#include <memory>

#include "core/Format.h"
#include "core/NumberPresentation.h"
#include "forms/CDitchDlg.h"
#include "forms/CPipeCulvertDlg.h"
#include "forms/CSwaleDlg.h"
#include "forms/FormHelp.h"
#include "forms/FormRegistry.h"
#include "report/Report.h"
#include "report/ReportWriters.h"
#include "report/VerdictText.h"

namespace dralun {
namespace {

TEST(ReportWords, SymbolsReadWithoutTheirUnderscores)
{
    const std::pair<const char*, const char*> cases[] = {
        {"Q_min", "Qmin"}, {"a_plan", "aplan"}, {"V_genutzt", "Vgenutzt"}, {"Ueberlauf", "Überlauf"}, {"Qerf", "Qerf"},
        {"zeta_e", "ζe"},  {"eta", "η"},      {"phi1", "φ1"},
    };
    for (const auto& [symbol, shown] : cases)
        EXPECT_EQ(ShownSymbol(symbol), shown);
}

TEST(ReportWords, TextsAndFormulasShowTheShortNamesAsRead)
{
    const std::pair<const char*, const char*> cases[] = {
        {"V - V_genutzt", "V - Vgenutzt"},
        {"Eingestaute Länge (L_s > L_max)", "Eingestaute Länge (Ls > Lmax)"},
        {"(zeta_e + zeta_a) / A_voll * 1e-05", "(ζe + ζa) / Avoll * 1e-05"},
        {"Überlauf = Ueberlauf", "Überlauf = Überlauf"},
        // No short names: a cell, a file, a path, a word with an umlaut.
        {"Zelle INDEX_RC 117111", "Zelle INDEX_RC 117111"},
        {"KOSTRA2020_117111.txt in /tmp/mein_ordner", "KOSTRA2020_117111.txt in /tmp/mein_ordner"},
    };
    for (const auto& [text, shown] : cases)
        EXPECT_EQ(ShownSymbols(text), shown);

    // The culvert's report: its loss coefficients as the labels write them.
    CMessageLog log;
    CPipeCulvertDlg form(log);
    form.Open();
    form.Click(CPipeCulvertDlg::kIdRechne);
    const std::string text = ReportText(BuildReport(form));
    EXPECT_NE(text.find("  Eintrittsverlustbeiwert ζe: 0.5\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Avoll = pi · D · D / 4"), std::string::npos) << text;
    for (const char* shortName : {"zeta_e", "A_voll", "_"})
        EXPECT_EQ(text.find(shortName), std::string::npos) << shortName;
}

TEST(ReportWords, ASwaleOrDitchWithoutRequiredDischargeSaysNoCheckWasAskedFor)
{
    CMessageLog log;
    const std::unique_ptr<CForm> forms[] = {std::make_unique<CSwaleDlg>(log), std::make_unique<CDitchDlg>(log)};
    for (const std::unique_ptr<CForm>& form : forms) {
        form->Open();
        form->Click(kIdOk); // Qerf stays 0
        const std::string text = ReportText(BuildReport(*form));
        EXPECT_NE(text.find("\nNachweis\n--------\n  Kein Nachweis: es wurde kein erforderlicher Abfluss angegeben "
                            "(Qerf = 0), nur die Leistungsfähigkeit berechnet. Für den Nachweis Qerf eingeben oder "
                            "mit „Zufluss…“ aus dem Einzugsgebiet übernehmen und „Rechne“ drücken.\n"),
                  std::string::npos)
            << text;
        form->Type(form->FindFieldByName("Qerf")->id, "0.01");
        form->Click(kIdOk);
        const Report asked = BuildReport(*form);
        EXPECT_TRUE(asked.verdict && asked.verdictNote.empty());
        // The swale's verdict and steps name its smallest capacity Qmin.
        const std::string words = ReportText(asked);
        EXPECT_EQ(words.find("Q_min"), std::string::npos) << words;
    }
}

TEST(ReportWords, TheHelpSaysAusnutzungAndNoShortName)
{
    for (const FormInfo& info : AllForms())
        if (const FormHelp* help = HelpOf(info.templateId))
            for (const auto& [heading, text] : help->sections) {
                EXPECT_EQ(text.find("Auslastung"), std::string::npos) << info.templateId << ": " << text;
                for (const char* symbol : {"Q_min", "a_plan", "a_zul", "d_gew", "Q_gew"})
                    EXPECT_EQ(text.find(symbol), std::string::npos) << info.templateId << ": " << symbol;
            }
}

// A strict check (qtmin < qT) says the comparison it makes, in the report's
// lines and in the line for scripts: at equality it is not met, "≥".
TEST(ReportWords, AStrictCheckStatesItsOwnComparison)
{
    struct Case {
        bool strict;
        double demand, limit;
        const char* sign;
        const char* ascii;
    };
    const Case cases[] = {{true, 2, 2, " ≥ ", " >= "}, {true, 1, 2, " < ", " < "},
                          {false, 2, 2, " ≤ ", " <= "}, {false, 3, 2, " > ", " > "}};
    for (const Case& c : cases) {
        Verdict v;
        v.terms.demandSymbol = "qtmin";
        v.terms.limitSymbol = "qT";
        v.terms.strict = c.strict;
        v.demand = c.demand;
        v.limit = c.limit;
        const std::vector<std::string> lines = VerdictTextLines(v);
        EXPECT_NE(lines.at(1).find("qtmin = " + Format("%g", c.demand) + c.sign + "qT = 2"),
                  std::string::npos)
            << lines.at(1);
        EXPECT_NE(VerdictLine(v).find(std::string("qtmin") + c.ascii + "qT"), std::string::npos) << VerdictLine(v);
    }
}

// The infiltration forms balance by the program's own rule: their reports
// say so under the method, the other forms' reports say nothing of it.
TEST(ReportWords, OnlyTheInfiltrationReportsSayTheirBalanceIsNotTheWorksheets)
{
    for (const FormInfo& info : AllForms()) {
        CMessageLog log;
        const std::unique_ptr<CForm> form = info.create(log);
        form->Open();
        const std::string text = ReportText(BuildReport(*form));
        const bool says = text.find("\nEigene Bilanz des Programms (ohne Zuschlagsfaktor fZ, ohne Regen auf die "
                                    "Versickerungsfläche), nicht das Verfahren nach DWA-A 138-1 (2024).\n") !=
                          std::string::npos;
        EXPECT_EQ(says, info.templateId == 104 || info.templateId == 185) << info.templateId;
    }
}

} // namespace
} // namespace dralun
