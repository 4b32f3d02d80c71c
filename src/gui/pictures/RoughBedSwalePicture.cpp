// The rough-bed swale: above, the cross-section of width B and water depth h
// (heights exaggerated where the swale is flat); below, a stretch of the bed
// along the flow at true scale, with the stones of size d on the slope I and
// the water depth h over the bed.
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "forms/CForm.h"
#include "forms/CRoughBedSwaleDlg.h"
#include "gui/pictures/PictureSheet.h"
#include "gui/pictures/Pictures.h"

namespace dralun {

namespace {

// A drawable length: finite, at least a micrometre, not absurdly large.
double Length(double v) { return std::isfinite(v) && v >= 1e-6 ? std::min(v, 1e4) : 0.0; }

void PaintCrossSection(pic::Sheet& sheet, const QRectF& area, double B, double h)
{
    QPainter& painter = sheet.Painter();
    const double b = B / 2;
    const double reach = 1.3 * b;
    const double rim = h * 1.3; // bed level at the ends of the drawing
    // Heights exaggerated so far that the section fills the width of its area.
    const QFontMetricsF fm(painter.font());
    const QRectF drawing = area.adjusted(0, fm.height() * 1.2, 0, -fm.height() * 1.2);
    const double fill = 2 * reach / (1.2 * rim) * drawing.height() / std::max(drawing.width(), 1.0);
    const double e = std::clamp(std::floor(fill), 1.0, 1e6);
    const pic::WorldMap world(QRectF(-reach, -0.2 * rim * e, 2 * reach, rim * e * 1.2), drawing);
    auto map = [&](double x, double y) { return world(x, y * e); };

    QPolygonF bed;
    QPolygonF water;
    const int steps = 60;
    for (int i = 0; i <= steps; ++i) {
        const double x = -reach + 2 * reach * i / steps;
        bed << map(x, h * (x / b) * (x / b));
    }
    for (int i = 0; i <= steps; ++i) {
        const double x = -b + 2 * b * i / steps;
        water << map(x, h * (x / b) * (x / b));
    }
    QPolygonF ground = bed;
    ground << map(reach, -0.2 * rim) << map(-reach, -0.2 * rim);
    painter.setPen(Qt::NoPen);
    painter.setBrush(pic::Soil());
    painter.drawPolygon(ground);
    painter.setBrush(QBrush(pic::Stone(), Qt::Dense5Pattern));
    sheet.Fill(ground);
    painter.setBrush(pic::Water());
    painter.drawPolygon(water);
    painter.setPen(QPen(pic::Ink(), 1.5));
    painter.setBrush(Qt::NoBrush);
    sheet.Stroke(bed);
    painter.setPen(QPen(pic::WaterEdge(), 1.5));
    sheet.Stroke(map(-b, h), map(b, h));

    const double above = map(0, rim).y() - fm.height() * 0.1;
    sheet.Dimension(QPointF(map(-b, h).x(), above), QPointF(map(b, h).x(), above),
                    QStringLiteral("B = %1 m").arg(pic::Num(B, 2)));
    sheet.Dimension(map(0.35 * b, 0), map(0.35 * b, h), QStringLiteral("h"));
    if (e > 1) {
        painter.setPen(pic::Ink());
        const QString note = QStringLiteral("Höhen %1-fach überhöht").arg(e, 0, 'f', 0);
        sheet.Text(QPointF(area.right() - fm.horizontalAdvance(note), area.bottom() - fm.descent()), note);
    }
}

void PaintBedStretch(pic::Sheet& sheet, const QRectF& area, double h, double d, double I)
{
    QPainter& painter = sheet.Painter();
    // Along the bed s, normal to it n; the bed falls to the right.
    const double alpha = std::min(std::atan(I / pic::kPerMille), 0.6);
    const double ca = std::cos(alpha), sa = std::sin(alpha);
    const double stone = d > 0 ? d : 0.0;
    const double top = std::max({h, stone, 0.02});
    const double length = std::max(10 * top, 14 * stone);
    auto at = [&](double s, double n) { return QPointF(s * ca + n * sa, -s * sa + n * ca); };

    const double x0 = -0.2 * top, x1 = length * ca + top * sa + 0.2 * top;
    // The stone size is dimensioned below the soil, its label under it.
    const double y0 = -length * sa - 0.6 * top, y1 = 1.5 * top;
    const pic::WorldMap world(QRectF(x0, y0, x1 - x0, y1 - y0), area.adjusted(0, 0, 0, -sheet.Line() * 1.3));
    auto map = [&](double s, double n) {
        const QPointF p = at(s, n);
        return world(p.x(), p.y());
    };

    painter.setPen(Qt::NoPen);
    painter.setBrush(pic::Soil());
    sheet.Fill(QPolygonF{map(0, 0), map(length, 0), map(length, -0.4 * top), map(0, -0.4 * top)});
    if (h > 0) {
        painter.setBrush(pic::Water());
        painter.drawPolygon(QPolygonF{map(0, 0), map(length, 0), map(length, h), map(0, h)});
    }
    if (stone > 0) {
        painter.setPen(QPen(pic::Ink(), 0.8));
        painter.setBrush(pic::Stone());
        const double r = world.Length(stone / 2);
        const int count = static_cast<int>(std::min(0.75 * length / (1.08 * stone), 200.0));
        QPainterPath stones;
        for (int i = 0; i < count; ++i)
            stones.addEllipse(map(0.25 * length + stone / 2 + i * 1.08 * stone, stone / 2), r, r * 0.85);
        sheet.Fill(stones);
    }
    painter.setPen(QPen(pic::Ink(), 1.5));
    sheet.Stroke(map(0, 0), map(length, 0));
    if (h > 0) {
        painter.setPen(QPen(pic::WaterEdge(), 1.5));
        sheet.Stroke(map(0, h), map(length, h));
        sheet.Dimension(map(0.1 * length, 0), map(0.1 * length, h), QStringLiteral("h"));
    }
    if (stone > 0)
        sheet.Dimension(map(0.5 * length - stone * 0.5, -0.55 * top), map(0.5 * length + stone * 0.5, -0.55 * top),
                        QStringLiteral("d"), true);
}

void PaintRoughBedSwale(QPainter& painter, const QRectF& area, const CForm& form)
{
    pic::Sheet sheet(painter, area);
    const QRectF inner = sheet.Inner();
    const double h = Length(form.Value(CRoughBedSwaleDlg::kIdH));
    const double B = Length(form.Value(CRoughBedSwaleDlg::kIdB));
    const double d = Length(form.Value(CRoughBedSwaleDlg::kIdD));
    const double I = Length(form.Value(CRoughBedSwaleDlg::kIdI));

    const QFontMetricsF fm(painter.font());
    const QRectF upper(inner.left(), inner.top(), inner.width(), inner.height() * 0.5);
    if (B > 0 && h > 0)
        PaintCrossSection(sheet, upper, B, h);
    else {
        painter.setPen(pic::Ink());
        sheet.Label(upper.center(), QStringLiteral("B, h ungültig"));
    }

    // Below, the values at the right and the stretch of the bed beside them.
    const QRectF lower(inner.left(), upper.bottom() + fm.height() * 0.6, inner.width(),
                       inner.bottom() - upper.bottom() - fm.height() * 0.6);
    const QRectF stretch = sheet.TextColumn(
        lower.adjusted(0, fm.height() * 0.5, 0, 0),
        {QStringLiteral("h = %1 m").arg(pic::Num(form.Value(CRoughBedSwaleDlg::kIdH), 2)),
         QStringLiteral("d = %1 m").arg(pic::Num(form.Value(CRoughBedSwaleDlg::kIdD), 2)),
         QStringLiteral("I = %1 \u2030").arg(pic::Num(form.Value(CRoughBedSwaleDlg::kIdI), 0))});
    PaintBedStretch(sheet, QRectF(lower.left(), lower.top(), stretch.width(), lower.height()), h, d, I);
}

const PictureRegistrar registered(CRoughBedSwaleDlg::kPicture, {{22, 15}, &PaintRoughBedSwale});

} // namespace
} // namespace dralun
