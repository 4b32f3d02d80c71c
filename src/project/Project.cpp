#include "project/Project.h"

#include <set>
#include <stdexcept>

#include "core/Format.h"
#include "project/CalculationJson.h"

namespace dralun {

std::string MostCalculationsText() { return Format("Ein Projekt hält höchstens %zu Berechnungen", kMostCalculations); }

namespace {

// Reads the JSON once without building it: refuses a key twice in an object
// (which JSON leaves undefined and a reader would silently take one of),
// nesting too deep and too many calculations.
class ShapeCheck {
public:
    using number_integer_t = ProjectJsonValue::number_integer_t;
    using number_unsigned_t = ProjectJsonValue::number_unsigned_t;
    using number_float_t = ProjectJsonValue::number_float_t;
    using string_t = ProjectJsonValue::string_t;
    using binary_t = ProjectJsonValue::binary_t;

    bool null() { return Value(); }
    bool boolean(bool) { return Value(); }
    bool number_integer(number_integer_t) { return Value(); }
    bool number_unsigned(number_unsigned_t) { return Value(); }
    bool number_float(number_float_t, const string_t&) { return Value(); }
    bool string(string_t&) { return Value(); }
    bool binary(binary_t&) { return Value(); }
    bool start_object(std::size_t) { return Open(true); }
    bool start_array(std::size_t) { return Open(false); }
    bool end_object() { return Close(); }
    bool end_array() { return Close(); }
    bool key(string_t& key)
    {
        Level& level = m_levels.back();
        if (!level.keys.insert(key).second)
            throw ProjectJsonRefused{"der Schlüssel \"" + Printable(key, 40) + "\" steht zweimal in einem Objekt"};
        level.calculationsNext = m_levels.size() == 1 && key == "calculations";
        return true;
    }
    // What is no JSON is left to the parse that builds it, which says so.
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) { return false; }

private:
    struct Level {
        bool object = false;
        bool calculations = false;     // the file's list of calculations
        bool calculationsNext = false; // the file's next member is that list
        std::size_t items = 0;
        std::set<string_t> keys;
    };

    bool Value()
    {
        if (!m_levels.empty() && m_levels.back().calculations && ++m_levels.back().items > kMostCalculations)
            throw ProjectJsonRefused{
                Format("sie enthält mehr als %zu Berechnungen, so viele hält ein Projekt höchstens", kMostCalculations)};
        return true;
    }
    bool Open(bool object)
    {
        if (m_levels.size() >= static_cast<std::size_t>(kDeepestProjectNesting))
            throw ProjectJsonRefused{
                Format("sie ist tiefer als %d Ebenen verschachtelt", kDeepestProjectNesting)};
        Value();
        const bool calculations = !object && !m_levels.empty() && m_levels.back().calculationsNext;
        m_levels.push_back(Level{object, calculations, false, 0, {}});
        return true;
    }
    bool Close()
    {
        m_levels.pop_back();
        return true;
    }

    std::vector<Level> m_levels;
};

} // namespace

ProjectJsonValue ParseProjectJson(std::string_view bytes)
{
    // Two linear passes: nlohmann's parse with a callback looks through the
    // whole enclosing list after every object, which is quadratic in the
    // number of calculations.
    ShapeCheck check;
    ProjectJsonValue::sax_parse(bytes.begin(), bytes.end(), &check);
    return ProjectJsonValue::parse(bytes.begin(), bytes.end());
}

std::string ProjectEntry::Name() const
{
    if (raw.is_object()) {
        const auto it = raw.find("name");
        if (it != raw.end() && it->is_string())
            return Printable(it->get_ref<const std::string&>(), kLongestName);
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
    const std::string kept = Printable(name, kLongestName);
    // An entry that cannot be used keeps everything but its new name.
    if (entry.raw.is_object())
        entry.raw["name"] = kept;
    if (entry.calc)
        entry.calc->name = kept;
    Changed();
}

void Project::AddRead(ProjectEntry entry) { m_entries.push_back(std::move(entry)); }

} // namespace dralun
