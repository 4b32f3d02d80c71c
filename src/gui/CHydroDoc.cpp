#include "gui/CHydroDoc.h"

#include <QFile>
#include <QFileInfo>

#include "project/ProjectFile.h"

namespace dralun {

namespace {
std::filesystem::path FsPath(const QString& path) { return std::filesystem::path(QFile::encodeName(path).toStdString()); }
} // namespace

void CHydroDoc::Reset(dralun::Project project)
{
    m_project = std::move(project);
    m_changes.assign(m_project.Size(), {});
}

void CHydroDoc::OnNewDocument()
{
    Reset({});
    m_path.clear();
    m_stamp.reset();
}

bool CHydroDoc::OnOpenDocument(const QString& path, QString* error)
{
    // Taken before the reading: a change in between makes the next save
    // ask once too often, never once too few.
    const ProjectStamp stamp = StampOfProjectFile(FsPath(path));
    ProjectRead read = LoadProjectFile(FsPath(path));
    if (!read.ok) {
        if (error)
            *error = QStringLiteral("Das Projekt kann nicht geöffnet werden.\n%1").arg(QString::fromStdString(read.error));
        return false;
    }
    Reset(std::move(read.project));
    m_project.SetModified(false);
    m_path = QFileInfo(path).absoluteFilePath();
    m_stamp = stamp;
    return true;
}

bool CHydroDoc::OnSaveDocument(const QString& path, QString* error, bool* changedOnDisk)
{
    std::string reason;
    const std::filesystem::path file = FsPath(path);
    const FileLock lock = LockProjectFile(file, &reason);
    const bool own = !m_path.isEmpty() && QFileInfo(path).absoluteFilePath() == m_path;
    if (lock && changedOnDisk && own && m_stamp && StampOfProjectFile(file) != *m_stamp) {
        *changedOnDisk = true;
        return false;
    }
    if (!lock || !WriteProjectFile(file, m_project, &reason)) {
        if (error)
            *error = QString::fromStdString(reason);
        return false;
    }
    m_project.SetModified(false);
    m_path = QFileInfo(path).absoluteFilePath();
    m_stamp = StampOfProjectFile(file); // still under the lock: what this save wrote
    return true;
}

void CHydroDoc::Restore(dralun::Project project, const QString& path)
{
    Reset(std::move(project));
    m_project.SetModified(true);
    m_path = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
    m_stamp.reset(); // what the file held when the copy was made is not known
}

QString CHydroDoc::Title() const
{
    return m_path.isEmpty() ? DefaultTitle() : QFileInfo(m_path).fileName();
}

std::size_t CHydroDoc::Add(const Calculation& calc)
{
    m_changes.emplace_back();
    return m_project.Add(calc);
}

void CHydroDoc::Replace(std::size_t index, const Calculation& calc)
{
    m_project.Replace(index, calc);
    m_changes.at(index).clear();
}

void CHydroDoc::Remove(std::size_t index)
{
    m_project.Remove(index);
    m_changes.erase(m_changes.begin() + static_cast<std::ptrdiff_t>(index));
}

void CHydroDoc::Move(std::size_t from, std::size_t to)
{
    m_project.Move(from, to);
    std::vector<ResultChange> moved = std::move(m_changes[from]);
    m_changes.erase(m_changes.begin() + static_cast<std::ptrdiff_t>(from));
    m_changes.insert(m_changes.begin() + static_cast<std::ptrdiff_t>(to), std::move(moved));
}

void CHydroDoc::Rename(std::size_t index, const std::string& name) { m_project.Rename(index, name); }

const std::vector<ResultChange>& CHydroDoc::Changes(std::size_t index) const { return m_changes.at(index); }

void CHydroDoc::SetChanges(std::size_t index, std::vector<ResultChange> changes)
{
    m_changes.at(index) = std::move(changes);
}

} // namespace dralun
