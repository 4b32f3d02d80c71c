#include "gui/pictures/PictureKit.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <algorithm>
#include <cmath>

#include "core/Format.h"

namespace dralun::pic {

WorldMap::WorldMap(const QRectF& world, const QRectF& area) : m_world(world)
{
    const double sx = area.width() / std::max(world.width(), 1e-9);
    const double sy = area.height() / std::max(world.height(), 1e-9);
    m_scale = std::min(sx, sy);
    const double w = world.width() * m_scale;
    const double h = world.height() * m_scale;
    m_origin = QPointF(area.left() + (area.width() - w) / 2, area.top() + (area.height() - h) / 2 + h);
}

QPointF WorldMap::operator()(double x, double y) const
{
    return QPointF(m_origin.x() + (x - m_world.left()) * m_scale, m_origin.y() - (y - m_world.top()) * m_scale);
}

QRectF Panel(QPainter& painter, const QRectF& area)
{
    painter.save();
    painter.setPen(QPen(QColor(120, 120, 120), 1));
    painter.setBrush(Qt::white);
    painter.drawRect(area.adjusted(0.5, 0.5, -0.5, -0.5));
    painter.restore();
    const double margin = painter.fontMetrics().height() * 0.8;
    return area.adjusted(margin, margin, -margin, -margin);
}

QString Num(double value, int decimals)
{
    if (!std::isfinite(value))
        return QStringLiteral("-");
    if (std::fabs(value) >= 1e6)
        return QString::fromStdString(Format("%.4g", value));
    return QString::fromStdString(Format("%.*f", decimals, value));
}

void Arrow(QPainter& painter, QPointF from, QPointF to)
{
    painter.drawLine(from, to);
    const double size = painter.fontMetrics().height() * 0.35;
    const double angle = std::atan2(to.y() - from.y(), to.x() - from.x());
    QPolygonF head;
    head << to << to - QPointF(size * std::cos(angle - 0.4), size * std::sin(angle - 0.4))
         << to - QPointF(size * std::cos(angle + 0.4), size * std::sin(angle + 0.4));
    painter.save();
    painter.setBrush(painter.pen().color());
    painter.drawPolygon(head);
    painter.restore();
}

void Dimension(QPainter& painter, QPointF a, QPointF b, const QString& label, bool labelBefore)
{
    painter.save();
    painter.setPen(QPen(Ink(), 1));
    const QPointF mid = (a + b) / 2;
    Arrow(painter, mid, a);
    Arrow(painter, mid, b);
    const QFontMetricsF fm(painter.font());
    const bool vertical = std::abs(b.y() - a.y()) > std::abs(b.x() - a.x());
    const double w = fm.horizontalAdvance(label);
    if (vertical && !labelBefore)
        painter.drawText(QPointF(mid.x() + fm.height() * 0.3, mid.y() + fm.ascent() / 2), label);
    else if (vertical)
        painter.drawText(QPointF(mid.x() - fm.height() * 0.3 - w, mid.y() + fm.ascent() / 2), label);
    else if (!labelBefore)
        painter.drawText(QPointF(mid.x() - w / 2, mid.y() - fm.descent() - 2), label);
    else
        painter.drawText(QPointF(mid.x() - w / 2, mid.y() + fm.ascent() + 2), label);
    painter.restore();
}

QRectF TextColumn(QPainter& painter, const QRectF& area, const QStringList& lines)
{
    const QFontMetricsF fm(painter.font());
    double textWidth = 0;
    for (const QString& line : lines)
        textWidth = std::max(textWidth, fm.horizontalAdvance(line));
    const QRectF drawing = area.adjusted(0, 0, -textWidth - fm.height() * 0.5, 0);
    painter.save();
    painter.setPen(Ink());
    for (int i = 0; i < lines.size(); ++i)
        painter.drawText(QPointF(drawing.right() + fm.height() * 0.5, area.top() + fm.ascent() + i * fm.height()),
                         lines[i]);
    painter.restore();
    return drawing;
}

void Label(QPainter& painter, QPointF at, const QString& text, Qt::Alignment align)
{
    const QFontMetricsF fm(painter.font());
    const double w = fm.horizontalAdvance(text);
    double x = at.x() - w / 2;
    if (align & Qt::AlignLeft)
        x = at.x();
    else if (align & Qt::AlignRight)
        x = at.x() - w;
    painter.drawText(QPointF(x, at.y() + (fm.ascent() - fm.descent()) / 2), text);
}

} // namespace dralun::pic
