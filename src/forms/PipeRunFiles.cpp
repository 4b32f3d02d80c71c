#include "forms/PipeRunFiles.h"

#include <cstdio>

#include "core/CDataDirectory.h"
#include "core/CPipeFlow.h"
#include "core/Format.h"

namespace dralun {

std::string PipeTableMessage(const PipeTableNote& note)
{
    // A file that is there but is no table file (a directory, a FIFO, a huge
    // file) says what it is.
    auto unreadable = [&note](const char* name) {
        std::string text =
            std::string("Die Datei ") + name + " konnte nicht von " + CDataDirectory::Path() + "  eingelesen werden!";
        if (note.file.problem != FileProblem::Missing)
            text += std::string("\n") + name + " " + ProblemText(note.file);
        return text;
    };
    switch (note.problem) {
    case PipeTableProblem::DiameterFileUnreadable:
        return unreadable("DN.ASC");
    case PipeTableProblem::DiameterOutOfRange:
        return "Datei mit Durchmessern enthält unzulässige(n) Durchmesser <50 oder >3000";
    case PipeTableProblem::TooManyDiameters:
        return Format("Die Datei DN.ASC enthält mehr als %d Durchmesser.\n"
                      "Nur die ersten %d werden in die Liste übernommen.",
                      PipeTables::kMaxDiameters, PipeTables::kMaxDiameters);
    case PipeTableProblem::PartFillingFileUnreadable:
        return unreadable("A110KR.ASC");
    }
    return {};
}

std::vector<std::string> LoadPipeRunTables(PipeTables& tables)
{
    const PipeTablesLoad load = LoadPipeTables(tables);
    if (CFile dump = CDataDirectory::Open("dump-rohr.txt", "w"))
        std::fputs(load.dump.c_str(), dump.get());
    std::vector<std::string> messages;
    for (const PipeTableNote& note : load.notes)
        messages.push_back(PipeTableMessage(note));
    return messages;
}

std::string PipeReportRow(const PipeRunReach& reach)
{
    const PipeReachInput& in = reach.input;
    const PipeReachResult& r = reach.result;
    struct Column {
        int width, decimals;
        double value;
    };
    const Column columns[] = {
        {6, 2, in.levelTop}, {6, 2, in.levelBottom}, {6, 2, in.L},  {6, 1, 1 / r.J},
        {6, 2, r.J * 100},   {6, 0, in.DN},          {4, 1, in.kb}, {6, 0, r.Qv},
        {6, 2, r.vv},        {6, 0, r.Qt},           {6, 2, r.vt},  {6, 2, r.DrH},
        {6, 0, in.L / r.vt}, // flow time in s; none when nothing flows part-full
    };
    std::string row;
    for (const Column& c : columns) {
        if (!row.empty())
            row += ' ';
        row += FormatDeterminable(c.width, c.decimals, c.value);
    }
    return row + "\n";
}

CPipeRunReport::CPipeRunReport() : m_file(CDataDirectory::Open("Rohr.txt", "a")) {}

bool CPipeRunReport::Append(const PipeRunReach& reach)
{
    if (!m_file)
        return false;
    if (!m_headerWritten) {
        const std::string lines[] = {
            "Programmausgaben - Rohrhydraulik",
            "",
            "    Sohle      Länge     Gefälle       DN   kb   Qv     vv     Qt     vt    DrH   Fließzeit",
            Format("%-90s", "oben    unten"),
            "m NN    m NN     m      1:x    %       mm   mm   l/s    m/s    l/s    m/s    m        s    ",
        };
        for (const std::string& text : lines)
            std::fprintf(m_file.get(), "%s \n", text.c_str());
        std::fprintf(m_file.get(), "%s\n", "");
        m_headerWritten = true;
    }
    std::fputs(PipeReportRow(reach).c_str(), m_file.get());
    std::fflush(m_file.get());
    return true;
}

} // namespace dralun
