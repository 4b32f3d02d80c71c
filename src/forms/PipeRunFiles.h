#pragma once
// The files of the pipe run form: reading the two tables (with the check
// echo dump-rohr.txt and the messages for the user) and the report Rohr.txt,
// to which the form appends the row of a computed reach.
#include <string>
#include <vector>

#include "core/CPipeRunFlow.h"
#include "core/FileAccess.h"
#include "core/PipeTables.h"

namespace dralun {

// Reads DN.ASC and A110KR.ASC from the data directory into the tables and
// writes dump-rohr.txt anew (empty when the part-filling table cannot be
// read). Returns the messages for the user.
std::vector<std::string> LoadPipeRunTables(PipeTables& tables);

// The message for the user about one note of reading the tables.
std::string PipeTableMessage(const PipeTableNote& note);

// A computed reach as the report row and the picture show it.
struct PipeRunReach {
    PipeReachInput input;
    PipeReachResult result;
};

// The report row of a reach, line end included.
std::string PipeReportRow(const PipeRunReach& reach);

// Rohr.txt in the data directory, opened for appending (a missing file is
// created, the lines earlier openings wrote stay) as long as this lives; the
// first row of this opening is preceded by a header block. A Rohr.txt that
// is no regular file cannot be opened, and then nothing is written.
class CPipeRunReport {
public:
    CPipeRunReport();
    bool IsOpen() const { return m_file != nullptr; }
    // Appends the row of the reach; false when there is no report file.
    bool Append(const PipeRunReach& reach);

private:
    CFile m_file;
    bool m_headerWritten = false; // the header block of this opening
};

} // namespace dralun
