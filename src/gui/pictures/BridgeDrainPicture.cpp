// The bridge deck in plan: the drained width BSt falling across to the low
// edge, where the drains sit at the spacing L; the grating drawn in the
// size chosen. Proportions follow L and BSt within limits (schematic).
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "forms/CForm.h"
#include "gui/pictures/PictureKit.h"
#include "gui/pictures/Pictures.h"

namespace dralun {

namespace {

void PaintBridgeDrains(QPainter& painter, const QRectF& area, const CForm& form)
{
    const QRectF inner = pic::Panel(painter, area);
    const QFontMetricsF fm(painter.font());
    const double Lv = form.Value(1003);
    const double BSt = pic::Positive(form.Value(1002));
    const bool large = form.IsChecked(1008);

    // Deck of a little more than two spacings; the spacing drawn between one
    // and two and a half widths.
    const double width = BSt > 0 ? BSt : 7.0;
    const double L = std::clamp(pic::Positive(Lv) > 0 ? pic::Positive(Lv) : 2 * width, width, 2.5 * width);
    const double length = 2.4 * L;
    const QRectF body = inner.adjusted(fm.height() * 2.2, fm.height() * 0.6, -fm.height() * 0.4, -fm.height() * 3.0);
    const pic::WorldMap map(QRectF(-0.05 * length, -0.1 * width, 1.1 * length, 1.55 * width), body);

    // Deck, kerbs on both edges.
    painter.setPen(QPen(pic::Ink(), 1.2));
    painter.setBrush(pic::Concrete().lighter(115));
    painter.drawRect(QRectF(map(0, width), map(length, 0)));
    painter.setBrush(pic::Stone());
    const double kerb = 0.06 * width;
    painter.drawRect(QRectF(map(0, 0), map(length, -kerb)));
    painter.drawRect(QRectF(map(0, width + kerb), map(length, width)));

    // Drains at the low edge, at the spacing L.
    const double gx = (large ? 0.5 : 0.3) * width * 0.12 / 0.3, gy = 0.5 * width * 0.12 / 0.3;
    painter.setBrush(pic::Ink());
    for (int i = 0; i < 3; ++i) {
        const double x = 0.2 * L + i * L;
        painter.drawRect(QRectF(map(x - gx / 2, gy), map(x + gx / 2, 0)));
    }

    // Falls: across to the drains, along the deck.
    painter.setPen(QPen(pic::WaterEdge(), 1.5));
    for (double x : {0.7 * L, 1.7 * L})
        pic::Arrow(painter, map(x, 0.85 * width), map(x, 0.3 * width));
    pic::Arrow(painter, map(0.15 * L, 0.55 * width), map(0.45 * L, 0.55 * width));
    painter.setPen(pic::Ink());
    pic::Label(painter, map(0.72 * L, 0.58 * width), QStringLiteral("qf"), Qt::AlignLeft);
    pic::Label(painter, map(0.3 * L, 0.68 * width), QStringLiteral("s"));

    pic::Dimension(painter, map(0.2 * L, -0.05 * width), map(1.2 * L, -0.05 * width), QStringLiteral("L"), true);
    pic::Dimension(painter, map(-0.02 * length, 0), map(-0.02 * length, width), QStringLiteral("BSt"), true);

    pic::Label(painter, QPointF(inner.left(), inner.bottom() - fm.height() * 1.6),
               QStringLiteral("L = %1 m   BSt = %2 m").arg(pic::Num(Lv, 2), pic::Num(form.Value(1002), 2)),
               Qt::AlignLeft);
    pic::Label(painter, QPointF(inner.left(), inner.bottom() - fm.height() * 0.5),
               QStringLiteral("Aufsatz %1 mm").arg(large ? QStringLiteral("500 x 500") : QStringLiteral("300 x 500")),
               Qt::AlignLeft);
}

const PictureRegistrar registered(169, {{28, 13}, &PaintBridgeDrains});

} // namespace
} // namespace dralun
