#pragma once
// The two tables of the pipe run, read from the data directory: the nominal
// diameters DN.ASC and the part-filling table A110KR.ASC of the circular
// profile (Q/Qv, v/vv, h/D per row).
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/CalcSteps.h"
#include "core/FileAccess.h"

namespace dralun {

struct PipeTables {
    static constexpr int kMaxDiameters = 19;
    static constexpr int kMaxRows = 100;
    // The nominal diameters DN.ASC may hold, mm.
    static constexpr int kSmallestDN = 50;
    static constexpr int kLargestDN = 3000;

    // Diameter table, entries 1 to diameterCount in the order of DN.ASC.
    std::array<int, kMaxDiameters + 1> diameters{};
    int diameterCount = 0;

    // Part-filling table, rows 1 to rowCount: Q/Qv, v/vv, h/D.
    std::array<double, kMaxRows + 1> fillRatio{};
    std::array<double, kMaxRows + 1> velocityRatio{};
    std::array<double, kMaxRows + 1> depthRatio{};
    int rowCount = 0;

    // The line of the file each diameter and each table row was read from
    // (0: not read from a file), and the stamps of the two files as they
    // were read, for the calculation report.
    std::array<int, kMaxDiameters + 1> diameterLine{};
    std::array<int, kMaxRows + 1> rowLine{};
    std::optional<DataFileUse> diameterFile;
    std::optional<DataFileUse> tableFile;

    // Whether DN (mm) is one of the diameters of the table.
    bool HasDiameter(double DN) const;
};

// What reading the tables found wrong, in the order it was found.
enum class PipeTableProblem {
    DiameterFileUnreadable,    // DN.ASC missing or no table file
    DiameterOutOfRange,        // a diameter below kSmallestDN or above kLargestDN, left out
    TooManyDiameters,          // more than kMaxDiameters, the rest left out
    PartFillingFileUnreadable, // A110KR.ASC missing or no table file
};

struct PipeTableNote {
    PipeTableProblem problem;
    ReadableFile file; // why an unreadable file is (its handle closed); empty otherwise
};

struct PipeTablesLoad {
    std::vector<PipeTableNote> notes;
    // The check echo of the part-filling table: each row read, then its
    // three columns, each on a line of its own.
    std::string dump;
};

// Reads DN.ASC and A110KR.ASC from the data directory into the tables. A
// table whose file cannot be read keeps what it held.
PipeTablesLoad LoadPipeTables(PipeTables& tables);

} // namespace dralun
