#include "gui/CAboutDlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace dralun {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Dralun"));
    QFont f = font();
    f.setPointSizeF(f.pointSizeF() * 1.25);
    setFont(f);

    auto* name = new QLabel(QStringLiteral("Bemessungshilfen Dralun"));
    QFont bold = f;
    bold.setBold(true);
    name->setFont(bold);
    auto* credit = new QLabel(QStringLiteral(
        "2026 erstellt vom Dralun-Team, Arbeitsgruppe Software im Ausschuss Straßenentwässerung."));
    credit->setWordWrap(true);
    auto* disclaimer = new QLabel(QStringLiteral(
        "Das Programm wird kostenlos zur Verfügung gestellt; jeder darf es nutzen. Aus der Installation und "
        "der Nutzung des Programms sowie aus der Verwendung seiner Ergebnisse entstehen keine "
        "Schadensersatzansprüche gegen den Ausschuss oder den Autor."));
    disclaimer->setWordWrap(true);
    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* icon = new QLabel;
    icon->setPixmap(windowIcon().pixmap(48, 48));
    const int textWidth = fontMetrics().horizontalAdvance(QLatin1Char('x')) * 55;
    for (QLabel* label : {name, credit, disclaimer})
        label->setFixedWidth(textWidth);

    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
    layout->addWidget(name, 0, 1);
    layout->addWidget(credit, 1, 1);
    layout->addWidget(disclaimer, 2, 1);
    layout->addWidget(ok, 0, 2, Qt::AlignTop);
    layout->setHorizontalSpacing(fontMetrics().height());
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace dralun
