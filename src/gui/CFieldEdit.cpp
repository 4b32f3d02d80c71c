#include "gui/CFieldEdit.h"

#include <QEvent>
#include <QStyle>
#include <QStyleOptionFrame>
#include <cmath>

namespace dralun {

namespace {

// QLineEdit keeps this margin inside its contents rectangle on either side.
constexpr int kLineEditMargin = 2;

// The widest decimal digit of the font, so that the longest texts are long
// in any font, whether its digits are of one width or not.
QChar WidestDigit(const QFontMetricsF& metrics)
{
    QChar widest = QLatin1Char('0');
    for (char c = '1'; c <= '9'; ++c)
        if (metrics.horizontalAdvance(QLatin1Char(c)) > metrics.horizontalAdvance(widest))
            widest = QLatin1Char(c);
    return widest;
}

} // namespace

CFieldEdit::CFieldEdit(std::optional<Kind> kind, bool result, int leastChars, QWidget* parent)
    : QLineEdit(parent), m_kind(kind), m_result(result), m_leastChars(leastChars)
{
    setReadOnly(result);
    UpdateWidth();
}

QStringList CFieldEdit::LongestTexts(Kind kind)
{
    // %.15g: a sign, 15 significant digits with a point, and an exponent of
    // up to three digits, or four zeros before the digits just above 1e-5;
    // %.6g the same with 6 digits and exponents of two digits. "D" stands
    // for a digit.
    switch (kind) {
    case Kind::Number:
        return {QStringLiteral("-D.DDDDDDDDDDDDDDe+DDD"), QStringLiteral("-D.DDDDDDDDDDDDDDe-DDD"),
                QStringLiteral("-0.000DDDDDDDDDDDDDDD")};
    case Kind::Single:
        return {QStringLiteral("-D.DDDDDe+DD"), QStringLiteral("-D.DDDDDe-DD"), QStringLiteral("-0.000DDDDDD")};
    default:
        return {};
    }
}

int CFieldEdit::WidthFor(const QString& text) const
{
    // QLineEdit shows a text whole, without scrolling, when the text, one
    // pixel for the cursor and the bearings by which glyphs of the font may
    // reach beyond their advance fit between its margins in the contents
    // rectangle that the style leaves inside the frame.
    const QFontMetricsF metrics(font());
    const double needed = metrics.horizontalAdvance(text) + 1 + std::max(0.0, -metrics.minLeftBearing()) +
                          std::max(0.0, -metrics.minRightBearing());
    QStyleOptionFrame option;
    initStyleOption(&option);
    const int probe = 1000;
    option.rect = QRect(0, 0, probe, sizeHint().height());
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    const QMargins margins = textMargins();
    return static_cast<int>(std::ceil(needed)) + 2 * kLineEditMargin + margins.left() + margins.right() +
           (probe - contents.width());
}

void CFieldEdit::UpdateWidth()
{
    const QFontMetricsF metrics(font());
    int width = static_cast<int>(std::ceil(metrics.horizontalAdvance(QLatin1Char('0')) * m_leastChars)) +
                QFontMetrics(font()).height();
    if (m_kind) {
        const QChar digit = WidestDigit(metrics);
        for (QString text : LongestTexts(*m_kind))
            width = std::max(width, WidthFor(text.replace(QLatin1Char('D'), digit)));
    }
    if (!m_longestShown.isEmpty())
        width = std::max(width, WidthFor(m_longestShown));
    setFixedWidth(width);
}

void CFieldEdit::ShowText(const QString& text)
{
    if (this->text() != text) {
        setText(text);
        setCursorPosition(0); // a long text shows its beginning
    }
    // A result the form formats itself may be longer than any before it.
    if (m_result && WidthFor(text) > width()) {
        m_longestShown = text;
        UpdateWidth();
    }
}

void CFieldEdit::SetStale(bool stale)
{
    if (stale == m_stale)
        return;
    m_stale = stale;
    if (!stale) {
        setPalette(m_freshPalette);
        return;
    }
    m_freshPalette = palette();
    QPalette grey = m_freshPalette;
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        grey.setColor(group, QPalette::Text, StaleTextColour(m_freshPalette));
    setPalette(grey);
}

QColor StaleTextColour(const QPalette& palette, QPalette::ColorRole text, QPalette::ColorRole background)
{
    const QColor ink = palette.color(QPalette::Active, text);
    const QColor paper = palette.color(QPalette::Active, background);
    return QColor((ink.red() + paper.red()) / 2, (ink.green() + paper.green()) / 2, (ink.blue() + paper.blue()) / 2);
}

void CFieldEdit::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        UpdateWidth();
    QLineEdit::changeEvent(event);
}

} // namespace dralun
