// The bridge deck in plan: the drained width BSt falling across to the low
// edge, where the drains sit at the spacing L; the grating drawn in the
// size chosen. Proportions follow L and BSt within limits (schematic).
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "forms/CForm.h"
#include "forms/CBridgeDrainDlg.h"
#include "gui/pictures/PictureSheet.h"
#include "gui/pictures/Pictures.h"

namespace dralun {

namespace {

using D = CBridgeDrainDlg;

void PaintBridgeDrains(QPainter& painter, const QRectF& area, const CForm& form)
{
    pic::Sheet sheet(painter, area);
    const QRectF inner = sheet.Inner();
    const QFontMetricsF fm(painter.font());
    const double Lv = form.Value(D::kIdL);
    const double BSt = pic::Positive(form.Value(D::kIdBSt));
    const bool large = form.IsChecked(D::kIdGratingLarge);

    // Deck of a little more than two spacings; the spacing drawn between one
    // and two and a half widths.
    const double width = BSt > 0 ? BSt : 7.0;
    const double L = std::clamp(pic::Positive(Lv) > 0 ? pic::Positive(Lv) : 2 * width, width, 2.5 * width);
    const double length = 2.4 * L;
    // Under the deck the spacing with its label, then two lines of text.
    const QRectF body = inner.adjusted(fm.height() * 2.2, fm.height() * 0.6, -fm.height() * 0.4, -fm.height() * 3.8);
    const double kerb = 0.06 * width;
    const pic::WorldMap map(QRectF(-0.05 * length, -kerb, 1.1 * length, 1.45 * width + kerb), body);

    // Deck, kerbs on both edges.
    painter.setPen(QPen(pic::Ink(), 1.2));
    painter.setBrush(pic::Concrete().lighter(115));
    painter.drawRect(QRectF(map(0, width), map(length, 0)));
    painter.setBrush(pic::Stone());
    sheet.Fill(QRectF(map(0, 0), map(length, -kerb)));
    sheet.Fill(QRectF(map(0, width + kerb), map(length, width)));

    // Drains at the low edge, at the spacing L.
    const double gx = (large ? 0.5 : 0.3) * width * 0.12 / 0.3, gy = 0.5 * width * 0.12 / 0.3;
    painter.setBrush(pic::Ink());
    for (int i = 0; i < 3; ++i) {
        const double x = 0.2 * L + i * L;
        sheet.Fill(QRectF(map(x - gx / 2, gy), map(x + gx / 2, 0)));
    }

    // Falls: across to the drains, along the deck.
    painter.setPen(QPen(pic::WaterEdge(), 1.5));
    for (double x : {0.7 * L, 1.7 * L})
        sheet.Arrow(map(x, 0.85 * width), map(x, 0.3 * width));
    sheet.Arrow(map(0.15 * L, 0.55 * width), map(0.45 * L, 0.55 * width));
    // The falls named beside their arrows, clear of the arrow heads.
    painter.setPen(pic::Ink());
    const double line = fm.height();
    const QPointF across = map(0.7 * L, 0.575 * width), along = map(0.3 * L, 0.55 * width);
    sheet.Place(QStringLiteral("qf"), {{across + QPointF(line * 0.45, 0), Qt::AlignLeft},
                                       {across - QPointF(line * 0.45, 0), Qt::AlignRight}});
    sheet.Place(QStringLiteral("s"), {{along - QPointF(0, line * 0.7)}, {along + QPointF(0, line * 0.7)}});

    // The spacing under the low kerb, the width beside the deck.
    const double below = map(0, -kerb).y() + line * 0.4;
    sheet.Dimension(QPointF(map(0.2 * L, 0).x(), below), QPointF(map(1.2 * L, 0).x(), below), QStringLiteral("L"),
                    true);
    sheet.Dimension(map(-0.02 * length, 0), map(-0.02 * length, width), QStringLiteral("BSt"), true);

    sheet.Label(QPointF(inner.left(), inner.bottom() - fm.height() * 1.6),
                QStringLiteral("L = %1 m   BSt = %2 m").arg(pic::Num(Lv, 2), pic::Num(form.Value(D::kIdBSt), 2)),
                Qt::AlignLeft);
    sheet.Label(QPointF(inner.left(), inner.bottom() - fm.height() * 0.5),
                QStringLiteral("Aufsatz %1 mm").arg(large ? QStringLiteral("500 x 500") : QStringLiteral("300 x 500")),
                Qt::AlignLeft);
}

const PictureRegistrar registered(CBridgeDrainDlg::kPicture, {{28, 13}, &PaintBridgeDrains});

} // namespace
} // namespace dralun
