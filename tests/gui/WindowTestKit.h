#pragma once
// What the window tests ask of any window: a button by its text, a window
// shown and active (the keys go to the active window's focus), a file's bytes.
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <QWidget>

namespace dralun::test {

inline QPushButton* ButtonWithText(const QWidget& window, const QString& text)
{
    for (QPushButton* button : window.findChildren<QPushButton*>())
        if (button->text() == text)
            return button;
    return nullptr;
}

inline bool ShowActive(QWidget& window)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

inline QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace dralun::test
