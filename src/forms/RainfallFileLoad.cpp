#include "forms/RainfallFileLoad.h"

#include <cstdio>
#include <vector>

#include "core/CDataDirectory.h"
#include "core/Format.h"

namespace dralun {

namespace {

// The data directory as the messages name it: they have always named it in
// this spelling; elsewhere they name the directory in use.
std::string DirectoryForMessages()
{
    const std::string dir = CDataDirectory::Path();
    return dir == "C:\\Dralun\\" ? std::string("c:\\Dralun\\") : dir;
}

std::string LineList(const std::vector<int>& lines)
{
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i)
        text += (i ? ", " : "") + std::to_string(lines[i]);
    return text;
}

std::string ShortFileNote(int lines, int rowsRead)
{
    std::string note = lines == 0   ? "Achtung: Die Datei ist leer."
                       : lines == 1 ? "Achtung: Die Datei hat nur 1 Zeile statt 29."
                                    : Format("Achtung: Die Datei hat nur %d Zeilen statt 29.", lines);
    if (rowsRead == 0)
        note += "\nSie enthält keine Dauerstufe; alle 18 Dauerstufen zählen mit 0.";
    else if (rowsRead == CRainfallTable::kRows - 1)
        note += "\nDie Dauerstufe 18 fehlt und zählt mit 0.";
    else
        note += Format("\nDie Dauerstufen %d bis 18 fehlen und zählen mit 0.", rowsRead + 1);
    return note;
}

// What the form says about a file that was read.
RainfallFileLoad Loaded(const CRainfallTable& table, const CRainfallTable::LoadResult& read, double n)
{
    RainfallFileLoad result{true, false, "Datei wurde geladen!\n"};
    if (read.linesRead < CRainfallTable::kFileLines) {
        result.warning = true;
        result.message += '\n';
        result.message += ShortFileNote(read.linesRead, table.RowsRead());
        result.message += "\n\n";
    }
    if (!read.invalidLines.empty()) {
        result.warning = true;
        if (read.linesRead >= CRainfallTable::kFileLines)
            result.message += "\n";
        result.message += Format("Achtung: Felder mit mehr als %zu Zeichen oder mit zu großen Zahlen sind "
                                 "ungültig und zählen mit 0 (Zeile %s).\n\n",
                                 CRainfallTable::kLongestField, LineList(read.invalidLines).c_str());
    }
    if (!read.missingLines.empty()) {
        result.warning = true;
        result.message += Format("Achtung: Die Datei enthält für die Häufigkeit n = %g (Spalte %d) keine "
                                 "Regenspenden, sondern Text (Zeile %s).\nMit dieser Häufigkeit wird nicht "
                                 "gerechnet.\n\n",
                                 n, CRainfallTable::ColumnForFrequency(n), LineList(read.missingLines).c_str());
    } else if (table.RowsRead() > 0 && !table.HasRain()) { // a file without rows says so above
        result.warning = true;
        result.message += Format("Achtung: Die Datei enthält für die Häufigkeit n = %g keine Regenspende über "
                                 "0 l/(s·ha).\nMit diesen Daten ergibt die Bilanz kein Speichervolumen.\n\n",
                                 n);
    }
    return result;
}

} // namespace

RainfallFileLoad LoadRainfallFile(CRainfallTable& table, const std::string& fileName, double n)
{
    const CRainfallTable::LoadResult read = table.Load(fileName, n);
    if (!read.loaded) {
        // The message names the file tried (a bare name is looked for in the
        // data directory) and says what is wrong with it.
        const std::string message =
            "Datei konnte nicht geöffnet werden!\nDatei-Namen prüfen!\n\n" + read.path + " " + ProblemText(read.opened);
        WriteRainfallCheckFile(table, n);
        return {false, false, message};
    }
    RainfallFileLoad result = Loaded(table, read, n);
    // The check file is named only when it is there.
    if (WriteRainfallCheckFile(table, n))
        result.message += "Daten liegen zur Kontrolle in\n" + DirectoryForMessages() + kRainfallCheckFile + "\n vor.";
    else
        result.message += "Die Kontrolldatei " + DirectoryForMessages() + kRainfallCheckFile +
                          " konnte nicht geschrieben werden.";
    return result;
}

bool WriteRainfallCheckFile(const CRainfallTable& table, double n)
{
    CFile out = CDataDirectory::Open(kRainfallCheckFile, "w");
    if (!out)
        return false;
    std::FILE* f = out.get();
    std::fprintf(f, "%s \n", "DumpVN, Ausgabe der eingelesen Dauern und Regenspenden");
    std::fprintf(f, "%s \n", "Dient der Kontrolle, ob die Werte aus der Tabelle richtig extrahiert wurden.");
    std::fprintf(f, "%s \n", "");
    std::fprintf(f, "n = %1.1f \n", n);
    std::fprintf(f, "%s \n", "");
    for (const CRainfallTable::Row& row : table.Rows())
        std::fprintf(f, "%5.0f  %4.1f \n", row.duration, row.intensity);
    return std::fclose(out.release()) == 0;
}

} // namespace dralun
