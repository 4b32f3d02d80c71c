#pragma once
// The rainfall series of one infiltration form: for 18 rain durations the
// rain intensity of one frequency column, read from a plain-text table.
//
// The file: 9 header lines, rows 1 to 7 (lines 10-16), a skipped line, row 8
// (line 18), rows 9 to 14 (lines 19-24), a skipped line, rows 15 to 18
// (lines 26-29). In a row line field 1 is the duration, field 2 the unit word
// ("h" marks hours) and field 2k+3 the intensity in l/(s·ha) of frequency
// column k. Fields are separated by blanks only; a tab is an ordinary
// character. A line is read in portions of at most 129 characters (line feed
// included); the rest of a longer line counts as the next line.
//
// Two conversions to minutes exist side by side: the reader multiplies the
// durations of rows 9 to 18 by 60 by their position (the check file and the
// first row after a load show those numbers); every other use (the duration
// list, the balances) multiplies by 60 only when the unit word is exactly "h".
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/CalcSteps.h"
#include "core/FileAccess.h"

namespace dralun {

class CRainfallTable {
public:
    static constexpr int kRows = 18;
    static constexpr int kFileLines = 29;     // header, rows and the two skipped lines
    static constexpr int kReadLength = 129;   // characters of one read, line feed included
    static constexpr size_t kLongestField = 31; // a longer field is invalid and reads as 0

    struct Row {
        std::string durationText;  // field 1 as written
        std::string unitText;      // field 2
        std::string intensityText; // the field of the frequency column
        double duration = 0;       // min: field 1, times 60 for rows 9 to 18 (by position)
        double intensity = 0;      // l/(s·ha)
        int line = 0;              // the line it was read from, counted as the reads go (0: not in the file)
    };

    // One row as the balance and the duration list take it.
    struct Rain {
        double durationMinutes = 0; // times 60 when the unit word is exactly "h"
        double intensity = 0;       // l/(s·ha)
    };

    // What a load found; the form says it in words.
    struct LoadResult {
        bool loaded = false;       // false: the file could not be opened, nothing changed
        ReadableFile opened;       // why not (problem, kind, size); its file is closed
        std::string path;          // the file tried (see CDataDirectory::UserFile)
        int linesRead = 0;         // reads of the file, up to kFileLines
        std::vector<int> invalidLines; // lines with an overlong field or a number too large
        // Lines whose intensity of the chosen column is a word, not a number
        // ("fehlt": a source without a value for that frequency).
        std::vector<int> missingLines;
        bool fromProject = false; // read from the project's copy of the file
    };

    // Frequency column k (1 to 8) for the frequency n per year, by exact
    // comparison with 2, 1, 0.5, 0.2, 0.1, 0.05, 0.02, 0.01; any other n
    // takes column 4.
    static int ColumnForFrequency(double n);
    // The field of a row line that holds column k: 2k + 3.
    static int FieldForFrequency(double n) { return 2 * ColumnForFrequency(n) + 3; }

    // Reads the file (a name typed by the user: a bare name is a file of the
    // data directory; the letter case of the file name need not match). On
    // success all 18 rows are replaced; rows that the file does not reach
    // are empty (texts "", numbers 0). When the file
    // cannot be opened (also when it is a directory, a FIFO, a device or
    // larger than any rainfall file can be) the table keeps its contents.
    LoadResult Load(const std::string& fileName, double n);
    // Whether any row holds a rain intensity above 0.
    bool HasRain() const;
    // All 18 rows, as read.
    const std::array<Row, kRows>& Rows() const { return m_rows; }

    // The entries of the duration list, one per row read: the duration text
    // and " min" for rows 1 to 8, " h" for rows 9 to 18.
    std::vector<std::string> FillDurationList() const;
    // The rain of list entry `index` (from 0); nothing when there is no such entry.
    std::optional<Rain> TakeSelectedDuration(int index) const;

    // Row i (1 to 18) as read, and as the balances use it.
    const Row& RowAt(int i) const { return m_rows.at(static_cast<size_t>(i - 1)); }
    Rain RainOfRow(int i) const;
    // How many rows the last successful load found in its file (0 before).
    int RowsRead() const { return m_rowsRead; }
    // The file of the last successful load for the calculation report: its
    // name as it is spelled on disk, size and SHA-256 (the name is empty
    // before the first load), and the frequency column it was read with.
    const DataFileUse& Stamp() const { return m_stamp; }
    int Column() const { return m_column; }
    // Whether a row of the loaded column holds a word instead of an
    // intensity: the file has no value there, and it must not count as 0.
    bool HasMissingValues() const { return m_missing; }

private:
    std::array<Row, kRows> m_rows{};
    int m_rowsRead = 0;
    DataFileUse m_stamp;
    int m_column = 0;
    bool m_missing = false;
};

} // namespace dralun
