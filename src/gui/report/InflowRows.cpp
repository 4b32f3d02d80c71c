#include "gui/report/InflowRows.h"

#include <algorithm>
#include <array>

#include "core/Format.h"
#include "core/NumberPresentation.h"
#include "gui/report/StepRows.h"
#include "report/InflowText.h"
#include "report/TextbookFormula.h"

namespace dralun {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// A number of the table as it was typed, a comma for the point where asked for.
std::string Typed(double value, bool comma)
{
    const std::string text = TypedText(FormatG15(value));
    return comma ? WithDecimalComma(text) : text;
}

} // namespace

void InflowRows(CRowMaker& m, const ReportFonts& f, const ReportInflow& in, bool comma)
{
    m.Row(HeadingRow(Q(kInflowHeading), m.Device(), m.Width()));

    // The areas: number, name, A, ψ; numbers right aligned.
    std::vector<std::array<QString, 4>> rows;
    for (std::size_t i = 0; i < in.areas.size(); ++i) {
        const InflowEntry& a = in.areas[i];
        QString area = Q(Typed(a.areaM2, comma));
        if (a.hectares)
            area = Q(Typed(a.areaM2 / 10000, comma)) + QStringLiteral(" ha = ") + area;
        rows.push_back({QString::number(i + 1), Q(InflowAreaName(in, i)), area, Q(Typed(a.psi, comma))});
    }
    const std::array<QString, 4> head{QStringLiteral("Nr."), QStringLiteral("Fläche"), QStringLiteral("A [m²]"),
                                      QStringLiteral("ψ [-]")};
    const double gap = m.P(12);
    std::array<double, 4> widths{};
    for (std::size_t k = 0; k < 4; ++k) {
        widths[k] = m.TextWidth(head[k], f.smallBold);
        for (const auto& row : rows)
            widths[k] = std::max(widths[k], m.TextWidth(row[k], f.text));
    }
    // The name takes what is left, at most half the width.
    widths[1] = std::min(widths[1], m.Width() / 2);
    std::array<double, 4> left{};
    for (std::size_t k = 1; k < 4; ++k)
        left[k] = left[k - 1] + widths[k - 1] + gap;
    auto row = [&](const std::array<QString, 4>& cells, const QFont& font, QColor colour, bool keep) {
        ReportRow& r = m.Begin(m.P(2), keep);
        for (std::size_t k = 0; k < 4; ++k)
            m.Text(cells[k], font, left[k], 0, widths[k], k == 1 ? Qt::AlignLeft : Qt::AlignRight, colour);
        m.End(m.P(2), true);
        return &r;
    };
    row(head, f.smallBold, kReportGrey, true);
    const int headRow = static_cast<int>(m.Count()) - 1;
    for (const auto& cells : rows)
        row(cells, f.text, kReportInk, false)->head = headRow;

    // The rain and where it came from.
    m.Begin(m.P(6), true);
    FormulaPieces rain{{"Regenspende ", Script::Normal}};
    for (const FormulaPiece& p : TextbookSymbol("r"))
        rain.push_back(p);
    rain.push_back({" = ", Script::Normal});
    for (const FormulaPiece& p : TextbookNumber(TypedText(FormatG15(in.rain.intensity)), comma))
        rain.push_back(p);
    rain.push_back({" ", Script::Normal});
    for (const FormulaPiece& p : TextbookUnit("l/(s·ha)"))
        rain.push_back(p);
    rain.push_back({", " + InflowRainSource(in.rain, comma), Script::Normal});
    double y = m.Text(Joined(rain), f.text, 0, 0, m.Width());
    if (!in.rain.sha256.empty())
        m.Text(QStringLiteral("SHA-256: ") + Q(in.rain.sha256), f.small, gap, y, m.Width() - gap);
    m.End(m.P(4), false);

    // The steps, with the numbers as the table has them.
    Report table;
    table.header.decimalComma = comma;
    table.steps = in.steps;
    table.inputs = InflowInputs(in);
    StepRows(m, f, table.steps, CPageNumbers(table));

    m.Begin(m.P(4));
    m.Text(Q(InflowTakenLine(in, comma)), f.bold, 0, 0, m.Width());
    m.End(m.P(2), false);
}

} // namespace dralun
