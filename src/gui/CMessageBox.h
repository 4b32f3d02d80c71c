#pragma once
// A message box that stays on its screen whatever it names: a word too long
// for a line (a file name of 300 characters, a deep path) is broken over
// lines, after a folder separator where it can be, so that the box's width
// is bounded by its screen and the whole name is still said.
#include <QMessageBox>

class QFontMetrics;

namespace dralun {

// The text with each word wider than `width` pixels broken by line breaks
// into pieces that fit; the text is otherwise kept as it is (taking out the
// inserted line breaks gives it back).
QString BreakLongWords(const QString& text, const QFontMetrics& metrics, int width);

class CMessageBox : public QMessageBox {
public:
    CMessageBox(Icon icon, const QString& title, const QString& text, StandardButtons buttons = NoButton,
                QWidget* parent = nullptr);
};

} // namespace dralun
