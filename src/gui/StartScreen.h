#pragma once
// The start screen: the verifications the program offers, the guidelines,
// the version, credit and disclaimer, and the decimal point rule. Positions
// are in screen pixels of the window; a painter scaled for a printer page
// keeps the same arrangement on paper. Where the lines would reach beyond
// the rectangle given, the whole page is drawn smaller to fit it.
#include <QRect>
#include <QStringList>

class QPainter;

namespace dralun {

struct StartLine {
    int y;
    QString text;
};

// The lines in the order they are drawn, for the tests and for printing.
QList<StartLine> StartScreenLines();
void DrawStartScreen(QPainter& painter, const QRect& clientRect);

} // namespace dralun
