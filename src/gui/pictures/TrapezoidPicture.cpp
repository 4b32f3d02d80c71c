// The road-side ditch in cross-section: bottom width b, the left bank 1 : m1
// and the right bank 1 : m2 up to the bank height, the water to depth t.
// Flat, wide ditches are drawn with exaggerated heights, as noted.
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "forms/CForm.h"
#include "forms/CDitchDlg.h"
#include "gui/pictures/PictureSheet.h"
#include "gui/pictures/Pictures.h"

namespace dralun {

namespace {

// A drawable length: finite, at least a micrometre, not absurdly large.
double Length(double v) { return std::isfinite(v) && v >= 1e-6 ? std::min(v, 1e4) : 0.0; }

void PaintTrapezoid(QPainter& painter, const QRectF& area, const CForm& form)
{
    pic::Sheet sheet(painter, area);
    const QRectF inner = sheet.Inner();
    const double b = Length(form.Value(CDitchDlg::kIdB));
    const double m1 = Length(form.Value(CDitchDlg::kIdM1));
    const double m2 = Length(form.Value(CDitchDlg::kIdM2));
    const double t = Length(form.Value(CDitchDlg::kIdT));
    const double H = std::max(Length(form.Value(CDitchDlg::kIdH)), t);
    painter.setPen(pic::Ink());
    if (H <= 0) {
        sheet.Label(inner.center(), QStringLiteral("Tiefe ungültig"));
        return;
    }
    const double left = -m1 * H;
    const double right = b + m2 * H;
    const double width = std::max(right - left, 1e-6);
    const double e = std::max(1.0, std::ceil(0.3 * width / H - 1e-9));
    const double berm = 0.12 * width;

    // Room in pixels: the water depth at the left, the bank height at the
    // right, the slopes above the banks, the bottom width below, and the
    // note on exaggeration on top.
    const QFontMetricsF fm(painter.font());
    const QString hText = QStringLiteral("h = %1").arg(pic::Num(H, 2));
    const QString tText = QStringLiteral("t = %1").arg(pic::Num(t, 2));
    const double gap = fm.height() * 0.4;
    const double noteLine = e > 1 ? fm.height() * 1.1 : 0;
    const QRectF drawing = inner.adjusted(fm.horizontalAdvance(tText) + 2 * gap, noteLine + fm.height() * 1.2,
                                          -fm.horizontalAdvance(hText) - 2 * gap, -fm.height() * 1.3);
    const pic::WorldMap world(QRectF(left - berm, -0.1 * H * e, width + 2 * berm, H * e * 1.1), drawing);
    auto map = [&](double x, double y) { return world(x, y * e); };

    // Soil around the ditch, then the water.
    const QPolygonF profile{map(left - berm, H), map(left, H), map(0, 0), map(b, 0), map(right, H), map(right + berm, H)};
    QPolygonF soil = profile;
    soil << map(right + berm, -0.1 * H) << map(left - berm, -0.1 * H);
    painter.setPen(Qt::NoPen);
    painter.setBrush(pic::Soil());
    sheet.Fill(soil);
    if (t > 0) {
        painter.setBrush(pic::Water());
        painter.drawPolygon(QPolygonF{map(-m1 * t, t), map(0, 0), map(b, 0), map(b + m2 * t, t)});
        painter.setPen(QPen(pic::WaterEdge(), 1.5));
        sheet.Stroke(map(-m1 * t, t), map(b + m2 * t, t));
        sheet.LevelMark(map(b / 2, t));
    }
    painter.setPen(QPen(pic::Ink(), 1.5));
    painter.setBrush(Qt::NoBrush);
    sheet.Stroke(profile);

    // Bottom width below the ditch, bank height and water depth beside it.
    const double below = map(0, 0).y() + fm.height() * 0.3;
    sheet.Dimension(QPointF(map(0, 0).x(), below), QPointF(map(b, 0).x(), below),
                    QStringLiteral("b = %1").arg(pic::Num(b, 2)), true);
    sheet.Dimension(QPointF(drawing.right() + gap, map(0, 0).y()), QPointF(drawing.right() + gap, map(0, H).y()),
                    hText);
    if (t > 0)
        sheet.Dimension(QPointF(drawing.left() - gap, map(0, 0).y()),
                        QPointF(drawing.left() - gap, map(0, t).y()), tText, true);

    // Slopes above the upper edges of their banks.
    painter.setPen(pic::Ink());
    const double above = map(0, H).y() - fm.height() * 0.55;
    sheet.Label(QPointF(map(left, H).x(), above), QStringLiteral("1 : %1").arg(pic::Num(m1, 1)),
                Qt::AlignRight);
    sheet.Label(QPointF(map(right, H).x(), above), QStringLiteral("1 : %1").arg(pic::Num(m2, 1)),
                Qt::AlignLeft);
    if (e > 1)
        sheet.Text(QPointF(inner.left(), inner.top() + fm.ascent()),
                   QStringLiteral("Höhen %1-fach überhöht").arg(e, 0, 'f', 0));
}

const PictureRegistrar registered(CDitchDlg::kPicture, {{20, 9}, &PaintTrapezoid});

} // namespace
} // namespace dralun
