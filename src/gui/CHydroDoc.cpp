#include "gui/CHydroDoc.h"

#include <QFile>
#include <QFileInfo>

namespace dralun {

void CHydroDoc::OnNewDocument() { m_path.clear(); }

bool CHydroDoc::OnOpenDocument(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Die Datei %1 kann nicht geöffnet werden.\n%2").arg(path, file.errorString());
        return false;
    }
    m_path = QFileInfo(path).absoluteFilePath();
    return true;
}

bool CHydroDoc::OnSaveDocument(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        if (error)
            *error = QStringLiteral("Die Datei %1 kann nicht gespeichert werden.\n%2").arg(path, file.errorString());
        return false;
    }
    file.close();
    m_path = QFileInfo(path).absoluteFilePath();
    return true;
}

QString CHydroDoc::Title() const
{
    return m_path.isEmpty() ? DefaultTitle() : QFileInfo(m_path).fileName();
}

} // namespace dralun
