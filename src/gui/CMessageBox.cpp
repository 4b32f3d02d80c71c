#include "gui/CMessageBox.h"

#include <QApplication>
#include <QFontMetrics>
#include <QScreen>
#include <algorithm>

namespace dralun {

namespace {

// After these a broken name reads on naturally.
bool IsBreakAfter(QChar c)
{
    return c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char('_') || c == QLatin1Char('-') ||
           c == QLatin1Char('.');
}

QString BreakWord(const QString& word, const QFontMetrics& metrics, int width)
{
    QString out, line;
    int lastBreak = -1; // in line: the position after the last separator
    for (const QChar c : word) {
        if (!line.isEmpty() && metrics.horizontalAdvance(line + c) > width) {
            const int at = lastBreak > 0 ? lastBreak : static_cast<int>(line.size());
            out += line.left(at) + QLatin1Char('\n');
            line.remove(0, at);
            lastBreak = -1;
        }
        line += c;
        if (IsBreakAfter(c))
            lastBreak = static_cast<int>(line.size());
    }
    return out + line;
}

} // namespace

QString BreakLongWords(const QString& text, const QFontMetrics& metrics, int width)
{
    QString out, word;
    const auto flush = [&] {
        out += metrics.horizontalAdvance(word) > width ? BreakWord(word, metrics, width) : word;
        word.clear();
    };
    for (const QChar c : text) {
        if (c.isSpace()) {
            flush();
            out += c;
        } else {
            word += c;
        }
    }
    flush();
    return out;
}

namespace {

// A third of the screen's free width, at most 480 pixels: the box's text
// and icon then stay well within the screen (the box wraps other lines at
// half the screen's width).
constexpr int kWidthWithoutScreen = 1024; // no screen known: a small one's width

QString Bounded(const QString& text, const QWidget* parent)
{
    const QScreen* screen = parent ? parent->screen() : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const int room = screen ? screen->availableGeometry().width() : kWidthWithoutScreen;
    return BreakLongWords(text, QFontMetrics(QApplication::font("QMessageBox")), std::clamp(room / 3, 120, 480));
}

} // namespace

CMessageBox::CMessageBox(Icon icon, const QString& title, const QString& text, StandardButtons buttons,
                         QWidget* parent)
    : QMessageBox(icon, title, Bounded(text, parent), buttons, parent)
{
}

} // namespace dralun
