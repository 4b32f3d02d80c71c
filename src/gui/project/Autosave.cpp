#include "gui/project/Autosave.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>

#include "project/ProjectFile.h"

namespace dralun::autosave {

QString Folder() { return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation); }
QString ProjectPath() { return Folder() + QStringLiteral("/autosave.dralun"); }
QString BoundPath() { return Folder() + QStringLiteral("/autosave.path"); }

std::unique_ptr<QLockFile> Claim()
{
    QDir().mkpath(Folder());
    auto lock = std::make_unique<QLockFile>(Folder() + QStringLiteral("/autosave.lock"));
    if (!lock->tryLock(0))
        return nullptr;
    return lock;
}

bool Exists() { return QFile::exists(ProjectPath()); }

bool Write(const Project& project, const QString& documentPath, QString* error)
{
    if (!QDir().mkpath(Folder())) {
        if (error)
            *error = QStringLiteral("Der Ordner %1 kann nicht angelegt werden.").arg(Folder());
        return false;
    }
    // The side file first: a copy is never read with the name of another document.
    QSaveFile side(BoundPath());
    if (!side.open(QIODevice::WriteOnly) || side.write(documentPath.toUtf8()) < 0 || !side.commit()) {
        if (error)
            *error = side.errorString();
        return false;
    }
    std::string reason;
    if (!SaveProjectFile(std::filesystem::path(QFile::encodeName(ProjectPath()).toStdString()), project, &reason)) {
        if (error)
            *error = QString::fromStdString(reason);
        return false;
    }
    return true;
}

void Remove()
{
    QFile::remove(ProjectPath());
    QFile::remove(BoundPath());
}

Loaded Load()
{
    Loaded loaded;
    ProjectRead read = LoadProjectFile(std::filesystem::path(QFile::encodeName(ProjectPath()).toStdString()));
    if (!read.ok) {
        loaded.error = QString::fromStdString(read.error);
        return loaded;
    }
    loaded.ok = true;
    loaded.project = std::move(read.project);
    QFile side(BoundPath());
    if (side.open(QIODevice::ReadOnly))
        loaded.documentPath = QString::fromUtf8(side.read(64 * 1024)).trimmed();
    return loaded;
}

} // namespace dralun::autosave
