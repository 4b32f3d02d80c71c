#include "gui/pictures/PictureSheet.h"

#include <QPainter>
#include <QPainterPathStroker>
#include <algorithm>
#include <cmath>

namespace dralun::pic {

namespace {

// The box of a text line at a spot: the advance of the text wide, ascent
// plus descent high, centred on the spot's height.
QRectF TextBox(const QFontMetricsF& fm, const Spot& spot, const QString& text)
{
    const double w = fm.horizontalAdvance(text);
    double x = spot.at.x() - w / 2;
    if (spot.align & Qt::AlignLeft)
        x = spot.at.x();
    else if (spot.align & Qt::AlignRight)
        x = spot.at.x() - w;
    return QRectF(x, spot.at.y() - (fm.ascent() + fm.descent()) / 2, w, fm.ascent() + fm.descent());
}

// The step from line to line of a text column: a line's box is ascent plus
// descent high, which some fonts (Windows') round to more than their
// height, and the boxes of two lines must not touch.
double ColumnStep(const QFontMetricsF& fm) { return std::max(fm.height(), fm.ascent() + fm.descent()) + 0.5; }

} // namespace

SheetRecorder* SheetRecorder::s_current = nullptr;

SheetRecorder::SheetRecorder() : m_previous(s_current) { s_current = this; }

SheetRecorder::~SheetRecorder() { s_current = m_previous; }

Sheet::Sheet(QPainter& painter, const QRectF& area) : m_painter(painter), m_inner(Panel(painter, area))
{
    m_record.bounds = area.adjusted(1, 1, -1, -1);
}

Sheet::~Sheet()
{
    // The labels that go where they are free, now that every part is known.
    m_painter.save();
    for (const Pending& p : m_pending) {
        m_painter.setFont(p.font);
        m_painter.setPen(p.pen);
        PlaceNow(p.text, p.spots);
    }
    m_painter.restore();
    if (SheetRecorder::s_current)
        SheetRecorder::s_current->m_sheets.push_back(std::move(m_record));
}

double Sheet::Line() const { return QFontMetricsF(m_painter.font()).height(); }

void Sheet::Part(const QPainterPath& outline) { m_record.parts.push_back(outline); }

void Sheet::Part(const QPolygonF& outline)
{
    QPainterPath path;
    path.addPolygon(outline);
    path.closeSubpath();
    Part(path);
}

void Sheet::Part(const QRectF& rect)
{
    QPainterPath path;
    path.addRect(rect.normalized());
    Part(path);
}

void Sheet::PartLine(QPointF a, QPointF b) { PartPolyline(QPolygonF{a, b}); }

void Sheet::PartPolyline(const QPolygonF& line)
{
    QPainterPath path;
    path.addPolygon(line);
    QPainterPathStroker stroke;
    stroke.setWidth(1);
    Part(stroke.createStroke(path));
}

void Sheet::Fill(const QPainterPath& outline)
{
    m_painter.drawPath(outline);
    Part(outline);
}

void Sheet::Fill(const QPolygonF& outline)
{
    m_painter.drawPolygon(outline);
    Part(outline);
}

void Sheet::Fill(const QRectF& rect)
{
    m_painter.drawRect(rect);
    Part(rect);
}

void Sheet::Stroke(QPointF a, QPointF b) { Stroke(QPolygonF{a, b}); }

void Sheet::Stroke(const QPolygonF& line)
{
    m_painter.drawPolyline(line);
    PartPolyline(line);
}

void Sheet::Arrow(QPointF from, QPointF to)
{
    pic::Arrow(m_painter, from, to);
    PartLine(from, to);
}

void Sheet::LevelMark(QPointF at)
{
    const double s = Line() * 0.3;
    const QPolygonF triangle{at + QPointF(-s, -1.6 * s), at + QPointF(s, -1.6 * s), at};
    m_painter.save();
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawPolygon(triangle);
    m_painter.restore();
    Part(triangle);
}

QRectF Sheet::Box(const Spot& spot, const QString& text) const
{
    return TextBox(QFontMetricsF(m_painter.font()), spot, text);
}

bool Sheet::IsFree(const QRectF& box) const
{
    if (!m_record.bounds.contains(box))
        return false;
    // Texts side by side keep a gap, so that they do not read as one; lines
    // of text may stand right under each other. Parts keep a pixel clear.
    const double gap = Line() * 0.25;
    const QRectF spaced = box.adjusted(-gap, 0, gap, 0);
    for (const QRectF& other : m_record.boxes)
        if (spaced.intersects(other))
            return false;
    const QRectF clear = box.adjusted(-1, -1, 1, 1);
    for (const QPainterPath& part : m_record.parts)
        if (part.intersects(clear))
            return false;
    return true;
}

QRectF Sheet::Draw(const QRectF& box, const QString& text)
{
    if (text.isEmpty())
        return QRectF();
    m_painter.drawText(QPointF(box.left(), box.top() + QFontMetricsF(m_painter.font()).ascent()), text);
    m_record.boxes.push_back(box);
    m_record.texts << text;
    return box;
}

QRectF Sheet::Label(QPointF at, const QString& text, Qt::Alignment align)
{
    // A line laid out for one font may be too long in the system's: it is
    // set smaller until it fits the picture from where it stands.
    const QRectF& bounds = m_record.bounds;
    double room = 2 * std::min(at.x() - bounds.left(), bounds.right() - at.x());
    if (align & Qt::AlignLeft)
        room = bounds.right() - at.x();
    else if (align & Qt::AlignRight)
        room = at.x() - bounds.left();
    const QFont font = m_painter.font();
    QFont smaller = font;
    for (double size = font.pointSizeF(); size > font.pointSizeF() * 0.6 &&
                                          QFontMetricsF(smaller).horizontalAdvance(text) > room;)
        smaller.setPointSizeF(size *= 0.95);
    m_painter.setFont(smaller);
    const QRectF box = Draw(Box({at, align}, text), text);
    m_painter.setFont(font);
    return box;
}

QRectF Sheet::Text(QPointF baseline, const QString& text)
{
    const QFontMetricsF fm(m_painter.font());
    const double w = fm.horizontalAdvance(text);
    return Draw(QRectF(baseline.x(), baseline.y() - fm.ascent(), w, fm.ascent() + fm.descent()), text);
}

void Sheet::Place(const QString& text, const std::vector<Spot>& spots)
{
    if (!text.isEmpty())
        m_pending.push_back({text, spots, m_painter.font(), m_painter.pen()});
}

void Sheet::PlaceNow(const QString& text, const std::vector<Spot>& spots)
{
    for (const Spot& spot : spots) {
        const QRectF box = Box(spot, text);
        if (IsFree(box)) {
            Draw(box, text);
            return;
        }
    }
    // The spots were chosen for one font; with a wider or taller one (the
    // system's, Windows' interface font) none may be free. Then the label
    // moves away from its first spot step by step, half a line or a few
    // letters at a time, before it is given up.
    const QFontMetricsF fm(m_painter.font());
    const double dy = fm.height() / 2, dx = fm.averageCharWidth() * 2;
    for (int step = 1; step <= 6; ++step)
        for (const Spot& spot : spots)
            for (const QPointF shift : {QPointF(0, step * dy), QPointF(0, -step * dy), QPointF(-step * dx, 0),
                                        QPointF(step * dx, 0)}) {
                const QRectF box = Box(Spot{spot.at + shift, spot.align}, text);
                if (IsFree(box)) {
                    Draw(box, text);
                    return;
                }
            }
    m_record.dropped << text;
}

std::vector<Spot> Sheet::DimensionSpots(QPointF a, QPointF b, const QString& label, bool labelBefore) const
{
    const double line = Line();
    const double off = line * 0.3;
    const QPointF mid = (a + b) / 2;
    const QPointF ab = b - a;
    const double length = std::max(std::hypot(ab.x(), ab.y()), 1e-9);
    const QPointF along = ab / length; // from a to b
    std::vector<Spot> spots;
    bool shorter = false; // than its label: the label goes beyond an end first
    // Beside a sloping line the label keeps further off, clear of the line
    // along the whole height or width of its box.
    const double w = QFontMetricsF(m_painter.font()).horizontalAdvance(label);
    if (std::abs(ab.y()) > std::abs(ab.x())) {
        const double side = off + std::abs(ab.x() / ab.y()) * line / 2;
        const Spot right{mid + QPointF(side, 0), Qt::AlignLeft}, left{mid - QPointF(side, 0), Qt::AlignRight};
        // Beyond an end: centred on the line, or reaching out to the label's side.
        const QPointF beyond = along * (off + line / 2);
        const QPointF out(labelBefore ? off : -off, 0);
        const Qt::Alignment outward = labelBefore ? Qt::AlignRight : Qt::AlignLeft;
        const Spot outB{b + beyond + out, outward}, outA{a - beyond + out, outward};
        spots = {labelBefore ? left : right, {b + beyond}, {a - beyond}, outB, outA, labelBefore ? right : left};
        shorter = length < line;
    } else {
        const double side = (line / 2 + 2 + std::abs(ab.y() / ab.x()) * w / 2) * (labelBefore ? 1 : -1);
        const bool rightwards = ab.x() > 0;
        const QPointF left = rightwards ? a : b, right = rightwards ? b : a;
        const Spot pastB{b + QPointF(rightwards ? off : -off, 0), rightwards ? Qt::AlignLeft : Qt::AlignRight};
        const Spot pastA{a - QPointF(rightwards ? off : -off, 0), rightwards ? Qt::AlignRight : Qt::AlignLeft};
        // On its side also ending at the right end or starting at the left one.
        spots = {{mid + QPointF(0, side)},
                 pastB,
                 pastA,
                 {QPointF(right.x() - 2, mid.y() + side), Qt::AlignRight},
                 {QPointF(left.x() + 2, mid.y() + side), Qt::AlignLeft},
                 {mid - QPointF(0, side)}};
        shorter = length < w;
    }
    if (shorter)
        std::rotate(spots.begin(), spots.begin() + 1, spots.end() - 1);
    return spots;
}

void Sheet::Dimension(QPointF a, QPointF b, const QString& label, bool labelBefore)
{
    m_painter.save();
    m_painter.setPen(QPen(Ink(), 1));
    const QPointF mid = (a + b) / 2;
    pic::Arrow(m_painter, mid, a);
    pic::Arrow(m_painter, mid, b);
    PartLine(a, b);
    Place(label, DimensionSpots(a, b, label, labelBefore));
    m_painter.restore();
}

QRectF Sheet::TextColumn(const QRectF& area, const QStringList& lines)
{
    const QFontMetricsF fm(m_painter.font());
    const double pad = fm.height() * 0.5;
    QStringList fitting;
    double textWidth = 0;
    for (const QString& line : lines) {
        const double w = fm.horizontalAdvance(line);
        const bool fits = w <= area.width() - pad &&
                          (fitting.size() + 1) * ColumnStep(fm) <= area.height();
        fitting << (fits ? line : QString());
        if (fits)
            textWidth = std::max(textWidth, w);
        else if (!line.isEmpty())
            m_record.dropped << line;
    }
    const QRectF drawing = area.adjusted(0, 0, -textWidth - pad, 0);
    m_painter.save();
    m_painter.setPen(Ink());
    const double step = ColumnStep(fm);
    for (int i = 0; i < fitting.size(); ++i)
        Text(QPointF(drawing.right() + pad, area.top() + fm.ascent() + i * step), fitting[i]);
    m_painter.restore();
    return drawing;
}

} // namespace dralun::pic
