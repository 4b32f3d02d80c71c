// The infiltration swale and the infiltration trench in longitudinal
// section: the bed falling with J, the thresholds of height h_s every L_s
// metres, the water retained behind the lower threshold up to its crest and
// reaching upstream over L (to the bed, or to the upper threshold where it
// stands t_E deep), and the top edge of the swale or trench. The ends of the
// neighbouring sections are drawn alike. Heights are exaggerated, as noted.
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "forms/CInfiltrationForm.h"
#include "forms/CInfiltrationSwaleDlg.h"
#include "forms/CInfiltrationTrenchDlg.h"
#include "gui/pictures/PictureSheet.h"
#include "gui/pictures/Pictures.h"

namespace dralun {

namespace {

// The largest factor of exaggeration from the series 1, 2, 5, 10, 20, 50 ...
// that does not exceed the wanted one.
double NiceFactor(double wanted)
{
    if (!(wanted > 1) || !std::isfinite(wanted))
        return 1;
    const double decade = std::pow(10.0, std::floor(std::log10(wanted)));
    for (double step : {5.0, 2.0})
        if (step * decade <= wanted)
            return step * decade;
    return decade;
}

bool Drawable(double v, double limit = 1e7) { return std::isfinite(v) && std::fabs(v) <= limit; }

void PaintLongSection(QPainter& painter, const QRectF& area, const CForm& form)
{
    pic::Sheet sheet(painter, area);
    const QRectF inner = sheet.Inner();
    painter.setPen(pic::Ink());
    const auto* infiltration = dynamic_cast<const CInfiltrationForm*>(&form);
    if (!infiltration)
        return;
    const CInfiltrationForm::LongSection s = infiltration->Section();
    const double Ls = s.Ls;
    const double slope = s.J / pic::kPerMille;
    if (!s.computed || !(Ls > 0) || !Drawable(Ls) || !Drawable(s.J, 1e4) || !(s.hs > 0) || !Drawable(s.hs, 1e3)) {
        sheet.Label(inner.center(), QStringLiteral("Schwellenabstand nicht bestimmt"));
        return;
    }
    const double hs = s.hs;
    const double depth = Drawable(s.depth, 1e3) ? std::max(s.depth, hs) : hs;
    const double L = Drawable(s.L) ? std::clamp(s.L, 0.0, Ls) : 0.0;
    const double tE = Drawable(s.tE, 1e3) ? s.tE : 0.0;

    const double margin = 0.12 * Ls;
    const double x0 = -margin;
    const double x1 = Ls + margin;
    auto bed = [&](double x) { return -slope * x; };
    const double low = std::min(bed(x0), bed(x1));
    const double high = std::max(bed(x0), bed(x1)) + depth;
    const double rise = high - low;

    // Room for the labels: above the drawing the exaggeration note and the
    // spacing, then a line for t_E, J and V; below it L; the threshold
    // height at the right.
    const QFontMetricsF fm(painter.font());
    const double line = fm.height();
    const QString hsText = pic::Sym("h_s") + QStringLiteral(" = %1 m").arg(pic::Num(hs, 2));
    const double gap = line * 0.6;
    const double right = fm.horizontalAdvance(hsText) + gap + line;
    const QRectF drawing = inner.adjusted(line * 0.5, line * 3.4, -right, -line * 1.6);
    const double under = low - 0.15 * rise; // the soil under the bed
    const double e = NiceFactor(0.9 * (x1 - x0) / rise * drawing.height() / drawing.width());
    const pic::WorldMap world(QRectF(x0, under * e, x1 - x0, (high - under) * e), drawing);
    auto map = [&](double x, double y) { return world(x, y * e); };

    // Soil under the bed and the top edge of the swale or trench.
    painter.setPen(Qt::NoPen);
    painter.setBrush(pic::Soil());
    sheet.Fill(QPolygonF{map(x0, bed(x0)), map(x1, bed(x1)), map(x1, under), map(x0, under)});

    // Water of the section whose lower threshold stands at `end`, within [x0, x1].
    auto water = [&](double end) {
        const double level = bed(end) + hs;
        const double a = std::max(end - L, x0);
        const double b = std::min(end, x1);
        if (!(b > a) || L <= 0)
            return;
        QPolygonF poly{map(a, bed(a)), map(b, bed(b))};
        if (level > bed(b))
            poly << map(b, level);
        if (level > bed(a))
            poly << map(a, level);
        painter.setPen(Qt::NoPen);
        painter.setBrush(pic::Water());
        painter.drawPolygon(poly);
        painter.setPen(QPen(pic::WaterEdge(), 1.5));
        sheet.Stroke(map(a, std::max(level, bed(a))), map(b, std::max(level, bed(b))));
    };
    water(0);
    water(Ls);
    water(2 * Ls);

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(pic::Ink(), 1.5));
    sheet.Stroke(map(x0, bed(x0)), map(x1, bed(x1)));
    painter.setPen(QPen(pic::Ink(), 1, Qt::DashLine));
    sheet.Stroke(map(x0, bed(x0) + depth), map(x1, bed(x1) + depth));

    // The thresholds: narrow blocks h_s high.
    const double half = std::max(line * 0.25 / world.Length(1), 0.0);
    painter.setPen(QPen(pic::Ink(), 1));
    painter.setBrush(pic::Concrete());
    for (double x : {0.0, Ls})
        sheet.Fill(QRectF(map(x - half, bed(x) + hs), map(x + half, bed(x))));

    // Spacing above, water length below, heights beside the thresholds.
    const double top = drawing.top() - line * 1.65;
    sheet.Dimension(QPointF(map(0, 0).x(), top), QPointF(map(Ls, 0).x(), top),
                    pic::Sym("L_s") + QStringLiteral(" = %1 m").arg(pic::Num(Ls, 2)));
    const double bottom = map(x0, under).y() + line * 0.2;
    if (L > 0)
        sheet.Dimension(QPointF(map(Ls - L, 0).x(), bottom), QPointF(map(Ls, 0).x(), bottom),
                        QStringLiteral("L = %1 m").arg(pic::Num(L, 2)), true);

    // The threshold height beside the drawing, clear of the water that
    // follows the threshold, with dotted lines from its foot and crest.
    const double xs = map(x1, 0).x() + gap;
    const QPointF foot(xs, map(Ls, bed(Ls)).y()), crest(xs, map(Ls, bed(Ls) + hs).y());
    painter.setPen(QPen(pic::Ink(), 0.8, Qt::DotLine));
    for (const QPointF& level : {foot, crest})
        sheet.Stroke(QPointF(map(Ls + half, 0).x(), level.y()), level);
    sheet.Dimension(foot, crest, hsText);
    // t_E stands at the downstream face of the upper threshold; its value,
    // the bed slope and the volume take the line above the drawing.
    const double labels = drawing.top() - line * 0.6;
    const QPointF upperFoot = map(0, bed(0));
    if (tE > 0)
        sheet.Dimension(upperFoot + QPointF(gap, 0), map(0, bed(0) + std::min(tE, hs)) + QPointF(gap, 0),
                        QString());
    // Each of them at its place along the section, or further right when the
    // one before reaches there.
    painter.setPen(pic::Ink());
    const QStringList texts{pic::Sym("t_E") + QStringLiteral(" = %1 m").arg(pic::Num(std::max(tE, 0.0), 2)),
                            QStringLiteral("J = %1 ‰").arg(pic::Num(s.J, 2)),
                            std::isfinite(s.V) ? QStringLiteral("V = %1 m³").arg(pic::Num(s.V, 2)) : QString()};
    const double wanted[] = {upperFoot.x() + gap * 0.5, map(Ls * 0.3, 0).x(), map(Ls * 0.6, 0).x()};
    double free = inner.left();
    for (int i = 0; i < texts.size(); ++i) {
        const double w = fm.horizontalAdvance(texts[i]);
        const double left = std::max(i == 0 ? wanted[i] : wanted[i] - w / 2, free);
        sheet.Place(texts[i], {{QPointF(left, labels), Qt::AlignLeft}});
        free = left + w + line;
    }
    if (e > 1)
        sheet.Text(QPointF(inner.left(), inner.top() + fm.ascent()),
                   QStringLiteral("Höhen %1-fach überhöht").arg(e, 0, 'f', 0));
}

const PictureRegistrar swale(CInfiltrationSwaleDlg::kPicture, {{76, 13}, &PaintLongSection});
const PictureRegistrar trench(CInfiltrationTrenchDlg::kPicture, {{76, 13}, &PaintLongSection});

} // namespace
} // namespace dralun
