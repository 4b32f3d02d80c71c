// The throttle orifice: basin, wall with the orifice, the free jet.
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "forms/CForm.h"
#include "forms/COrificeDlg.h"
#include "gui/pictures/PictureSheet.h"
#include "gui/pictures/Pictures.h"

namespace dralun {

namespace {

void PaintOrifice(QPainter& painter, const QRectF& area, const CForm& form)
{
    pic::Sheet sheet(painter, area);
    const QRectF inner = sheet.Inner();
    const double h = pic::Positive(form.Value(COrificeDlg::kIdH));
    const double d = pic::Positive(form.Value(COrificeDlg::kIdD));
    const double v = pic::Positive(form.Value(COrificeDlg::kIdV));
    const double q = form.Value(COrificeDlg::kIdQ);

    // Heights in metres: the orifice axis a little above the basin floor,
    // the water surface h above the axis.
    const double unit = std::max({h, d, 0.05});
    const double axis = d / 2 + 0.25 * unit;
    const double surface = axis + h;
    // Widths in shares of the height; the values stand in a block at the
    // top right, and the drawing reaches high enough that the wall's opening
    // (and so the jet) stays below the block.
    const double kBasin = 0.9, kWall = 0.06, kReach = 1.1;
    const QFontMetricsF fm(painter.font());
    const double perTop = std::min(inner.width() / (kBasin + kWall + kReach), inner.height());
    const double block = std::min(4.6 * fm.height() / std::max(perTop, 1.0), 0.7);
    const double top = std::max(surface + 0.3 * unit, (axis + d / 2) / (1 - block));
    const double basin = kBasin * top;
    const double wall = kWall * top;
    const double reach = kReach * top;
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
        sheet.Fill(jet);
    }

    // Floor, wall with the opening.
    painter.setPen(QPen(pic::Ink(), 1.5));
    painter.setBrush(pic::Concrete());
    sheet.Fill(QPolygonF{map(0, axis + d / 2), map(wall, axis + d / 2), map(wall, top), map(0, top)});
    sheet.Fill(QPolygonF{map(0, 0), map(wall, 0), map(wall, axis - d / 2), map(0, axis - d / 2)});
    sheet.Stroke(map(-basin, 0), map(wall + reach, 0));

    // Water surface with its level mark.
    painter.setPen(QPen(pic::WaterEdge(), 1.5));
    sheet.Stroke(map(-basin, surface), map(0, surface));
    sheet.LevelMark(map(-0.75 * basin, surface));

    // Axis of the orifice.
    painter.setPen(QPen(pic::Ink(), 1, Qt::DashDotLine));
    sheet.Stroke(map(-0.45 * basin, axis), map(wall + 0.15 * reach, axis));

    sheet.Dimension(map(-0.3 * basin, axis), map(-0.3 * basin, surface), QStringLiteral("h"), true);
    if (d > 0) {
        // "d" beside the opening, clear of its axis: above or below the
        // axis, else beyond an end of the opening or on the other side.
        const QPointF upper = map(-0.06 * basin, axis + d / 2), lower = map(-0.06 * basin, axis - d / 2);
        sheet.Dimension(upper, lower, QString());
        const double line = sheet.Line();
        const double x = upper.x() - line * 0.3, y = map(0, axis).y();
        std::vector<pic::Spot> spots{{QPointF(x, y - line / 2 - 2), Qt::AlignRight},
                                     {QPointF(x, y + line / 2 + 2), Qt::AlignRight}};
        const std::vector<pic::Spot> ends = sheet.DimensionSpots(upper, lower, QStringLiteral("d"), true);
        spots.insert(spots.end(), ends.begin() + 1, ends.end());
        sheet.Place(QStringLiteral("d"), spots);
    }

    // The values, moved in from the right edge when they are long.
    painter.setPen(pic::Ink());
    const QStringList values{QStringLiteral("Q = %1 l/s").arg(pic::Num(q, 1)),
                             QStringLiteral("v = %1 m/s").arg(pic::Num(form.Value(COrificeDlg::kIdV), 2)),
                             QStringLiteral("d = %1 m").arg(pic::Num(form.Value(COrificeDlg::kIdD), 3)),
                             QStringLiteral("h = %1 m").arg(pic::Num(form.Value(COrificeDlg::kIdH), 3))};
    double width = 0;
    for (const QString& value : values)
        width = std::max(width, fm.horizontalAdvance(value));
    const double x = std::min(map(wall + 0.2 * reach, 0).x(), inner.right() - width);
    for (int i = 0; i < values.size(); ++i)
        sheet.Place(values[i], {{QPointF(x, map(0, top).y() + fm.height() * (0.8 + i)), Qt::AlignLeft}});
}

const PictureRegistrar registered(COrificeDlg::kPicture, {{17, 13}, &PaintOrifice});

} // namespace
} // namespace dralun
