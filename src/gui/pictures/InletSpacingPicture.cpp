// The gutter form of the inlet spacing tables in cross-section: the curb,
// the carriageway with the chosen cross-fall (for the V-gutter the 0.50 m
// strip with its own cross-fall and the carriageway at 2.5 % beyond it),
// the water at the widest tabulated spread b = 1.00 m with marks at the
// other widths, and the grating beside the curb (for the inlet bay the bay
// set into the gutter). Heights are drawn exaggerated; the factor is given.
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "forms/CInletSpacingDlg.h"
#include "gui/pictures/PictureSheet.h"
#include "gui/pictures/Pictures.h"

namespace dralun {

namespace {

constexpr double kStrip = 0.50;          // width of the V-gutter strip, m
constexpr double kBesideStrip = 0.025;   // carriageway beyond the strip
constexpr double kGrating = 0.50;        // grating width II and III, m
constexpr double kSpreads[] = {0.30, 0.50, 0.70, 0.85, 1.00};
constexpr double kWidth = 1.25;          // carriageway shown, m

struct Road {
    int family;
    double fall; // cross-fall of the carriageway, or of the strip for the V-gutter (fraction)
};

double Bed(const Road& r, double x)
{
    if (r.family != 2 || x <= kStrip)
        return x * r.fall;
    return kStrip * r.fall + (x - kStrip) * kBesideStrip;
}

// A value for a label: fixed decimals, or three digits when it is huge.
QString Short(double value, int decimals)
{
    if (std::isfinite(value) && std::fabs(value) >= 1e5)
        return QString::number(value, 'g', 3).replace(QLatin1Char('.'), pic::DecimalSign::Comma() ? QLatin1Char(',') : QLatin1Char('.'));
    return pic::Num(value, decimals);
}

// 1, 2 or 5 times a power of ten, not above v.
double RoundFactor(double v)
{
    if (!(v > 1))
        return 1;
    const double p = std::pow(10.0, std::floor(std::log10(v)));
    const double m = v / p;
    return p * (m >= 5 ? 5 : m >= 2 ? 2 : 1);
}

void PaintInletSpacing(QPainter& painter, const QRectF& area, const CForm& form)
{
    pic::Sheet sheet(painter, area);
    const QRectF inner = sheet.Inner();
    const QFontMetricsF fm(painter.font());
    const auto* dlg = dynamic_cast<const CInletSpacingDlg*>(&form);
    const int family = dlg ? std::clamp(dlg->Family(), 0, 2) : 0;
    const double crossFall = dlg ? dlg->CrossFall() : 0.0;
    const Road road{family, std::min(pic::Positive(crossFall), 50.0) / 100};
    const double slope = form.Value(CInletSpacingDlg::kIdS);

    static const char* const kNames[3] = {"Bordrinne", "Straßenablaufbucht", "Spitzrinne"};
    const QString fall = family == 2 ? QStringLiteral("qS = %1 %").arg(Short(crossFall, 1))
                                     : QStringLiteral("q = %1 %").arg(Short(crossFall, 1));
    painter.setPen(pic::Ink());
    QFont bold = painter.font();
    bold.setBold(true);
    painter.save();
    painter.setFont(bold);
    sheet.Label(QPointF(inner.center().x(), inner.top() + fm.height() * 0.3),
                QStringLiteral("%1   %2").arg(QString::fromUtf8(kNames[family]), fall));
    painter.restore();

    // Widths to scale, heights exaggerated so that the water stands out.
    const double deepest = std::max(Bed(road, kWidth), 0.002);
    const double k = RoundFactor(0.35 * kWidth / deepest);
    const double curb = 0.07 * kWidth;
    const double top = deepest * 1.3;
    const QRectF body = inner.adjusted(0, fm.height() * 1.0, 0, -fm.height() * 1.0);
    const pic::WorldMap map(QRectF(-curb, -0.3 * top * k, kWidth + curb, 1.6 * top * k), body);
    auto at = [&](double x, double y) { return map(x, y * k); };

    // Water up to the widest spread.
    const double b = kSpreads[4];
    const double level = Bed(road, b);
    if (level > 0) {
        QPolygonF water;
        water << at(0, 0);
        if (family == 2)
            water << at(kStrip, Bed(road, kStrip));
        water << at(b, level) << at(0, level);
        painter.setPen(Qt::NoPen);
        painter.setBrush(pic::Water());
        painter.drawPolygon(water);
        painter.setPen(QPen(pic::WaterEdge(), 1.5));
        sheet.Stroke(at(0, level), at(b, level));
        // Marks of the tabulated spreads on the water line.
        const double tick = fm.height() * 0.3;
        for (const double spread : kSpreads) {
            const QPointF p = at(spread, level);
            sheet.Stroke(p + QPointF(0, -tick), p + QPointF(0, tick));
        }
    }

    // Carriageway and curb.
    QPolygonF ground;
    ground << at(kWidth, Bed(road, kWidth));
    if (family == 2)
        ground << at(kStrip, Bed(road, kStrip));
    ground << at(0, 0) << at(0, top) << at(-curb, top) << at(-curb, -0.3 * top) << at(kWidth, -0.3 * top);
    painter.setPen(QPen(pic::Ink(), 1.2));
    painter.setBrush(pic::Concrete());
    sheet.Fill(ground);
    if (family == 2) {
        painter.setPen(QPen(pic::Ink(), 1, Qt::DashLine));
        sheet.Stroke(at(kStrip, Bed(road, kStrip)), at(kStrip, -0.3 * top));
    }

    // The grating on the bed beside the curb; the bay lies deeper than the gutter.
    painter.setPen(QPen(pic::Ink(), std::max(2.0, fm.height() * 0.25), Qt::SolidLine, Qt::FlatCap));
    if (family == 1) {
        const double drop = 0.15 * top;
        painter.setBrush(Qt::NoBrush);
        sheet.Stroke(at(0, -drop), at(kGrating, Bed(road, kGrating) - drop));
        painter.setPen(QPen(pic::Ink(), 1, Qt::DashLine));
        sheet.Stroke(at(kGrating, Bed(road, kGrating)), at(kGrating, Bed(road, kGrating) - drop));
    } else {
        sheet.Stroke(at(0, 0), at(kGrating, Bed(road, kGrating)));
    }

    if (level > 0)
        sheet.Dimension(at(b, level + 0.18 * top), at(0, level + 0.18 * top), QStringLiteral("b"));

    painter.setPen(pic::Ink());
    sheet.Label(QPointF(inner.center().x(), inner.bottom() - fm.height() * 0.3),
                QStringLiteral("s = %1 %   Höhen %2-fach überhöht").arg(Short(slope, 1)).arg(k, 0, 'f', 0));
}

const PictureRegistrar registered(CInletSpacingDlg::kPicture, {{17, 8.5}, &PaintInletSpacing});

} // namespace
} // namespace dralun
