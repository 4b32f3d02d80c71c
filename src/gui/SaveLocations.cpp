#include "gui/SaveLocations.h"

#include <QDir>
#include <QStandardPaths>

namespace dralun {

QString SaveFolder(SaveKind) { return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation); }

void RememberSaveFolder(SaveKind, const QString&) {}

QString SuggestedFileName(const QString& formTitle, const QString& structure, const QString& suffix)
{
    QString name = structure.isEmpty() ? formTitle : formTitle + QStringLiteral(" – ") + structure;
    return name + QLatin1Char('.') + suffix;
}

QString SuggestedSavePath(SaveKind kind, const QString& formTitle, const QString& structure, const QString& suffix)
{
    return QDir(SaveFolder(kind)).filePath(SuggestedFileName(formTitle, structure, suffix));
}

} // namespace dralun
