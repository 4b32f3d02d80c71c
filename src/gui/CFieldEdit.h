#pragma once
// The edit control of a calculator field. A field the form writes as a
// number is as wide as the longest text that number can be written as, so
// that no digit and no exponent is ever hidden; a result the form formats
// itself grows with the longest text it has shown. A result reads as one:
// read-only on the window's own colour, out of the tab order, yet
// selectable with the mouse. Where the field shows a number rounded, its
// full text is what is copied.
#include <QLineEdit>
#include <optional>

#include "forms/FormTypes.h"

namespace dralun {

class CFieldEdit : public QLineEdit {
    Q_OBJECT
public:
    // kind: how the form writes the field (none: an edit without a field);
    // leastChars: the least width in digits, as the layout asks.
    CFieldEdit(std::optional<Kind> kind, bool result, int leastChars, QWidget* parent = nullptr);

    // Shows a text the form wrote, from its first character: shown as it is
    // shown (rounded, say), full as the form wrote it (copied, on hover).
    void ShowText(const QString& shown, const QString& full);
    void ShowText(const QString& text) { ShowText(text, text); }
    const QString& FullText() const { return m_full; }
    // Whether the field shows a result (the user cannot type into it).
    bool IsResult() const { return m_result; }
    // Whether a number result shows every digit (then it is as wide as the
    // longest number of its kind) or the value rounded (narrower).
    void SetAllDigits(bool all);
    // A result that no longer belongs to the inputs shows its text grey.
    void SetStale(bool stale);
    bool IsStale() const { return m_stale; }
    // The width at which the text shows whole, frame and margins included.
    int WidthFor(const QString& text) const;
    // The longest texts a field of this kind can be written as.
    static QStringList LongestTexts(Kind kind);
    // Copies the full text when the field shows it shortened and the whole
    // text is meant (a result, or nothing or everything selected).
    void CopyText();

protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void UpdateWidth();
    bool CopiesFullText() const;

    std::optional<Kind> m_kind;
    bool m_result;
    int m_leastChars;
    bool m_allDigits = true;
    QString m_full;
    QString m_longestShown; // a result text that needed the most room
    bool m_stale = false;
    QPalette m_freshPalette; // the palette before the text turned grey
};

// The colour of a text that is still to be read but no longer current:
// half way from the text's colour to its background's.
QColor StaleTextColour(const QPalette& palette, QPalette::ColorRole text = QPalette::Text,
                       QPalette::ColorRole background = QPalette::Base);

} // namespace dralun
