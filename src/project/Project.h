#pragma once
// A project: the calculations of one design, in the user's order. Every
// entry keeps the JSON object it was read from, so that an entry this
// program cannot use (an unknown form, a control the form lacks, a value
// that no longer reads) is written back exactly as it came.
#include <cstddef>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "project/Calculation.h"
#include "project/ProjectJsonMap.h"

namespace dralun {

// Members keep their order and are found by name in constant time.
using ProjectJsonValue = nlohmann::basic_json<ProjectJsonMap>;

// The most calculations a project holds: a file with more is refused, a
// full project takes no more.
inline constexpr std::size_t kMostCalculations = 10000;
// "Ein Projekt hält höchstens 10000 Berechnungen"
std::string MostCalculationsText();

// A project file's JSON nests five levels deep (file, list, calculation, a
// list of results, its entries); a file nested far deeper is no project.
inline constexpr int kDeepestProjectNesting = 32;

// Why the JSON of a file is no project, in German: a key twice in one
// object, nesting deeper than kDeepestProjectNesting, more calculations
// than kMostCalculations.
struct ProjectJsonRefused {
    std::string reason;
};

// The JSON of a project file, in time and memory linear in its size. What
// ProjectJsonRefused names is found before anything is built; text that is
// no JSON throws as nlohmann::json does.
ProjectJsonValue ParseProjectJson(std::string_view bytes);

struct ProjectEntry {
    ProjectJsonValue raw;            // the entry as it is written
    std::optional<Calculation> calc; // empty when the entry cannot be used
    std::string problem;             // why not, in German
    // The name as it may be shown (also of an entry that cannot be used):
    // at most kLongestName characters, control characters as U+FFFD.
    std::string Name() const;
    bool Usable() const { return calc.has_value(); }
};

class Project {
public:
    const std::vector<ProjectEntry>& Entries() const { return m_entries; }
    std::size_t Size() const { return m_entries.size(); }
    bool Empty() const { return m_entries.empty(); }
    // Whether it holds kMostCalculations and takes no more.
    bool Full() const { return m_entries.size() >= kMostCalculations; }
    const ProjectEntry& At(std::size_t index) const { return m_entries.at(index); }

    // The members of the file beside the calculations that this program does
    // not know, as read; an object. The writer writes them back unchanged.
    const ProjectJsonValue& OtherMembers() const { return m_other; }
    void SetOtherMembers(ProjectJsonValue members) { m_other = std::move(members); }

    // Changes; each marks the project modified. The name is kept to
    // kLongestName characters.
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
    ProjectJsonValue m_other = ProjectJsonValue::object();
    bool m_modified = false;
    unsigned long m_revision = 0;
};

} // namespace dralun
