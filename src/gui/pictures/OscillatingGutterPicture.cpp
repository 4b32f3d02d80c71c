// The oscillating gutter in longitudinal section: the road edge falling
// with sf, the gutter bed in a saw-tooth between two high points and the
// inlet at the low point, the branches L2 (with the road's fall) and L1
// (against it), the depths at the high and the low point. Heights are drawn
// exaggerated; without usable lengths the branches are drawn schematically.
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "forms/CForm.h"
#include "forms/COscillatingGutterDlg.h"
#include "gui/pictures/PictureSheet.h"
#include "gui/pictures/Pictures.h"

namespace dralun {

namespace {

using D = COscillatingGutterDlg;

void PaintOscillatingGutter(QPainter& painter, const QRectF& area, const CForm& form)
{
    pic::Sheet sheet(painter, area);
    const QRectF inner = sheet.Inner();
    const QFontMetricsF fm(painter.font());
    const double L1v = form.Value(D::kIdL1), L2v = form.Value(D::kIdL2);
    double L1 = pic::Positive(L1v), L2 = pic::Positive(L2v);
    const bool schematic = L1 <= 0 || L2 <= 0;
    if (schematic) {
        L1 = 2;
        L2 = 3;
    }
    // Depths below the road edge at the high and the low point, in m.
    double dhh = pic::Positive(form.Value(D::kIdDhh)) / 100, dht = pic::Positive(form.Value(D::kIdDht)) / 100;
    if (!(dht > dhh)) {
        dhh = 1;
        dht = 4;
    }
    const double sf = std::isfinite(form.Value(D::kIdSf)) ? std::clamp(form.Value(D::kIdSf), 0.0, 5.0) / 100 : 0.0;
    const double length = L1 + L2;

    // Horizontal to scale in metres; vertical in a scale of its own so that
    // the saw-tooth fills the height that is left.
    const double fall = sf * length;
    const double span = dht + fall;
    // Below the drawing the name of the inlet, then two lines of text.
    const QRectF body = inner.adjusted(fm.height() * 0.5, fm.height() * 2.2, -fm.height() * 0.5, -fm.height() * 4.2);
    const double worldWidth = 1.14 * length;
    const double ky = worldWidth * body.height() / std::max(body.width(), 1.0) / (1.7 * std::max(span, 1e-9));
    const pic::WorldMap map(QRectF(-0.09 * length, -1.35 * span * ky, worldWidth, 1.7 * span * ky), body);
    auto at = [&](double x, double y) { return map(x, y * ky); };
    auto road = [&](double x) { return -sf * x; };

    // The gutter bed below the road edge: ground under it, the channel open above.
    const double xIn = L2;
    auto bed = [&](double x) {
        if (x <= xIn)
            return road(x) - (dhh + (dht - dhh) * x / L2);
        return road(x) - (dht - (dht - dhh) * (x - xIn) / L1);
    };
    const double base = -1.3 * span;
    QPolygonF ground{at(0, bed(0)), at(xIn, bed(xIn)), at(length, bed(length)), at(length, base), at(0, base)};
    painter.setPen(QPen(pic::Ink(), 1.2));
    painter.setBrush(pic::Concrete());
    sheet.Fill(ground);
    painter.setPen(QPen(pic::Ink(), 1.2, Qt::DashLine));
    sheet.Stroke(at(0, road(0)), at(length, road(length)));
    painter.setPen(QPen(pic::Ink(), 1.2));
    sheet.Stroke(at(0, road(0)), at(0, bed(0)));
    sheet.Stroke(at(length, road(length)), at(length, bed(length)));

    // Flow towards the inlet on both branches.
    painter.setPen(QPen(pic::WaterEdge(), 1.5));
    const double yArrow = 0.35;
    sheet.Arrow(at(0.25 * L2, bed(0.25 * L2) + yArrow * (dht - dhh)),
               at(0.75 * L2, bed(0.75 * L2) + yArrow * (dht - dhh)));
    sheet.Arrow(at(xIn + 0.75 * L1, bed(xIn + 0.75 * L1) + yArrow * (dht - dhh)),
               at(xIn + 0.25 * L1, bed(xIn + 0.25 * L1) + yArrow * (dht - dhh)));

    // The inlet at the low point.
    const double w = fm.height() * 0.8;
    const QPointF low = at(xIn, bed(xIn));
    painter.setPen(QPen(pic::Ink(), 1.2));
    painter.setBrush(pic::Stone());
    sheet.Fill(QRectF(low.x() - w / 2, low.y(), w, w * 1.6));
    painter.setPen(pic::Ink());
    const QPointF under = at(xIn, base) + QPointF(0, fm.height() * 0.7);
    sheet.Place(QStringLiteral("Ablauf"),
                {{under}, {under - QPointF(w, 0), Qt::AlignRight}, {under + QPointF(w, 0), Qt::AlignLeft}});

    // Depths at the high point (left) and the low point.
    sheet.Dimension(at(-0.015 * length, road(0)), at(-0.015 * length, bed(0)), QStringLiteral("dhh"), true);
    // A shallow low point takes its label above the road edge.
    const QString dhtText = QStringLiteral("dht");
    const QPointF edge = at(xIn, road(xIn));
    sheet.Dimension(edge, low, QString());
    std::vector<pic::Spot> spots = sheet.DimensionSpots(edge, low, dhtText);
    const double off = fm.height() * 0.3, lift = fm.height() / 2 + 3;
    spots.push_back({edge + QPointF(off, -lift), Qt::AlignLeft});
    spots.push_back({edge + QPointF(-off, -lift), Qt::AlignRight});
    sheet.Place(dhtText, spots);

    // Lengths above the road edge.
    const double above = 0.25 * span;
    sheet.Dimension(at(0, above), at(xIn, above), QStringLiteral("L2"));
    sheet.Dimension(at(xIn, above), at(length, above), QStringLiteral("L1"));
    painter.setPen(QPen(pic::Ink(), 0.8, Qt::DotLine));
    for (double x : {0.0, xIn, length})
        sheet.Stroke(at(x, above * 1.3), at(x, road(x)));

    painter.setPen(pic::Ink());
    const QString head = QStringLiteral("Straßengefälle sf = %1 %  →").arg(pic::Num(form.Value(D::kIdSf), 2));
    sheet.Label(QPointF(inner.left(), inner.top() + fm.height() * 0.5), head, Qt::AlignLeft);
    sheet.Label(QPointF(inner.left(), inner.bottom() - fm.height() * 1.6),
                QStringLiteral("L1 = %1 m   L2 = %2 m   L = %3 m")
                   .arg(pic::Num(L1v, 3), pic::Num(L2v, 3), pic::Num(form.Value(D::kIdL), 3)),
                Qt::AlignLeft);
    sheet.Label(QPointF(inner.left(), inner.bottom() - fm.height() * 0.5),
                schematic ? QStringLiteral("gestrichelt: Fahrbahnrand; Längen schematisch, Höhen überhöht")
                         : QStringLiteral("gestrichelt: Fahrbahnrand; Höhen überhöht"),
                Qt::AlignLeft);
}

const PictureRegistrar registered(COscillatingGutterDlg::kPicture, {{34, 17}, &PaintOscillatingGutter});

} // namespace
} // namespace dralun
