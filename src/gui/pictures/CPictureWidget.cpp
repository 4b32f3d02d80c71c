#include "gui/pictures/CPictureWidget.h"

#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

#include "forms/CForm.h"
#include "gui/CFieldEdit.h"
#include "gui/DigitDisplay.h"
#include "gui/pictures/PictureKit.h"
#include "gui/pictures/Pictures.h"
#include "gui/ProgramStart.h"

namespace dralun {

namespace {

const QString kHeading = QStringLiteral("Nicht berechnet");

// The text in lines no wider than the width, broken between words where it
// can be and anywhere where it must; drawn when a painter is given. Returns
// the height of the lines.
double Wrap(const QString& text, const QFont& font, double width, QPainter* painter = nullptr, QPointF at = {})
{
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    double y = 0;
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, font);
        layout.setTextOption(option);
        layout.beginLayout();
        double top = y;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            line.setPosition(QPointF(0, y - top));
            y += line.height();
        }
        layout.endLayout();
        if (painter)
            layout.draw(painter, at + QPointF(0, top));
    }
    return y;
}

// The panel's margin (pic::Panel) and the gap between picture and strip.
double Margin(const QFont& font) { return QFontMetrics(font).height() * 0.8; }

QFont Bold(QFont font)
{
    font.setBold(true);
    return font;
}

} // namespace

CPictureWidget::CPictureWidget(int pictureId, const CForm& form, QWidget* parent)
    : QWidget(parent), m_id(pictureId), m_form(form)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(&CDigitDisplay::Instance(), &CDigitDisplay::DecimalSignChanged, this, qOverload<>(&QWidget::update));
}

QSize CPictureWidget::PictureSize() const
{
    const double line = fontMetrics().height();
    if (m_id == kDrawnText) {
        // 70 characters at the pitch of the fixed-pitch font, and more when
        // a line the form draws reaches further.
        const QFontMetricsF fixed(FixedPitchFont());
        const double pitch = fixed.horizontalAdvance(QLatin1Char('0'));
        double width = pitch * 70;
        for (const DrawnText& text : m_form.Drawn())
            width = std::max(width, text.xPixels + text.xChars * pitch +
                                        fixed.horizontalAdvance(QString::fromStdString(text.text)));
        return QSize(static_cast<int>(std::ceil(width)) + 40, 380);
    }
    const Picture* picture = FindPicture(m_id);
    if (!picture)
        return QSize();
    return QSize(static_cast<int>(picture->size.width() * line), static_cast<int>(picture->size.height() * line));
}

QString CPictureWidget::Reason() const
{
    // The heading says that the input was not accepted; the reason follows.
    QStringList lines = QString::fromStdString(m_form.RefusedBecause()).split(QLatin1Char('\n'));
    if (!lines.isEmpty() &&
        lines.first().trimmed().compare(QStringLiteral("Unzulässige Eingabe!"), Qt::CaseInsensitive) == 0) {
        lines.removeFirst();
        if (!lines.isEmpty() && lines.first().trimmed().isEmpty())
            lines.removeFirst();
    }
    return lines.join(QLatin1Char('\n'));
}

CPictureWidget::Shown CPictureWidget::WhatToShow() const
{
    if (m_id != kDrawnText && !FindPicture(m_id))
        return Shown::Nothing;
    if (m_id == kDrawnText || m_form.RefusedBecause().empty())
        return Shown::Picture;
    if (m_form.RefusedWhole())
        return Shown::Reason; // what stays follows the inputs, not the computation
    const std::vector<int>& refused = m_form.RefusedFields();
    for (const FieldInfo& field : m_form.Fields())
        if (field.role == Role::Out && std::find(refused.begin(), refused.end(), field.id) == refused.end())
            return Shown::PictureAndReason; // some results were computed
    return Shown::Reason;
}

QSize CPictureWidget::sizeHint() const
{
    const QSize picture = PictureSize();
    const double margin = Margin(font());
    const double textWidth = picture.width() - 2 * margin;
    switch (WhatToShow()) {
    case Shown::Reason: {
        const double needed = 2 * margin + QFontMetricsF(Bold(font())).height() + margin / 2 +
                              Wrap(Reason(), font(), textWidth);
        return QSize(picture.width(), std::max(picture.height(), static_cast<int>(std::ceil(needed))));
    }
    case Shown::PictureAndReason: {
        const double strip = 2 * margin + Wrap(Reason(), font(), textWidth);
        return QSize(picture.width(), picture.height() + static_cast<int>(std::ceil(margin / 2 + strip)));
    }
    default:
        return picture;
    }
}

void CPictureWidget::Refresh()
{
    if (sizeHint() != m_hint) {
        m_hint = sizeHint();
        updateGeometry();
    }
    update();
}

void CPictureWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const pic::DecimalSign sign(CDigitDisplay::Instance().DecimalComma());
    m_shown = WhatToShow();
    m_shownReason.clear();
    m_reasonBox = QRectF();
    m_greyed = m_shown != Shown::Nothing && m_form.ResultsStale();
    if (m_id == kDrawnText) {
        PaintDrawnText(painter);
        return;
    }
    const Picture* picture = FindPicture(m_id);
    const QRectF pictureArea(QPointF(0, 0), QSizeF(PictureSize()));
    switch (m_shown) {
    case Shown::Nothing:
        return;
    case Shown::Picture:
        picture->paint(painter, QRectF(rect()), m_form);
        break;
    case Shown::Reason:
        PaintReason(painter, QRectF(rect()), true);
        break;
    case Shown::PictureAndReason: {
        picture->paint(painter, pictureArea, m_form);
        const double gap = Margin(font()) / 2;
        PaintReason(painter, QRectF(rect()).adjusted(0, pictureArea.height() + gap, 0, 0), false);
        break;
    }
    }
    // Results of other inputs: a white veil takes the ink to a mid grey,
    // still readable, and the colours to pale ones.
    if (m_greyed)
        painter.fillRect(rect(), QColor(255, 255, 255, 120));
}

void CPictureWidget::PaintReason(QPainter& painter, const QRectF& area, bool withHeading)
{
    painter.save();
    painter.setFont(font());
    QRectF inner = pic::Panel(painter, area);
    painter.setPen(pic::Ink());
    if (withHeading) {
        const QFont bold = Bold(font());
        const QFontMetricsF metrics(bold);
        painter.setFont(bold);
        painter.drawText(inner.topLeft() + QPointF(0, metrics.ascent()), kHeading);
        inner.setTop(inner.top() + metrics.height() + Margin(font()) / 2);
    }
    m_shownReason = Reason();
    const double height = Wrap(m_shownReason, font(), inner.width(), &painter, inner.topLeft());
    m_reasonBox = QRectF(inner.topLeft(), QSizeF(inner.width(), height));
    painter.restore();
}

void CPictureWidget::PaintDrawnText(QPainter& painter)
{
    // The form's own text in a fixed-pitch font: x is pixels plus a number of
    // character widths, y the top of the text line. The width of a character
    // is the font's pitch, so that columns stand under their headings.
    const QFont fixed = FixedPitchFont();
    painter.setFont(fixed);
    const QFontMetricsF metrics(fixed);
    const double w = metrics.horizontalAdvance(QLatin1Char('0'));
    painter.fillRect(rect(), palette().button());
    painter.setPen(m_greyed ? StaleTextColour(palette(), QPalette::ButtonText, QPalette::Button)
                            : palette().buttonText().color());
    for (const DrawnText& line : m_form.Drawn())
        painter.drawText(QPointF(line.xPixels + line.xChars * w, line.y + metrics.ascent()),
                         QString::fromStdString(line.text));
}

} // namespace dralun
