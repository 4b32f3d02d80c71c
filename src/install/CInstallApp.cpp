#include "install/CInstallApp.h"

#include <QLibraryInfo>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "install/CInstallDlg.h"

namespace dralun::install {

namespace {

// The program icon: a folder with a drop of water.
QIcon InstallIcon()
{
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 3));
    p.setBrush(QColor(250, 215, 110));
    p.drawRoundedRect(QRectF(6, 18, 52, 38), 4, 4);
    p.drawRoundedRect(QRectF(6, 12, 20, 10), 3, 3);
    p.setBrush(QColor(60, 140, 230));
    QPainterPath drop;
    drop.moveTo(32, 24);
    drop.cubicTo(44, 40, 40, 50, 32, 50);
    drop.cubicTo(24, 50, 20, 40, 32, 24);
    p.drawPath(drop);
    return QIcon(pixmap);
}

} // namespace

CInstallApp::CInstallApp(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("install"));
    setWindowIcon(InstallIcon());
    if (m_qtTexts.load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(&m_qtTexts);
}

int CInstallApp::Run(const std::filesystem::path& medium, const std::filesystem::path& target,
                     const InstallOptions& options)
{
    CInstallDlg dialog(medium, target, options);
    dialog.exec();
    return 0;
}

} // namespace dralun::install
