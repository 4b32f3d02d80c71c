#include "gui/rating/RatingChartPainter.h"

#include "gui/rating/ColumnSqueeze.h"
#include "gui/rating/RatingTableModel.h"

#include "core/Format.h"
#include "core/NumberPresentation.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <vector>

namespace dralun {
namespace {

// An axis: the shown range and the distance of its ticks (1, 2 or 5 times
// a power of ten).
struct Axis {
    double lo = 0;
    double hi = 1;
    double step = 0.2;
};

double NiceStep(double rough) {
    const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
    const double mantissa = rough / magnitude;
    const double nice = mantissa <= 1 ? 1 : mantissa <= 2 ? 2 : mantissa <= 5 ? 5 : 10;
    return nice * magnitude;
}

// The range of the values widened to whole ticks, about "ticks" of them.
// Equal values get a range around them; halves keep huge ranges finite.
Axis NiceAxis(double lo, double hi, int ticks) {
    if (!std::isfinite(lo) || !std::isfinite(hi))
        return {};
    if (lo > hi)
        std::swap(lo, hi);
    if (hi / 2 - lo / 2 <= std::abs(hi) * 1e-12) {
        const double spread = lo == 0 ? 1 : std::abs(lo) * 0.1;
        lo -= spread;
        hi += spread;
    }
    const double rough = (hi / 2 - lo / 2) * 2 / std::max(ticks, 1);
    Axis axis;
    axis.step = std::isfinite(rough) && rough > 0 ? NiceStep(rough) : (hi / 2 - lo / 2) / 2;
    axis.lo = std::floor(lo / axis.step) * axis.step;
    axis.hi = std::ceil(hi / axis.step) * axis.step;
    if (!std::isfinite(axis.lo) || !std::isfinite(axis.hi) || !(axis.hi > axis.lo)) {
        axis.lo = lo;
        axis.hi = hi;
        axis.step = (hi / 2 - lo / 2) / 2;
    }
    return axis;
}

// The values of an axis, at most a few dozen whatever rounding does.
std::vector<double> Ticks(const Axis& axis) {
    std::vector<double> ticks;
    if (!(axis.step > 0))
        return ticks;
    const double first = std::ceil(axis.lo / axis.step - 1e-9);
    for (int k = 0; k < 40; ++k) {
        const double value = (first + k) * axis.step;
        if (value > axis.hi + axis.step * 1e-9)
            break;
        ticks.push_back(std::abs(value) < axis.step * 1e-9 ? 0.0 : value);
    }
    return ticks;
}

QString TickText(double value, double step, bool comma) {
    const double largest = std::abs(value);
    const int decimals = step >= 1 ? 0 : static_cast<int>(-std::floor(std::log10(step) + 1e-9));
    QString text = largest >= 1e9 || decimals > 6 ? QString::number(value, 'g', 6) : QString::number(value, 'f', decimals);
    return comma ? text.replace(QLatin1Char('.'), QLatin1Char(',')) : text;
}

QString AxisTitle(const RatingColumn& column) { return RatingColumnTitle(column); }

bool Usable(const RatingRow& row, size_t column) {
    return row.refused.empty() && column < row.values.size() && std::isfinite(row.values[column]);
}

// What a panel draws besides its curve, where the form states a verdict:
// the curve of the limit's quantity gets the demand, the curve of the
// demand's quantity the limit, so that the crossing shows where the design
// stops carrying.
enum class Reference { None, Demand, Limit };

// A symbol as names spell it: "Q_v", "Q v" and "Qv" are one.
std::string Spelled(const std::string& symbol)
{
    std::string out;
    for (char c : symbol)
        if (c != '_' && c != ' ')
            out += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return out;
}

Reference ReferenceOf(const RatingTable& table, size_t column)
{
    if (!table.verdict || column >= table.columns.size())
        return Reference::None;
    const RatingColumn& c = table.columns[column];
    const VerdictTerms& terms = *table.verdict;
    if (c.unit != terms.unit || Spelled(terms.demandSymbol) == Spelled(terms.limitSymbol))
        return Reference::None;
    if (!terms.limitSymbol.empty() && Spelled(c.name) == Spelled(terms.limitSymbol))
        return Reference::Demand;
    if (!terms.demandSymbol.empty() && Spelled(c.name) == Spelled(terms.demandSymbol))
        return Reference::Limit;
    return Reference::None;
}

double ReferenceValue(const RatingRow& row, Reference reference)
{
    if (reference == Reference::None || !row.refused.empty() || !row.verdict)
        return NAN;
    return reference == Reference::Demand ? row.verdict->demand : row.verdict->limit;
}

// The one value of the reference over all rows that have it, or NaN where
// it changes from row to row (or no row has it).
double ConstantReference(const RatingTable& table, Reference reference)
{
    double lo = INFINITY, hi = -INFINITY;
    for (const RatingRow& row : table.rows) {
        const double value = ReferenceValue(row, reference);
        if (std::isfinite(value)) {
            lo = std::min(lo, value);
            hi = std::max(hi, value);
        }
    }
    if (!(lo <= hi) || hi - lo > 1e-9 * std::max(std::abs(lo), std::abs(hi)))
        return NAN;
    return hi;
}

struct Layout {
    double line = 1;  // the height of a line of text
    double pad = 1;   // a small distance: the width of a character
    Axis x;
    std::vector<Axis> y;         // one per panel
    std::vector<QRectF> panels;  // the plots, top to bottom
    QRectF Bottom() const { return panels.back(); }
};

Axis InputAxis(const RatingTable& table, int ticks) {
    double lo = INFINITY, hi = -INFINITY;
    for (const RatingRow& row : table.rows) {
        if (std::isfinite(row.input)) {
            lo = std::min(lo, row.input);
            hi = std::max(hi, row.input);
        }
    }
    if (!(lo <= hi) && std::isfinite(table.request.from) && std::isfinite(table.request.to)) {
        lo = std::min(table.request.from, table.request.to);
        hi = std::max(table.request.from, table.request.to);
    }
    if (!(lo <= hi)) {
        lo = 0;
        hi = 1;
    }
    return NiceAxis(lo, hi, ticks);
}

Axis ValueAxis(const RatingTable& table, size_t column, int ticks) {
    double lo = INFINITY, hi = -INFINITY;
    const Reference reference = ReferenceOf(table, column);
    for (const RatingRow& row : table.rows) {
        if (Usable(row, column)) {
            lo = std::min(lo, row.values[column]);
            hi = std::max(hi, row.values[column]);
        }
        // The line the curve is read against stays on the panel.
        if (const double value = ReferenceValue(row, reference); std::isfinite(value)) {
            lo = std::min(lo, value);
            hi = std::max(hi, value);
        }
    }
    return lo <= hi ? NiceAxis(lo, hi, ticks) : Axis{};
}

double WidestTick(const QFontMetricsF& fm, const Axis& axis) {
    double widest = 0;
    for (double tick : Ticks(axis))
        widest = std::max(widest, fm.horizontalAdvance(TickText(tick, axis.step, false)));
    return widest;
}

Layout LayOut(const QFontMetricsF& fm, const QRectF& area, const RatingTable& table) {
    Layout layout;
    layout.line = fm.height();
    layout.pad = std::max(fm.averageCharWidth(), 1.0);
    const int count = std::max<int>(1, static_cast<int>(table.columns.size()));
    const double titles = layout.line * 1.3; // a panel's title above it
    const double bottom = layout.line * 2.6; // tick values and the axis title
    const double height =
        std::max(layout.line, (area.height() - bottom - layout.pad - count * titles) / count);
    const int yTicks = std::clamp(static_cast<int>(height / (layout.line * 2.2)), 2, 8);
    double left = 0;
    for (int c = 0; c < count; ++c) {
        layout.y.push_back(ValueAxis(table, static_cast<size_t>(c), yTicks));
        left = std::max(left, WidestTick(fm, layout.y.back()));
    }
    left += layout.pad * 2;
    const double right = layout.pad * 3;
    const double width = std::max(layout.pad, area.width() - left - right);
    const double labelWidth = fm.horizontalAdvance(QStringLiteral("-0000.00")) * 1.8;
    layout.x = InputAxis(table, std::clamp(static_cast<int>(width / labelWidth), 2, 10));
    double top = area.top() + layout.pad * 0.5;
    for (int c = 0; c < count; ++c) {
        top += titles;
        layout.panels.emplace_back(area.left() + left, top, width, height);
        top += height;
    }
    return layout;
}

double MapX(const Layout& layout, double x) {
    const QRectF& plot = layout.Bottom();
    return plot.left() + (x - layout.x.lo) / (layout.x.hi - layout.x.lo) * plot.width();
}

double MapY(const QRectF& plot, const Axis& axis, double y) {
    return plot.bottom() - (y - axis.lo) / (axis.hi - axis.lo) * plot.height();
}

const QColor kLineColors[] = {QColor(0, 70, 160), QColor(170, 30, 30), QColor(0, 120, 60), QColor(140, 70, 0),
                              QColor(110, 40, 140)};

void PaintPanel(QPainter& painter, const Layout& layout, const RatingTable& table, size_t c, const QFontMetricsF& fm,
                bool comma, double legendWidth) {
    const QRectF& plot = layout.panels[c];
    const Axis& axis = layout.y[c];
    const double thin = layout.line / 20;
    painter.setPen(QPen(QColor(215, 215, 215), thin));
    for (double tick : Ticks(axis)) {
        const double y = MapY(plot, axis, tick);
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    }
    for (double tick : Ticks(layout.x)) {
        const double x = MapX(layout, tick);
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    }
    painter.setPen(QPen(Qt::black, thin));
    painter.drawRect(plot);
    for (double tick : Ticks(axis)) {
        const double y = MapY(plot, axis, tick);
        const double w = fm.horizontalAdvance(TickText(tick, axis.step, comma)) + layout.pad;
        const QRectF box(plot.left() - layout.pad - w, y - layout.line / 2, w, layout.line);
        painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter, TickText(tick, axis.step, comma));
    }
    if (c < table.columns.size()) {
        const QRectF title(plot.left(), plot.top() - layout.line * 1.2, plot.width(), layout.line);
        painter.drawText(title, Qt::AlignLeft | Qt::AlignVCenter,
                         fm.elidedText(AxisTitle(table.columns[c]), Qt::ElideRight, plot.width() - legendWidth));
    }
    // The values, the line broken where a row has none.
    painter.save();
    painter.setClipRect(plot.adjusted(-thin, -thin, thin, thin));
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QColor color = kLineColors[c % std::size(kLineColors)];
    painter.setPen(QPen(color, std::max(layout.line / 12, 1.0), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    // Ten thousand rows are far more than the plot has pixel columns: of the
    // points that fall into one column only the first, the lowest, the
    // highest and the last are drawn, which gives the same line.
    QPolygonF run;
    run.reserve(static_cast<int>(std::min<size_t>(table.rows.size(), 4 * static_cast<size_t>(plot.width() + 2))));
    const auto flush = [&] {
        if (run.size() == 1)
            painter.drawPoint(run.front());
        else if (run.size() > 1)
            painter.drawPolyline(run);
        run.clear();
    };
    ColumnSqueeze squeeze(run);
    for (const RatingRow& row : table.rows) {
        if (Usable(row, c) && std::isfinite(row.input)) {
            squeeze.Add(QPointF(MapX(layout, row.input), MapY(plot, axis, row.values[c])));
        } else {
            squeeze.Finish();
            flush();
        }
    }
    squeeze.Finish();
    flush();
    painter.restore();
}

void PaintInputAxis(QPainter& painter, const Layout& layout, const RatingTable& table, const QFontMetricsF& fm,
                    bool comma) {
    const QRectF& plot = layout.Bottom();
    painter.setPen(QPen(Qt::black, layout.line / 20));
    for (double tick : Ticks(layout.x)) {
        const double x = MapX(layout, tick);
        const QString text = TickText(tick, layout.x.step, comma);
        const double w = fm.horizontalAdvance(text) + layout.pad;
        painter.drawText(QRectF(x - w / 2, plot.bottom() + layout.line * 0.2, w, layout.line), Qt::AlignCenter, text);
    }
    const QRectF title(plot.left(), plot.bottom() + layout.line * 1.4, plot.width(), layout.line);
    painter.drawText(title, Qt::AlignHCenter | Qt::AlignVCenter,
                     fm.elidedText(AxisTitle(table.varied), Qt::ElideRight, plot.width()));
}

void PaintVertical(QPainter& painter, const Layout& layout, double x, const QPen& pen) {
    painter.setPen(pen);
    for (const QRectF& plot : layout.panels)
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
}

// A text on a light box beside the line at x, on its left where the right
// has no room.
void PaintNote(QPainter& painter, const Layout& layout, const QRectF& plot, double x, double y, const QString& text,
               const QFontMetricsF& fm) {
    const double w = std::min(fm.horizontalAdvance(text) + layout.pad, plot.width());
    double left = x + layout.pad * 0.5;
    if (left + w > plot.right())
        left = std::max(plot.left(), x - layout.pad * 0.5 - w);
    const QRectF box(left, y, w, layout.line);
    painter.fillRect(box, QColor(255, 255, 235));
    painter.setPen(QPen(QColor(150, 150, 150), layout.line / 20));
    painter.drawRect(box);
    painter.setPen(QPen(Qt::black, layout.line / 20));
    painter.drawText(box, Qt::AlignCenter, fm.elidedText(text, Qt::ElideRight, w));
}

void PaintHover(QPainter& painter, const Layout& layout, const RatingTable& table, int index,
                const QFontMetricsF& fm) {
    const RatingRow& row = table.rows[static_cast<size_t>(index)];
    if (!std::isfinite(row.input))
        return;
    const double x = MapX(layout, row.input);
    PaintVertical(painter, layout, x, QPen(QColor(90, 90, 90), layout.line / 16));
    for (size_t c = 0; c < layout.panels.size(); ++c) {
        const QRectF& plot = layout.panels[c];
        QString text;
        if (!row.refused.empty())
            text = c == 0 ? QString::fromStdString(row.refused) : QString();
        else if (c < row.texts.size() && row.texts[c].empty() && !row.partly.empty())
            text = QString::fromStdString(row.partly).simplified(); // this result was left out
        else if (c < table.columns.size() && c < row.texts.size())
            text = QString::fromStdString(row.texts[c] + (table.columns[c].unit.empty() ? "" : " " + table.columns[c].unit));
        if (!text.isEmpty())
            PaintNote(painter, layout, plot, x, plot.top() + layout.line * 0.2, text, fm);
    }
    const QRectF& plot = layout.Bottom();
    QString input = QString::fromStdString(row.inputText.empty() ? std::to_string(row.input) : row.inputText).trimmed();
    if (!table.varied.unit.empty() && table.varied.unit != "-")
        input += QLatin1Char(' ') + QString::fromStdString(table.varied.unit);
    PaintNote(painter, layout, plot, x, plot.bottom() - layout.line * 1.2, input, fm);
}

const QColor kFailedBand(255, 228, 228);
const QColor kReferenceColor(180, 0, 0);
const QColor kCurrentColor(200, 90, 0);

bool Fails(const RatingRow& row) { return row.refused.empty() && row.verdict && !row.verdict->met && std::isfinite(row.input); }

// Behind the curves, the inputs at which the check is not met: each such
// row from halfway to its neighbours. Whether anything was painted.
bool PaintFailedBands(QPainter& painter, const Layout& layout, const RatingTable& table) {
    const std::vector<RatingRow>& rows = table.rows;
    // Between row i and its neighbour i + step: where the utilisation reaches
    // 100 % on the straight line between the two rows, where the neighbour
    // is met; else halfway; at row i where it has no neighbour.
    const auto edge = [&](size_t i, int step) {
        const bool has = (step < 0 ? i > 0 : i + 1 < rows.size()) && std::isfinite(rows[i + step].input);
        if (!has)
            return MapX(layout, rows[i].input);
        const RatingRow& a = rows[i];
        const RatingRow& b = rows[i + step];
        double t = 0.5;
        if (b.refused.empty() && b.verdict && b.verdict->met && std::isfinite(a.verdict->utilisation) &&
            std::isfinite(b.verdict->utilisation) && a.verdict->utilisation != b.verdict->utilisation)
            t = std::clamp((a.verdict->utilisation - 100) / (a.verdict->utilisation - b.verdict->utilisation), 0.0, 1.0);
        return MapX(layout, a.input + t * (b.input - a.input));
    };
    std::vector<std::pair<double, double>> bands;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (!Fails(rows[i]))
            continue;
        double a = edge(i, -1), b = edge(i, 1);
        if (a > b)
            std::swap(a, b);
        if (!bands.empty() && a <= bands.back().second + 0.5)
            bands.back().second = std::max(bands.back().second, b);
        else
            bands.emplace_back(a, b);
    }
    // A single row at the end of the table still shows.
    const double least = layout.pad * 0.5;
    for (const QRectF& plot : layout.panels) {
        for (auto [a, b] : bands) {
            a = std::clamp(a, plot.left(), plot.right());
            b = std::clamp(std::max(b, a + least), plot.left(), plot.right());
            painter.fillRect(QRectF(a, plot.top(), b - a, plot.height()), kFailedBand);
        }
    }
    return !bands.empty();
}

// "■ nicht erfüllt" at the right of the top panel's title line; its width.
double LegendWidth(const QFontMetricsF& fm, const Layout& layout) {
    return layout.line + fm.horizontalAdvance(QString::fromUtf8(VerdictWord(false))) + layout.pad * 2;
}

void PaintLegend(QPainter& painter, const Layout& layout, const QFontMetricsF& fm) {
    const QRectF& plot = layout.panels.front();
    const QString word = QString::fromUtf8(VerdictWord(false));
    const double y = plot.top() - layout.line * 1.2;
    const double textWidth = fm.horizontalAdvance(word) + layout.pad * 0.5;
    const QRectF text(plot.right() - textWidth, y, textWidth, layout.line);
    const double box = layout.line * 0.7;
    const QRectF square(text.left() - layout.pad * 0.5 - box, y + (layout.line - box) / 2, box, box);
    painter.fillRect(square, kFailedBand);
    painter.setPen(QPen(kReferenceColor, layout.line / 20));
    painter.drawRect(square);
    painter.setPen(kReferenceColor);
    painter.drawText(text, Qt::AlignRight | Qt::AlignVCenter, word);
}

// On the curve of the demand's or the limit's quantity, the other one: a
// horizontal line with its symbol and value where it is the same in every
// row, else its curve with its symbol.
void PaintReference(QPainter& painter, const Layout& layout, const RatingTable& table, size_t c,
                    const QFontMetricsF& fm, bool comma) {
    const Reference reference = ReferenceOf(table, c);
    if (reference == Reference::None)
        return;
    const VerdictTerms& terms = *table.verdict;
    const QString symbol = QString::fromStdString(reference == Reference::Demand ? terms.demandSymbol : terms.limitSymbol);
    const QRectF& plot = layout.panels[c];
    const Axis& axis = layout.y[c];
    painter.save();
    painter.setClipRect(plot);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(kReferenceColor, std::max(layout.line / 12, 1.0), Qt::DashLine, Qt::FlatCap));
    QPointF labelAt;
    QString label;
    if (const double value = ConstantReference(table, reference); std::isfinite(value)) {
        const double y = MapY(plot, axis, value);
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        label = symbol + QStringLiteral(" = ") + QString::fromStdString(RoundedText(value, terms.unit, comma));
        if (!terms.unit.empty())
            label += QLatin1Char(' ') + QString::fromStdString(terms.unit);
        labelAt = QPointF(plot.right(), y);
    } else {
        QPolygonF run;
        const auto flush = [&] {
            if (run.size() > 1)
                painter.drawPolyline(run);
            run.clear();
        };
        for (const RatingRow& row : table.rows) {
            const double value = ReferenceValue(row, reference);
            if (std::isfinite(value) && std::isfinite(row.input)) {
                run.append(QPointF(MapX(layout, row.input), MapY(plot, axis, value)));
                labelAt = run.back();
            } else {
                flush();
            }
        }
        flush();
        label = symbol;
    }
    painter.restore();
    if (label.isEmpty() || labelAt.isNull())
        return;
    // Above the line at its right end, below it where the top has no room.
    const double w = fm.horizontalAdvance(label) + layout.pad;
    const double x = std::clamp(labelAt.x() - w, plot.left(), std::max(plot.left(), plot.right() - w));
    const double above = labelAt.y() - layout.line * 1.05;
    const QRectF box(x, above >= plot.top() ? above : labelAt.y() + layout.line * 0.05, w, layout.line);
    painter.fillRect(box, QColor(255, 255, 255, 200));
    painter.setPen(kReferenceColor);
    painter.drawText(box, Qt::AlignCenter, label);
}

// The form's current value of the input: a dashed line through every
// panel, a dot where it meets each curve, and its value under the top title.
void PaintCurrent(QPainter& painter, const Layout& layout, const RatingTable& table, const QFontMetricsF& fm,
                  bool comma) {
    const double current = table.current;
    if (!std::isfinite(current) || current < layout.x.lo || current > layout.x.hi)
        return;
    const double x = MapX(layout, current);
    PaintVertical(painter, layout, x, QPen(kCurrentColor, layout.line / 12, Qt::DashLine));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kCurrentColor);
    const double r = layout.line * 0.18;
    for (size_t c = 0; c < layout.panels.size(); ++c) {
        // Between the two rows around the value, where both have it.
        for (size_t i = 0; i + 1 < table.rows.size(); ++i) {
            const RatingRow& a = table.rows[i];
            const RatingRow& b = table.rows[i + 1];
            if (!Usable(a, c) || !Usable(b, c) || !(std::min(a.input, b.input) <= current) ||
                !(current <= std::max(a.input, b.input)))
                continue;
            const double t = a.input == b.input ? 0 : (current - a.input) / (b.input - a.input);
            const double y = a.values[c] + t * (b.values[c] - a.values[c]);
            painter.drawEllipse(QPointF(x, MapY(layout.panels[c], layout.y[c], y)), r, r);
            break;
        }
    }
    painter.restore();
    // The value as the form shows it typed, not rounded: it is an input.
    const std::string typed = TypedText(FormatG15(current));
    const std::string value = comma ? WithDecimalComma(typed) : typed;
    QString text = QStringLiteral("aktuell ") + QString::fromStdString(table.varied.name + " = " + value);
    if (!table.varied.unit.empty() && table.varied.unit != "-")
        text += QLatin1Char(' ') + QString::fromStdString(table.varied.unit);
    const QRectF& plot = layout.panels.front();
    PaintNote(painter, layout, plot, x, plot.top() + layout.line * 0.2, text, fm);
}

} // namespace

void PaintRatingChart(QPainter& painter, const QRectF& area, const RatingTable& table, std::optional<int> hoverRow,
                      bool decimalComma) {
    if (!(area.width() > 0) || !(area.height() > 0))
        return;
    painter.save();
    const QFontMetricsF fm(painter.font(), painter.device());
    const Layout layout = LayOut(fm, area, table);
    const bool failed = PaintFailedBands(painter, layout, table);
    for (size_t c = 0; c < layout.panels.size(); ++c) {
        PaintPanel(painter, layout, table, c, fm, decimalComma, c == 0 && failed ? LegendWidth(fm, layout) : 0);
        PaintReference(painter, layout, table, c, fm, decimalComma);
    }
    if (failed)
        PaintLegend(painter, layout, fm);
    PaintInputAxis(painter, layout, table, fm, decimalComma);
    PaintCurrent(painter, layout, table, fm, decimalComma);
    if (hoverRow && *hoverRow >= 0 && *hoverRow < static_cast<int>(table.rows.size()))
        PaintHover(painter, layout, table, *hoverRow, fm);
    painter.restore();
}

std::optional<int> RatingChartRowAt(const QRectF& area, const RatingTable& table, double x) {
    if (table.rows.empty() || !(area.width() > 0) || !(area.height() > 0))
        return std::nullopt;
    const QFontMetricsF fm(QGuiApplication::font());
    const Layout layout = LayOut(fm, area, table);
    const QRectF& plot = layout.Bottom();
    if (x < plot.left() || x > plot.right())
        return std::nullopt;
    std::optional<int> nearest;
    double best = INFINITY;
    for (size_t i = 0; i < table.rows.size(); ++i) {
        if (!std::isfinite(table.rows[i].input))
            continue;
        const double distance = std::abs(MapX(layout, table.rows[i].input) - x);
        if (distance < best) {
            best = distance;
            nearest = static_cast<int>(i);
        }
    }
    return nearest;
}

} // namespace dralun
