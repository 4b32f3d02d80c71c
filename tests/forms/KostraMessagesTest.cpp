// The messages of the rain import and the zip reader: each status with the
// names and numbers it carries, worded as the user has always read it.
#include <gtest/gtest.h>

#include "forms/KostraMessages.h"

namespace dralun {
namespace {

using S = KostraStatus;
using Z = ZipStatus;

TEST(KostraMessages, EachStatusReadsAsItAlwaysHas)
{
    const std::string z = "zelle.csv", t60 = "KOSTRA/raster/StatRR_KOSTRA-DWD-2020_D00060.csv";
    auto zip = [](ZipProblem p) { return KostraProblem{.status = S::ArchiveUnreadable, .zip = p}; };
    const struct {
        KostraProblem problem;
        const char* text;
    } cases[] = {
        {{.status = S::DurationMissing, .where = z, .minutes = 45}, "zelle.csv: Die Dauerstufe 45 min fehlt."},
        {{.status = S::FallsWithDuration, .minutes = 10, .previousMinutes = 5, .period = 1, .value = 6.5, .previous = 7},
         "Nicht monoton: bei T = 1 a ist hN für D = 10 min (6,5 mm) kleiner als für D = 5 min (7,0 mm)."},
        {{.status = S::FallsWithPeriod, .minutes = 5, .period = 2, .previousPeriod = 1, .value = 6.6, .previous = 7},
         "Nicht monoton: bei D = 5 min ist hN für T = 2 a (6,6 mm) kleiner als für T = 1 a (7,0 mm)."},
        {{.status = S::DepthOutOfBounds, .minutes = 4320, .period = 1, .value = 1051.8},
         "hN = 1051,8 mm bei D = 72 h, T = 1 a liegt außerhalb der physikalischen Grenzen (0 < hN ≤ 1000 mm)."},
        // A value far out of bounds is said in a few digits, not in 309.
        {{.status = S::DepthOutOfBounds, .minutes = 4320, .period = 1, .value = 1e308},
         "hN = 1e+308 mm bei D = 72 h, T = 1 a liegt außerhalb der physikalischen Grenzen (0 < hN ≤ 1000 mm)."},
        {{.status = S::DepthOutOfBounds, .minutes = 5, .period = 100, .value = -2.5e6},
         "hN = -2,5e+06 mm bei D = 5 min, T = 100 a liegt außerhalb der physikalischen Grenzen (0 < hN ≤ 1000 mm)."},
        {{.status = S::ValueMissing, .minutes = 90, .period = 1}, "Der Wert für D = 90 min, T = 1 a fehlt."},
        {{.status = S::UncertaintyOutOfBounds, .minutes = 120, .period = 5, .value = 100.04},
         "Die Unsicherheit UC = 100,0 % bei D = 2 h, T = 5 a liegt außerhalb von 0 bis 100 %."},
        {{.status = S::OnlyMissingValues, .where = "t.csv", .text = "117111"},
         "t.csv: Das Rasterfeld 117111 enthält nur fehlende Werte (-99,9): es liegt außerhalb des Atlas."},
        {{.status = S::CellNotInTable, .where = "t.csv", .text = "117113"},
         "t.csv: Das Rasterfeld INDEX_RC 117113 steht nicht in der Tabelle."},
        {{.status = S::NotACellNumber, .where = z, .text = "x/../../ESCAPED"},
         "zelle.csv: „x/../../ESCAPED“ ist keine Rasterfeld-Nummer (INDEX_RC)."},
        {{.status = S::NotANumber, .where = z, .text = "x", .line = 5}, "zelle.csv: Zeile 5: „x“ ist keine Zahl."},
        {{.status = S::NoDepthColumn, .where = z, .period = 5}, "zelle.csv: Die Kopfzeile hat keine Spalte HN_005A (T = 5 a)."},
        {{.status = S::DurationInTwoTables, .name = "b.csv", .minutes = 1440},
         "Die Dauerstufe 24 h kommt in zwei Tabellen vor (b.csv)."},
        {{.status = S::AtlasesMixed, .name = "b.csv", .first = "KOSTRA-DWD-2020", .second = "KOSTRA-DWD-2010R"},
         "Der Ordner mischt die Atlanten KOSTRA-DWD-2020 und KOSTRA-DWD-2010R (b.csv)."},
        {{.status = S::AtlasesMixed, .name = "b.csv", .first = "A", .second = "B", .archive = "r.zip"},
         "Das ZIP-Archiv r.zip mischt die Atlanten A und B (b.csv)."},
        {{.status = S::ArchiveDurationTwice, .where = "raster.zip", .first = "alt/D00090.csv", .second = "D00090.csv"},
         "raster.zip: Zwei Tabellen haben dieselbe Dauerstufe: alt/D00090.csv und D00090.csv."},
        {{.status = S::ArchiveNested, .where = "raster.zip", .name = "tabellen.ZIP"},
         "raster.zip: Das ZIP-Archiv enthält ein weiteres ZIP-Archiv (tabellen.ZIP); ZIP-Archive in einem "
         "ZIP-Archiv werden nicht gelesen: bitte entpacken."},
        {{.status = S::ArchiveWithoutTables, .where = "raster.zip"},
         "raster.zip: Das ZIP-Archiv enthält keine Rastertabellen (Dateinamen mit der Dauerstufe, z. B. „_D00060“)."},
        {{.status = S::FileUnreadable, .name = "zelle.csv", .file = {.problem = FileProblem::Missing}},
         "Die Datei zelle.csv fehlt."},
        {zip({.status = Z::CrcMismatch, .archive = "raster.zip", .member = t60}),
         "raster.zip, Eintrag „KOSTRA/raster/StatRR_KOSTRA-DWD-2020_D00060.csv“: Der Eintrag ist beschädigt: seine "
         "Prüfsumme (CRC-32) stimmt nicht."},
        {zip({.status = Z::Incomplete, .archive = "raster.zip"}),
         "raster.zip: Das ZIP-Archiv ist unvollständig oder keines (das Inhaltsverzeichnis am Ende fehlt)."},
        {zip({.status = Z::InflatesToMore, .archive = "test.zip", .member = "a.csv", .size = 1024}),
         "test.zip, Eintrag „a.csv“: Der Eintrag packt zu mehr als den angegebenen 1024 Bytes aus: er wird nicht "
         "gelesen."},
        {zip({.status = Z::MemberTooLarge, .archive = "test.zip", .member = "a.csv", .size = 1000, .largest = 999}),
         "test.zip, Eintrag „a.csv“: Der Eintrag ist mit 1000 Bytes zu groß (höchstens 999 Bytes)."},
        {zip({.status = Z::LocalZip64, .archive = "test.zip", .member = "a.csv"}),
         "test.zip, Eintrag „a.csv“: Der lokale Kopf des Eintrags ist im Format ZIP64 geschrieben; das wird nicht "
         "gelesen."},
        {zip({.status = Z::UnknownMethod, .archive = "t.zip", .member = "a", .method = 12}),
         "t.zip, Eintrag „a“: Der Eintrag ist mit dem Verfahren 12 gepackt; gelesen werden nur ungepackte (0) und "
         "mit Deflate gepackte (8) Einträge."},
        {zip({.status = Z::MemberZip64, .archive = "test.zip", .member = "a.csv"}),
         "test.zip: Der Eintrag „a.csv“ ist im Format ZIP64 geschrieben; das wird nicht gelesen."},
        {zip({.status = Z::TooManyMembers, .archive = "t.zip", .largest = 4096, .count = 4097}),
         "t.zip: Das ZIP-Archiv hat 4097 Einträge, mehr als die 4096, die gelesen werden."},
        {zip({.status = Z::TooMuchContent, .archive = "t.zip", .largest = 1073741824}),
         "t.zip: Das ZIP-Archiv packt zu mehr als 1073741824 Bytes aus; so viel wird nicht gelesen."},
        {zip({.status = Z::TooLarge, .archive = "gross.zip", .size = 536870913, .largest = 536870912}),
         "gross.zip: Das ZIP-Archiv ist mit 536870913 Bytes zu groß (höchstens 536870912 Bytes)."},
        {zip({.status = Z::Unreadable, .archive = "fehlt.zip", .file = {.problem = FileProblem::Missing}}),
         "Das ZIP-Archiv fehlt.zip fehlt."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(KostraProblemText(c.problem), c.text);
}

// A status added without its message fails here, not in front of a user.
TEST(KostraMessages, EveryRefusalHasAMessage)
{
    EXPECT_EQ(KostraProblemText({}), "");
    for (int s = 1; s <= static_cast<int>(S::UncertaintyOutOfBounds); ++s)
        EXPECT_NE(KostraProblemText({.status = static_cast<S>(s), .zip = {.status = Z::CrcMismatch}}), "") << s;
    for (int s = 1; s <= static_cast<int>(Z::CrcMismatch); ++s)
        EXPECT_NE(ZipProblemText({.status = static_cast<Z>(s)}), "") << s;
}

} // namespace
} // namespace dralun
