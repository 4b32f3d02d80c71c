#include "gui/StartScreen.h"

#include <QBrush>
#include <QPainter>
#include <algorithm>

#include "forms/FormRegistry.h"
#include "gui/DigitDisplay.h"

namespace dralun {

namespace {

const QColor kPageBackground(128, 194, 255);
const QColor kBodyText(16, 16, 16);
const QColor kRuleText(255, 0, 255);
constexpr int kLeft = 100;

QList<StartLine> CreditLines()
{
    return {
        {450, QStringLiteral("2026 erstellt vom Dralun-Team, Arbeitsgruppe Software im Ausschuss Straßenentwässerung")},
        {470, QStringLiteral("Das Programm wird kostenlos zur Verfügung gestellt; jeder darf es nutzen.")},
        {490, QStringLiteral("Aus der Installation und der Nutzung des Programms sowie aus der Verwendung "
                             "seiner Ergebnisse")},
        {510, QStringLiteral("entstehen keine Schadensersatzansprüche gegen den Ausschuss oder den Autor.")},
        {550, QStringLiteral("Dralun  Version 1.00")},
    };
}

QList<StartLine> HeadingLines()
{
    return {
        {20, QStringLiteral("Hydraulische Nachweise nach den Dralun, den ZTV-ING")},
        {40, QStringLiteral("den Arbeitsblättern ATV-DVWK-A 110, DWA-A 138 und ATV-A 111,")},
        {60, QStringLiteral("der DIN 19661-1")},
    };
}

// One line for each verification the program offers, from the forms'
// descriptions; a form whose verification the line before names has none.
QList<StartLine> VerificationLines()
{
    QList<StartLine> lines;
    int y = 100;
    for (const FormInfo& info : AllForms()) {
        if (!info.startLine)
            continue;
        lines.push_back({y, QString::fromUtf8(info.startLine)});
        y += 25;
    }
    return lines;
}

// The rule on the decimal sign, as the fields take it ("Ansicht" →
// "Komma als Dezimalzeichen").
StartLine Rule()
{
    if (CDigitDisplay::Instance().DecimalComma())
        return {410, QStringLiteral("Bei der Zahleneingabe wird ein Komma oder ein Punkt als Dezimaltrennzeichen "
                                    "angenommen.")};
    return {410, QStringLiteral("Bei der Zahleneingabe ist als Dezimaltrennzeichen ein Punkt und kein "
                                "Komma zu verwenden.")};
}

void DrawLines(QPainter& painter, const QList<StartLine>& lines)
{
    const int ascent = painter.fontMetrics().ascent();
    for (const StartLine& line : lines)
        painter.drawText(kLeft, line.y + ascent, line.text);
}

// How far the lines reach in the painter's font, with the margin of the
// left edge on the right and a line's spacing below the last.
QSize Extent(const QFontMetrics& metrics, const QList<StartLine>& lines)
{
    int right = 0;
    int bottom = 0;
    for (const StartLine& line : lines) {
        right = std::max(right, kLeft + metrics.horizontalAdvance(line.text));
        bottom = std::max(bottom, line.y + metrics.height());
    }
    return {right + kLeft / 4, bottom + metrics.height()};
}

} // namespace

QList<StartLine> StartScreenLines()
{
    return CreditLines() + HeadingLines() + VerificationLines() + QList<StartLine>{Rule()};
}

void DrawStartScreen(QPainter& painter, const QRect& clientRect)
{
    painter.save();
    // The page in light blue with a thin black border.
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(QBrush(kPageBackground));
    painter.drawRect(clientRect.adjusted(0, 0, -1, -1));

    // A window (or a scaled screen) too small for the page shows it smaller,
    // as a whole, rather than cutting its lines off.
    const QSize extent = Extent(painter.fontMetrics(), StartScreenLines());
    const double scale = std::min({1.0, double(clientRect.width()) / extent.width(),
                                   double(clientRect.height()) / extent.height()});
    painter.translate(clientRect.topLeft());
    painter.scale(scale, scale);

    // y is the top of the text cell, as text output places it.
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setPen(Qt::black);
    DrawLines(painter, CreditLines());
    DrawLines(painter, HeadingLines());

    painter.setPen(kBodyText);
    DrawLines(painter, VerificationLines());

    // The decimal point rule on an opaque background of the device's
    // background colour.
    painter.setPen(kRuleText);
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(QBrush(Qt::white));
    DrawLines(painter, {Rule()});
    painter.restore();
}

} // namespace dralun
