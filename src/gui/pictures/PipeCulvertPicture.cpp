// The pipe culvert in cross-section: pipe wall, bed fill in the invert and
// the water up to h2 above the bed (at most up to the crown).
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "forms/CForm.h"
#include "forms/CPipeCulvertDlg.h"
#include "gui/pictures/PictureSheet.h"
#include "gui/pictures/Pictures.h"

namespace dralun {

namespace {

// A drawable length: finite, at least a micrometre, not absurdly large.
double Length(double v) { return std::isfinite(v) && v >= 1e-6 ? std::min(v, 1e4) : 0.0; }

void PaintPipeCulvert(QPainter& painter, const QRectF& area, const CForm& form)
{
    pic::Sheet sheet(painter, area);
    const QRectF inner = sheet.Inner();
    const double dn = form.Value(CPipeCulvertDlg::kIdDN);
    const double D = Length(dn) / pic::kMmPerM;
    if (D <= 0) {
        painter.setPen(pic::Ink());
        sheet.Label(inner.center(), QStringLiteral("DN ungültig"));
        return;
    }
    const double r = D / 2;
    const double t = std::min(Length(form.Value(CPipeCulvertDlg::kIdT)), D);
    const double h2 = Length(form.Value(CPipeCulvertDlg::kIdH2));
    const double level = std::min(t + h2, D); // water level above the invert
    const double wall = 0.09 * D;

    // Text column at the right, the section in the rest.
    const QFontMetricsF fm(painter.font());
    const QStringList lines{QStringLiteral("DN %1").arg(pic::Num(dn, 0)),
                            QStringLiteral("t = %1 m").arg(pic::Num(form.Value(CPipeCulvertDlg::kIdT), 3)),
                            QStringLiteral("h2 = %1 m").arg(pic::Num(form.Value(CPipeCulvertDlg::kIdH2), 3)),
                            t + h2 >= D ? QStringLiteral("voll") : QString()};
    const QRectF drawing = sheet.TextColumn(inner, lines);
    if (drawing.width() < fm.height() || drawing.height() < fm.height())
        return; // no room left for the section

    // The section with its dimension lines, and room around it for their
    // labels: D at the left, t and h2 at the right, and a line above and
    // below for the labels of short dimensions.
    const double xl = -r - wall - 0.12 * D, xr = r + wall + 0.12 * D;
    const double line = fm.height();
    const double right =
        std::max(fm.horizontalAdvance(QStringLiteral("t")), fm.horizontalAdvance(QStringLiteral("h2")));
    const QRectF room = drawing.adjusted(fm.horizontalAdvance(QStringLiteral("D")) + line * 0.6, line * 1.4,
                                         -right - line * 0.6, -line * 1.4);
    const pic::WorldMap map(QRectF(xl, -wall, xr - xl, D + 2 * wall), room);
    const QPointF c = map(0, r);
    const double rp = map.Length(r);
    const double rw = map.Length(r + wall);

    // Pipe wall as a ring.
    QPainterPath ring;
    ring.addEllipse(c, rw, rw);
    ring.addEllipse(c, rp, rp);
    painter.setPen(QPen(pic::Ink(), 1.2));
    painter.setBrush(pic::Concrete());
    painter.drawPath(ring);
    QPainterPath pipe;
    pipe.addEllipse(c, rw, rw);
    sheet.Part(pipe); // texts stay out of the pipe, wall and opening alike

    QPainterPath inside;
    inside.addEllipse(c, rp, rp);
    auto band = [&](double y0, double y1) {
        QPainterPath strip;
        strip.addRect(QRectF(map(-r - wall, y1), map(r + wall, y0)).normalized());
        return inside.intersected(strip);
    };

    // Water between the bed surface and the level, then the bed.
    painter.setPen(Qt::NoPen);
    if (level > t) {
        painter.setBrush(pic::Water());
        painter.drawPath(band(t, level));
    }
    if (t > 0) {
        painter.setBrush(pic::Soil());
        painter.drawPath(band(0, t));
        painter.setBrush(QBrush(pic::Stone(), Qt::Dense6Pattern));
        painter.drawPath(band(0, t));
    }
    painter.setPen(QPen(pic::Ink(), 1.2));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(c, rp, rp);

    // Water line with its mark.
    if (level > t && level < D) {
        const double half = std::sqrt(std::max(r * r - (level - r) * (level - r), 0.0));
        painter.setPen(QPen(pic::WaterEdge(), 1.5));
        painter.drawLine(map(-half, level), map(half, level));
        sheet.LevelMark(map(0, level));
    }

    // Dimensions: diameter on the left, bed and water depth on the right;
    // short ones take their labels beyond their outer ends.
    sheet.Dimension(map(xl, 0), map(xl, D), QStringLiteral("D"), true);
    if (t > 0)
        sheet.Dimension(map(xr, t), map(xr, 0), QStringLiteral("t"));
    if (level > t)
        sheet.Dimension(map(xr, t), map(xr, level), QStringLiteral("h2"));
}

const PictureRegistrar registered(CPipeCulvertDlg::kPicture, {{17, 10}, &PaintPipeCulvert});

} // namespace
} // namespace dralun
