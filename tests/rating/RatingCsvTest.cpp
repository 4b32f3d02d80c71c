// A rating table as CSV: the German file's bytes (byte-order mark, UTF-8
// umlauts, ";" and decimal comma), heads without ids, numbers rounded for
// their units or with every digit, the verdict's columns, quoting, refused
// rows and rows with a result left out.
#include <gtest/gtest.h>

#include "rating/RatingCsv.h"

namespace dralun {
namespace {

RatingTable Table()
{
    RatingTable t;
    t.form = 171;
    t.varied = {1003, "I", "Gefälle", "‰"};
    t.columns = {{1004, "d", "erf. Drosseldurchmesser", "m"}, {1005, "v", "Fließgeschwindigkeit v", "m/s"},
                 {1099, "x", "Art; Form", "-"}};
    t.verdict = VerdictTerms{"Abfluss der Drossel", "Abfluss", "Q", "zulässiger Abfluss", "Qzul", "l/s"};
    // 99.5531 %: met; 100.0612 %: not; a refused row; a row whose d the
    // form left out, decided by no verdict.
    t.rows.push_back({0.5, "0.5", {"0.174427813745508", "2.2984007966", "Kreis, \"rund\""}, {}, "",
                      {"Hinweis eins", "zwei\nZeilen"}, "", RatingVerdict{49.7766, 50, 99.5531, true}});
    t.rows.push_back({1, "1", {"1e-05", "0", "x"}, {}, "", {}, "", RatingVerdict{50.03, 50, 100.0612, false}});
    t.rows.push_back({0, "0", {"0", "0", "x"}, {}, "Die Druckhöhe muss größer als 0 m sein.\nOhne Druckhöhe", {}});
    t.rows.push_back({1.25, "1.25", {"", "1.5", "x"}, {}, "", {"b negativ"}, "b negativ"});
    return t;
}

TEST(RatingCsv, StylesAndDigits)
{
    struct Case {
        CsvStyle style;
        CsvDigits digits;
        const char* csv;
    };
    const Case cases[] = {
        // German, rounded as the window shows it: d to mm, v to cm/s, the
        // utilisation to two decimals; the input as typed.
        {kCsvGerman, CsvDigits::Rounded,
         "\xEF\xBB\xBF"
         "Gefälle I [‰];erf. Drosseldurchmesser d [m];Fließgeschwindigkeit v [m/s];\"Art; Form x\";"
         "Ausnutzung Q/Qzul [%];Nachweis Q ≤ Qzul;Meldung\n"
         "0,5;0,174;2,30;\"Kreis, \"\"rund\"\"\";99,55;erfüllt;Hinweis eins | zwei Zeilen\n"
         "1;0,00001;0,00;x;100,06;nicht erfüllt;\n"
         "0;-;-;-;-;-;Die Druckhöhe muss größer als 0 m sein. Ohne Druckhöhe\n"
         "1,25;;1,50;x;;;b negativ\n"},
        {kCsvGerman, CsvDigits::All,
         "\xEF\xBB\xBF"
         "Gefälle I [‰];erf. Drosseldurchmesser d [m];Fließgeschwindigkeit v [m/s];\"Art; Form x\";"
         "Ausnutzung Q/Qzul [%];Nachweis Q ≤ Qzul;Meldung\n"
         "0,5;0,174427813745508;2,2984007966;\"Kreis, \"\"rund\"\"\";99,5531;erfüllt;Hinweis eins | zwei Zeilen\n"
         "1;1e-05;0;x;100,0612;nicht erfüllt;\n"
         "0;-;-;-;-;-;Die Druckhöhe muss größer als 0 m sein. Ohne Druckhöhe\n"
         "1,25;;1,5;x;;;b negativ\n"},
        // For programs: no byte-order mark, "," and points.
        {kCsvPoint, CsvDigits::All,
         "Gefälle I [‰],erf. Drosseldurchmesser d [m],Fließgeschwindigkeit v [m/s],Art; Form x,"
         "Ausnutzung Q/Qzul [%],Nachweis Q ≤ Qzul,Meldung\n"
         "0.5,0.174427813745508,2.2984007966,\"Kreis, \"\"rund\"\"\",99.5531,erfüllt,Hinweis eins | zwei Zeilen\n"
         "1,1e-05,0,x,100.0612,nicht erfüllt,\n"
         "0,-,-,-,-,-,Die Druckhöhe muss größer als 0 m sein. Ohne Druckhöhe\n"
         "1.25,,1.5,x,,,b negativ\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RatingCsv(Table(), c.style, c.digits), c.csv) << c.style.separator << int(c.digits);
}

// A strict check (qtmin < qT) heads its column with the comparison it makes.
TEST(RatingCsv, AStrictCheckIsHeadedWithItsSign)
{
    RatingTable t = Table();
    t.verdict = VerdictTerms{"Querneigung", "kleinste Querneigung", "qtmin", "Querneigung", "qT", "%", true};
    EXPECT_NE(RatingCsv(t, kCsvPoint, CsvDigits::All).find(",Nachweis qtmin < qT,"), std::string::npos);
}

// The bytes a spreadsheet on Windows looks at: the mark, then "ä" as UTF-8.
TEST(RatingCsv, GermanFileStartsWithByteOrderMarkAndUtf8)
{
    const std::string csv = RatingCsv(Table(), kCsvGerman, CsvDigits::Rounded);
    const unsigned char start[] = {0xEF, 0xBB, 0xBF, 'G', 'e', 'f', 0xC3, 0xA4, 'l', 'l', 'e'};
    ASSERT_GE(csv.size(), sizeof start);
    for (size_t i = 0; i < sizeof start; ++i)
        EXPECT_EQ(static_cast<unsigned char>(csv[i]), start[i]) << i;
    EXPECT_EQ(RatingCsv(Table(), kCsvPoint, CsvDigits::Rounded).rfind("Gef", 0), 0u);
    EXPECT_EQ(RatingCsv(Table(), kTabsComma, CsvDigits::Rounded).rfind("Gef", 0), 0u);
}

} // namespace
} // namespace dralun
