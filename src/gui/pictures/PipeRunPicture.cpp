// The pipe run: cross-section of the circular pipe of the last computed
// reach with the flow depth DrH, or filled when it is overloaded. After a
// refused computation the reach computed before belongs to other inputs:
// the pipe of the DN field is drawn without water.
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "forms/CPipeRunDlg.h"
#include "gui/pictures/PictureSheet.h"
#include "gui/pictures/Pictures.h"

namespace dralun {

namespace {

enum class Filling { Unknown, Part, Full, Overloaded };

void PaintPipeRun(QPainter& painter, const QRectF& area, const CForm& form)
{
    pic::Sheet sheet(painter, area);
    const QRectF inner = sheet.Inner();

    // The last computed reach; before the first one and after a refusal,
    // the DN of the field.
    double dn = form.Value(CPipeRunDlg::kIdDN);
    double drh = std::nan("");
    Filling filling = Filling::Unknown;
    const auto* dlg = dynamic_cast<const CPipeRunDlg*>(&form);
    if (dlg && dlg->LastReach() && !form.RefusedWhole()) {
        const PipeReachResult& r = dlg->LastReach()->result;
        const double Q = dlg->LastReach()->input.Q;
        dn = dlg->LastReach()->input.DN;
        drh = r.DrH;
        if (std::isfinite(r.Qv) && std::isfinite(Q) && Q > r.Qv)
            filling = Filling::Overloaded;
        else if (std::isfinite(r.Qv) && std::isfinite(r.Qt) && r.Qv > 0 && r.Qt >= r.Qv)
            filling = Filling::Full;
        else if (std::isfinite(drh))
            filling = Filling::Part;
    }
    const bool known = std::isfinite(dn) && dn > 0;
    const double d = known ? dn / pic::kMmPerM : 1.0; // m; a plain circle without a diameter

    // World: the pipe with its wall, room for the labels below and beside.
    const double wall = 0.12 * d;
    const double rOut = d / 2 + wall;
    const double left = -rOut - 0.1 * d;
    const double right = rOut + 0.45 * d;
    const double low = -0.45 * d;
    const double high = 2 * rOut + 0.35 * d;
    const pic::WorldMap map(QRectF(left, low, right - left, high - low), inner);
    const QPointF centre = map(0, rOut); // the outer ring stands on height 0
    auto circle = [&](double radius) {
        const double r = map.Length(radius);
        return QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r);
    };
    const double invert = wall; // world height of the pipe invert
    const double crown = invert + d;

    // Wall.
    painter.setPen(QPen(pic::Ink(), 1));
    painter.setBrush(pic::Concrete());
    {
        QPainterPath ring;
        ring.addEllipse(circle(rOut));
        ring.addEllipse(circle(d / 2));
        painter.drawPath(ring);
        QPainterPath pipe;
        pipe.addEllipse(circle(rOut));
        sheet.Part(pipe); // texts stay out of the pipe, wall and opening alike
    }

    // Water up to DrH (all of the section when full or overloaded).
    double level = std::nan("");
    if (filling == Filling::Part)
        level = invert + std::clamp(drh, 0.0, d);
    else if (filling == Filling::Full || filling == Filling::Overloaded)
        level = crown;
    if (std::isfinite(level) && level > invert) {
        QPainterPath inside;
        inside.addEllipse(circle(d / 2));
        QPainterPath below;
        const QPointF top = map(-rOut, level);
        const QPointF bottom = map(rOut, invert - wall);
        below.addRect(QRectF(top, bottom).normalized());
        painter.setPen(Qt::NoPen);
        painter.setBrush(filling == Filling::Overloaded ? QColor(235, 140, 120) : pic::Water());
        painter.drawPath(inside.intersected(below));
        if (filling == Filling::Part) {
            const double half = std::sqrt(std::max(0.0, d * d / 4 - std::pow(level - invert - d / 2, 2)));
            painter.setPen(QPen(pic::WaterEdge(), 1.5));
            painter.drawLine(map(-half, level), map(half, level));
        }
    }
    painter.setPen(QPen(pic::Ink(), 1.2));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(circle(d / 2));

    // Dimensions: DN across the bottom, DrH at the right from the invert.
    const double dimY = -0.25 * d;
    sheet.Dimension(map(-d / 2, dimY), map(d / 2, dimY),
                    known ? QStringLiteral("DN %1").arg(pic::Num(dn, 0)) : QStringLiteral("DN -"), true);
    painter.setPen(QPen(pic::Ink(), 0.8, Qt::DotLine));
    sheet.Stroke(map(-d / 2, invert + d / 2), map(-d / 2, dimY));
    sheet.Stroke(map(d / 2, invert + d / 2), map(d / 2, dimY));

    const double dimX = rOut + 0.15 * d;
    if (filling == Filling::Part && level > invert) {
        sheet.Dimension(map(dimX, invert), map(dimX, level), QStringLiteral("DrH"));
        painter.setPen(QPen(pic::Ink(), 0.8, Qt::DotLine));
        sheet.Stroke(map(0, invert), map(dimX, invert));
    }

    painter.setPen(pic::Ink());
    QString text;
    switch (filling) {
    case Filling::Part: text = QStringLiteral("DrH = %1 m").arg(pic::Num(drh, 3)); break;
    case Filling::Full: text = QStringLiteral("Vollfüllung"); break;
    case Filling::Overloaded: text = QStringLiteral("überlastet: Q > Qv"); break;
    case Filling::Unknown: text = QStringLiteral("DrH = -"); break;
    }
    sheet.Label(map(0, crown + wall + 0.17 * d), text);
}

const PictureRegistrar registered(CPipeRunDlg::kPicture, {{11, 11}, &PaintPipeRun});

} // namespace
} // namespace dralun
