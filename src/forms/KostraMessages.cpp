#include "forms/KostraMessages.h"

#include <algorithm>
#include <cmath>

#include "core/FileAccess.h"
#include "core/Format.h"
#include "core/SafeOutput.h"

namespace dralun {

namespace {

std::string Bytes(std::uint64_t n) { return Format("%ju Bytes", static_cast<std::uintmax_t>(n)); }

// The end of a sentence that begins with the file's name: "fehlt.", …
std::string UnreadableText(const UnreadableFile& unreadable)
{
    ReadableFile file;
    file.problem = unreadable.problem;
    file.size = unreadable.size;
    file.largest = unreadable.largest;
    file.kind = unreadable.kind;
    file.error = unreadable.error;
    return ProblemText(file);
}

// A depth or an uncertainty with one decimal; one far out of any bound in a
// few digits ("1e+308", not 309 of them).
std::string Decimal(double value)
{
    std::string text = Format(std::fabs(value) < 1e6 ? "%.1f" : "%.3g", value);
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

// "45 min", "2 h": as the rows of the rainfall file name the durations.
std::string DurationText(int minutes)
{
    return minutes < 120 || minutes % 60 ? Format("%d min", minutes) : Format("%d h", minutes / 60);
}

std::string At(const KostraProblem& p)
{
    return Format("D = %s, T = %d a", DurationText(p.minutes).c_str(), p.period);
}

// The message of a status, without the archive and member named before it.
std::string ZipReason(const ZipProblem& p)
{
    switch (p.status) {
    case ZipStatus::Ok:
    case ZipStatus::Unreadable: return "";
    case ZipStatus::TooLarge:
        return "Das ZIP-Archiv ist mit " + Bytes(p.size) + " zu groß (höchstens " + Bytes(p.largest) + ").";
    case ZipStatus::Incomplete:
        return "Das ZIP-Archiv ist unvollständig oder keines (das Inhaltsverzeichnis am Ende fehlt).";
    case ZipStatus::Zip64: return "Das ZIP-Archiv ist im Format ZIP64 geschrieben; das wird nicht gelesen.";
    case ZipStatus::Split: return "Das ZIP-Archiv ist auf mehrere Teile verteilt; solche Archive werden nicht gelesen.";
    case ZipStatus::TooManyMembers:
        return Format("Das ZIP-Archiv hat %ju Einträge, mehr als die %ju, die gelesen werden.",
                      static_cast<std::uintmax_t>(p.count), static_cast<std::uintmax_t>(p.largest));
    case ZipStatus::DirectoryOutside:
        return "Das ZIP-Archiv ist beschädigt: sein Inhaltsverzeichnis liegt außerhalb des Archivs.";
    case ZipStatus::EntryUnreadable:
        return Format("Das ZIP-Archiv ist beschädigt: Eintrag %ju des Inhaltsverzeichnisses ist unlesbar.",
                      static_cast<std::uintmax_t>(p.count));
    case ZipStatus::MemberZip64:
        return "Der Eintrag „" + p.member + "“ ist im Format ZIP64 geschrieben; das wird nicht gelesen.";
    case ZipStatus::TooMuchContent:
        return "Das ZIP-Archiv packt zu mehr als " + Bytes(p.largest) + " aus; so viel wird nicht gelesen.";
    case ZipStatus::Encrypted: return "Der Eintrag ist verschlüsselt; verschlüsselte Einträge werden nicht gelesen.";
    case ZipStatus::UnknownMethod:
        return Format("Der Eintrag ist mit dem Verfahren %u gepackt; gelesen werden nur ungepackte (0) und mit "
                      "Deflate gepackte (8) Einträge.",
                      p.method);
    case ZipStatus::MemberTooLarge:
        return "Der Eintrag ist mit " + Bytes(p.size) + " zu groß (höchstens " + Bytes(p.largest) + ").";
    case ZipStatus::StoredSizesDiffer:
        return "Der Eintrag ist beschädigt: ungepackt, aber mit zwei verschiedenen Größen.";
    case ZipStatus::MemberCut:
        return "Der Eintrag liegt nicht ganz im Archiv: das Archiv ist unvollständig oder beschädigt.";
    case ZipStatus::LocalZip64:
        return "Der lokale Kopf des Eintrags ist im Format ZIP64 geschrieben; das wird nicht gelesen.";
    case ZipStatus::LocalHeaderDiffers:
        return "Der lokale Kopf des Eintrags nennt andere Größen, Prüfsumme, Verfahren oder Namen als das "
               "Inhaltsverzeichnis: das Archiv ist beschädigt.";
    case ZipStatus::NoMemory: return "Zum Entpacken fehlt Speicher.";
    case ZipStatus::NotInflatable: return "Der Eintrag ist beschädigt: seine gepackten Daten lassen sich nicht entpacken.";
    case ZipStatus::InflatesToMore:
        return "Der Eintrag packt zu mehr als den angegebenen " + Bytes(p.size) + " aus: er wird nicht gelesen.";
    case ZipStatus::InflateEndsWrong:
        return "Der Eintrag ist beschädigt: seine gepackten Daten enden nicht mit ihrer angegebenen Größe.";
    case ZipStatus::InflatesToLess: return "Der Eintrag packt zu weniger als den angegebenen " + Bytes(p.size) + " aus.";
    case ZipStatus::CrcMismatch: return "Der Eintrag ist beschädigt: seine Prüfsumme (CRC-32) stimmt nicht.";
    }
    return "";
}

// The message of a status, without the file named before it.
std::string Reason(const KostraProblem& p)
{
    switch (p.status) {
    case KostraStatus::Ok: return "";
    case KostraStatus::FileUnreadable: return "Die Datei " + p.name + " " + UnreadableText(p.file);
    case KostraStatus::FileTooLarge: return "Die Datei " + p.name + " ist zu groß.";
    case KostraStatus::FileReadError: return "Die Datei " + p.name + " kann nicht gelesen werden.";
    case KostraStatus::FolderUnreadable:
        return "Der Ordner " + p.name + " kann nicht gelesen werden (" + SystemErrorText(p.error) + ").";
    case KostraStatus::FolderWithoutTables:
        return "Der Ordner " + p.name +
               " enthält keine Rastertabellen (Dateinamen mit der Dauerstufe, z. B. „_D00060“).";
    case KostraStatus::ArchiveUnreadable: return ZipProblemText(p.zip);
    case KostraStatus::ArchiveWithoutTables:
        return "Das ZIP-Archiv enthält keine Rastertabellen (Dateinamen mit der Dauerstufe, z. B. „_D00060“).";
    case KostraStatus::ArchiveNested:
        return "Das ZIP-Archiv enthält ein weiteres ZIP-Archiv (" + p.name +
               "); ZIP-Archive in einem ZIP-Archiv werden nicht gelesen: bitte entpacken.";
    case KostraStatus::ArchiveDurationTwice:
        return "Zwei Tabellen haben dieselbe Dauerstufe: " + p.first + " und " + p.second + ".";
    case KostraStatus::GridTableAlone:
        return "ein Rasterfeld braucht die Tabellen aller 18 Dauerstufen: einen Ordner angeben.";
    case KostraStatus::NoCellForTables: return "Für die Rastertabellen fehlt das Rasterfeld (INDEX_RC).";
    case KostraStatus::NoAtlasInName: return "Der Dateiname " + p.name + " nennt keinen Atlas (2020 oder 2010R).";
    case KostraStatus::AtlasesMixed:
        return (p.archive.empty() ? std::string("Der Ordner") : "Das ZIP-Archiv " + p.archive) +
               " mischt die Atlanten " + p.first + " und " + p.second + " (" + p.name + ").";
    case KostraStatus::Stopped: return "Der Import wurde abgebrochen.";
    case KostraStatus::OutOfMemory: return "Zum Lesen der Rastertabellen fehlt Speicher.";
    case KostraStatus::NotACellNumber: return "„" + p.text + "“ ist keine Rasterfeld-Nummer (INDEX_RC).";
    case KostraStatus::NoDurationInName: return "Der Dateiname nennt keine Dauerstufe (z. B. „_D00060“).";
    case KostraStatus::EmptyTable: return "Die Datei ist leer.";
    case KostraStatus::TooManyColumns:
        return Format("Die Kopfzeile hat mehr als %zu Spalten; so breite Rastertabellen gibt es nicht.", p.count);
    case KostraStatus::NoIndexColumn: return "Die Kopfzeile hat keine Spalte INDEX_RC.";
    case KostraStatus::NoDepthColumn:
        return Format("Die Kopfzeile hat keine Spalte HN_%03dA (T = %d a).", p.period, p.period);
    case KostraStatus::TooFewColumns: return Format("Zeile %zu hat zu wenige Spalten.", p.line);
    case KostraStatus::NotANumber: return Format("Zeile %zu: „%s“ ist keine Zahl.", p.line, p.text.c_str());
    case KostraStatus::CellNotInTable: return "Das Rasterfeld INDEX_RC " + p.text + " steht nicht in der Tabelle.";
    case KostraStatus::OnlyMissingValues:
        return "Das Rasterfeld " + p.text + " enthält nur fehlende Werte (-99,9): es liegt außerhalb des Atlas.";
    case KostraStatus::NoHead: return "Keine Kopfzeile mit Wiederkehrzeiten (z. B. „1 a“ … „100 a“) gefunden.";
    case KostraStatus::PeriodTwiceInHead:
        return Format("Die Wiederkehrzeit T = %d a steht zweimal in der Kopfzeile.", p.period);
    case KostraStatus::BothUnits:
        return "Der Tabellenkopf nennt sowohl Niederschlagshöhen (hN, mm) als auch Regenspenden (rN, l/(s·ha)).";
    case KostraStatus::DurationTwiceInTable:
        return "Die Dauerstufe " + DurationText(p.minutes) + " steht zweimal in der Tabelle.";
    case KostraStatus::DurationInTwoTables:
        return "Die Dauerstufe " + DurationText(p.minutes) + " kommt in zwei Tabellen vor (" + p.name + ").";
    case KostraStatus::DurationMissing: return "Die Dauerstufe " + DurationText(p.minutes) + " fehlt.";
    case KostraStatus::PeriodMissing: return Format("Die Wiederkehrzeit T = %d a fehlt.", p.period);
    case KostraStatus::ValueMissing: return "Der Wert für " + At(p) + " fehlt.";
    case KostraStatus::DepthOutOfBounds:
        return "hN = " + Decimal(p.value) + " mm bei " + At(p) +
               " liegt außerhalb der physikalischen Grenzen (0 < hN ≤ 1000 mm).";
    case KostraStatus::FallsWithDuration:
        return Format("Nicht monoton: bei T = %d a ist hN für D = %s (%s mm) kleiner als für D = %s (%s mm).",
                      p.period, DurationText(p.minutes).c_str(), Decimal(p.value).c_str(),
                      DurationText(p.previousMinutes).c_str(), Decimal(p.previous).c_str());
    case KostraStatus::FallsWithPeriod:
        return Format("Nicht monoton: bei D = %s ist hN für T = %d a (%s mm) kleiner als für T = %d a (%s mm).",
                      DurationText(p.minutes).c_str(), p.period, Decimal(p.value).c_str(), p.previousPeriod,
                      Decimal(p.previous).c_str());
    case KostraStatus::UncertaintyMissing: return "Die Toleranz verlangt die Unsicherheit UC; sie fehlt für " + At(p) + ".";
    case KostraStatus::UncertaintyOutOfBounds:
        return "Die Unsicherheit UC = " + Decimal(p.value) + " % bei " + At(p) + " liegt außerhalb von 0 bis 100 %.";
    }
    return "";
}

} // namespace

std::string ZipProblemText(const ZipProblem& problem)
{
    if (problem.status == ZipStatus::Ok)
        return "";
    if (problem.status == ZipStatus::Unreadable)
        return "Das ZIP-Archiv " + problem.archive + " " + UnreadableText(problem.file);
    if (IsMemberProblem(problem.status))
        return problem.archive + ", Eintrag „" + problem.member + "“: " + ZipReason(problem);
    return problem.archive + ": " + ZipReason(problem);
}

std::string KostraProblemText(const KostraProblem& problem)
{
    const std::string why = Reason(problem);
    return problem.where.empty() || why.empty() ? why : problem.where + ": " + why;
}

} // namespace dralun
