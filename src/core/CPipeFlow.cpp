#include "core/CPipeFlow.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/Format.h"
#include "core/NumberText.h"
#include "core/TableText.h"

namespace dralun {

namespace {

constexpr double kG = 9.80665;     // standard gravity, m/s²
constexpr double kNu = 1.31e-6;    // kinematic viscosity of sewage at about 10 °C, m²/s
constexpr double kPi = 3.141592654; // the program's ten-digit π
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Valid nominal diameters of DN.ASC, mm.
constexpr int kSmallestDN = 50;
constexpr int kLargestDN = 3000;

} // namespace

std::string FormatDeterminable(int width, int decimals, double value)
{
    if (!std::isfinite(value))
        return Format("%*s", width, "-");
    return FormatFixed(width, decimals, value);
}

CPipeFlow::CPipeFlow(bool withReport)
{
    if (withReport) {
        m_report = CDataDirectory::Open("Rohr.txt", "w");
        WriteReportHeader();
    }
}

// ---- hydraulics ----------------------------------------------------------------

bool CPipeFlow::SlopeFromInput()
{
    switch (m_mode) {
    case kFromLevels:
        m_J = (m_levelTop - m_levelBottom) / m_L;
        return true;
    case kPercent:
        m_J = m_slopePercent / 100;
        return true;
    case kOneIn:
        m_J = 1 / m_slopeN;
        return true;
    default:
        return false;
    }
}

void CPipeFlow::FullFlow()
{
    // Prandtl-Colebrook for the full circular pipe, evaluated in this order:
    // v = -2 log10(2.51 nu / (D sqrt(2 g D J)) + kb / (3.71 D)) sqrt(2 g D J).
    const double s = std::sqrt(2 * kG * m_D * m_J);
    m_vv = -2.0 * std::log10(kNu * 2.51 / m_D / s + m_kb * 0.001 / 3.71 / m_D) * s;
    m_Qv = kPi * m_vv * m_D * m_D * 0.25 * 1000;
}

bool CPipeFlow::ComputeReach()
{
    if (!SlopeFromInput())
        return false;
    m_D = m_DN / 1000;
    FullFlow();
    if (!std::isfinite(m_vv) || !std::isfinite(m_Qv)) {
        // A slope of zero or below, or no diameter: the pipe has no full-flow
        // capacity, so neither overload nor part filling can be decided.
        m_Qt = kNaN;
        m_ratio = kNaN;
        m_vt = kNaN;
        m_DrH = kNaN;
    } else if (m_Q > m_Qv) {
        // Overloaded: the pipe does not carry Q part-full.
        m_DrH = 0;
        m_Qt = 0;
        m_vt = 0;
    } else {
        PartFilling();
    }
    m_lastReach = Reach{m_levelTop, m_levelBottom, m_L, m_J, m_DN, m_kb, m_Q, m_Qv, m_vv, m_Qt, m_vt, m_DrH};
    return true;
}

void CPipeFlow::PartFilling()
{
    if (m_Qt >= m_Qv) {
        m_vt = m_vv;
        m_DrH = 0;
        return;
    }
    m_ratio = m_Qt / m_Qv;
    if (m_ratio < 0.01) {
        m_vt = 0;
        m_DrH = 0;
        return;
    }
    if (!(m_ratio < 1)) { // not a number, or a negative Qv
        m_vt = kNaN;
        m_DrH = kNaN;
        return;
    }
    // Row i holds Q/Qv = i / 100; rows i and i + 1 enclose the ratio. Just
    // below 1 the product may round up to 100, hence the limit.
    const int i = std::clamp(static_cast<int>(std::floor(m_ratio * 100)), 1, kMaxRows - 1);
    const double span = i + 1 <= m_rowCount ? m_fillRatio[i + 1] - m_fillRatio[i] : 0.0;
    if (span == 0) {
        // The table lacks the rows of this ratio, or cannot be interpolated.
        m_vt = kNaN;
        m_DrH = kNaN;
        return;
    }
    const double f = (m_ratio - m_fillRatio[i]) / span;
    const double hD = m_depthRatio[i] + (m_depthRatio[i + 1] - m_depthRatio[i]) * f;
    const double vvv = m_velocityRatio[i] + (m_velocityRatio[i + 1] - m_velocityRatio[i]) * f;
    m_vt = vvv * m_vv;
    m_DrH = hD * m_D;
}

void CPipeFlow::FillDiameterList()
{
    SlopeFromInput();
    for (int i = 1; i <= m_diameterCount; ++i) {
        m_D = m_diameters[i] / 1000.0;
        FullFlow();
        m_dnText[i] = Format("%4d", m_diameters[i]);
        m_vvText[i] = FormatDeterminable(5, 2, m_vv);
        m_QvText[i] = FormatDeterminable(7, 0, m_Qv);
    }
}

// ---- tables ------------------------------------------------------------------

std::vector<std::string> CPipeFlow::LoadTables()
{
    std::vector<std::string> messages;
    const std::string missing = "  eingelesen werden!";
    m_mode = kNoSlope;
    CFile dump = CDataDirectory::Open("dump-rohr.txt", "w");
    char line[kTableLineBuffer];

    // The message for a table that cannot be read; a file that is there but
    // is no table file (a directory, a FIFO, a huge file) says what it is.
    auto unreadable = [&](const char* name, const ReadableFile& file) {
        std::string text = std::string("Die Datei ") + name + " konnte nicht von " + CDataDirectory::Path() + missing;
        if (file.problem != FileProblem::Missing)
            text += std::string("\n") + name + " " + ProblemText(file);
        return text;
    };

    // Nominal diameters, one per line; ';', ':' and '0' begin a comment.
    ReadableFile dnFile = CDataDirectory::Read("dn.asc");
    if (CFile dn = std::move(dnFile.file)) {
        m_diameterCount = 0;
        bool invalid = false;
        bool tooMany = false;
        while (ReadTableLine(dn.get(), line, kTableLineBuffer)) {
            if (line[0] == ';' || line[0] == ':' || line[0] == '0')
                continue;
            const int diameter = ClassicAtoi(line);
            if (diameter < kSmallestDN || diameter > kLargestDN)
                invalid = true; // reported, left out of the list
            else if (m_diameterCount == kMaxDiameters)
                tooMany = true;
            else
                m_diameters[++m_diameterCount] = diameter;
        }
        if (invalid)
            messages.push_back("Datei mit Durchmessern enthält unzulässige(n) Durchmesser <50 oder >3000");
        if (tooMany)
            messages.push_back(Format("Die Datei DN.ASC enthält mehr als %d Durchmesser.\n"
                                      "Nur die ersten %d werden in die Liste übernommen.",
                                      kMaxDiameters, kMaxDiameters));
    } else {
        messages.push_back(unreadable("DN.ASC", dnFile));
    }

    // Part-filling table: Q/Qv, v/vv, h/D per row; ';' begins a comment.
    ReadableFile tableFile = CDataDirectory::Read("a110kr.asc");
    CFile table = std::move(tableFile.file);
    if (!table) {
        messages.push_back(unreadable("A110KR.ASC", tableFile));
        return messages;
    }
    m_rowCount = 0;
    auto echo = [&dump](const std::string& text) {
        if (dump)
            std::fputs(text.c_str(), dump.get());
    };
    while (ReadTableLine(table.get(), line, kTableLineBuffer)) {
        if (line[0] == ';' || m_rowCount == kMaxRows)
            continue;
        ++m_rowCount;
        echo(line);
        echo("\n");
        std::array<double, 3> value{};
        for (int column = 1; column <= 3; ++column) {
            const std::string text = TableColumn(line, column);
            echo(text);
            echo("\n");
            value[column - 1] = ClassicAtof(text);
        }
        m_fillRatio[m_rowCount] = value[0];
        m_velocityRatio[m_rowCount] = value[1];
        m_depthRatio[m_rowCount] = value[2];
    }
    return messages;
}

// ---- report ------------------------------------------------------------------

void CPipeFlow::WriteReportHeader()
{
    if (!m_report)
        return;
    const std::string lines[] = {
        "Programmausgaben - Rohrhydraulik",
        "",
        "    Sohle      Länge     Gefälle       DN   kb   Qv     vv     Qt     vt    DrH   Fließzeit",
        Format("%-90s", "oben    unten"),
        "m NN    m NN     m      1:x    %       mm   mm   l/s    m/s    l/s    m/s    m        s    ",
    };
    for (const std::string& text : lines)
        std::fprintf(m_report.get(), "%s \n", text.c_str());
    std::fprintf(m_report.get(), "%s\n", "");
    std::fflush(m_report.get());
}

std::string CPipeFlow::ReportRow() const
{
    if (!m_lastReach)
        return {};
    const Reach& r = *m_lastReach;
    struct Column {
        int width, decimals;
        double value;
    };
    const Column columns[] = {
        {6, 2, r.levelTop}, {6, 2, r.levelBottom}, {6, 2, r.L},    {6, 1, 1 / r.J},
        {6, 2, r.J * 100},  {6, 0, r.DN},          {4, 1, r.kb},   {6, 0, r.Qv},
        {6, 2, r.vv},       {6, 0, r.Qt},          {6, 2, r.vt},   {6, 2, r.DrH},
        {6, 0, r.L / r.vt}, // flow time in s; none when nothing flows part-full
    };
    std::string row;
    for (const Column& c : columns) {
        if (!row.empty())
            row += ' ';
        row += FormatDeterminable(c.width, c.decimals, c.value);
    }
    return row + "\n";
}

bool CPipeFlow::AppendReportRow()
{
    if (!m_report || !m_lastReach)
        return false;
    std::fputs(ReportRow().c_str(), m_report.get());
    std::fflush(m_report.get());
    return true;
}

} // namespace dralun
