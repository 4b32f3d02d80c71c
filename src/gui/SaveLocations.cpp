#include "gui/SaveLocations.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace dralun {

namespace {

QString FolderKey(SaveKind kind)
{
    switch (kind) {
    case SaveKind::ReportPdf: return QStringLiteral("Speicherorte/BerichtPdf");
    case SaveKind::ProjectPdf: return QStringLiteral("Speicherorte/ProjektPdf");
    case SaveKind::RatingCsv: return QStringLiteral("Speicherorte/TabelleCsv");
    case SaveKind::ChartPicture: return QStringLiteral("Speicherorte/Kurvenbild");
    case SaveKind::Project: return QStringLiteral("Speicherorte/Projekt");
    }
    return QStringLiteral("Speicherorte/Sonstiges");
}

// The user's documents folder; the home folder where there is none (nothing
// is created for the offer).
QString DocumentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        return documents;
    return QDir::homePath();
}

} // namespace

QString SaveFolder(SaveKind kind)
{
    // A folder that has gone since is not offered.
    const QString last = QSettings().value(FolderKey(kind)).toString();
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    return DocumentsFolder();
}

void RememberSaveFolder(SaveKind kind, const QString& savedFile)
{
    const QString folder = QFileInfo(savedFile).absolutePath();
    if (!savedFile.isEmpty() && QFileInfo(folder).isDir())
        QSettings().setValue(FolderKey(kind), folder);
}

QString SuggestedFileName(const QString& formTitle, const QString& structure, const QString& suffix)
{
    // The characters that Windows does not take in a file name (and the
    // separators of every system), and control characters such as a line
    // break pasted into the structure's name, become blanks; blanks run
    // together. Windows also drops points and blanks at the end of a name.
    const auto clean = [](const QString& text) {
        const QString refused = QStringLiteral("\\/:*?\"<>|");
        QString out;
        for (QChar c : text)
            out += refused.contains(c) || c.category() == QChar::Other_Control ? QLatin1Char(' ') : c;
        out = out.simplified();
        while (out.endsWith(QLatin1Char('.')) || out.endsWith(QLatin1Char(' ')))
            out.chop(1);
        return out;
    };
    const QString title = clean(formTitle);
    const QString part = clean(structure);
    QString name = title.isEmpty() ? part : part.isEmpty() ? title : title + QStringLiteral(" – ") + part;
    if (name.isEmpty())
        name = QStringLiteral("Dralun");
    return name + QLatin1Char('.') + suffix;
}

QString SuggestedSavePath(SaveKind kind, const QString& formTitle, const QString& structure, const QString& suffix)
{
    return QDir(SaveFolder(kind)).filePath(SuggestedFileName(formTitle, structure, suffix));
}

} // namespace dralun
