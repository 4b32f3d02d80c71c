// The formula of the time coefficient, set with fraction bars.
#include <QPainter>

#include "forms/CForm.h"
#include "forms/CTimeCoefficientDlg.h"
#include "gui/pictures/PictureSheet.h"
#include "gui/pictures/Pictures.h"

namespace dralun {

namespace {

// The fraction bar stands at y - axis; numerator and denominator keep a gap
// to it, the bar a gap to the texts before and after the fraction.
double Axis(const QFontMetricsF& fm) { return fm.ascent() * 0.35; }
double Gap(const QFontMetricsF& fm) { return fm.height() * 0.15; }
double DenominatorBase(const QFontMetricsF& fm, double y) { return y - Axis(fm) + Gap(fm) + fm.ascent(); }

// Draws numerator over denominator with a bar at baseline height y - axis,
// starting at x; returns the width used.
double Fraction(pic::Sheet& sheet, double x, double y, const QString& top, const QString& bottom,
                double bottomExtra = 0)
{
    QPainter& painter = sheet.Painter();
    const QFontMetricsF fm(painter.font());
    const double w = std::max(fm.horizontalAdvance(top), fm.horizontalAdvance(bottom) + bottomExtra) + fm.height() * 0.4;
    const double axis = Axis(fm), gap = Gap(fm);
    sheet.Stroke(QPointF(x + gap, y - axis), QPointF(x + w - gap, y - axis));
    sheet.Text(QPointF(x + (w - fm.horizontalAdvance(top)) / 2, y - axis - fm.descent() - gap), top);
    sheet.Text(QPointF(x + (w - fm.horizontalAdvance(bottom) - bottomExtra) / 2, DenominatorBase(fm, y)), bottom);
    return w;
}

void PaintTimeCoefficientFormula(QPainter& painter, const QRectF& area, const CForm&)
{
    pic::Sheet sheet(painter, area);
    const QRectF inner = sheet.Inner();
    // A little larger than the labels, but no wider than the picture in
    // whatever font the system gives.
    QFont font = painter.font();
    const auto width = [](const QFont& f) {
        const QFontMetricsF m(f);
        const double pad = m.height() * 0.4;
        return m.horizontalAdvance(QStringLiteral("\u03C6 =  \u00B7 (  \u2212 0.3684 )")) + m.horizontalAdvance(QStringLiteral("T + 9")) +
               m.horizontalAdvance(QStringLiteral("n1/4")) + 2 * pad + m.height() * 0.4;
    };
    double size = font.pointSizeF() * 1.15;
    font.setPointSizeF(size);
    while (width(font) > inner.width() && size > painter.font().pointSizeF() * 0.6)
        font.setPointSizeF(size *= 0.95);
    painter.setFont(font);
    painter.setPen(pic::Ink());
    const QFontMetricsF fm(font);
    QFont small = font;
    small.setPointSizeF(font.pointSizeF() * 0.7);
    const QFontMetricsF fmSmall(small);

    const double y = inner.top() + fm.height() * 1.9;
    double x = inner.left() + fm.height() * 0.2;
    auto text = [&](const QString& s) {
        sheet.Text(QPointF(x, y), s);
        x += fm.horizontalAdvance(s);
    };

    text(QStringLiteral("\u03C6 = "));
    x += Fraction(sheet, x, y, QStringLiteral("38"), QStringLiteral("T + 9"));
    text(QStringLiteral(" \u00B7 ( "));
    // 1 over n to the power 1/4: the exponent is raised beside the n.
    const QString exponent = QStringLiteral("1/4");
    const double space = fm.height() * 0.15;
    const double exponentWidth = space + fmSmall.horizontalAdvance(exponent);
    const double start = x;
    const double w = Fraction(sheet, x, y, QStringLiteral("1"), QStringLiteral("n"), exponentWidth);
    const double nRight = start + (w - fm.horizontalAdvance(QStringLiteral("n")) - exponentWidth) / 2 +
                          fm.horizontalAdvance(QStringLiteral("n"));
    painter.setFont(small);
    sheet.Text(QPointF(nRight + space, DenominatorBase(fm, y) - fm.capHeight() * 0.4), exponent);
    painter.setFont(font);
    x += w;
    text(QStringLiteral(" \u2212 0.3684 )"));
    sheet.Label(QPointF(inner.left() + fm.height() * 0.2, inner.bottom() - fm.height() * 0.5),
                QStringLiteral("T in min, n in 1/a"), Qt::AlignLeft);
}

const PictureRegistrar registered(CTimeCoefficientDlg::kPicture, {{17, 6.5}, &PaintTimeCoefficientFormula});

} // namespace
} // namespace dralun
