#include "core/PipeTables.h"

#include <cstring>
#include <utility>

#include "core/CDataDirectory.h"
#include "core/FileStamp.h"
#include "core/NumberText.h"
#include "core/TableText.h"

namespace dralun {

namespace {

// The line of a file that a piece read by ReadTableLine belongs to: a line
// longer than the buffer comes in several pieces.
class LineCounter {
public:
    int Next(const char* piece)
    {
        if (m_atStart)
            ++m_line;
        m_atStart = std::strchr(piece, '\n') != nullptr;
        return m_line;
    }

private:
    int m_line = 0;
    bool m_atStart = true;
};

// Nominal diameters, one per line; ';', ':' and '0' begin a comment.
void ReadDiameters(std::FILE* file, PipeTables& t, PipeTablesLoad& load)
{
    char line[kTableLineBuffer];
    t.diameterCount = 0;
    bool invalid = false;
    bool tooMany = false;
    LineCounter lines;
    while (ReadTableLine(file, line, kTableLineBuffer)) {
        const int lineNumber = lines.Next(line);
        if (line[0] == ';' || line[0] == ':' || line[0] == '0')
            continue;
        const int diameter = ClassicAtoi(line);
        if (diameter < PipeTables::kSmallestDN || diameter > PipeTables::kLargestDN) {
            invalid = true; // reported, left out of the list
        } else if (t.diameterCount == PipeTables::kMaxDiameters) {
            tooMany = true;
        } else {
            t.diameters[++t.diameterCount] = diameter;
            t.diameterLine[t.diameterCount] = lineNumber;
        }
    }
    t.diameterFile = StampFile("DN.ASC", CDataDirectory::File("dn.asc"));
    if (invalid)
        load.notes.push_back({PipeTableProblem::DiameterOutOfRange, {}});
    if (tooMany)
        load.notes.push_back({PipeTableProblem::TooManyDiameters, {}});
}

// Part-filling table: Q/Qv, v/vv, h/D per row; ';' begins a comment.
void ReadPartFilling(std::FILE* file, PipeTables& t, PipeTablesLoad& load)
{
    char line[kTableLineBuffer];
    t.rowCount = 0;
    LineCounter lines;
    while (ReadTableLine(file, line, kTableLineBuffer)) {
        const int lineNumber = lines.Next(line);
        if (line[0] == ';' || t.rowCount == PipeTables::kMaxRows)
            continue;
        ++t.rowCount;
        t.rowLine[t.rowCount] = lineNumber;
        load.dump += line;
        load.dump += '\n';
        double value[3] = {};
        for (int column = 1; column <= 3; ++column) {
            const std::string text = TableColumn(line, column);
            load.dump += text;
            load.dump += '\n';
            value[column - 1] = ClassicAtof(text);
        }
        t.fillRatio[t.rowCount] = value[0];
        t.velocityRatio[t.rowCount] = value[1];
        t.depthRatio[t.rowCount] = value[2];
    }
    t.tableFile = StampFile("A110KR.ASC", CDataDirectory::File("a110kr.asc"));
}

// The note of a file that cannot be read, with the reason and without the
// handle.
PipeTableNote Unreadable(PipeTableProblem problem, ReadableFile file)
{
    file.file.reset();
    return {problem, std::move(file)};
}

} // namespace

bool PipeTables::HasDiameter(double DN) const
{
    for (int i = 1; i <= diameterCount; ++i)
        if (diameters[i] == DN)
            return true;
    return false;
}

PipeTablesLoad LoadPipeTables(PipeTables& tables)
{
    PipeTablesLoad load;
    if (ReadableFile dn = CDataDirectory::Read("dn.asc"))
        ReadDiameters(dn.file.get(), tables, load);
    else
        load.notes.push_back(Unreadable(PipeTableProblem::DiameterFileUnreadable, std::move(dn)));

    if (ReadableFile table = CDataDirectory::Read("a110kr.asc"))
        ReadPartFilling(table.file.get(), tables, load);
    else
        load.notes.push_back(Unreadable(PipeTableProblem::PartFillingFileUnreadable, std::move(table)));
    return load;
}

} // namespace dralun
