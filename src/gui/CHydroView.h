#pragma once
// The view of the main window: it shows the start screen and prints it.
#include <QWidget>

class QPrinter;

namespace dralun {

class CHydroView : public QWidget {
    Q_OBJECT
public:
    explicit CHydroView(QWidget* parent = nullptr);
    // Prints the start screen as the window shows it, scaled from screen
    // pixels to the page so that the arrangement stays the same on paper.
    void Print(QPrinter* printer);
    int PaintCount() const { return m_paints; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_paints = 0;
};

} // namespace dralun
