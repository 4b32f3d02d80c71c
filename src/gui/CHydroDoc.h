#pragma once
// The document behind the start screen: a project, the calculations of one
// design, and the file it belongs to. Besides the project it knows, for each
// entry, what read differently when the entry was last reopened.
#include <QString>
#include <cstddef>
#include <optional>
#include <vector>

#include "project/Project.h"
#include "project/ProjectFile.h"

namespace dralun {

class CHydroDoc {
public:
    static QString DefaultTitle() { return QStringLiteral("Dralun Bemessungshilfen"); }

    void OnNewDocument();
    // false (with a German reason) when the file is not a project; the
    // document is then as it was, bound to the file it was bound to.
    bool OnOpenDocument(const QString& path, QString* error);
    // false (with a German reason) when the file cannot be written. Saving
    // takes the project's lock. With changedOnDisk given, a save to the
    // document's own file that another program changed since the document
    // opened or last saved it writes nothing: false, *changedOnDisk true,
    // for the window to ask (without it, the file is overwritten).
    bool OnSaveDocument(const QString& path, QString* error, bool* changedOnDisk = nullptr);
    // Takes a project read elsewhere (the automatic copy): modified, bound
    // to path (empty: unnamed).
    void Restore(Project project, const QString& path);

    const QString& PathName() const { return m_path; }
    QString Title() const;
    bool Modified() const { return m_project.Modified(); }

    const dralun::Project& Project() const { return m_project; }
    // Changes of the project; each keeps the marks in step with the entries.
    std::size_t Add(const Calculation& calc);
    void Replace(std::size_t index, const Calculation& calc);
    void Remove(std::size_t index);
    void Move(std::size_t from, std::size_t to);
    void Rename(std::size_t index, const std::string& name);

    // What read differently when the entry was last reopened (empty: the same).
    const std::vector<ResultChange>& Changes(std::size_t index) const;
    void SetChanges(std::size_t index, std::vector<ResultChange> changes);

private:
    void Reset(dralun::Project project);
    dralun::Project m_project;
    std::vector<std::vector<ResultChange>> m_changes; // one per entry
    QString m_path;
    // What the file held when the document last read or wrote it.
    std::optional<ProjectStamp> m_stamp;
};

} // namespace dralun
