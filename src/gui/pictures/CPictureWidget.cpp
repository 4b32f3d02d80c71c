#include "gui/pictures/CPictureWidget.h"

#include <QFontDatabase>
#include <QPainter>

#include "forms/CForm.h"
#include "gui/pictures/Pictures.h"

namespace dralun {

CPictureWidget::CPictureWidget(int pictureId, const CForm& form, QWidget* parent)
    : QWidget(parent), m_id(pictureId), m_form(form)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize CPictureWidget::sizeHint() const
{
    const double line = fontMetrics().height();
    if (m_id == kDrawnText) {
        const QFontMetrics fixed(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        return QSize(fixed.maxWidth() * 70 + 40, 380);
    }
    const Picture* picture = FindPicture(m_id);
    if (!picture)
        return QSize();
    return QSize(static_cast<int>(picture->size.width() * line), static_cast<int>(picture->size.height() * line));
}

void CPictureWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (m_id == kDrawnText) {
        PaintDrawnText(painter);
        return;
    }
    if (const Picture* picture = FindPicture(m_id))
        picture->paint(painter, QRectF(rect()), m_form);
}

void CPictureWidget::PaintDrawnText(QPainter& painter)
{
    // The form's own text in a fixed-pitch font: x is pixels plus a number of
    // character widths, y the top of the text line. The width of a character
    // is the font's pitch, so that columns stand under their headings.
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    painter.setFont(fixed);
    const QFontMetricsF metrics(fixed);
    const double w = metrics.horizontalAdvance(QLatin1Char('0'));
    painter.fillRect(rect(), palette().button());
    painter.setPen(palette().buttonText().color());
    for (const DrawnText& line : m_form.Drawn())
        painter.drawText(QPointF(line.xPixels + line.xChars * w, line.y + metrics.ascent()),
                         QString::fromStdString(line.text));
}

} // namespace dralun
