// The offer to install the data files a data directory lacks.
#include "gui/CMainFrame.h"

#include <QSettings>
#include <QStatusBar>
#include <filesystem>

#include "core/CDataDirectory.h"
#include "core/Platform.h"
#include "gui/MainFrameDialogs.h"
#include "install/CInstallCopy.h"

namespace dralun {

using namespace mainframe;

bool CMainFrame::OfferDataFiles()
{
    const std::filesystem::path target = platform::PathOf(CDataDirectory::Path());
    const std::vector<std::string> missing = install::MissingDataFiles(target);
    const std::filesystem::path medium = install::FindMedium({});
    if (missing.empty() || !install::IsCompleteMedium(medium))
        return false;
    QSettings settings;
    const QString declined = QStringLiteral("Datendateien/Abgelehnt");
    if (settings.value(declined).toBool())
        return false;
    const QString where = QString::fromStdString(platform::TextOf(target));
    const QString from = QString::fromStdString(platform::TextOf(medium));
    QString question;
    if (missing.size() == install::CopyList().size()) {
        question = QStringLiteral("Das Datenverzeichnis %1 enthält noch keine Datendateien. Die %2 Dateien "
                                  "jetzt aus %3 installieren?")
                       .arg(where)
                       .arg(missing.size())
                       .arg(from);
    } else {
        QStringList names;
        for (size_t i = 0; i < missing.size() && i < 3; ++i)
            names << QString::fromStdString(missing[i]);
        if (missing.size() > 3)
            names << QStringLiteral("…");
        question = QStringLiteral("Im Datenverzeichnis %1 %2 (%3). Aus %4 ergänzen? Vorhandene Dateien "
                                  "bleiben, wie sie sind.")
                       .arg(where,
                            missing.size() == 1 ? QStringLiteral("fehlt eine Datendatei")
                                                : QStringLiteral("fehlen %1 Datendateien").arg(missing.size()),
                            names.join(QStringLiteral(", ")), from);
    }
    if (Ask(m_runModal, this, question, QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes) {
        settings.setValue(declined, true);
        return false;
    }
    install::InstallOptions options;
    options.missingOnly = true;
    const install::InstallResult result = install::Install(medium, target, options);
    if (!result.ok) {
        ShowError(QString::fromStdString(result.message));
        return false;
    }
    statusBar()->showMessage(QStringLiteral("%1 Datendateien nach %2 installiert.").arg(result.copied).arg(where));
    return true;
}

} // namespace dralun
