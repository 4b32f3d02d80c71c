#include "gui/CFieldEdit.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
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
    if (result) {
        // Results lie on the window's colour, inputs on the white of a field
        // to type into; the tab key passes results by, the mouse selects them.
        QPalette readOnly = palette();
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            readOnly.setColor(group, QPalette::Base, readOnly.color(group, QPalette::Window));
        setPalette(readOnly);
        setFocusPolicy(Qt::ClickFocus);
    }
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
        // A rounded result: a value of seven digits before its three
        // decimals, or one with an exponent; a longer one widens the field.
        const QStringList longest = m_result && !m_allDigits && (*m_kind == Kind::Number || *m_kind == Kind::Single)
                                        ? QStringList{QStringLiteral("-DDDDDDD.DDD"), QStringLiteral("-D.DDe-DDD")}
                                        : LongestTexts(*m_kind);
        for (QString text : longest)
            width = std::max(width, WidthFor(text.replace(QLatin1Char('D'), digit)));
    }
    if (!m_longestShown.isEmpty())
        width = std::max(width, WidthFor(m_longestShown));
    setFixedWidth(width);
}

void CFieldEdit::ShowText(const QString& text, const QString& full)
{
    m_full = full;
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

void CFieldEdit::SetAllDigits(bool all)
{
    if (all == m_allDigits)
        return;
    m_allDigits = all;
    m_longestShown.clear();
    UpdateWidth();
}

bool CFieldEdit::CopiesFullText() const
{
    if (m_full == text())
        return false;
    return m_result || !hasSelectedText() || selectedText() == text();
}

void CFieldEdit::CopyText()
{
    if (CopiesFullText())
        QGuiApplication::clipboard()->setText(m_full.trimmed());
    else
        copy();
}

void CFieldEdit::keyPressEvent(QKeyEvent* event)
{
    if (event == QKeySequence::Copy && CopiesFullText()) {
        CopyText();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CFieldEdit::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu();
    if (CopiesFullText()) {
        // "Kopieren" takes the value with all its digits.
        for (QAction* action : menu->actions()) {
            if (action->objectName() == QLatin1String("edit-copy")) {
                disconnect(action, &QAction::triggered, this, nullptr);
                action->setEnabled(true);
                connect(action, &QAction::triggered, this, &CFieldEdit::CopyText);
            }
        }
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
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
