// The throttle orifice: basin, wall with the orifice, the free jet.
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "forms/CForm.h"
#include "gui/pictures/PictureKit.h"
#include "gui/pictures/Pictures.h"

namespace dralun {

namespace {

void PaintOrifice(QPainter& painter, const QRectF& area, const CForm& form)
{
    const QRectF inner = pic::Panel(painter, area);
    const double h = pic::Positive(form.Value(1001));
    const double d = pic::Positive(form.Value(1004));
    const double v = pic::Positive(form.Value(1005));
    const double q = form.Value(1000);

    // Heights in metres: the orifice axis a little above the basin floor,
    // the water surface h above the axis.
    const double unit = std::max({h, d, 0.05});
    const double axis = d / 2 + 0.25 * unit;
    const double surface = axis + h;
    const double top = surface + 0.3 * unit;
    const double basin = 0.9 * top;
    const double wall = 0.06 * top;
    const double reach = 1.1 * top;
    const pic::WorldMap map(QRectF(-basin, 0, basin + wall + reach, top), inner);

    // Water in the basin.
    painter.setPen(Qt::NoPen);
    painter.setBrush(pic::Water());
    painter.drawPolygon(QPolygonF{map(-basin, 0), map(0, 0), map(0, surface), map(-basin, surface)});

    // The jet leaves the orifice with v and falls freely.
    if (d > 0 && v > 0) {
        QPainterPath jet;
        const int steps = 40;
        const double fall = axis; // down to the floor level
        const double tEnd = std::sqrt(2 * fall / 9.80665);
        auto point = [&](double t, double offset) {
            const double x = std::min(v * t, reach);
            return map(wall + x, axis + offset - 9.80665 * t * t / 2);
        };
        jet.moveTo(point(0, d / 2));
        for (int i = 1; i <= steps; ++i)
            jet.lineTo(point(tEnd * i / steps, d / 2 * (1 - 0.4 * i / steps)));
        for (int i = steps; i >= 0; --i)
            jet.lineTo(point(tEnd * i / steps, -d / 2 * (1 - 0.4 * i / steps)));
        jet.closeSubpath();
        painter.setBrush(pic::Water());
        painter.setPen(QPen(pic::WaterEdge(), 1));
        painter.drawPath(jet);
    }

    // Floor, wall with the opening.
    painter.setPen(QPen(pic::Ink(), 1.5));
    painter.setBrush(pic::Concrete());
    painter.drawPolygon(QPolygonF{map(0, axis + d / 2), map(wall, axis + d / 2), map(wall, top), map(0, top)});
    painter.drawPolygon(QPolygonF{map(0, 0), map(wall, 0), map(wall, axis - d / 2), map(0, axis - d / 2)});
    painter.drawLine(map(-basin, 0), map(wall + reach, 0));

    // Water surface with its level mark.
    painter.setPen(QPen(pic::WaterEdge(), 1.5));
    painter.drawLine(map(-basin, surface), map(0, surface));
    const QPointF mark = map(-0.75 * basin, surface);
    const double s = painter.fontMetrics().height() * 0.35;
    painter.setBrush(Qt::NoBrush);
    painter.drawPolygon(QPolygonF{mark + QPointF(-s, -1.6 * s), mark + QPointF(s, -1.6 * s), mark});

    // Axis of the orifice.
    painter.setPen(QPen(pic::Ink(), 1, Qt::DashDotLine));
    painter.drawLine(map(-0.45 * basin, axis), map(wall + 0.15 * reach, axis));

    pic::Dimension(painter, map(-0.3 * basin, surface), map(-0.3 * basin, axis), QStringLiteral("h"), true);
    if (d > 0)
        pic::Dimension(painter, map(-0.06 * basin, axis + d / 2), map(-0.06 * basin, axis - d / 2),
                       QStringLiteral("d"), true);
    painter.setPen(pic::Ink());
    const double textX = wall + 0.2 * reach;
    pic::Label(painter, map(textX, 0.92 * top), QStringLiteral("Q = %1 l/s").arg(pic::Num(q, 1)), Qt::AlignLeft);
    pic::Label(painter, map(textX, 0.78 * top),
               QStringLiteral("v = %1 m/s").arg(pic::Num(form.Value(1005), 2)), Qt::AlignLeft);
    pic::Label(painter, map(textX, 0.64 * top),
               QStringLiteral("d = %1 m").arg(pic::Num(form.Value(1004), 3)), Qt::AlignLeft);
    pic::Label(painter, map(textX, 0.50 * top),
               QStringLiteral("h = %1 m").arg(pic::Num(form.Value(1001), 3)), Qt::AlignLeft);
}

const PictureRegistrar registered(195, {{17, 13}, &PaintOrifice});

} // namespace
} // namespace dralun
