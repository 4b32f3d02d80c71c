#include "project/Project.h"

#include <stdexcept>

#include "project/CalculationJson.h"

namespace dralun {

std::string ProjectEntry::Name() const
{
    if (raw.is_object()) {
        const auto it = raw.find("name");
        if (it != raw.end() && it->is_string())
            return it->get<std::string>();
    }
    return "(ohne Namen)";
}

void Project::Changed()
{
    m_modified = true;
    ++m_revision;
}

std::size_t Project::Add(const Calculation& calc)
{
    m_entries.push_back(ProjectEntry{CalculationToJson(calc), calc, {}});
    Changed();
    return m_entries.size() - 1;
}

void Project::Replace(std::size_t index, const Calculation& calc)
{
    m_entries.at(index) = ProjectEntry{CalculationToJson(calc), calc, {}};
    Changed();
}

void Project::Remove(std::size_t index)
{
    if (index >= m_entries.size())
        throw std::out_of_range("Project::Remove");
    m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(index));
    Changed();
}

void Project::Move(std::size_t from, std::size_t to)
{
    if (from >= m_entries.size() || to >= m_entries.size())
        throw std::out_of_range("Project::Move");
    if (from == to)
        return;
    ProjectEntry entry = std::move(m_entries[from]);
    m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(from));
    m_entries.insert(m_entries.begin() + static_cast<std::ptrdiff_t>(to), std::move(entry));
    Changed();
}

void Project::Rename(std::size_t index, const std::string& name)
{
    ProjectEntry& entry = m_entries.at(index);
    // An entry that cannot be used keeps everything but its new name.
    if (entry.raw.is_object())
        entry.raw["name"] = name;
    if (entry.calc)
        entry.calc->name = name;
    Changed();
}

void Project::AddRead(ProjectEntry entry) { m_entries.push_back(std::move(entry)); }

} // namespace dralun
