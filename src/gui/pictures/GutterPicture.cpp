// The curb gutter and the V-gutter in cross-section, side by side: the curb
// face, the carriageway with its cross-fall, the V-gutter strip, the water
// against the curb with its depth h and its spread b. Heights are drawn
// exaggerated (the factor is written under each section).
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "forms/CForm.h"
#include "forms/CGutterDlg.h"
#include "gui/pictures/PictureSheet.h"
#include "gui/pictures/Pictures.h"

namespace dralun {

namespace {

struct Section {
    const char* title;
    double b;  // water-spread width, m
    double h;  // water depth at the curb, m
    double qf; // cross-fall of the carriageway, fraction
    double bS; // strip width, m (0: curb gutter)
    double qS; // strip cross-fall, fraction
    double Q;  // l/s
};

// Height of the gutter bed at distance x from the curb, m.
double Bed(const Section& s, double x)
{
    if (x <= s.bS)
        return x * s.qS;
    return s.bS * s.qS + (x - s.bS) * s.qf;
}

void PaintSection(pic::Sheet& sheet, const QRectF& area, const Section& s)
{
    QPainter& painter = sheet.Painter();
    const QFontMetricsF fm(painter.font());
    // Under the title a line for the label of the spread, at the right the
    // label of the depth; under the drawing two lines of text.
    const double right = fm.horizontalAdvance(QStringLiteral("h")) + fm.height() * 0.6;
    const QRectF body = area.adjusted(0, fm.height() * 2.5, -right, -fm.height() * 2.4);

    // Widths to scale; heights exaggerated so that the deepest water is well visible.
    const double width = std::max({s.b, s.bS, 0.1}) * 1.35;
    const double top = std::max({s.h, Bed(s, width), 0.002}) * 1.5;
    double k = std::clamp(0.45 * width / top, 1.0, 1e6);
    k = std::pow(10.0, std::floor(std::log10(k))) * (k / std::pow(10.0, std::floor(std::log10(k))) >= 5 ? 5 : 1);
    const double curb = 0.06 * width;
    const pic::WorldMap map(QRectF(-width, -0.25 * top * k, width + 1.6 * curb, 1.25 * top * k), body);
    auto at = [&](double x, double y) { return map(-x, y * k); };

    // Water against the curb: below the level h and above the bed.
    if (s.h > 0 && s.b > 0) {
        QPolygonF water;
        water << at(0, 0);
        if (s.bS > 0 && s.b > s.bS)
            water << at(s.bS, Bed(s, s.bS));
        water << at(s.b, s.h) << at(0, s.h);
        painter.setPen(Qt::NoPen);
        painter.setBrush(pic::Water());
        painter.drawPolygon(water);
        painter.setPen(QPen(pic::WaterEdge(), 1.5));
        sheet.Stroke(at(s.b, s.h), at(0, s.h));
    }

    // Carriageway (and strip) with the curb.
    QPolygonF ground;
    ground << at(width, Bed(s, width));
    if (s.bS > 0)
        ground << at(s.bS, Bed(s, s.bS));
    ground << at(0, 0) << at(0, top) << map(curb, top * k) << map(curb, -0.25 * top * k)
           << at(width, -0.25 * top);
    painter.setPen(QPen(pic::Ink(), 1.2));
    painter.setBrush(pic::Concrete());
    sheet.Fill(ground);
    if (s.bS > 0) {
        painter.setPen(QPen(pic::Ink(), 1, Qt::DashLine));
        sheet.Stroke(at(s.bS, Bed(s, s.bS)), at(s.bS, -0.25 * top));
    }

    // Dimensions: spread above the water, depth beside the curb face.
    const double lift = 0.12 * top;
    if (s.b > 0 && s.h > 0)
        sheet.Dimension(at(s.b, s.h + lift), at(0, s.h + lift), QStringLiteral("b"));
    if (s.h > 0)
        sheet.Dimension(map(curb * 1.6, 0), map(curb * 1.6, s.h * k), QStringLiteral("h"));

    painter.setPen(pic::Ink());
    QFont bold = painter.font();
    bold.setBold(true);
    painter.save();
    painter.setFont(bold);
    sheet.Label(QPointF(area.center().x(), area.top() + fm.height() * 0.6), QString::fromUtf8(s.title));
    painter.restore();
    sheet.Label(QPointF(area.center().x(), area.bottom() - fm.height() * 1.5),
                QStringLiteral("h = %1 cm   b = %2 m   Q = %3 l/s")
                   .arg(pic::Num(s.h * 100, 2), pic::Num(s.b, 2), pic::Num(s.Q, 2)));
    sheet.Label(QPointF(area.center().x(), area.bottom() - fm.height() * 0.4),
                QStringLiteral("Höhen %1-fach überhöht").arg(k, 0, 'f', 0));
}

void PaintGutters(QPainter& painter, const QRectF& area, const CForm& form)
{
    pic::Sheet sheet(painter, area);
    const QRectF inner = sheet.Inner();
    using D = CGutterDlg;
    const double qf = pic::Positive(form.Value(D::kIdQf)) / 100;
    const double bS = pic::Positive(form.Value(D::kIdBS));
    const double qS = pic::Positive(form.Value(D::kIdQS)) / 100;
    const Section curb{"Bordrinne", pic::Positive(form.Value(D::kIdB1)), pic::Positive(form.Value(D::kIdH1)) / 100,
                       qf, 0, 0, form.Value(D::kIdQ1)};
    const Section vee{"Spitzrinne", pic::Positive(form.Value(D::kIdB2)), pic::Positive(form.Value(D::kIdH2)) / 100,
                      qf, bS, qS, form.Value(D::kIdQ2)};
    const double gap = painter.fontMetrics().height();
    const double half = (inner.width() - gap) / 2;
    PaintSection(sheet, QRectF(inner.left(), inner.top(), half, inner.height()), curb);
    PaintSection(sheet, QRectF(inner.left() + half + gap, inner.top(), half, inner.height()), vee);
}

const PictureRegistrar registered(CGutterDlg::kPicture, {{50, 12}, &PaintGutters});

} // namespace
} // namespace dralun
