#include "project/CalcKinds.h"

#include <algorithm>
#include <charconv>
#include <climits>

#include "core/Format.h"
#include "forms/FormRegistry.h"
#include "project/Calculation.h"
#include "project/FormCalculation.h"

namespace dralun {

namespace {

std::vector<CalcKindInfo>& Others()
{
    static std::vector<CalcKindInfo> kinds;
    return kinds;
}

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

} // namespace

bool IsFormKind(const std::string& kind)
{
    return !kind.empty() && kind.size() < 10 &&
           std::all_of(kind.begin(), kind.end(), [](char c) { return c >= '0' && c <= '9'; });
}

const std::vector<CalcKindInfo>& OtherCalcKinds() { return Others(); }

bool AddCalcKind(CalcKindInfo kind)
{
    if (kind.name.empty() || !IsLetter(kind.name[0]) || !kind.create)
        return false;
    std::vector<CalcKindInfo>& kinds = Others();
    const auto same = std::find_if(kinds.begin(), kinds.end(), [&](const CalcKindInfo& k) { return k.name == kind.name; });
    if (same != kinds.end())
        *same = std::move(kind);
    else
        kinds.push_back(std::move(kind));
    return true;
}

std::unique_ptr<ICalculation> MakeCalculation(const std::string& kind, IMessageSink& sink)
{
    if (IsFormKind(kind)) {
        const FormInfo* info = FindFormById(std::stoi(kind));
        return info ? std::make_unique<CFormCalculation>(info->create(sink)) : nullptr;
    }
    for (const CalcKindInfo& other : Others())
        if (other.name == kind)
            return other.create(sink);
    return nullptr;
}

std::string UnknownKindText(const std::string& kind)
{
    if (IsFormKind(kind))
        return "unbekanntes Formular " + kind;
    return "unbekannte Art der Berechnung \"" + kind + "\"";
}

std::string KindOf(const Calculation& calc) { return calc.kind.empty() ? std::to_string(calc.form) : calc.kind; }

namespace {

template <class T>
std::vector<std::pair<std::string, T>> Named(const std::vector<std::pair<int, T>>& byId)
{
    std::vector<std::pair<std::string, T>> named;
    named.reserve(byId.size());
    for (const auto& [id, value] : byId)
        named.emplace_back(std::to_string(id), value);
    return named;
}

template <class T>
bool ById(const std::vector<std::pair<std::string, T>>& named, std::vector<std::pair<int, T>>& byId)
{
    byId.clear();
    byId.reserve(named.size());
    for (const auto& [name, value] : named) {
        int id = 0;
        const auto [end, ec] = std::from_chars(name.data(), name.data() + name.size(), id);
        if (name.empty() || ec != std::errc() || end != name.data() + name.size() || id < 0)
            return false;
        byId.emplace_back(id, value);
    }
    return true;
}

} // namespace

CalcValues KeptInputs(const Calculation& calc)
{
    if (!calc.kind.empty())
        return calc.namedInputs;
    return {Named(calc.inputs), Named(calc.checks), Named(calc.selections), {}};
}

CalcValues KeptResults(const Calculation& calc)
{
    if (!calc.kind.empty())
        return calc.namedResults;
    return {Named(calc.results), {}, {}, Named(calc.lists)};
}

bool SetKeptValues(Calculation& calc, const CalcValues& inputs, const CalcValues& results)
{
    if (!calc.kind.empty()) {
        calc.namedInputs = inputs;
        calc.namedResults = results;
        return true;
    }
    // A form keeps texts of its inputs, its switches and lists chosen, the
    // texts of its result fields and its result lists.
    return inputs.lists.empty() && results.switches.empty() && results.choices.empty() &&
           ById(inputs.texts, calc.inputs) && ById(inputs.switches, calc.checks) &&
           ById(inputs.choices, calc.selections) && ById(results.texts, calc.results) &&
           ById(results.lists, calc.lists);
}

} // namespace dralun
