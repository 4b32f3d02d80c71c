// The rectangular culvert in cross-section: concrete frame, bed fill on the
// floor and the water up to h2 above the bed (at most up to the soffit).
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "forms/CForm.h"
#include "forms/CBoxCulvertDlg.h"
#include "gui/pictures/PictureSheet.h"
#include "gui/pictures/Pictures.h"

namespace dralun {

namespace {

// A drawable length: finite, at least a micrometre, not absurdly large.
double Length(double v) { return std::isfinite(v) && v >= 1e-6 ? std::min(v, 1e4) : 0.0; }

void PaintBoxCulvert(QPainter& painter, const QRectF& area, const CForm& form)
{
    pic::Sheet sheet(painter, area);
    const QRectF inner = sheet.Inner();
    const double b = Length(form.Value(CBoxCulvertDlg::kIdB));
    const double h = Length(form.Value(CBoxCulvertDlg::kIdH));
    if (b <= 0 || h <= 0) {
        painter.setPen(pic::Ink());
        sheet.Label(inner.center(), QStringLiteral("b, h ungültig"));
        return;
    }
    const double t = std::min(Length(form.Value(CBoxCulvertDlg::kIdT)), h);
    const double h2 = Length(form.Value(CBoxCulvertDlg::kIdH2));
    const double level = std::min(t + h2, h);
    const double size = std::max(b, h);
    const double wall = 0.1 * size;

    // Text column at the right, the section in the rest.
    const QFontMetricsF fm(painter.font());
    const QStringList lines{QStringLiteral("b = %1 m").arg(pic::Num(form.Value(CBoxCulvertDlg::kIdB), 2)),
                            QStringLiteral("h = %1 m").arg(pic::Num(form.Value(CBoxCulvertDlg::kIdH), 2)),
                            QStringLiteral("t = %1 m").arg(pic::Num(form.Value(CBoxCulvertDlg::kIdT), 2)),
                            QStringLiteral("h2 = %1 m").arg(pic::Num(form.Value(CBoxCulvertDlg::kIdH2), 2)),
                            t + h2 >= h ? QStringLiteral("voll") : QString()};
    const QRectF drawing = sheet.TextColumn(inner, lines);
    if (drawing.width() < fm.height() || drawing.height() < fm.height())
        return; // no room left for the section

    // The section with its dimension lines, and room around it for their
    // labels: h at the left, t and h2 at the right, b below, and a line
    // above and below for the labels of short dimensions.
    const double xl = -wall - 0.1 * size, xr = b + wall + 0.1 * size, yb = -wall - 0.05 * size;
    const double line = fm.height();
    const double right =
        std::max(fm.horizontalAdvance(QStringLiteral("t")), fm.horizontalAdvance(QStringLiteral("h2")));
    const QRectF room = drawing.adjusted(fm.horizontalAdvance(QStringLiteral("h")) + line * 0.6, line * 1.4,
                                         -right - line * 0.6, -line * 1.4);
    const pic::WorldMap map(QRectF(xl, yb, xr - xl, h + wall - yb), room);
    auto rect = [&](double x0, double y0, double x1, double y1) {
        return QRectF(map(x0, y1), map(x1, y0)).normalized();
    };

    // Frame, then the clear opening.
    painter.setPen(QPen(pic::Ink(), 1.2));
    painter.setBrush(pic::Concrete());
    sheet.Fill(rect(-wall, -wall, b + wall, h + wall)); // texts stay out of the frame and the opening
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
        sheet.LevelMark(map(b / 2, level));
    }

    // Short dimensions take their labels beyond their outer ends.
    sheet.Dimension(map(xl, 0), map(xl, h), QStringLiteral("h"), true);
    sheet.Dimension(map(0, yb), map(b, yb), QStringLiteral("b"), true);
    if (t > 0)
        sheet.Dimension(map(xr, t), map(xr, 0), QStringLiteral("t"));
    if (level > t)
        sheet.Dimension(map(xr, t), map(xr, level), QStringLiteral("h2"));
}

const PictureRegistrar registered(CBoxCulvertDlg::kPicture, {{17, 10}, &PaintBoxCulvert});

} // namespace
} // namespace dralun
