#include "gui/report/RatingRows.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <memory>
#include <numeric>

#include "core/NumberPresentation.h"
#include "core/NumberText.h"
#include "gui/rating/RatingChartPainter.h"
#include "report/ReportWriters.h"

namespace dralun {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

double TextWidth(const QString& text, const QFont& font, const QPaintDevice& device)
{
    return QFontMetricsF(font, &device).horizontalAdvance(text);
}

// The widest word of a text: a head may break between its words, not inside one.
double WidestWord(const QString& text, const QFont& font, const QPaintDevice& device)
{
    double widest = 0;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        widest = std::max(widest, TextWidth(word, font, device));
    return widest;
}

// A refusal on one line: the table row stays one line of the table.
QString OneLine(const std::string& text)
{
    return Q(text).replace(QRegularExpression(QStringLiteral("\\s*\\n\\s*")), QStringLiteral(" ")).trimmed();
}

const QColor kVerdictNotMet(170, 0, 0);

struct TableFonts {
    QFont head = ReportFont(8, true);
    QFont cell = ReportFont(9);
    QFont range = ReportFont(9.5);
};

// The left edge and width of each column: as wide as its widest cell and
// its head; where the whole table is wider than the page, the heads break
// between words first, then every column is narrowed alike.
struct TableColumns {
    std::vector<double> left, width;
    double gap = 0;
};

// The cells of a row as the page prints them: the input as typed, each
// number rounded for its unit, the verdict's utilisation and word; none
// for a refused row.
std::vector<QString> PrintedCells(const RatingTable& t, const RatingRow& r, bool comma)
{
    const auto number = [comma](const std::string& text) { return Q(comma ? WithDecimalComma(text) : text); };
    std::vector<QString> cells{number(TypedText(r.inputText))};
    if (!r.refused.empty())
        return cells;
    for (size_t k = 0; k < t.columns.size(); ++k) {
        const std::string text = k < r.texts.size() ? r.texts[k] : std::string();
        const std::optional<double> value = ParseFieldNumber(text);
        cells.push_back(value ? Q(RoundedText(*value, t.columns[k].unit, comma)) : Q(text));
    }
    if (t.verdict) {
        const bool decided = r.verdict.has_value();
        cells.push_back(decided && std::isfinite(r.verdict->utilisation)
                            ? Q(UtilisationText(r.verdict->utilisation, comma))
                            : QString());
        cells.push_back(decided ? QString::fromUtf8(VerdictWord(r.verdict->met)) : QString());
    }
    return cells;
}

TableColumns ColumnsOf(const std::vector<std::vector<QString>>& printed,
                       const std::vector<QString>& titles, const std::vector<QString>& units, const TableFonts& f,
                       const QPaintDevice& device, double width)
{
    TableColumns c;
    c.gap = Pt(device, 10);
    const size_t n = titles.size();
    std::vector<double> least(n), wanted(n);
    for (size_t k = 0; k < n; ++k) {
        double cells = std::max(TextWidth(units[k], f.head, device), WidestWord(titles[k], f.head, device));
        for (const std::vector<QString>& row : printed)
            if (k < row.size())
                cells = std::max(cells, TextWidth(row[k], f.cell, device));
        // No column narrower than 2.2 cm: a table of a few short columns is no strip.
        cells = std::max(cells, Mm(device, 22) - c.gap);
        // A little more than measured: a text set in exactly its width may break before its last letter.
        const double slack = Pt(device, 1);
        least[k] = cells + c.gap + slack;
        wanted[k] = std::max(least[k], TextWidth(titles[k], f.head, device) + c.gap + slack);
    }
    const double sumLeast = std::accumulate(least.begin(), least.end(), 0.0);
    const double sumWanted = std::accumulate(wanted.begin(), wanted.end(), 0.0);
    for (size_t k = 0; k < n; ++k) {
        double w = wanted[k];
        if (sumWanted > width && sumLeast <= width)
            w = least[k] + (wanted[k] - least[k]) * (width - sumLeast) / (sumWanted - sumLeast);
        else if (sumLeast > width)
            w = least[k] * width / sumLeast;
        c.left.push_back(k == 0 ? 0 : c.left[k - 1] + c.width[k - 1]);
        c.width.push_back(w);
    }
    return c;
}

void Place(ReportRow& row, const QString& text, const QFont& font, double x, double y, double w,
           Qt::Alignment align, const QColor& colour, const QPaintDevice& device)
{
    row.texts.push_back({QPointF(x, y), TextBlock(text, font, std::max(w, 1.0), device, align), colour});
    row.page.height = std::max(row.page.height, y + row.texts.back().block.Height());
}

ReportRow LineRow(const QString& text, const QFont& font, double width, const QPaintDevice& device, bool keep)
{
    ReportRow row;
    row.page.keepWithNext = keep;
    row.ruleColour = kReportRule;
    Place(row, text, font, 0, 0, width, Qt::AlignLeft, kReportInk, device);
    row.page.height += Pt(device, 4);
    return row;
}

ReportRow ChartRow(const RatingTable& table, const QPaintDevice& device, double width, double bodyHeight, bool comma)
{
    ReportRow row;
    row.page.spaceBefore = Pt(device, 2);
    const double height = RatingChartHeight(table, device, bodyHeight);
    row.page.height = height + Pt(device, 8);
    // The rows may outlive the report they were made from: the chart keeps its own table.
    auto shown = std::make_shared<const RatingTable>(table);
    row.paint = [shown, width, height, comma](QPainter& painter, const QRectF& rect) {
        painter.save();
        painter.setFont(ReportFont(8));
        painter.setPen(kReportInk);
        PaintRatingChart(painter, QRectF(rect.left(), rect.top(), width, height), *shown, std::nullopt, comma);
        painter.restore();
    };
    return row;
}

} // namespace

double RatingChartHeight(const RatingTable& table, const QPaintDevice& device, double bodyHeight)
{
    const int panels = std::max<int>(1, static_cast<int>(table.columns.size()));
    const double wanted = Mm(device, 90) + Mm(device, 30) * std::max(0, panels - 2);
    return std::min(wanted, bodyHeight - Pt(device, 60));
}

void AppendRatingRows(std::vector<ReportRow>& rows, const RatingTable& t, const QPaintDevice& device, double width,
                      double bodyHeight, bool decimalComma)
{
    const TableFonts f;
    rows.push_back(HeadingRow(QStringLiteral("Wertetabelle"), device, width));
    rows.push_back(LineRow(Q(RatingRangeText(t)), f.range, width, device, true));
    rows.push_back(ChartRow(t, device, width, bodyHeight, decimalComma));

    std::vector<QString> titles{Q(RatingColumnTitle(t.varied))}, units{Q(RatingUnitText(t.varied))};
    for (const RatingColumn& column : t.columns) {
        titles.push_back(Q(RatingColumnTitle(column)));
        units.push_back(Q(RatingUnitText(column)));
    }
    if (t.verdict) {
        const VerdictTerms& v = *t.verdict;
        const bool symbols = !v.demandSymbol.empty() && !v.limitSymbol.empty();
        titles.push_back(symbols ? Q("Ausnutzung " + ShownSymbol(v.demandSymbol) + "/" + ShownSymbol(v.limitSymbol)) : QStringLiteral("Ausnutzung"));
        units.push_back(QStringLiteral("[%]"));
        titles.push_back(QStringLiteral("Nachweis"));
        units.push_back(symbols ? Q(ShownSymbol(v.demandSymbol) + " " + CheckSign(v) + " " + ShownSymbol(v.limitSymbol)) : QString());
    }
    std::vector<std::vector<QString>> printed;
    printed.reserve(t.rows.size());
    for (const RatingRow& r : t.rows)
        printed.push_back(PrintedCells(t, r, decimalComma));
    const TableColumns c = ColumnsOf(printed, titles, units, f, device, width);
    const double tableWidth = c.left.back() + c.width.back();
    const double pad = Pt(device, 1.5);

    // The head: the titles right aligned over the numbers, the units on one line under them all.
    ReportRow head;
    head.page.spaceBefore = Pt(device, 6);
    head.page.keepWithNext = true;
    head.ruleColour = kReportGrey;
    for (size_t k = 0; k < titles.size(); ++k)
        Place(head, titles[k], f.head, c.left[k] + c.gap, 0, c.width[k] - c.gap, Qt::AlignRight, kReportGrey, device);
    const double unitTop = head.page.height;
    for (size_t k = 0; k < units.size(); ++k)
        Place(head, units[k], f.head, c.left[k] + c.gap, unitTop, c.width[k] - c.gap, Qt::AlignRight, kReportGrey,
              device);
    head.page.height += pad;
    head.rules.push_back(QLineF(0, head.page.height, tableWidth, head.page.height));
    const int headIndex = static_cast<int>(rows.size());
    rows.push_back(std::move(head));

    for (size_t i = 0; i < t.rows.size(); ++i) {
        const RatingRow& r = t.rows[i];
        const std::vector<QString>& cells = printed[i];
        ReportRow row;
        row.head = headIndex;
        row.ruleColour = kReportRule;
        Place(row, cells[0], f.cell, c.left[0] + c.gap, pad, c.width[0] - c.gap, Qt::AlignRight, kReportInk,
              device);
        if (!r.refused.empty()) {
            const double x = c.left.size() > 1 ? c.left[1] + c.gap : c.left[0] + c.width[0] + c.gap;
            // The reason may run on past the table's columns, to the right margin.
            Place(row, QStringLiteral("nicht berechnet: ") + OneLine(r.refused), f.cell, x, pad, width - x,
                  Qt::AlignLeft, kReportInk, device);
        } else {
            // The verdict in words; a check not met also in red.
            const size_t word = t.verdict ? titles.size() - 1 : titles.size();
            for (size_t k = 1; k < titles.size() && k < cells.size(); ++k)
                Place(row, cells[k], f.cell, c.left[k] + c.gap, pad, c.width[k] - c.gap,
                      k == word ? Qt::AlignLeft : Qt::AlignRight,
                      k == word && r.verdict && !r.verdict->met ? kVerdictNotMet : kReportInk, device);
            // Why the row's empty cells are empty, after the last column.
            const double x = c.left.back() + c.width.back() + 2 * c.gap;
            if (!r.partly.empty() && width - x > 0)
                Place(row, OneLine(r.partly), f.cell, x, pad, width - x, Qt::AlignLeft, kReportInk, device);
        }
        row.page.height += pad;
        row.rules.push_back(QLineF(0, row.page.height, tableWidth, row.page.height));
        rows.push_back(std::move(row));
    }
    if (t.rows.empty())
        rows.push_back(LineRow(QStringLiteral("Keine Zeilen."), f.cell, width, device, false));
}

} // namespace dralun
