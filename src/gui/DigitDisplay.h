#pragma once
// Whether the form windows show every digit of their fields ("Ansicht" →
// "Alle Stellen anzeigen") or the values rounded for their units. The
// main window keeps the choice in the settings and tells the windows.
#include <QObject>

namespace dralun {

class CDigitDisplay : public QObject {
    Q_OBJECT
public:
    static CDigitDisplay& Instance();
    bool AllDigits() const { return m_all; }
    void SetAllDigits(bool all);

signals:
    void Changed(bool allDigits);

private:
    bool m_all = false;
};

} // namespace dralun
