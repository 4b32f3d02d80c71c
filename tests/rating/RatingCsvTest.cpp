// A rating table as CSV for spreadsheets: both styles, quoting, refused
// rows, the decimal comma only in numbers.
#include <gtest/gtest.h>

#include "forms/COrificeDlg.h"
#include "rating/RatingCsv.h"

namespace dralun {
namespace {

using D = COrificeDlg;

RatingTable Table()
{
    RatingTable t;
    t.form = 171;
    t.varied = {D::kIdH, "h", "Druckhöhe", "m"};
    t.columns = {{D::kIdD, "d", "erf. Drosseldurchmesser", "m"}, {D::kIdMu, "mu", "Ausflussbeiwert mü", "1"},
                 {1099, "x", "Art; Form", "-"}};
    t.rows.push_back({0.5, "0.5", {"0.174", "0.67", "Kreis, \"rund\""}, {}, "", {"Hinweis eins", "zwei\nZeilen"}});
    t.rows.push_back({0, "0", {"0", "0.67", "x"}, {}, "Die Druckhöhe muss größer als 0 m sein.\nOhne Druckhöhe", {}});
    t.rows.push_back({1.25, "", {"1e-05", "-", "1.5 m"}, {}, "", {}});
    return t;
}

TEST(RatingCsv, BothStyles)
{
    struct Case {
        CsvStyle style;
        const char* csv;
    };
    const Case cases[] = {
        {kCsvPoint,
         "1001 Druckhöhe [m],1004 erf. Drosseldurchmesser [m],1002 Ausflussbeiwert mü,1099 Art; Form,Meldung\n"
         "0.5,0.174,0.67,\"Kreis, \"\"rund\"\"\",Hinweis eins | zwei Zeilen\n"
         "0,-,-,-,Die Druckhöhe muss größer als 0 m sein. Ohne Druckhöhe\n"
         "1.25,1e-05,-,1.5 m,\n"},
        {kCsvGerman,
         "1001 Druckhöhe [m];1004 erf. Drosseldurchmesser [m];1002 Ausflussbeiwert mü;\"1099 Art; Form\";Meldung\n"
         "0,5;0,174;0,67;\"Kreis, \"\"rund\"\"\";Hinweis eins | zwei Zeilen\n"
         "0;-;-;-;Die Druckhöhe muss größer als 0 m sein. Ohne Druckhöhe\n"
         "1,25;1e-05;-;1.5 m;\n"},
        {kTabsComma,
         "1001 Druckhöhe [m]\t1004 erf. Drosseldurchmesser [m]\t1002 Ausflussbeiwert mü\t1099 Art; Form\tMeldung\n"
         "0,5\t0,174\t0,67\t\"Kreis, \"\"rund\"\"\"\tHinweis eins | zwei Zeilen\n"
         "0\t-\t-\t-\tDie Druckhöhe muss größer als 0 m sein. Ohne Druckhöhe\n"
         "1,25\t1e-05\t-\t1.5 m\t\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RatingCsv(Table(), c.style), c.csv) << c.style.separator;
}

} // namespace
} // namespace dralun
