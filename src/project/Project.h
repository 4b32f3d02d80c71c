#pragma once
// A project: the calculations of one design, in the user's order. Every
// entry keeps the JSON object it was read from, so that an entry this
// program cannot use (an unknown form, a control the form lacks, a value
// that no longer reads) is written back exactly as it came.
#include <cstddef>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "project/Calculation.h"

namespace dralun {

using ProjectJsonValue = nlohmann::ordered_json;

struct ProjectEntry {
    ProjectJsonValue raw;            // the entry as it is written
    std::optional<Calculation> calc; // empty when the entry cannot be used
    std::string problem;             // why not, in German
    std::string Name() const;        // the name, also of an entry that cannot be used
    bool Usable() const { return calc.has_value(); }
};

class Project {
public:
    const std::vector<ProjectEntry>& Entries() const { return m_entries; }
    std::size_t Size() const { return m_entries.size(); }
    bool Empty() const { return m_entries.empty(); }
    const ProjectEntry& At(std::size_t index) const { return m_entries.at(index); }

    // Changes; each marks the project modified.
    std::size_t Add(const Calculation& calc);
    void Replace(std::size_t index, const Calculation& calc);
    void Remove(std::size_t index);
    void Move(std::size_t from, std::size_t to);
    void Rename(std::size_t index, const std::string& name);
    // An entry as read from a file (the reader's side).
    void AddRead(ProjectEntry entry);

    bool Modified() const { return m_modified; }
    void SetModified(bool modified) { m_modified = modified; }
    // Grows with every change, for an automatic copy that follows them.
    unsigned long Revision() const { return m_revision; }

private:
    void Changed();
    std::vector<ProjectEntry> m_entries;
    bool m_modified = false;
    unsigned long m_revision = 0;
};

} // namespace dralun
