#include "gui/pictures/PictureKit.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "core/Format.h"
#include "core/NumberPresentation.h"

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

QString Sym(const char* symbol) { return QString::fromStdString(ShownSymbol(symbol)); }

namespace {
bool g_comma = false; // pictures paint on the window's thread only
}

DecimalSign::DecimalSign(bool comma) : m_before(g_comma) { g_comma = comma; }
DecimalSign::~DecimalSign() { g_comma = m_before; }
bool DecimalSign::Comma() { return g_comma; }

QString Num(double value, int decimals)
{
    if (!std::isfinite(value))
        return QStringLiteral("-");
    const std::string text = std::fabs(value) >= 1e6 ? Format("%.4g", value)
                                                     : FormatFixed(0, decimals, value); // never "-0.00"
    return QString::fromStdString(g_comma ? WithDecimalComma(text) : text);
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

} // namespace dralun::pic
