#include "core/CPipeFlow.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string_view>

#include "core/Constants.h"
#include "core/FileStamp.h"
#include "core/Format.h"
#include "core/NumberText.h"
#include "core/TableText.h"

namespace dralun {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

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

// Prandtl-Colebrook for the full circular pipe of inner diameter D (m) at
// the slope J (m/m) and the roughness kb (mm), evaluated in this order:
// v = -2 log10(2.51 nu / (D sqrt(2 g D J)) + kb / (3.71 D)) sqrt(2 g D J).
struct FullPipe {
    double s;  // sqrt(2 g D J), m/s
    double x;  // argument of the logarithm, -
    double vv; // full-flow velocity, m/s
    double Qv; // full-flow discharge, l/s
};

FullPipe FullPipeFlow(double D, double J, double kb)
{
    FullPipe f{};
    f.s = std::sqrt(2 * kG * D * J);
    f.x = kNu * 2.51 / D / f.s + kb * 0.001 / 3.71 / D;
    f.vv = -2.0 * std::log10(f.x) * f.s;
    f.Qv = kPi * f.vv * D * D * 0.25 * 1000;
    return f;
}

} // namespace

namespace {

// Text right-aligned in width characters, as printf pads it.
std::string Padded(int width, std::string_view text)
{
    std::string out;
    if (static_cast<int>(text.size()) < width)
        out.assign(static_cast<size_t>(width) - text.size(), ' ');
    out.append(text);
    return out;
}

// "%<width>d".
std::string IntegerText(int width, int value)
{
    char text[16];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value);
    return Padded(width, std::string_view(text, static_cast<size_t>(end - text)));
}

} // namespace

// A list value, or "-" in the same width where it cannot be determined.
std::string FormatDeterminable(int width, int decimals, double value)
{
    if (!std::isfinite(value))
        return Padded(width, "-");
    return FormatFixed(width, decimals, value);
}

CPipeFlow::CPipeFlow(bool withReport)
{
    // Appending: the lines earlier openings wrote stay; the header block of
    // this opening goes in front of its first row.
    if (withReport)
        m_report = CDataDirectory::Open("Rohr.txt", "a");
}

// ---- hydraulics ----------------------------------------------------------------

bool CPipeFlow::SlopeFromInput(CSteps& steps)
{
    switch (m_mode) {
    case kFromLevels:
        m_J = (m_levelTop - m_levelBottom) / m_L;
        if (steps.Recording()) {
            steps.Let("z_o", m_levelTop);
            steps.Let("z_u", m_levelBottom);
            steps.Let("L", m_L);
            if (std::isfinite(m_J))
                steps.Step("Gefälle aus den Schachtsohlen und der Länge", "J", "(z_o - z_u) / L", m_J, "m/m");
        }
        return true;
    case kPercent:
        m_J = m_slopePercent / 100;
        steps.Let("I", m_slopePercent);
        steps.Step("Gefälle aus der Angabe in %", "J", "I / 100", m_J, "m/m");
        return true;
    case kOneIn:
        m_J = 1 / m_slopeN;
        steps.Let("n", m_slopeN);
        if (std::isfinite(m_J))
            steps.Step("Gefälle aus der Neigung 1 : n", "J", "1 / n", m_J, "m/m");
        return true;
    default:
        return false;
    }
}

void CPipeFlow::FullFlow(CSteps& steps)
{
    const auto [s, x, vv, Qv] = FullPipeFlow(m_D, m_J, m_kb);
    m_vv = vv;
    m_Qv = Qv;
    if (!steps.Recording() || !std::isfinite(m_vv) || !std::isfinite(m_Qv))
        return;
    steps.Step("Wurzelglied √(2 · g · D · J)", "s", "sqrt(2 * g * D * J)", s, "m/s");
    steps.Step("Argument des Logarithmus nach Prandtl-Colebrook", "x", "nu * 2.51 / D / s + kb * 0.001 / 3.71 / D", x,
               "-");
    steps.Step("Fließgeschwindigkeit bei Vollfüllung nach Prandtl-Colebrook", "vv", "-2 * log10(x) * s", m_vv, "m/s");
    steps.Step("Leistungsfähigkeit bei Vollfüllung", "Qv", "3.141592654 * vv * D * D * 0.25 * 1000", m_Qv, "l/s");
}

bool CPipeFlow::ComputeReach(CSteps& steps)
{
    if (steps.Recording()) {
        steps.Let("Q", m_Q);
        steps.Let("kb", m_kb);
        steps.Let("DN", m_DN);
        steps.Let("g", kG);
        steps.Let("nu", kNu);
    }
    if (!SlopeFromInput(steps))
        return false;
    m_D = m_DN / 1000;
    steps.Step("Innendurchmesser", "D", "DN / 1000", m_D, "m");
    UseDiameterRow(steps);
    FullFlow(steps);
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
        steps.Taken("Abfluss bei Teilfüllung (überlastet: Q > Qv, keine Teilfüllung)", "Qt", m_Qt, "l/s");
        steps.Taken("Fließgeschwindigkeit bei Teilfüllung (überlastet)", "vt", m_vt, "m/s");
        steps.Taken("Fülltiefe (überlastet)", "DrH", m_DrH, "m");
    } else {
        if (m_Qt == m_Q)
            steps.Step("Abfluss bei Teilfüllung (Q ≤ Qv)", "Qt", "Q", m_Qt, "l/s");
        else
            steps.Taken("Abfluss bei Teilfüllung (vorgegeben)", "Qt", m_Qt, "l/s");
        PartFilling(steps);
    }
    m_lastReach = Reach{m_levelTop, m_levelBottom, m_L, m_J, m_DN, m_kb, m_Q, m_Qv, m_vv, m_Qt, m_vt, m_DrH};
    return true;
}

void CPipeFlow::PartFilling(CSteps& steps)
{
    if (m_Qt >= m_Qv) {
        m_vt = m_vv;
        m_DrH = 0;
        if (std::isfinite(m_vt)) {
            steps.Step("Fließgeschwindigkeit (Qt = Qv: Vollfüllung)", "vt", "vv", m_vt, "m/s");
            steps.Taken("Fülltiefe (bei Vollfüllung nicht ausgewiesen)", "DrH", m_DrH, "m");
        }
        return;
    }
    m_ratio = m_Qt / m_Qv;
    if (std::isfinite(m_ratio))
        steps.Step("Füllungsgrad", "QQv", "Qt / Qv", m_ratio, "-");
    if (m_ratio < 0.01) {
        m_vt = 0;
        m_DrH = 0;
        steps.Taken("Fließgeschwindigkeit bei Teilfüllung (Q/Qv < 0,01: unter der ersten Tabellenzeile)", "vt", m_vt,
                    "m/s");
        steps.Taken("Fülltiefe (Q/Qv < 0,01)", "DrH", m_DrH, "m");
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
    steps.Taken("Tabellenzeile unter dem Füllungsgrad (ganzzahliger Teil von 100 · Q/Qv)", "i", i, "-");
    const double span = i + 1 <= m_rowCount ? m_fillRatio[i + 1] - m_fillRatio[i] : 0.0;
    if (i + 1 <= m_rowCount)
        UseTableRows(i, steps);
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
    if (!steps.Recording())
        return;
    steps.Step("Anteil des Füllungsgrads zwischen den beiden Tabellenzeilen", "f", "(QQv - QQv_1) / dQQv", f, "-");
    steps.Step("Bezogene Fülltiefe h/D, linear interpoliert", "hD", "hD_1 + (hD_2 - hD_1) * f", hD, "-");
    steps.Step("Bezogene Geschwindigkeit v/vv, linear interpoliert", "vvv", "vvv_1 + (vvv_2 - vvv_1) * f", vvv, "-");
    steps.Step("Fließgeschwindigkeit bei Teilfüllung", "vt", "vvv * vv", m_vt, "m/s");
    steps.Step("Fülltiefe", "DrH", "hD * D", m_DrH, "m");
}

// ---- the tables in the report ------------------------------------------------------

namespace {

std::string LineOf(int line) { return line > 0 ? Format("Zeile %d: ", line) : std::string(); }

} // namespace

void CPipeFlow::UseDiameterRow(CSteps& steps) const
{
    if (!steps.Recording() || !m_diameterFile)
        return;
    steps.UseFile(*m_diameterFile);
    for (int k = 1; k <= m_diameterCount; ++k)
        if (m_diameters[k] == m_DN) {
            steps.UseRow(m_diameterFile->name, LineOf(m_diameterLine[k]) + Format("DN %d", m_diameters[k]));
            return;
        }
}

void CPipeFlow::UseTableRows(int i, CSteps& steps) const
{
    if (!steps.Recording())
        return;
    const std::string name = m_tableFile ? m_tableFile->name : "A110KR.ASC";
    if (m_tableFile)
        steps.UseFile(*m_tableFile);
    for (int k : {i, i + 1})
        steps.UseRow(name, LineOf(m_rowLine[k]) + Format("Tabellenzeile %d: Q/Qv = %.15g, v/vv = %.15g, h/D = %.15g", k,
                                                          m_fillRatio[k], m_velocityRatio[k], m_depthRatio[k]));
    const std::string row1 = Format(" der Tabellenzeile i = %d (%s)", i, name.c_str());
    const std::string row2 = Format(" der Tabellenzeile i + 1 = %d (%s)", i + 1, name.c_str());
    steps.Taken("Q/Qv" + row1, "QQv_1", m_fillRatio[i], "-");
    steps.Taken("Q/Qv" + row2, "QQv_2", m_fillRatio[i + 1], "-");
    steps.Taken("v/vv" + row1, "vvv_1", m_velocityRatio[i], "-");
    steps.Taken("v/vv" + row2, "vvv_2", m_velocityRatio[i + 1], "-");
    steps.Taken("h/D" + row1, "hD_1", m_depthRatio[i], "-");
    steps.Taken("h/D" + row2, "hD_2", m_depthRatio[i + 1], "-");
    steps.Step("Schrittweite Q/Qv der Tabelle", "dQQv", "QQv_2 - QQv_1", m_fillRatio[i + 1] - m_fillRatio[i], "-");
}

void CPipeFlow::FillDiameterList()
{
    SlopeFromInput();
    for (int i = 1; i <= m_diameterCount; ++i) {
        m_D = m_diameters[i] / 1000.0;
        FullFlow();
        m_dnText[i] = IntegerText(4, m_diameters[i]);
        m_vvText[i] = FormatDeterminable(5, 2, m_vv);
        m_QvText[i] = FormatDeterminable(7, 0, m_Qv);
    }
}

void CPipeFlow::BlankDiameterList()
{
    for (int i = 1; i <= m_diameterCount; ++i) {
        m_dnText[i] = IntegerText(4, m_diameters[i]);
        m_vvText[i] = FormatDeterminable(5, 2, kNaN);
        m_QvText[i] = FormatDeterminable(7, 0, kNaN);
    }
}

bool CPipeFlow::HasDiameter(double DN) const
{
    for (int i = 1; i <= m_diameterCount; ++i)
        if (m_diameters[i] == DN)
            return true;
    return false;
}

std::optional<CPipeFlow::SufficientDiameter> CPipeFlow::SmallestSufficientDiameter(double Q) const
{
    if (!(Q > 0) || !std::isfinite(m_J) || !(m_J > 0))
        return std::nullopt;
    // The diameters stand in the order of DN.ASC, which need not rise.
    std::optional<SufficientDiameter> found;
    for (int i = 1; i <= m_diameterCount; ++i) {
        const double Qv = FullPipeFlow(m_diameters[i] / 1000.0, m_J, m_kb).Qv;
        if (std::isfinite(Qv) && Qv >= Q && (!found || m_diameters[i] < m_diameters[found->entry]))
            found = SufficientDiameter{i, Qv};
    }
    return found;
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
        LineCounter lines;
        while (ReadTableLine(dn.get(), line, kTableLineBuffer)) {
            const int lineNumber = lines.Next(line);
            if (line[0] == ';' || line[0] == ':' || line[0] == '0')
                continue;
            const int diameter = ClassicAtoi(line);
            if (diameter < kSmallestDN || diameter > kLargestDN) {
                invalid = true; // reported, left out of the list
            } else if (m_diameterCount == kMaxDiameters) {
                tooMany = true;
            } else {
                m_diameters[++m_diameterCount] = diameter;
                m_diameterLine[m_diameterCount] = lineNumber;
            }
        }
        m_diameterFile = StampFile("DN.ASC", CDataDirectory::File("dn.asc"));
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
    LineCounter lines;
    while (ReadTableLine(table.get(), line, kTableLineBuffer)) {
        const int lineNumber = lines.Next(line);
        if (line[0] == ';' || m_rowCount == kMaxRows)
            continue;
        ++m_rowCount;
        m_rowLine[m_rowCount] = lineNumber;
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
    m_tableFile = StampFile("A110KR.ASC", CDataDirectory::File("a110kr.asc"));
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
    if (!m_headerWritten) {
        WriteReportHeader();
        m_headerWritten = true;
    }
    std::fputs(ReportRow().c_str(), m_report.get());
    std::fflush(m_report.get());
    return true;
}

} // namespace dralun
