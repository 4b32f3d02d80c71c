// The throttle section in longitudinal section: the basin with its highest
// water level, the throttle pipe of diameter du and length L, the outlet with
// its invert and its water level mD du, and the crown plus freeboard that the
// basin level must reach. Levels to scale; the length is drawn shortened
// when it would not fit.
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "forms/CForm.h"
#include "forms/CThrottleSectionDlg.h"
#include "gui/pictures/PictureSheet.h"
#include "gui/pictures/Pictures.h"

namespace dralun {

namespace {

double Finite(double v) { return std::isfinite(v) ? v : 0.0; }

void PaintThrottleSection(QPainter& painter, const QRectF& area, const CForm& form)
{
    pic::Sheet sheet(painter, area);
    const QRectF inner = sheet.Inner();
    const QFontMetricsF fm(painter.font());

    const double d = pic::Positive(form.Value(CThrottleSectionDlg::kIdDu)) / pic::kMmPerM;
    const double L = pic::Positive(form.Value(CThrottleSectionDlg::kIdL));
    const double I = Finite(form.Value(CThrottleSectionDlg::kIdI)) / pic::kPerMille;
    const double outlet = Finite(form.Value(CThrottleSectionDlg::kIdHRs));
    const double hmax = Finite(form.Value(CThrottleSectionDlg::kIdHmax));
    const double mD = std::clamp(Finite(form.Value(CThrottleSectionDlg::kIdMD)), 0.0, 1.0);
    const double inletInvert = outlet + I * L;
    const double crownCheck = outlet + d + I * L + 0.05;
    const double outletLevel = outlet + mD * d;

    // Levels in metres; keep a least height so that nothing collapses.
    const double low = std::min({outlet, inletInvert, hmax});
    const double high = std::max({hmax, crownCheck, outletLevel, inletInvert + d});
    const double height = std::max(high - low, 0.05);
    const double bottom = low - 0.25 * height;
    const double top = high + 0.2 * height;

    // Horizontal: basin, pipe and outlet shaft in fixed shares of the width.
    const QRectF body = inner.adjusted(0, fm.height() * 0.3, 0, -fm.height() * 3.2);
    auto at = [&](double share, double level) {
        return QPointF(body.left() + share * body.width(),
                       body.bottom() - (level - bottom) / (top - bottom) * body.height());
    };
    // The basin is wide enough for the labels of its levels.
    const QString hmaxText = QStringLiteral("H max Wsp %1").arg(pic::Num(form.Value(CThrottleSectionDlg::kIdHmax), 2));
    const QString crownText = QStringLiteral("Scheitel + 0,05");
    const double labels = std::max(fm.horizontalAdvance(hmaxText), fm.horizontalAdvance(crownText));
    const double wall = std::clamp(0.03 + (labels + fm.height() * 0.6) / body.width(), 0.30, 0.5);
    const double wallEnd = wall + 0.04, pipeEnd = 0.82, shaftEnd = 0.96;
    // The pipe's diameter drawn to the level scale, at least a few pixels.
    auto pipeY = [&](double share, double offset) {
        const double invert = inletInvert + (outlet - inletInvert) * (share - wall) / (pipeEnd - wall);
        return at(share, invert + offset);
    };
    const double dy = std::max(d, 0.004 * height);

    // Water in the basin and in the outlet.
    painter.setPen(Qt::NoPen);
    painter.setBrush(pic::Water());
    if (hmax > bottom)
        painter.drawRect(QRectF(at(0.02, hmax), at(wall, bottom + 0.08 * height)));
    if (outletLevel > outlet)
        painter.drawRect(QRectF(at(pipeEnd, outletLevel), at(shaftEnd, outlet)));
    if (d > 0 && hmax > inletInvert) {
        QPolygonF pipeWater{pipeY(wall, 0), pipeY(pipeEnd, 0), pipeY(pipeEnd, dy), pipeY(wall, dy)};
        painter.drawPolygon(pipeWater);
    }

    // Basin floor, wall, pipe walls, outlet shaft.
    painter.setPen(QPen(pic::Ink(), 1.2));
    painter.setBrush(pic::Concrete());
    const double floor = bottom + 0.08 * height;
    sheet.Fill(QRectF(at(0.0, floor), at(wall, bottom)));
    sheet.Fill(QRectF(at(wall, top), pipeY(wallEnd, dy)));
    painter.setBrush(Qt::NoBrush);
    sheet.Stroke(pipeY(wall, 0), pipeY(pipeEnd, 0));
    sheet.Stroke(pipeY(wall, dy), pipeY(pipeEnd, dy));
    sheet.Stroke(QPolygonF{at(pipeEnd, outlet), at(shaftEnd, outlet), at(shaftEnd, top - 0.1 * height)});

    // Levels: basin water, crown plus freeboard, outlet water.
    painter.setPen(QPen(pic::WaterEdge(), 1.5));
    sheet.Stroke(at(0.02, hmax), at(wall, hmax));
    sheet.Stroke(at(pipeEnd, outletLevel), at(shaftEnd, outletLevel));
    const bool crownOk = hmax >= crownCheck;
    painter.setPen(QPen(crownOk ? pic::Ink() : QColor(200, 30, 30), 1, Qt::DashLine));
    sheet.Stroke(at(0.02, crownCheck), at(wall, crownCheck));

    painter.setPen(pic::Ink());
    // The higher of the two lines is labelled above it, the lower below it,
    // or on its other side where that is taken.
    const QPointF above(0, -fm.height() / 2 - 2), below(0, fm.height() / 2 + 2);
    auto beside = [&](double level, bool upper) {
        const QPointF p = at(0.03, level);
        return std::vector<pic::Spot>{{p + (upper ? above : below), Qt::AlignLeft},
                                      {p + (upper ? below : above), Qt::AlignLeft}};
    };
    sheet.Place(hmaxText, beside(hmax, crownOk));
    painter.setPen(crownOk ? pic::Ink() : QColor(200, 30, 30));
    sheet.Place(crownText, beside(crownCheck, !crownOk));
    painter.setPen(pic::Ink());
    sheet.Label(at(shaftEnd, outlet) + QPointF(0, fm.height() * 0.6),
                QStringLiteral("H Rs Auslauf %1").arg(pic::Num(form.Value(CThrottleSectionDlg::kIdHRs), 2)),
                Qt::AlignRight);
    if (d > 0)
        sheet.Dimension(pipeY(0.5, 0), pipeY(0.5, dy), QStringLiteral("du"));
    const double over = dy + 0.1 * height; // the length above the pipe, clear of the outlet labels
    sheet.Dimension(pipeY(wallEnd, over), pipeY(pipeEnd, over),
                    QStringLiteral("L = %1 m").arg(pic::Num(form.Value(CThrottleSectionDlg::kIdL), 2)));

    sheet.Label(QPointF(inner.left(), inner.bottom() - fm.height() * 1.6),
                QStringLiteral("v = %1 m/s   Q = %2 m³/s")
                    .arg(pic::Num(form.Value(CThrottleSectionDlg::kIdV), 3),
                         pic::Num(form.Value(CThrottleSectionDlg::kIdQ), 4)),
                Qt::AlignLeft);
    sheet.Label(QPointF(inner.left(), inner.bottom() - fm.height() * 0.5),
                QStringLiteral("Höhen in m NN maßstäblich, Länge schematisch"), Qt::AlignLeft);
}

const PictureRegistrar registered(CThrottleSectionDlg::kPicture, {{26, 15}, &PaintThrottleSection});

} // namespace
} // namespace dralun
