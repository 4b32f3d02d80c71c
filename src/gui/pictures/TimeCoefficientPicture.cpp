// The formula of the time coefficient, set with fraction bars.
#include <QPainter>

#include "forms/CForm.h"
#include "gui/pictures/PictureKit.h"
#include "gui/pictures/Pictures.h"

namespace dralun {

namespace {

// Draws numerator over denominator with a bar at baseline height y - axis,
// starting at x; returns the width used.
double Fraction(QPainter& painter, double x, double y, const QString& top, const QString& bottom,
                double bottomExtra = 0)
{
    const QFontMetricsF fm(painter.font());
    const double w = std::max(fm.horizontalAdvance(top), fm.horizontalAdvance(bottom) + bottomExtra) + fm.height() * 0.4;
    const double axis = fm.ascent() * 0.35;
    const double gap = fm.height() * 0.15;
    painter.drawLine(QPointF(x, y - axis), QPointF(x + w, y - axis));
    painter.drawText(QPointF(x + (w - fm.horizontalAdvance(top)) / 2, y - axis - fm.descent() - gap), top);
    painter.drawText(QPointF(x + (w - fm.horizontalAdvance(bottom) - bottomExtra) / 2,
                             y - axis + fm.capHeight() + gap + 1),
                     bottom);
    return w;
}

void PaintTimeCoefficientFormula(QPainter& painter, const QRectF& area, const CForm&)
{
    const QRectF inner = pic::Panel(painter, area);
    QFont font = painter.font();
    font.setPointSizeF(font.pointSizeF() * 1.15);
    painter.setFont(font);
    painter.setPen(pic::Ink());
    const QFontMetricsF fm(font);
    QFont small = font;
    small.setPointSizeF(font.pointSizeF() * 0.7);
    const QFontMetricsF fmSmall(small);

    const double y = inner.top() + fm.height() * 1.9;
    double x = inner.left() + fm.height() * 0.2;
    auto text = [&](const QString& s) {
        painter.drawText(QPointF(x, y), s);
        x += fm.horizontalAdvance(s);
    };

    text(QStringLiteral("\u03C6 = "));
    x += Fraction(painter, x, y, QStringLiteral("38"), QStringLiteral("T + 9"));
    text(QStringLiteral(" \u00B7 ( "));
    // 1 over n to the power 1/4: the exponent is raised beside the n.
    const QString exponent = QStringLiteral("1/4");
    const double exponentWidth = fmSmall.horizontalAdvance(exponent);
    const double start = x;
    const double w = Fraction(painter, x, y, QStringLiteral("1"), QStringLiteral("n"), exponentWidth);
    const double nRight = start + (w - fm.horizontalAdvance(QStringLiteral("n")) - exponentWidth) / 2 +
                          fm.horizontalAdvance(QStringLiteral("n"));
    painter.setFont(small);
    const double denominatorBase = y - fm.ascent() * 0.35 + fm.capHeight() + fm.height() * 0.15 + 1;
    painter.drawText(QPointF(nRight, denominatorBase - fm.capHeight() * 0.5), exponent);
    painter.setFont(font);
    x += w;
    text(QStringLiteral(" \u2212 0.3684 )"));
    pic::Label(painter, QPointF(inner.left() + fm.height() * 0.2, inner.bottom() - fm.height() * 0.5),
               QStringLiteral("T in min, n in 1/a"), Qt::AlignLeft);
}

const PictureRegistrar registered(184, {{17, 6.5}, &PaintTimeCoefficientFormula});

} // namespace
} // namespace dralun
