#include "gui/KeptRainOffer.h"

#include "core/CDataDirectory.h"
#include "gui/MainFrameDialogs.h"
#include "project/KeptRain.h"

namespace dralun {

using namespace mainframe;

QString OfferKeptRain(const Project& project, const CMainFrame::ModalRunner& run, QWidget* parent,
                      const std::function<void(const QString&)>& showError)
{
    QStringList restored;
    const QString where = Q(CDataDirectory::Path());
    for (const KeptRainFile& file : KeptRainFiles(project)) {
        // Two versions under one name: which one belongs there cannot be told.
        if (file.state == KeptFileState::Same || file.ambiguous)
            continue;
        const QString name = Q(file.name);
        const QString question =
            file.state == KeptFileState::Missing
                ? QStringLiteral("Das Projekt wurde mit der Regendatei \u201E%1\u201C gerechnet; im Datenverzeichnis "
                                 "%2 fehlt sie.\n\nDie Kopie aus dem Projekt dort wiederherstellen?")
                      .arg(name, where)
                : QStringLiteral("Das Projekt wurde mit der Regendatei \u201E%1\u201C gerechnet; im Datenverzeichnis "
                                 "%2 steht eine andere Datei dieses Namens.\n\nDie Kopie aus dem Projekt "
                                 "wiederherstellen? Die vorhandene Datei wird dabei ersetzt.")
                      .arg(name, where);
        // A file comes from the project into the data directory only when the
        // user says so, not when Enter is pressed.
        if (Ask(run, parent, question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
            continue;
        if (const std::string why = RestoreKeptFile(file); !why.empty())
            showError(Q(why));
        else
            restored << name;
    }
    if (restored.isEmpty())
        return {};
    return QStringLiteral("Aus dem Projekt wiederhergestellt: %1").arg(restored.join(QStringLiteral(", ")));
}

} // namespace dralun
