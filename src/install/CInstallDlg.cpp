#include "install/CInstallDlg.h"

#include <QContextMenuEvent>
#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QPushButton>

#include "core/Platform.h"
#include "install/CInstallCopy.h"
#include "install/InstallPicture.h"

namespace dralun::install {

CInstallDlg::CInstallDlg(std::filesystem::path medium, std::filesystem::path target, InstallOptions options,
                         QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::WindowMinimizeButtonHint),
      m_medium(std::move(medium)), m_target(std::move(target)), m_options(std::move(options)),
      m_show([this](QMessageBox::Icon icon, const QString& text) {
          QMessageBox box(icon, windowTitle(), text, QMessageBox::Ok, this);
          box.exec();
      })
{
    setWindowTitle(QStringLiteral("Dralun Installationsprogramm"));

    auto* start = new QPushButton(QStringLiteral("Start kopieren"));
    start->setObjectName(QStringLiteral("start"));
    start->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Abbrechen/Ende"));
    cancel->setObjectName(QStringLiteral("cancel"));
    auto* date = new QDateEdit(QDate::currentDate());
    date->setLocale(QLocale(QLocale::German, QLocale::Germany)); // whatever the system speaks
    date->setEnabled(false);
    date->setAlignment(Qt::AlignRight);
    date->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    auto* picture = new CInstallPicture(QString::fromStdString(dralun::platform::TextOf(m_medium)),
                                        QString::fromStdString(dralun::platform::TextOf(m_target)));

    auto* layout = new QGridLayout(this);
    layout->addWidget(picture, 0, 0, 3, 1);
    layout->addWidget(start, 0, 1);
    layout->addWidget(cancel, 1, 1);
    layout->addWidget(date, 2, 1, Qt::AlignBottom | Qt::AlignRight);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(start, &QPushButton::clicked, this, &CInstallDlg::OnStartCopy);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CInstallDlg::OnStartCopy()
{
    const InstallResult result = Install(m_medium, m_target, m_options);
    if (!result.ok) {
        // The window stays open; "Start kopieren" can be pressed again.
        m_show(QMessageBox::Warning, QString::fromStdString(result.message));
        return;
    }
    m_show(QMessageBox::Information, QString::fromUtf8(kSuccessMessage));
    accept();
}

void CInstallDlg::contextMenuEvent(QContextMenuEvent* event)
{
    // The window menu of the installer, with the information item after a
    // separator.
    QMenu menu(this);
    menu.addAction(QStringLiteral("Schl&ießen"), this, &QDialog::reject);
    menu.addSeparator();
    menu.addAction(QStringLiteral("Inf&o über install..."), this, &CInstallDlg::OnAbout);
    menu.exec(event->globalPos());
}

void CInstallDlg::OnAbout()
{
    CInstallAboutDlg about(this);
    about.exec();
}

CInstallAboutDlg::CInstallAboutDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Info über install"));
    auto* icon = new QLabel;
    icon->setPixmap(windowIcon().pixmap(32, 32));
    auto* version = new QLabel(QStringLiteral("install Version 1.0"));
    auto* what = new QLabel(QStringLiteral("Kopiert die Daten der Bemessungshilfen Dralun in das Datenverzeichnis."));
    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(version, 0, 1);
    layout->addWidget(what, 1, 1);
    layout->addWidget(ok, 0, 2, Qt::AlignTop);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace dralun::install
