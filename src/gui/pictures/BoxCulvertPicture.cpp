// The rectangular culvert in cross-section: concrete frame, bed fill on the
// floor and the water up to h2 above the bed (at most up to the soffit).
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "forms/CForm.h"
#include "gui/pictures/PictureKit.h"
#include "gui/pictures/Pictures.h"

namespace dralun {

namespace {

// A drawable length: finite, at least a micrometre, not absurdly large.
double Length(double v) { return std::isfinite(v) && v >= 1e-6 ? std::min(v, 1e4) : 0.0; }

void PaintBoxCulvert(QPainter& painter, const QRectF& area, const CForm& form)
{
    const QRectF inner = pic::Panel(painter, area);
    const double b = Length(form.Value(1000));
    const double h = Length(form.Value(1001));
    if (b <= 0 || h <= 0) {
        painter.setPen(pic::Ink());
        pic::Label(painter, inner.center(), QStringLiteral("b, h ungültig"));
        return;
    }
    const double t = std::min(Length(form.Value(1002)), h);
    const double h2 = Length(form.Value(1016));
    const double level = std::min(t + h2, h);
    const double size = std::max(b, h);
    const double wall = 0.1 * size;

    // Text column at the right, the section in the rest.
    const QFontMetricsF fm(painter.font());
    const QStringList lines{QStringLiteral("b = %1 m").arg(pic::Num(form.Value(1000), 2)),
                            QStringLiteral("h = %1 m").arg(pic::Num(form.Value(1001), 2)),
                            QStringLiteral("t = %1 m").arg(pic::Num(form.Value(1002), 2)),
                            QStringLiteral("h2 = %1 m").arg(pic::Num(form.Value(1016), 2)),
                            t + h2 >= h ? QStringLiteral("voll") : QString()};
    const QRectF drawing = pic::TextColumn(painter, inner, lines);
    if (drawing.width() < fm.height() || drawing.height() < fm.height())
        return; // no room left for the section

    const pic::WorldMap map(
        QRectF(-wall - 0.25 * size, -wall - 0.25 * size, b + 2 * wall + 0.5 * size, h + 2 * wall + 0.3 * size),
        drawing);
    auto rect = [&](double x0, double y0, double x1, double y1) {
        return QRectF(map(x0, y1), map(x1, y0)).normalized();
    };

    // Frame, then the clear opening.
    painter.setPen(QPen(pic::Ink(), 1.2));
    painter.setBrush(pic::Concrete());
    painter.drawRect(rect(-wall, -wall, b + wall, h + wall));
    painter.setBrush(Qt::white);
    painter.drawRect(rect(0, 0, b, h));

    painter.setPen(Qt::NoPen);
    if (level > t) {
        painter.setBrush(pic::Water());
        painter.drawRect(rect(0, t, b, level));
    }
    if (t > 0) {
        painter.setBrush(pic::Soil());
        painter.drawRect(rect(0, 0, b, t));
        painter.setBrush(QBrush(pic::Stone(), Qt::Dense6Pattern));
        painter.drawRect(rect(0, 0, b, t));
    }
    painter.setPen(QPen(pic::Ink(), 1.2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect(0, 0, b, h));

    if (level > t && level < h) {
        painter.setPen(QPen(pic::WaterEdge(), 1.5));
        painter.drawLine(map(0, level), map(b, level));
        const QPointF mark = map(b / 2, level);
        const double s = painter.fontMetrics().height() * 0.3;
        painter.drawPolygon(QPolygonF{mark + QPointF(-s, -1.6 * s), mark + QPointF(s, -1.6 * s), mark});
    }

    const double xl = -wall - 0.1 * size;
    pic::Dimension(painter, map(xl, 0), map(xl, h), QStringLiteral("h"), true);
    pic::Dimension(painter, map(0, -wall - 0.05 * size), map(b, -wall - 0.05 * size), QStringLiteral("b"), true);
    const double xr = b + wall + 0.1 * size;
    if (t > 0)
        pic::Dimension(painter, map(xr, 0), map(xr, t), QStringLiteral("t"));
    if (level > t)
        pic::Dimension(painter, map(xr, t), map(xr, level), QStringLiteral("h2"));

}

const PictureRegistrar registered(162, {{17, 10}, &PaintBoxCulvert});

} // namespace
} // namespace dralun
