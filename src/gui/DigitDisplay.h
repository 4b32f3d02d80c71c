#pragma once
// Whether the form windows show every digit of their fields ("Ansicht" →
// "Alle Stellen anzeigen") or the values rounded for their units, and
// whether numbers are typed and shown with the decimal comma ("Ansicht" →
// "Komma als Dezimalzeichen"). The main window keeps both choices in the
// settings and tells the windows. The forms' own texts (what dralun-calc,
// JSON and projects keep) always have the point: the comma is the
// window's way of showing them and of reading what is typed.
#include <QObject>
#include <QString>

namespace dralun {

class CDigitDisplay : public QObject {
    Q_OBJECT
public:
    static CDigitDisplay& Instance();
    bool AllDigits() const { return m_all; }
    void SetAllDigits(bool all);
    bool DecimalComma() const { return m_comma; }
    void SetDecimalComma(bool comma);

    // A text typed into a number field, as the form reads it.
    QString Typed(const QString& typed) const;
    // A text of the program as the window shows it.
    QString Shown(const QString& text) const;

signals:
    void Changed(bool allDigits);
    void DecimalSignChanged(bool comma);

private:
    bool m_all = false;
    bool m_comma = false;
};

} // namespace dralun
