#pragma once
// The design rain of one grid cell of the KOSTRA-DWD atlas (2020 or 2010R),
// read from the weather service's grid tables (one table per rain duration)
// or from a table of one cell as a spreadsheet saves it, checked, and
// rendered as the text of a rainfall file in the layout the infiltration
// forms read.
//
// Everything here works on text already in memory; reading folders and zip
// files belongs to KostraSource.h, writing the file to the caller. Every
// reader either gives a whole checked result or a status with the names and
// numbers its message needs, never a half result.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ZipArchive.h"

namespace dralun {

// The 18 rain durations of the rainfall file, in minutes, in row order.
inline constexpr std::array<int, 18> kKostraDurations = {5,   10,  15,  20,  30,  45,  60,   90,   120,
                                                         180, 240, 360, 540, 720, 1080, 1440, 2880, 4320};
// The return periods T in years that the file's frequency columns n = 1/T
// need (n = 1, 0.5, 0.2, 0.1, 0.05, 0.02, 0.01). T = 3 and 30 a are ignored.
inline constexpr std::array<int, 7> kKostraReturnPeriods = {1, 2, 5, 10, 20, 50, 100};

using KostraValues = std::array<std::optional<double>, kKostraReturnPeriods.size()>;

// What the values of a cell table are when its head does not say.
enum class KostraUnit { Depth, Intensity };

struct KostraSource {
    std::string name;   // file name as given
    std::string sha256; // of the bytes as read
};

struct KostraCell {
    std::string indexRc;                       // INDEX_RC without leading zeros, e.g. "117111"
    std::string atlas;                         // "KOSTRA-DWD-2020" or "KOSTRA-DWD-2010R"
    std::array<KostraValues, 18> depth{};      // hN in mm [duration][return period]
    std::array<KostraValues, 18> uncertainty{}; // UC in ± %, where the source gives it
    std::vector<KostraSource> sources;
    // Set when the head of a cell table did not say whether its values are
    // depths or intensities: what they were read as.
    std::optional<KostraUnit> assumedUnit;
};

struct KostraOptions {
    std::string importDate;    // as it is to be written, e.g. "2024-05-17"
    bool addTolerance = false; // add the uncertainty UC to every value
};

enum class KostraStatus {
    Ok,
    // The sources on disk and what they hold.
    FileUnreadable,       // name, file
    FileTooLarge,         // name: it grew past its bound while it was read
    FileReadError,        // name
    FolderUnreadable,     // name, error
    FolderWithoutTables,  // name
    ArchiveUnreadable,    // zip
    ArchiveWithoutTables, // where: the archive
    ArchiveNested,        // where: the archive; name: the archive inside it
    ArchiveDurationTwice, // where: the archive; first, second: the two members
    GridTableAlone,       // where: the table
    NoCellForTables,
    NoAtlasInName,        // name
    AtlasesMixed,         // first, second: the atlases; name: the table; archive ("": a folder)
    Stopped,              // by the progress
    OutOfMemory,
    // A table (where: the table).
    NotACellNumber,       // text
    NoDurationInName,
    EmptyTable,
    TooManyColumns,       // count
    NoIndexColumn,
    NoDepthColumn,        // period
    TooFewColumns,        // line
    NotANumber,           // line, text
    CellNotInTable,       // text: the cell
    OnlyMissingValues,    // text: the cell
    NoHead,
    PeriodTwiceInHead,    // period
    BothUnits,
    DurationTwiceInTable, // minutes
    DurationInTwoTables,  // minutes, name: the second table
    // The cell's check (where: the table of one cell, else "").
    DurationMissing,      // minutes
    PeriodMissing,        // period
    ValueMissing,         // minutes, period
    DepthOutOfBounds,     // value, minutes, period
    FallsWithDuration,    // period; minutes, value; previousMinutes, previous
    FallsWithPeriod,      // minutes; period, value; previousPeriod, previous
    UncertaintyMissing,   // minutes, period
    UncertaintyOutOfBounds, // value, minutes, period
};

// A refusal and what its message names.
struct KostraProblem {
    KostraStatus status = KostraStatus::Ok;
    std::string where{};           // the file the refusal is about, named before it; "" none
    std::string name{};            // a file, folder or table the refusal names
    std::string first{}, second{}; // two names set against each other
    std::string archive{};
    std::string text{};            // a cell as read, cut to 40 bytes ("…"), UTF-8
    std::size_t line = 0;          // from 1
    std::size_t count = 0;
    int minutes = 0, previousMinutes = 0;
    int period = 0, previousPeriod = 0; // T in years
    double value = 0, previous = 0;
    int error = 0; // errno
    UnreadableFile file{};
    ZipProblem zip{};
    bool Ok() const { return status == KostraStatus::Ok; }
    bool operator==(const KostraProblem&) const = default;
};

// A result or why there is none.
template <class T>
struct KostraResult {
    std::optional<T> value;
    KostraProblem problem; // Ok when value is set
};

// One row of a grid table: one cell, one duration.
struct KostraGridRow {
    int minutes = 0;
    KostraValues depth{};
    KostraValues uncertainty{};
    KostraSource source;
};


// rN in l/(s·ha) of the depth hN in mm fallen in D minutes.
double KostraIntensity(double depthMm, double minutes);

// The text as UTF-8: a byte-order mark taken off, Latin-1 converted when the
// text is not valid UTF-8.
std::string KostraTextToUtf8(std::string_view text);

// Whether the text names a grid cell: 1 to 15 decimal digits, nothing else
// (the cell comes into a file's name and head).
bool IsKostraCellNumber(std::string_view text);

// "KOSTRA-DWD-2020" or "KOSTRA-DWD-2010R" from a file name, "" if neither.
std::string KostraAtlasFromFileName(std::string_view fileName);
// The duration in minutes from "…_D0060.csv" / "…_D00060…", nothing if absent.
std::optional<int> KostraMinutesFromFileName(std::string_view fileName);
// Whether the name is that of a grid table of one of the 18 durations.
bool IsKostraGridTableName(std::string_view fileName);

// The row of cell wantedIndexRc in a grid table of one duration (columns
// found by name; decimal comma or point; -99,9 marks a missing value).
KostraResult<KostraGridRow> ReadKostraGridTable(std::string_view fileName, std::string_view text,
                                                std::string_view wantedIndexRc);
// The cell from the rows of its 18 grid tables (extra durations ignored),
// checked as CheckKostraCell does.
KostraResult<KostraCell> KostraCellFromGridRows(const std::string& atlas, std::string_view indexRc,
                                                const std::vector<KostraGridRow>& rows);

// A table of one cell: durations as rows, return periods as columns; values
// hN in mm or rN in l/(s·ha) as the head says, else as `assumed` says.
KostraResult<KostraCell> ReadKostraCellTable(std::string_view sourceName, std::string_view text,
                                             KostraUnit assumed, const std::string& atlas,
                                             std::string_view indexRc);

// Why the cell cannot be written (Ok when it can): a missing duration or
// return period, a value out of bounds, a depth that falls with a longer rain
// or a longer return period; with the tolerance, a missing UC.
KostraProblem CheckKostraCell(const KostraCell& cell, const KostraOptions& options = {});

// The rainfall file: 9 header lines naming the source, then the 18 rows with
// the two skipped lines. Field 3 is D in minutes, field 2k+2 the depth and
// field 2k+3 the intensity of frequency column k; column 1 (n = 2) has no
// KOSTRA value and holds "fehlt". Empty when CheckKostraCell refuses the
// cell or a line would not fit the reader's 128 characters.
std::string RainfallFileText(const KostraCell& cell, const KostraOptions& options);

// "KOSTRA2020_117111.txt", "KOSTRA2010R_117111.txt".
std::string SuggestedRainfallFileName(const KostraCell& cell);

} // namespace dralun
