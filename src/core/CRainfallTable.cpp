#include "core/CRainfallTable.h"

#include <cmath>
#include <cstdio>

#include "core/CDataDirectory.h"
#include "core/FileStamp.h"
#include "core/Format.h"
#include "core/NumberText.h"
#include "core/Platform.h"
#include "core/TableText.h"

namespace dralun {

namespace {

constexpr int kHeaderLines = 9;
// Rows (from 0) in front of which the file has a line that is skipped.
constexpr int kAfterSkippedLine1 = 7;  // row 8, after line 17
constexpr int kAfterSkippedLine2 = 14; // row 15, after line 25
// Rows from this one on (from 0) hold hours.
constexpr int kFirstHourRow = 8;

const char* const kCheckFile = "dumpVN.txt";

// A duration in minutes; a number too large for the product counts as 0.
double Minutes(double value, bool hours)
{
    const double minutes = hours ? value * 60 : value;
    return std::isfinite(minutes) ? minutes : 0.0;
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

} // namespace

int CRainfallTable::ColumnForFrequency(double n)
{
    static const double kFrequencies[] = {2, 1, 0.5, 0.2, 0.1, 0.05, 0.02, 0.01};
    for (int k = 0; k < 8; ++k)
        if (n == kFrequencies[k])
            return k + 1;
    return 4;
}

std::string CRainfallTable::DirectoryForMessages()
{
    // The program's messages have always named the data directory in this
    // spelling; elsewhere they name the directory in use.
    const std::string dir = CDataDirectory::Path();
    return dir == "C:\\Dralun\\" ? std::string("c:\\Dralun\\") : dir;
}

CRainfallTable::LoadResult CRainfallTable::Load(const std::string& fileName, double n)
{
    // A name that is no rainfall file (a directory, a FIFO, a device, a
    // huge file) cannot be opened either; the message says what it is.
    ReadableFile opened = CDataDirectory::ReadPath(platform::PathOf(fileName));
    CFile file = std::move(opened.file);
    if (!file) {
        std::string message = "Datei konnte nicht geöffnet werden!\nDatei-Namen prüfen!";
        if (opened.problem != FileProblem::Missing)
            message += "\n\n" + fileName + " " + ProblemText(opened);
        WriteCheckFile(n);
        return {false, false, message};
    }

    const int intensityField = FieldForFrequency(n);
    char line[kReadLength + 1];
    int linesRead = 0;
    std::vector<int> invalidLines;
    auto next = [&] {
        if (!ReadTableLine(file.get(), line, sizeof line))
            return false;
        ++linesRead;
        return true;
    };
    // A field of the current line; one longer than the longest accepted
    // field is invalid and reads as missing.
    bool lineHasInvalidField = false;
    auto field = [&](int number) {
        std::string text = TableColumn(line, number);
        if (text.size() > kLongestField) {
            lineHasInvalidField = true;
            return std::string();
        }
        return text;
    };

    std::array<Row, kRows> rows{};
    int rowsRead = 0;
    bool more = true;
    for (int i = 0; i < kHeaderLines && more; ++i)
        more = next();
    for (int r = 0; r < kRows && more; ++r) {
        if ((r == kAfterSkippedLine1 || r == kAfterSkippedLine2) && !(more = next()))
            break;
        if (!(more = next()))
            break;
        lineHasInvalidField = false;
        Row& row = rows[static_cast<size_t>(r)];
        row.line = linesRead;
        row.durationText = field(1);
        row.unitText = field(2);
        row.intensityText = field(intensityField);
        const double duration = ClassicAtof(row.durationText);
        row.duration = Minutes(duration, r >= kFirstHourRow);
        if (row.duration == 0 && duration != 0)
            lineHasInvalidField = true;
        row.intensity = ClassicAtof(row.intensityText);
        if (lineHasInvalidField)
            invalidLines.push_back(linesRead);
        rowsRead = r + 1;
    }
    file.reset();

    m_rows = rows;
    m_rowsRead = rowsRead;
    const std::filesystem::path read = CDataDirectory::Resolve(platform::PathOf(fileName));
    m_stamp = StampFile(platform::TextOf(read.filename()), read);
    m_column = ColumnForFrequency(n);

    LoadResult result{true, false, "Datei wurde geladen!\n"};
    if (linesRead < kFileLines) {
        result.warning = true;
        result.message += '\n';
        result.message += ShortFileNote(linesRead, rowsRead);
        result.message += "\n\n";
    }
    if (!invalidLines.empty()) {
        result.warning = true;
        if (linesRead >= kFileLines)
            result.message += "\n";
        result.message += Format("Achtung: Felder mit mehr als %zu Zeichen oder mit zu großen Zahlen sind "
                                 "ungültig und zählen mit 0 (Zeile %s).\n\n",
                                 kLongestField, LineList(invalidLines).c_str());
    }
    if (rowsRead > 0 && !HasRain()) { // a file without rows says so above
        result.warning = true;
        result.message += Format("Achtung: Die Datei enthält für die Häufigkeit n = %g keine Regenspende über "
                                 "0 l/(s·ha).\nMit diesen Daten ergibt die Bilanz kein Speichervolumen.\n\n",
                                 n);
    }
    // The check file is named only when it is there.
    if (WriteCheckFile(n))
        result.message += "Daten liegen zur Kontrolle in\n" + DirectoryForMessages() + kCheckFile + "\n vor.";
    else
        result.message += "Die Kontrolldatei " + DirectoryForMessages() + kCheckFile +
                          " konnte nicht geschrieben werden.";
    return result;
}

bool CRainfallTable::HasRain() const
{
    for (int i = 1; i <= kRows; ++i) {
        const double r = RainOfRow(i).intensity;
        if (std::isfinite(r) && r > 0)
            return true;
    }
    return false;
}

bool CRainfallTable::WriteCheckFile(double n) const
{
    CFile out = CDataDirectory::Open(kCheckFile, "w");
    if (!out)
        return false;
    std::FILE* f = out.get();
    std::fprintf(f, "%s \n", "DumpVN, Ausgabe der eingelesen Dauern und Regenspenden");
    std::fprintf(f, "%s \n", "Dient der Kontrolle, ob die Werte aus der Tabelle richtig extrahiert wurden.");
    std::fprintf(f, "%s \n", "");
    std::fprintf(f, "n = %1.1f \n", n);
    std::fprintf(f, "%s \n", "");
    for (const Row& row : m_rows)
        std::fprintf(f, "%5.0f  %4.1f \n", row.duration, row.intensity);
    return std::fclose(out.release()) == 0;
}

std::vector<std::string> CRainfallTable::FillDurationList() const
{
    std::vector<std::string> entries;
    for (int r = 0; r < m_rowsRead; ++r)
        entries.push_back(m_rows[static_cast<size_t>(r)].durationText + (r < kFirstHourRow ? " min" : " h"));
    return entries;
}

CRainfallTable::Rain CRainfallTable::RainOfRow(int i) const
{
    const Row& row = RowAt(i);
    return {Minutes(ClassicAtof(row.durationText), row.unitText == "h"), ClassicAtof(row.intensityText)};
}

std::optional<CRainfallTable::Rain> CRainfallTable::TakeSelectedDuration(int index) const
{
    if (index < 0 || index >= m_rowsRead)
        return std::nullopt;
    return RainOfRow(index + 1);
}

} // namespace dralun
