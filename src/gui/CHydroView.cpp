#include "gui/CHydroView.h"

#include <QCoreApplication>
#include <QFontInfo>
#include <QPainter>
#include <QPrinter>
#include <QTimer>

#include "gui/DigitDisplay.h"
#include "gui/StartScreen.h"

namespace dralun {

CHydroView::CHydroView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The line on the decimal sign says what the fields take.
    connect(&CDigitDisplay::Instance(), &CDigitDisplay::DecimalSignChanged, this, qOverload<>(&QWidget::update));
}

void CHydroView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    DrawStartScreen(painter, rect());
    if (++m_paints == 1 && qEnvironmentVariableIsSet("DRALUN_QUIT_AFTER_PAINT"))
        QTimer::singleShot(0, qApp, &QCoreApplication::quit); // start-up measurement
}

void CHydroView::Print(QPrinter* printer)
{
    QPainter painter;
    if (!painter.begin(printer))
        return;
    const double scale = static_cast<double>(printer->resolution()) / logicalDpiY();
    // A font measured in pixels scales with the painter, like the lines.
    QFont font = this->font();
    font.setPixelSize(QFontInfo(this->font()).pixelSize());
    painter.setFont(font);
    painter.scale(scale, scale);
    // The page takes the place of the window's client area.
    const QRect page = printer->pageLayout().paintRectPixels(printer->resolution());
    DrawStartScreen(painter, QRect(0, 0, static_cast<int>(page.width() / scale), static_cast<int>(page.height() / scale)));
    painter.end();
}

} // namespace dralun
