// The road swale in cross-section: the circle through both edges and the
// bottom ("Kreis", filled to the water depth t) and the parabola through the
// same points ("Parabel", dashed), with the water line. Shallow swales are
// drawn with exaggerated heights, as the picture says.
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "forms/CForm.h"
#include "forms/CSwaleDlg.h"
#include "gui/pictures/PictureSheet.h"
#include "gui/pictures/Pictures.h"

namespace dralun {

namespace {

// A drawable length: finite, at least a micrometre, not absurdly large.
double Length(double v) { return std::isfinite(v) && v >= 1e-6 ? std::min(v, 1e4) : 0.0; }

void PaintSwale(QPainter& painter, const QRectF& area, const CForm& form)
{
    pic::Sheet sheet(painter, area);
    const QRectF inner = sheet.Inner();
    const double B = Length(form.Value(CSwaleDlg::kIdB));
    const double h = Length(form.Value(CSwaleDlg::kIdH));
    if (B <= 0 || h <= 0) {
        painter.setPen(pic::Ink());
        sheet.Label(inner.center(), QStringLiteral("B, h ungültig"));
        return;
    }
    const double t = std::min(Length(form.Value(CSwaleDlg::kIdT)), h);
    const double b = B / 2;
    const double Rc = (B * B / 4 + h * h) / 2 / h;
    const double p = b * b / 2 / h;
    // The circle bulges out beyond the edges when the swale is deeper than half its width.
    const double halfWidth = h > Rc ? Rc : b;
    const double e = std::max(1.0, std::ceil(0.35 * 2 * halfWidth / h - 1e-9));

    // The legend takes the last text line.
    const QFontMetricsF fm(painter.font());
    const QRectF drawing = inner.adjusted(0, 0, 0, -fm.height() * 1.2);
    const double reach = halfWidth + 0.35 * B;
    const double top = h * e * 1.3;
    const pic::WorldMap world(QRectF(-reach, -0.05 * top, 2 * reach, top * 1.2), drawing);
    auto map = [&](double x, double y) { return world(x, y * e); };

    // Circle points with y <= level, from the left to the right.
    auto circle = [&](double level) {
        QPolygonF points;
        const double phi = std::acos(std::clamp((Rc - level) / Rc, -1.0, 1.0));
        const int steps = 60;
        for (int i = 0; i <= steps; ++i) {
            const double a = -phi + 2 * phi * i / steps;
            points << map(Rc * std::sin(a), Rc - Rc * std::cos(a));
        }
        return points;
    };

    // Ground beside the swale.
    painter.setPen(QPen(pic::Ink(), 1.5));
    sheet.Stroke(map(-reach, h), map(-b, h));
    sheet.Stroke(map(b, h), map(reach, h));

    // Water in the circular segment.
    if (t > 0) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(pic::Water());
        painter.drawPolygon(circle(t));
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(pic::Ink(), 1.5));
    sheet.Stroke(circle(h));

    QPolygonF parabola;
    const int steps = 60;
    for (int i = 0; i <= steps; ++i) {
        const double x = -b + B * i / steps;
        parabola << map(x, x * x / 2 / p);
    }
    painter.setPen(QPen(QColor(170, 60, 40), 1.3, Qt::DashLine));
    sheet.Stroke(parabola);

    // Water line over the wider of the two surfaces.
    if (t > 0) {
        const double wc = std::sqrt(std::max(2 * Rc * t - t * t, 0.0));
        const double wp = std::sqrt(2 * p * t);
        const double w = t > Rc ? Rc : std::max(wc, wp);
        painter.setPen(QPen(pic::WaterEdge(), 1.5));
        sheet.Stroke(map(-w, t), map(w, t));
        sheet.LevelMark(map(0, t));
    }

    sheet.Dimension(map(-b, h * 1.22), map(b, h * 1.22), QStringLiteral("B = %1 m").arg(pic::Num(B, 2)));
    const double xd = halfWidth + 0.08 * B;
    sheet.Dimension(map(xd, 0), map(xd, h), QStringLiteral("h = %1").arg(pic::Num(h, 2)));
    if (t > 0)
        sheet.Dimension(map(-xd, 0), map(-xd, t), QStringLiteral("t = %1").arg(pic::Num(t, 2)), true);

    // Legend.
    const QPointF legend(inner.left(), inner.bottom() - fm.descent());
    painter.setPen(QPen(pic::Ink(), 1.5));
    const QPointF sample(0, -fm.height() * 0.3), sampleLength(fm.height() * 1.5, 0);
    sheet.Stroke(legend + sample, legend + sample + sampleLength);
    painter.setPen(pic::Ink());
    sheet.Text(legend + QPointF(fm.height() * 1.8, 0), QStringLiteral("Kreis"));
    const double x2 = fm.height() * 2.2 + fm.horizontalAdvance(QStringLiteral("Kreis"));
    painter.setPen(QPen(QColor(170, 60, 40), 1.3, Qt::DashLine));
    sheet.Stroke(legend + sample + QPointF(x2, 0), legend + sample + QPointF(x2, 0) + sampleLength);
    painter.setPen(pic::Ink());
    sheet.Text(legend + QPointF(x2 + fm.height() * 1.8, 0), QStringLiteral("Parabel"));
    if (e > 1) {
        const QString note = QStringLiteral("Höhen %1-fach überhöht").arg(e, 0, 'f', 0);
        sheet.Text(QPointF(inner.right() - fm.horizontalAdvance(note), legend.y()), note);
    }
}

const PictureRegistrar registered(CSwaleDlg::kPicture, {{25, 11}, &PaintSwale});

} // namespace
} // namespace dralun
